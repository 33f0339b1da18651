#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that applies a list of video effects.
class TIVREL_PROC_API IFilterApplyEffectsVideo {
public:
  static const std::string CLASS_ID;  // root name of a video effect-list tree
};

}  // namespace Tivrel::Proc
