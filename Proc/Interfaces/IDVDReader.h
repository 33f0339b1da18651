#pragma once

#include <string>

#include "Platform/Core/ioPath.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Reader of DVD titles. A DVD path is DVD_PATH_PREFIX, any text, DVD_TITLE_PREFIX and the title.
class TIVREL_PROC_API IDVDReader {
public:
  static const std::string DVD_PATH_PREFIX;   ///< start of a DVD path
  static const std::string DVD_TITLE_PREFIX;  ///< introduces the title number

  /// Whether the path's UTF-8 text starts with DVD_PATH_PREFIX and holds DVD_TITLE_PREFIX
  /// later on its first line (no line feed or carriage return between the two). Case
  /// matters. Safe from any thread; the first call compiles the pattern it matches with.
  static bool IsDVDPath(const ioPath& path);
};

}  // namespace Tivrel::Proc
