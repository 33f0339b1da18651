#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Video fade in or out, by frames or by time.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFadeVideo {
public:
  static const std::string CLASS_ID;         ///< class identifier of the fade effect
  static const std::string TYPE;             ///< key: TYPE_IN or TYPE_OUT
  static const std::string TYPE_IN;          ///< fade in
  static const std::string TYPE_OUT;         ///< fade out
  static const std::string START_FRAME;      ///< key: first frame of the fade
  static const std::string COUNT_OF_FRAMES;  ///< key: length in frames
  static const std::string FADE_ONLY_ALPHA;  ///< key: fade the alpha channel only
  static const std::string START_TIME;       ///< key: start as a time
  static const std::string DURATION;         ///< key: length as a time
};

}  // namespace Tivrel::Proc
