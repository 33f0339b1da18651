#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that measures an audio histogram.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterAudioHistogram {
public:
  /// Class identifier of the filter. Unlike most identifiers, its text has no closing dollar
  /// signs.
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
