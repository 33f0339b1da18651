#include "Proc/Settings/SettingsEffectTranspose.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsEffectTranspose::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsEffectTranspose";

const std::string& SettingsEffectTranspose::GetClassId() const { return CLASS_ID; }

SettingsEffectTranspose* SettingsEffectTranspose::Clone() const { return new SettingsEffectTranspose(*this); }

bool SettingsEffectTranspose::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsEffectTranspose&>(other);
  return quarterTurns == o.quarterTurns;
}

bool SettingsEffectTranspose::IsEmpty() const { return quarterTurns == 0; }

void SettingsEffectTranspose::AddAngle90() { quarterTurns = (quarterTurns % 4 + 5) % 4; }

}  // namespace Tivrel::Proc
