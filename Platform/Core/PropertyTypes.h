#pragma once

namespace Tivrel {

// Kind of a property-tree node. A node holds either one value of the five value kinds
// or ordered children (PT_NODE). Unscoped so that diagnostics print it as a number.
enum PropertyTypes : int {
  PT_EMPTY = 0,  // a leaf without a value (never produced by the tree itself)
  PT_BOOL = 1,
  PT_INT64 = 2,
  PT_DOUBLE = 3,
  PT_STRING = 4,
  PT_RATIO = 5,
  PT_NODE = 6,  // holds children
};

}  // namespace Tivrel
