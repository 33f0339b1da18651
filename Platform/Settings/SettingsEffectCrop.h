#pragma once

#include <cstdint>
#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Cropping to a rectangle of the picture: its top-left corner and size in pixels.
struct TIVREL_PLATFORM_API SettingsEffectCrop {
  static const std::string CLASS_ID;

  uint32_t offsetX = 0;
  uint32_t offsetY = 0;
  uint32_t width = 0;   // 0: up to the right edge
  uint32_t height = 0;  // 0: up to the bottom edge

  bool operator==(const SettingsEffectCrop& o) const {
    return offsetX == o.offsetX && offsetY == o.offsetY && width == o.width && height == o.height;
  }
  bool operator!=(const SettingsEffectCrop& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
