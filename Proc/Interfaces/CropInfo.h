#pragma once

#include <cstdint>

namespace Tivrel::Proc {

// Margins cropped from the four sides of a picture, in pixels.
struct CropInfo {
  uint32_t left = 0;
  uint32_t right = 0;
  uint32_t top = 0;
  uint32_t bottom = 0;

  bool operator==(const CropInfo& o) const {
    return left == o.left && right == o.right && top == o.top && bottom == o.bottom;
  }
  bool operator!=(const CropInfo& o) const { return !(*this == o); }
};

// The same four margins with fractional values (sub-pixel or relative margins; the user of
// the value decides).
struct CropInfoF {
  double left = 0.0;
  double right = 0.0;
  double top = 0.0;
  double bottom = 0.0;

  bool operator==(const CropInfoF& o) const {
    return left == o.left && right == o.right && top == o.top && bottom == o.bottom;
  }
  bool operator!=(const CropInfoF& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
