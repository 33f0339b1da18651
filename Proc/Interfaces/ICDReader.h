#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Reader of audio-CD tracks. A CD path is CD_PATH_PREFIX, any text, CD_TRACK_PREFIX and the track.
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API ICDReader {
public:
  static const std::string CD_PATH_PREFIX;   ///< start of an audio-CD path
  static const std::string CD_TRACK_PREFIX;  ///< introduces the track number
};

}  // namespace Tivrel::Proc
