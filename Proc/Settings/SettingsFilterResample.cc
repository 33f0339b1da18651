#include "Proc/Settings/SettingsFilterResample.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsFilterResample::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsFilterResample";

const std::string& SettingsFilterResample::GetClassId() const { return CLASS_ID; }

SettingsFilterResample* SettingsFilterResample::Clone() const { return new SettingsFilterResample(*this); }

bool SettingsFilterResample::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsFilterResample&>(other);
  return channelLayout == o.channelLayout && sampleFormat == o.sampleFormat && sampleRate == o.sampleRate;
}

}  // namespace Tivrel::Proc
