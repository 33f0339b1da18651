#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Controller that checks stream data against CRCs.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API ICRCStreamController {
public:
  static const std::string CLASS_ID;        ///< class identifier of the controller
  static const std::string SOURCE_NODE_ID;  ///< key: the controller's source node
};

}  // namespace Tivrel::Proc
