#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that converts the frame rate.
class TIVREL_PROC_API IFilterFrameRate {
public:
  static const std::string CLASS_ID;  // root name of a frame-rate tree: SettingsFilterFrameRate::CLASS_ID
};

}  // namespace Tivrel::Proc
