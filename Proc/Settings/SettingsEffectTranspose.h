#pragma once

#include <cstdint>
#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Rotation by whole quarter turns clockwise.
/// The fields, their defaults, AddAngle90 and the CLASS_ID text stand in for the engine's
/// settings component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsEffectTranspose : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  int32_t quarterTurns = 0;  ///< normally 0..3; other values are taken modulo 4 by AddAngle90

  /// Adds one quarter turn, reducing the result into 0..3 (four turns are no turn).
  void AddAngle90();

  const std::string& GetClassId() const override;
  SettingsEffectTranspose* Clone() const override;
  /// Quarter turns equal. Throws std::bad_cast when `other` is not a SettingsEffectTranspose.
  bool IsEqualTo(const Settings& other) const override;
  /// True when there is nothing to rotate (0 quarter turns).
  bool IsEmpty() const override;
};

}  // namespace Tivrel::Proc
