#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that resamples audio to a target format.
class TIVREL_PROC_API IFilterResample {
public:
  // Root name of a resample-filter tree: the settings record's own identifier, bound by
  // reference (&CLASS_ID == &SettingsFilterResample::CLASS_ID).
  static const std::string& CLASS_ID;
};

}  // namespace Tivrel::Proc
