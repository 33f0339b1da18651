#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Platform/Settings/SettingsEffectMagicEnhance.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// One-step picture enhancement. Enhancement tree (root named CLASS_ID), in writing order,
/// every key optional on reading:
/// @code{.unparsed}
///   "AUTO_CONTRAST"       bool       GetCustomContrast() != 0     -> autoContrast (1 or 0)
///   "BRIGHTNESS"          long long  brightness                   -> SetBrightness
///   "CONTRAST"            long long  contrast                     -> SetContrast
///   "HIGHLIGHTS"          long long  highlights                   -> highlights
///   "SHADOWS"             long long  shadows                      -> shadows
///   "AUTO_WHITE_BALANCE"  bool       GetCustomWhiteBalance() != 0 -> autoWhiteBalance
///   "TEMPERATURE"         long long  temperature                  -> SetTemperature
///   "TINT"                long long  tint                         -> SetTint
///   "AUTO_SATURATION"     bool       GetCustomSaturation() != 0   -> autoSaturation
///   "SATURATION"          long long  percentage offset of the factor s: trunc(s * 100 + 0.5) - 100,
///                                    low 32 bits                  -> SetSaturation(v / 100.0 + 1.0)
///   "HUE"                 long long  hue                          -> hue, normalised into 0..359
/// @endcode
/// A missing integer reads as 0, a missing flag as false, a missing saturation as factor 1.0.
/// The conversions keep no state and may run on any thread.
class TIVREL_PROC_API IEffectMagicEnhance {
public:
  static const std::string CLASS_ID;  ///< root name of an enhancement tree: SettingsEffectMagicEnhance::CLASS_ID

  /// The enhancement tree of `settings`. The library's own guard, where the conversion to an
  /// integer would be undefined: throws std::invalid_argument (call stack appended) when the
  /// saturation factor gives no finite percentage (NaN, an infinity, or beyond about 1.8e306).
  static Core::Property Settings2Property(const SettingsEffectMagicEnhance& settings);

  /// Reads an enhancement tree into a default record; integers keep their low 32 bits, and the
  /// hue h is stored as ((h mod 360) + 360) mod 360 (-30 reads as 330). Throws FilterException
  /// "<CLASS_ID> was initialized with incorrect class (<name>)!" for another root, and
  /// Core::PropertyException from the tree for a leaf of another kind.
  static SettingsEffectMagicEnhance Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
