#pragma once

#include <cstdint>

namespace Tivrel::Conf {

// Size and pixel aspect of a video frame: four unsigned 32-bit values. A pixel is
// aspectX / aspectY as wide as it is high.
struct FrameInfo {
  uint32_t width = 0;   // pixels
  uint32_t height = 0;  // lines
  uint32_t aspectX = 1;
  uint32_t aspectY = 1;

  bool operator==(const FrameInfo& o) const {
    return width == o.width && height == o.height && aspectX == o.aspectX && aspectY == o.aspectY;
  }
  bool operator!=(const FrameInfo& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Conf
