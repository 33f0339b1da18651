#pragma once

#include <cstdint>

namespace Tivrel::Proc {

/// A colour as four 8-bit components. Frames are filled with it and effect settings
/// carry it; its property-tree form is written by Color2Property.
struct Color {
  uint8_t red = 0;    ///< red component
  uint8_t green = 0;  ///< green component
  uint8_t blue = 0;   ///< blue component
  uint8_t alpha = 0;  ///< alpha component

  /// All four components equal.
  bool operator==(const Color& o) const {
    return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
  }
  /// Not operator==.
  bool operator!=(const Color& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
