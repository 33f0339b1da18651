#include "Proc/Interfaces/IFilterAudioVolume.h"

#include "Platform/Settings/SettingsFilterAudioVolume.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterAudioVolume::CLASS_ID = SettingsFilterAudioVolume::CLASS_ID;
const std::string IFilterAudioVolume::VOLUME_VALUE = "volumeValue";
const std::string IFilterAudioVolume::NORMALIZE_MODE = "volumeNormalizeMode";

}  // namespace Tivrel::Proc
