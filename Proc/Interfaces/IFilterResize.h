#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that resizes video; its tree wraps the resizer's tree.
class TIVREL_PROC_API IFilterResize {
public:
  static const std::string CLASS_ID;  // root name of a resize-filter tree
};

}  // namespace Tivrel::Proc
