#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Settings/SettingsTwoPassEncoding.h"

namespace Tivrel::Proc {

/// Encoders. Two-pass encoding settings travel as a tree whose keys belong to IEncoder.cc
/// alone; root named SettingsTwoPassEncoding::CLASS_ID, in writing order, both required:
/// @code{.unparsed}
///   "is_analize_mode"  bool    analysis-pass flag
///   "log_file"         string  analysis log file
/// @endcode
/// The conversions keep no state and may run on any thread.
class TIVREL_PROC_API IEncoder {
public:
  /// The two-pass tree of `settings`.
  static Core::Property Settings2Property(const SettingsTwoPassEncoding& settings);

  /// Throws FilterException "Object was initialized with incorrect class (<name>)!" for
  /// another root, and Core::PropertyException from the tree for a missing key or a leaf of
  /// another kind.
  static SettingsTwoPassEncoding Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
