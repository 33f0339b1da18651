#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that detects whether a stream can pass without re-encoding.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterLosslessDetect {
public:
  static const std::string CLASS_ID;  ///< names the lossless-detection filter
};

}  // namespace Tivrel::Proc
