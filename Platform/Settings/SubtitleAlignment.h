#pragma once

#include <cstdint>

namespace Tivrel::Proc {

// Where subtitle lines are placed across the picture. 32-bit: a stored value that is not
// one of the enumerators is kept as it is and left to the drawer to interpret.
enum class AlignmentHorizontal : int32_t {
  LEFT = 1,
  RIGHT = 2,
  CENTER = 3,
};

// Where subtitle lines are placed down the picture (same storage rule as above).
enum class AlignmentVertical : int32_t {
  TOP = 1,
  CENTER = 2,
  BOTTOM = 3,
};

}  // namespace Tivrel::Proc
