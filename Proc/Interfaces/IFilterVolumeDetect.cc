#include "Proc/Interfaces/IFilterVolumeDetect.h"

#include "Platform/Settings/SettingsFilterVolumeDetect.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterVolumeDetect::CLASS_ID = SettingsFilterVolumeDetect::CLASS_ID;

}  // namespace Tivrel::Proc
