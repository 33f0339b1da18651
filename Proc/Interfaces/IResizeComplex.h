#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Extended resizer.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IResizeComplex {
public:
  static const std::string EXTENDED_CLASS_ID;  ///< names the extended resizer
};

}  // namespace Tivrel::Proc
