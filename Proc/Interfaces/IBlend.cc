#include "Proc/Interfaces/IBlend.h"

#include "Platform/Settings/SettingsEffectImageBlender.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IBlend::CLASS_ID = SettingsEffectImageBlender::CLASS_ID;
const std::string IBlend::BLENDING_POSITION_X = "blendingPositionX";
const std::string IBlend::BLENDING_POSITION_Y = "blendingPositionY";
const std::string IBlend::BLENDING_ALPHA = "blendingAlpha";

}  // namespace Tivrel::Proc
