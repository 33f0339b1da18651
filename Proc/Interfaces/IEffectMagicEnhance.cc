#include "Proc/Interfaces/IEffectMagicEnhance.h"

#include "Platform/Settings/SettingsEffectMagicEnhance.h"

namespace Tivrel::Proc {

// Keys of an enhancement tree; only this file reads and writes them.
const std::string BRIGHTNESS = "BRIGHTNESS";
const std::string CONTRAST = "CONTRAST";
const std::string HIGHLIGHTS = "HIGHLIGHTS";
const std::string SHADOWS = "SHADOWS";
const std::string SATURATION = "SATURATION";
const std::string HUE = "HUE";
const std::string TEMPERATURE = "TEMPERATURE";
const std::string TINT = "TINT";
const std::string AUTO_CONTRAST = "AUTO_CONTRAST";
const std::string AUTO_SATURATION = "AUTO_SATURATION";
const std::string AUTO_WHITE_BALANCE = "AUTO_WHITE_BALANCE";

// A copy of the record's identifier, taken when the library loads.
const std::string IEffectMagicEnhance::CLASS_ID = SettingsEffectMagicEnhance::CLASS_ID;

}  // namespace Tivrel::Proc
