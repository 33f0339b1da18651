#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that serves seeks.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterSeekController {
public:
  static const std::string CLASS_ID;  ///< class identifier of the filter
};

}  // namespace Tivrel::Proc
