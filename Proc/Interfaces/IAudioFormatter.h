#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Audio formatter used by the audio-formatter filter.
class TIVREL_PROC_API IAudioFormatter {
public:
  static const std::string CLASS_ID;
  static const std::string IMPL_FFMPEG;  // implementation name
};

}  // namespace Tivrel::Proc
