#pragma once

#include <cstdint>
#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// One-step picture enhancement: tone, colour and white balance, each either set by hand or
// chosen automatically from the picture. Integer adjustments are offsets where 0 changes
// nothing; saturation is a factor where 1.0 changes nothing; hue is in degrees, 0..359.
//
// The three automatic flags (1 or 0) are what the GetCustom... getters report: a non-zero
// result means the component picks that adjustment itself and ignores the hand-set value.
// The setters store their value and leave the flags alone.
struct TIVREL_PLATFORM_API SettingsEffectMagicEnhance {
  static const std::string CLASS_ID;

  int32_t brightness = 0;
  int32_t contrast = 0;
  int32_t highlights = 0;
  int32_t shadows = 0;
  int32_t temperature = 0;
  int32_t tint = 0;
  int32_t hue = 0;
  double saturation = 1.0;
  int32_t autoContrast = 0;
  int32_t autoWhiteBalance = 0;
  int32_t autoSaturation = 0;

  void SetBrightness(int value) { brightness = value; }
  void SetContrast(int value) { contrast = value; }
  void SetSaturation(double value) { saturation = value; }
  void SetTemperature(int value) { temperature = value; }
  void SetTint(int value) { tint = value; }

  int GetCustomContrast() const { return autoContrast; }
  int GetCustomWhiteBalance() const { return autoWhiteBalance; }
  int GetCustomSaturation() const { return autoSaturation; }

  bool operator==(const SettingsEffectMagicEnhance& o) const {
    return brightness == o.brightness && contrast == o.contrast && highlights == o.highlights && shadows == o.shadows &&
           temperature == o.temperature && tint == o.tint && hue == o.hue && saturation == o.saturation &&
           autoContrast == o.autoContrast && autoWhiteBalance == o.autoWhiteBalance &&
           autoSaturation == o.autoSaturation;
  }
  bool operator!=(const SettingsEffectMagicEnhance& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
