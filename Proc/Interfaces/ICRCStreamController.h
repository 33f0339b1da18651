#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Controller that checks stream data against CRCs.
class TIVREL_PROC_API ICRCStreamController {
public:
  static const std::string CLASS_ID;
  static const std::string SOURCE_NODE_ID;  // key: the controller's source node
};

}  // namespace Tivrel::Proc
