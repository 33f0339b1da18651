#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that repeats a stream up to a redefined duration.
class TIVREL_PROC_API IFilterRepeatController {
public:
  /// Root name of a repeat-controller tree: SettingsFilterRepeatController::CLASS_ID.
  static const std::string CLASS_ID;
  static const std::string REDEFINE_DURATION;  ///< long long (avTime): redefined duration
  static const std::string REPEAT_MODE;        ///< string: repeat mode
  static const std::string REPEAT_MODE_LAST;   ///< a value of REPEAT_MODE

  /// A tree named CLASS_ID holding, in order, REDEFINE_DURATION = 30 days in microseconds
  /// (2592000000000, long long) and REPEAT_MODE = REPEAT_MODE_LAST (string). Any thread.
  static Core::Property MakeEmptySettings();
};

}  // namespace Tivrel::Proc
