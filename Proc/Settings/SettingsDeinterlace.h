#pragma once

#include <cstdint>
#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Deinterlacing. Fields, defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId, Clone and IsEqualTo are this library's.
class TIVREL_PROC_API SettingsDeinterlace : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  int32_t frameMode = 0;        ///< 0: one output frame per input frame; other values: the deinterlacer's
  int32_t deinterlaceMode = 1;  ///< algorithm selector, the deinterlacer's

  const std::string& GetClassId() const override;
  SettingsDeinterlace* Clone() const override;
  /// Both modes equal. Throws std::bad_cast when `other` is not a SettingsDeinterlace.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
