#include "Proc/Interfaces/IFilterFrameRate.h"

#include "Proc/Settings/SettingsFilterFrameRate.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterFrameRate::CLASS_ID = SettingsFilterFrameRate::CLASS_ID;

}  // namespace Tivrel::Proc
