#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Audio volume change by a factor, or normalisation.
struct TIVREL_PLATFORM_API SettingsFilterAudioVolume {
  static const std::string CLASS_ID;

  double volume = 1.0;     // linear factor: 1.0 leaves the level unchanged
  bool normalize = false;  // bring the level to full scale instead of applying `volume`

  bool operator==(const SettingsFilterAudioVolume& o) const { return volume == o.volume && normalize == o.normalize; }
  bool operator!=(const SettingsFilterAudioVolume& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
