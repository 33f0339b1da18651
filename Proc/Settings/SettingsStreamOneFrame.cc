#include "Proc/Settings/SettingsStreamOneFrame.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsStreamOneFrame::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsStreamOneFrame";

const std::string& SettingsStreamOneFrame::GetClassId() const { return CLASS_ID; }

SettingsStreamOneFrame* SettingsStreamOneFrame::Clone() const { return new SettingsStreamOneFrame(*this); }

}  // namespace Tivrel::Proc
