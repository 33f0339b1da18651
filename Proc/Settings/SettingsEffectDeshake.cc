#include "Proc/Settings/SettingsEffectDeshake.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsEffectDeshake::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsEffectDeshake";

const std::string& SettingsEffectDeshake::GetClassId() const { return CLASS_ID; }

SettingsEffectDeshake* SettingsEffectDeshake::Clone() const { return new SettingsEffectDeshake(*this); }

}  // namespace Tivrel::Proc
