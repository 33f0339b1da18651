#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Platform/Settings/SettingsEffectImageBlender.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Blending of an overlay picture onto a video picture. Blend tree (root named CLASS_ID), in
/// writing order, every key optional on reading:
/// @code{.unparsed}
///   "blendingPositionX"  long long  horizontal position  default 0
///   "blendingPositionY"  long long  vertical position    default 0
///   "blendingAlpha"      long long  alpha                default 255
/// @endcode
/// The conversions keep no state and may run on any thread.
class TIVREL_PROC_API IBlend {
public:
  /// The record a blend tree converts to and from.
  using SettingsType = SettingsEffectImageBlender;

  static const std::string CLASS_ID;             ///< root name of a blend tree: SettingsEffectImageBlender::CLASS_ID
  static const std::string BLENDING_POSITION_X;  ///< long long: horizontal position of the overlay
  static const std::string BLENDING_POSITION_Y;  ///< long long: vertical position of the overlay
  static const std::string BLENDING_ALPHA;       ///< long long: overlay alpha, 255 when absent

  /// The blend tree of `settings` (the record's fourth field is not carried).
  static Core::Property Settings2Property(const SettingsType& settings);

  /// Reads a blend tree into a record holding alpha 255, position (0, 0) and 0; each key present
  /// is read with GetValue<int> (an integer keeps its low 32 bits). Throws FilterException
  /// "Filter was initialized with incorrect class (<name>)!" for another root, and
  /// Core::PropertyException from the tree for a value that is not numeric or a double that
  /// does not fit an int.
  static SettingsType Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
