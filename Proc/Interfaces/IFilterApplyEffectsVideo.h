#pragma once

#include <string>
#include <vector>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that applies a list of video effects, each configured by its own tree. Effect-list
/// tree (root named CLASS_ID), in writing order:
/// @code{.unparsed}
///   "classKey"                  string  CLASS_ID itself
///   Conf::IPreset::KEY_TYPE_ID  string  empty (not read)
///   "effectsList"               node    one child per effect, in order: the effect's tree
///                                       plus a "classKey" string holding that tree's name
/// @endcode
/// The conversions keep no state and may run on any thread.
class TIVREL_PROC_API IFilterApplyEffectsVideo {
public:
  static const std::string CLASS_ID;  ///< root name of an video effect-list tree

  /// The list tree of `effects` (duplicates and order kept). An effect that is a leaf
  /// throws Core::MethodIsNotApplicable from the tree.
  static Core::Property SettingsEffects2FilterSettings(const std::vector<Core::Property>& effects);

  /// The effects of a list tree, in list order, each named by its "classKey" and still holding
  /// it. Throws FilterException "Filter was initialized with incorrect class (<name>)!" for
  /// another root, and Core::PropertyException from the tree when the list node, an item's
  /// "classKey" or its string value is missing.
  static std::vector<Core::Property> FilterSettings2SettingsEffects(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
