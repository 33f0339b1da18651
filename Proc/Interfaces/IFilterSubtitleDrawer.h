#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that draws subtitles onto the picture.
class TIVREL_PROC_API IFilterSubtitleDrawer {
public:
  static const std::string CLASS_ID;  // (no closing dollar signs)
};

}  // namespace Tivrel::Proc
