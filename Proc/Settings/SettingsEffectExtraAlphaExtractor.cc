#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsEffectExtraAlphaExtractor::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT =
    "SettingsEffectExtraAlphaExtractor";

const std::string& SettingsEffectExtraAlphaExtractor::GetClassId() const { return CLASS_ID; }

SettingsEffectExtraAlphaExtractor* SettingsEffectExtraAlphaExtractor::Clone() const {
  return new SettingsEffectExtraAlphaExtractor(*this);
}

}  // namespace Tivrel::Proc
