#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that draws subtitles onto the picture.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterSubtitleDrawer {
public:
  /// Class identifier of the filter. Unlike most identifiers, its text has no closing dollar
  /// signs.
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
