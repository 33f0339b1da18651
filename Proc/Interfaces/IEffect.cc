#include "Proc/Interfaces/IEffect.h"

#include <stdexcept>

#include "Platform/Core/Exception.h"

namespace Tivrel::Proc {

IEffect::~IEffect() = default;

void IEffect::SetSettings(const Settings&) {
  ThrowError<std::logic_error>(
      "/// @todo unimplemented method",
      TIVREL_THROW_SITE("virtual void Tivrel::Proc::IEffect::SetSettings(const Tivrel::Proc::Settings &)", 12));
}

const Settings& IEffect::GetSettingsBase() const {
  ThrowError<std::logic_error>(
      "/// @todo unimplemented method",
      TIVREL_THROW_SITE("virtual const Tivrel::Proc::Settings &Tivrel::Proc::IEffect::GetSettingsBase() const", 17));
}

Core::Property IEffect::GetStatistic() const { return Core::Property("", "Unimplemented statistic of effect"); }

void IEffect::SetProgressController(const SP<Core::IProgressController>&) {}

TimeToProgress& IEffect::GetProgress() { return progress; }

const TimeToProgress& IEffect::GetProgress() const { return progress; }

void IEffect::SetProgress(const TimeToProgress& p) { progress = p; }

}  // namespace Tivrel::Proc
