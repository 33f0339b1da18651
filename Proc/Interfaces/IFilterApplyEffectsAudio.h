#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that applies a list of audio effects.
class TIVREL_PROC_API IFilterApplyEffectsAudio {
public:
  static const std::string CLASS_ID;  // root name of an audio effect-list tree
};

}  // namespace Tivrel::Proc
