#pragma once

#include <cstdint>
#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Two-pass video stabilisation: an analysis pass writes the camera motion to a log file,
/// the second pass reads it and compensates.
/// The fields, their defaults, operator== and the CLASS_ID text stand in for the engine's
/// settings component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsEffectStabilizer : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  bool enabled = false;       ///< whether stabilisation is applied
  bool analysisMode = true;   ///< true: analysis pass; false: transform pass
  std::string logFile;        ///< motion log shared by the two passes
  int32_t shakiness = 5;      ///< how shaky the input is, 1..10
  int32_t smoothing = 15;     ///< frames on each side used to smooth the motion
  int32_t accuracy = 15;      ///< motion detection accuracy, 1..15
  int32_t stepSize = 6;       ///< search step in pixels
  int32_t tripodFrame = 0;    ///< reference frame for a virtual tripod; 0: none
  int32_t minContrast = 25;   ///< lowest contrast (percent) of a measurement field that is used
  int32_t relative = 1;       ///< 1: motion is relative to the previous frame; 0: absolute
  int32_t optZoom = 1;        ///< 0: fixed zoom; 1: static optimal zoom; 2: adaptive zoom
  int32_t zoomSpeed = 1;      ///< percent per frame for adaptive zoom
  int32_t interpolation = 2;  ///< 0: none, 1: linear, 2: bilinear, 3: bicubic

  /// Every field equal.
  bool operator==(const SettingsEffectStabilizer& o) const;
  /// Not operator==.
  bool operator!=(const SettingsEffectStabilizer& o) const { return !(*this == o); }

  const std::string& GetClassId() const override;
  SettingsEffectStabilizer* Clone() const override;
  /// operator==. Throws std::bad_cast when `other` is not a SettingsEffectStabilizer.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
