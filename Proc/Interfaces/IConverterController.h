#pragma once

/// @file
/// The states of a converter controller and their names. The controller interface itself
/// lives elsewhere in the engine; this library only names its states.

#include <cstdint>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// A converter controller as far as this library knows it: the names of its states.
class IConverterController {
public:
  /// The states of a converter controller.
  enum ControllerState : int32_t {
    NotInitialized = 0,
    Stopped = 1,
    Running = 2,
    Paused = 3,
    Error = 4,
  };
};

/// "NotInitialized", "Stopped", "Running", "Paused" or "Error": a static text the caller
/// does not free. Any other value throws std::invalid_argument "controllerState".
TIVREL_PROC_API const char* ControllerStateAsString(IConverterController::ControllerState state);

}  // namespace Tivrel::Proc
