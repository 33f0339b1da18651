#include "Proc/Interfaces/IFilterRepeatController.h"

#include "Platform/Core/Types.h"
#include "Platform/Settings/SettingsFilterRepeatController.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterRepeatController::CLASS_ID = SettingsFilterRepeatController::CLASS_ID;
const std::string IFilterRepeatController::REDEFINE_DURATION = "$$REDEFINE_DURATION$$";
const std::string IFilterRepeatController::REPEAT_MODE = "$$REPEAT_MODE$$";
const std::string IFilterRepeatController::REPEAT_MODE_LAST = "$$REPEAT_MODE_LAST$$";

namespace {

// Long enough to outlast any stream the repeat filter meets.
constexpr avTime kThirtyDays = 30LL * 24 * 60 * 60 * 1000000;

}  // namespace

Core::Property IFilterRepeatController::MakeEmptySettings() {
  Core::Property root(CLASS_ID);
  root.SetChildT<long long>(REDEFINE_DURATION, kThirtyDays);
  root.SetChildT<std::string>(REPEAT_MODE, REPEAT_MODE_LAST);
  return root;
}

}  // namespace Tivrel::Proc
