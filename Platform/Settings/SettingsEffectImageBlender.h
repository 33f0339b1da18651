#pragma once

#include <cstdint>
#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Blending of an overlay image onto the picture at a position with a constant alpha.
struct TIVREL_PLATFORM_API SettingsEffectImageBlender {
  static const std::string CLASS_ID;

  int32_t alpha = 255;    // 0: overlay invisible .. 255: opaque
  int32_t positionX = 0;  // overlay's top-left corner in picture pixels
  int32_t positionY = 0;
  int32_t blendFlags = 0;  // blender-specific options; 0: none

  bool operator==(const SettingsEffectImageBlender& o) const {
    return alpha == o.alpha && positionX == o.positionX && positionY == o.positionY && blendFlags == o.blendFlags;
  }
  bool operator!=(const SettingsEffectImageBlender& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
