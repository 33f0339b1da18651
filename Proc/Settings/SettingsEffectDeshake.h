#pragma once

#include <cstdint>
#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Block-matching shake removal. No comparison: IsEqualTo is the base refusal.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId and Clone are this library's class behaviour.
class TIVREL_PROC_API SettingsEffectDeshake : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  int32_t blockSize = 8;  ///< side of the matched blocks in pixels
  bool enabled = false;   ///< whether shake removal is applied

  const std::string& GetClassId() const override;
  SettingsEffectDeshake* Clone() const override;
};

}  // namespace Tivrel::Proc
