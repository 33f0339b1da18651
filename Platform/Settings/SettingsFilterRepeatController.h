#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Repetition of a stream up to a redefined duration; its options travel in property trees.
// The record has no fields; it names the component's class.
struct TIVREL_PLATFORM_API SettingsFilterRepeatController {
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
