#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that regroups audio into packets of a fixed duration.
class TIVREL_PROC_API IFilterAudioFormatter {
public:
  static const std::string CLASS_ID;
  static const std::string PACKET_DURATION;  // key: packet duration
};

}  // namespace Tivrel::Proc
