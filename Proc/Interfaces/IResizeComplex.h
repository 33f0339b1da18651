#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Extended resizer.
class TIVREL_PROC_API IResizeComplex {
public:
  static const std::string EXTENDED_CLASS_ID;  // names the extended resizer
};

}  // namespace Tivrel::Proc
