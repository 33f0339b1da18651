#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Noise gate: audio below the threshold is attenuated. Times are in seconds, levels are
// linear amplitude factors.
struct TIVREL_PLATFORM_API SettingsAudioNoiseGate {
  static const std::string CLASS_ID;

  double threshold = 0.0;   // level below which the gate closes
  double attack = 0.03;     // time to open
  double decay = 0.08;      // time to close
  double softKnee = 0.01;   // width of the transition around the threshold
  float outputGain = 1.0f;  // factor on the gated signal; not carried in property trees

  bool operator==(const SettingsAudioNoiseGate& o) const {
    return threshold == o.threshold && attack == o.attack && decay == o.decay && softKnee == o.softKnee &&
           outputGain == o.outputGain;
  }
  bool operator!=(const SettingsAudioNoiseGate& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
