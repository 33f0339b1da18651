#pragma once

#include <cstdint>
#include <string>

#include "Platform/Conf/AudioFormat.h"

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Audio resampling target. Each field has a "keep the input's" sentinel.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsFilterResample : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  Conf::ChannelLayout channelLayout = Conf::CH_LAYOUT_NONE;  ///< CH_LAYOUT_NONE: keep the input layout
  Conf::SampleFormats sampleFormat = Conf::SAMPLE_FMT_NONE;  ///< SAMPLE_FMT_NONE: keep the input format
  int32_t sampleRate = -1;                                   ///< -1: keep the input rate

  const std::string& GetClassId() const override;
  SettingsFilterResample* Clone() const override;
  /// All three fields equal. Throws std::bad_cast when `other` is not a SettingsFilterResample.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
