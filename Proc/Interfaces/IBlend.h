#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Blending of an overlay picture onto a video picture.
class TIVREL_PROC_API IBlend {
public:
  static const std::string CLASS_ID;             // root name of a blend tree: SettingsEffectImageBlender::CLASS_ID
  static const std::string BLENDING_POSITION_X;  // long long: horizontal position of the overlay
  static const std::string BLENDING_POSITION_Y;  // long long: vertical position of the overlay
  static const std::string BLENDING_ALPHA;       // long long: overlay alpha, 255 when absent
};

}  // namespace Tivrel::Proc
