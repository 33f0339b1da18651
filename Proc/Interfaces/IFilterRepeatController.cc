#include "Proc/Interfaces/IFilterRepeatController.h"

#include "Platform/Settings/SettingsFilterRepeatController.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterRepeatController::CLASS_ID = SettingsFilterRepeatController::CLASS_ID;
const std::string IFilterRepeatController::REDEFINE_DURATION = "$$REDEFINE_DURATION$$";
const std::string IFilterRepeatController::REPEAT_MODE = "$$REPEAT_MODE$$";
const std::string IFilterRepeatController::REPEAT_MODE_LAST = "$$REPEAT_MODE_LAST$$";

}  // namespace Tivrel::Proc
