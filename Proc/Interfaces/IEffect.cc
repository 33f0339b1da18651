#include "Proc/Interfaces/IEffect.h"

#include <stdexcept>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"

namespace Tivrel::Proc {

IEffect::~IEffect() = default;

void IEffect::SetSettings(const Settings&) {
  ThrowError<std::logic_error>("/// @todo unimplemented method",
                               TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kEffectSetSettings));
}

const Settings& IEffect::GetSettingsBase() const {
  ThrowError<std::logic_error>("/// @todo unimplemented method",
                               TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kEffectGetSettingsBase));
}

Core::Property IEffect::GetStatistic() const { return Core::Property("", "Unimplemented statistic of effect"); }

void IEffect::SetProgressController(const SP<Core::IProgressController>&) {}

TimeToProgress& IEffect::GetProgress() { return progress; }

const TimeToProgress& IEffect::GetProgress() const { return progress; }

void IEffect::SetProgress(const TimeToProgress& p) { progress = p; }

}  // namespace Tivrel::Proc
