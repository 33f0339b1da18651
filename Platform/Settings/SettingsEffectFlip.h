#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Mirroring of the picture.
struct TIVREL_PLATFORM_API SettingsEffectFlip {
  static const std::string CLASS_ID;

  bool horizontal = false;  // left and right swapped
  bool vertical = false;    // top and bottom swapped

  bool operator==(const SettingsEffectFlip& o) const { return horizontal == o.horizontal && vertical == o.vertical; }
  bool operator!=(const SettingsEffectFlip& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
