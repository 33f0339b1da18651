#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Core {

/// Names of the computing resources a component can run on, published for the engine's other
/// libraries.
class TIVREL_PROC_API IComputingResource {
public:
  static const std::string CPU;     ///< the central processor
  static const std::string NVENC;   ///< a hardware video encoder of a graphics adapter
  static const std::string IM;      ///< an integrated media engine of the processor
  static const std::string VT_HW;   ///< the system's hardware video toolbox
  static const std::string AMFENC;  ///< a hardware video encoder of another adapter family
};

}  // namespace Tivrel::Core
