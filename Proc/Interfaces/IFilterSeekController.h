#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that serves seeks.
class TIVREL_PROC_API IFilterSeekController {
public:
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
