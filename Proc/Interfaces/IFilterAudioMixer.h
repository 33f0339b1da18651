#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that mixes audio streams.
class TIVREL_PROC_API IFilterAudioMixer {
public:
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
