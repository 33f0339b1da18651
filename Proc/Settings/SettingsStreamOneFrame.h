#pragma once

#include <cstdint>
#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// A stream made of one still frame. No comparison: IsEqualTo is the base refusal.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId and Clone are this library's class behaviour.
class TIVREL_PROC_API SettingsStreamOneFrame : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  int32_t endless = 0;  ///< 0: the frame is served once; any other value: served without end

  const std::string& GetClassId() const override;
  SettingsStreamOneFrame* Clone() const override;
};

}  // namespace Tivrel::Proc
