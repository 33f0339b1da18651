#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that mixes audio streams.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterAudioMixer {
public:
  static const std::string CLASS_ID;  ///< class identifier of the filter
};

}  // namespace Tivrel::Proc
