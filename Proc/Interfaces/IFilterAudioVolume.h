#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Platform/Settings/SettingsFilterAudioVolume.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that changes or normalises the audio volume. Volume tree (root named CLASS_ID), in
/// writing order, both required:
/// @code{.unparsed}
///   "volumeValue"          long long  the factor v as the whole percentage trunc(v * 100),
///                                     low 32 bits; read back divided by 100.0 (0.755 -> 75 -> 0.75)
///   "volumeNormalizeMode"  bool       normalisation flag
/// @endcode
/// The conversions keep no state and may run on any thread.
class TIVREL_PROC_API IFilterAudioVolume {
public:
  static const std::string CLASS_ID;        ///< root name of a volume tree: SettingsFilterAudioVolume::CLASS_ID
  static const std::string VOLUME_VALUE;    ///< long long: the volume factor as a whole percentage
  static const std::string NORMALIZE_MODE;  ///< bool: normalisation flag

  /// The library's own guard, where the conversion to an integer would be undefined: throws
  /// std::invalid_argument (call stack appended) when the factor gives no finite percentage
  /// (NaN, an infinity, or beyond about 1.8e306).
  static Core::Property Settings2Property(const SettingsFilterAudioVolume& settings);

  /// Throws FilterException "<CLASS_ID> was initialized with incorrect class (<name>)!" for
  /// another root, and Core::PropertyException from the tree for a missing key or a leaf of
  /// another kind.
  static SettingsFilterAudioVolume Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
