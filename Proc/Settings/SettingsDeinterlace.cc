#include "Proc/Settings/SettingsDeinterlace.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsDeinterlace::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsDeinterlace";

const std::string& SettingsDeinterlace::GetClassId() const { return CLASS_ID; }

SettingsDeinterlace* SettingsDeinterlace::Clone() const { return new SettingsDeinterlace(*this); }

bool SettingsDeinterlace::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsDeinterlace&>(other);
  return frameMode == o.frameMode && deinterlaceMode == o.deinterlaceMode;
}

}  // namespace Tivrel::Proc
