#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Filter that changes or normalises the audio volume.
class TIVREL_PROC_API IFilterAudioVolume {
public:
  static const std::string CLASS_ID;        // root name of a volume tree: SettingsFilterAudioVolume::CLASS_ID
  static const std::string VOLUME_VALUE;    // long long: the volume factor as a whole percentage
  static const std::string NORMALIZE_MODE;  // bool: normalisation flag
};

}  // namespace Tivrel::Proc
