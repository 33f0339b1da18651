#include "Proc/Settings/SettingsTwoPassEncoding.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsTwoPassEncoding::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsTwoPassEncoding";

const std::string& SettingsTwoPassEncoding::GetClassId() const { return CLASS_ID; }

SettingsTwoPassEncoding* SettingsTwoPassEncoding::Clone() const { return new SettingsTwoPassEncoding(*this); }

bool SettingsTwoPassEncoding::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsTwoPassEncoding&>(other);
  return analysisMode == o.analysisMode && logFile == o.logFile;
}

}  // namespace Tivrel::Proc
