#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Spatial and temporal denoising with separate strengths for luma and chroma (0: off).
struct TIVREL_PLATFORM_API SettingsEffectDenoiseChromaLuma {
  static const std::string CLASS_ID;

  double lumaStrength = 4.0;
  double chromaStrength = 3.0;
  double lumaStrengthTemporal = 6.0;
  double chromaStrengthTemporal = 4.5;

  bool operator==(const SettingsEffectDenoiseChromaLuma& o) const {
    return lumaStrength == o.lumaStrength && chromaStrength == o.chromaStrength &&
           lumaStrengthTemporal == o.lumaStrengthTemporal && chromaStrengthTemporal == o.chromaStrengthTemporal;
  }
  bool operator!=(const SettingsEffectDenoiseChromaLuma& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
