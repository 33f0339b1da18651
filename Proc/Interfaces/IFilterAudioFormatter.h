#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that regroups audio into packets of a fixed duration.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterAudioFormatter {
public:
  static const std::string CLASS_ID;         ///< class identifier of the filter
  static const std::string PACKET_DURATION;  ///< key: packet duration
};

}  // namespace Tivrel::Proc
