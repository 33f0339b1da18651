#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Platform/Settings/SettingsResizer.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that resizes video. Its tree wraps the resizer's tree (see IResize):
/// @code{.unparsed}
///   root named CLASS_ID ("$$VIDEO_RESIZE$$")
///     Conf::IPreset::KEY_TYPE_ID  string, empty (not read)
///     IResize::CLASS_ID           node: the whole resizer tree
/// @endcode
/// The conversions keep no state and may run on any thread.
class TIVREL_PROC_API IFilterResize {
public:
  static const std::string CLASS_ID;  ///< root name of a resize-filter tree

  /// The resize-filter tree of `settings`; throws like IResize::Settings2Property.
  static Core::Property Settings2Property(const SettingsResizer& settings);

  /// Reads a resize-filter tree. Throws FilterException "Filter was initialized with incorrect
  /// class (<name>)!" for another root, Core::PropertyException when the resizer child is
  /// missing, and whatever IResize::Property2Settings throws for that child.
  static SettingsResizer Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
