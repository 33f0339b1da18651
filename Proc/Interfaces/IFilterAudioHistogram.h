#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that measures an audio histogram.
class TIVREL_PROC_API IFilterAudioHistogram {
public:
  static const std::string CLASS_ID;  // (no closing dollar signs)
};

}  // namespace Tivrel::Proc
