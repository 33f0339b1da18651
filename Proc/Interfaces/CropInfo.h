#pragma once

#include <cstdint>

namespace Tivrel::Proc {

/// Margins cropped from the four sides of a picture, in pixels.
struct CropInfo {
  uint32_t left = 0;    ///< left margin
  uint32_t right = 0;   ///< right margin
  uint32_t top = 0;     ///< top margin
  uint32_t bottom = 0;  ///< bottom margin

  /// All four margins equal.
  bool operator==(const CropInfo& o) const {
    return left == o.left && right == o.right && top == o.top && bottom == o.bottom;
  }
  /// Not operator==.
  bool operator!=(const CropInfo& o) const { return !(*this == o); }
};

/// The same four margins with fractional values (sub-pixel or relative margins; the user of
/// the value decides).
struct CropInfoF {
  double left = 0.0;    ///< left margin
  double right = 0.0;   ///< right margin
  double top = 0.0;     ///< top margin
  double bottom = 0.0;  ///< bottom margin

  /// All four margins equal.
  bool operator==(const CropInfoF& o) const {
    return left == o.left && right == o.right && top == o.top && bottom == o.bottom;
  }
  /// Not operator==.
  bool operator!=(const CropInfoF& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
