#include "Proc/Settings/SettingsFilterVideoMixer.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsFilterVideoMixer::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsFilterVideoMixer";

const std::string& SettingsFilterVideoMixer::GetClassId() const { return CLASS_ID; }

SettingsFilterVideoMixer* SettingsFilterVideoMixer::Clone() const { return new SettingsFilterVideoMixer(*this); }

bool SettingsFilterVideoMixer::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsFilterVideoMixer&>(other);
  (void)o;  // the record has no fields: any two are equal
  return true;
}

}  // namespace Tivrel::Proc
