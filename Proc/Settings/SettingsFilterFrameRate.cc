#include "Proc/Settings/SettingsFilterFrameRate.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsFilterFrameRate::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsFilterFrameRate";

const std::string& SettingsFilterFrameRate::GetClassId() const { return CLASS_ID; }

SettingsFilterFrameRate* SettingsFilterFrameRate::Clone() const { return new SettingsFilterFrameRate(*this); }

bool SettingsFilterFrameRate::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsFilterFrameRate&>(other);
  // The implementation name does not change what the filter produces.
  return frameRate.numerator() == o.frameRate.numerator() && frameRate.denominator() == o.frameRate.denominator();
}

}  // namespace Tivrel::Proc
