#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that reads subtitles from a file.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterSubtitles {
public:
  static const std::string CLASS_ID;         ///< class identifier of the filter
  static const std::string FILENAME;         ///< key: subtitle file name (same text as CLASS_ID)
  static const std::string ORIGINAL_WIDTH;   ///< key
  static const std::string ORIGINAL_HEIGHT;  ///< key
  static const std::string ENCODING;         ///< key: ENCODING_UTF8 or ENCODING_CP1251
  static const std::string ENCODING_UTF8;    ///< encoding value
  static const std::string ENCODING_CP1251;  ///< encoding value
};

}  // namespace Tivrel::Proc
