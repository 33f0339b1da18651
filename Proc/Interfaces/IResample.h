#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Audio resampler.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IResample {
public:
  static const std::string CLASS_ID;  ///< name of the sub-tree holding a resample filter's target format
};

}  // namespace Tivrel::Proc
