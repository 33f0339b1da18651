#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that measures audio levels.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterVolumeDetect {
public:
  static const std::string CLASS_ID;  ///< names the filter: SettingsFilterVolumeDetect::CLASS_ID
};

}  // namespace Tivrel::Proc
