#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Audio formatter used by the audio-formatter filter.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IAudioFormatter {
public:
  static const std::string CLASS_ID;     ///< class identifier of the formatter
  static const std::string IMPL_FFMPEG;  ///< implementation name
};

}  // namespace Tivrel::Proc
