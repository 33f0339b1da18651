#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Measurement of audio levels; the filter reports, it does not change the audio.
// The record has no fields; it names the component's class.
struct TIVREL_PLATFORM_API SettingsFilterVolumeDetect {
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
