// Class identifiers of the settings records of this component. Each text is distinct from
// every other class identifier of the engine; the processing library copies several of them
// into its interface identifiers when it loads, after this library has loaded.

#include "Platform/Settings/SettingsAudioNoiseGate.h"
#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Platform/Settings/SettingsEffectCrop.h"
#include "Platform/Settings/SettingsEffectDenoiseChromaLuma.h"
#include "Platform/Settings/SettingsEffectFlip.h"
#include "Platform/Settings/SettingsEffectImageBlender.h"
#include "Platform/Settings/SettingsEffectMagicEnhance.h"
#include "Platform/Settings/SettingsFilterAudioVolume.h"
#include "Platform/Settings/SettingsFilterRepeatController.h"
#include "Platform/Settings/SettingsFilterVolumeDetect.h"
#include "Platform/Settings/SettingsResizer.h"

namespace Tivrel::Proc {

const std::string SettingsAudioNoiseGate::CLASS_ID = "SettingsAudioNoiseGate";
const std::string SettingsEffectAlphaExtractor::CLASS_ID = "SettingsEffectAlphaExtractor";
const std::string SettingsEffectCrop::CLASS_ID = "SettingsEffectCrop";
const std::string SettingsEffectDenoiseChromaLuma::CLASS_ID = "SettingsEffectDenoiseChromaLuma";
const std::string SettingsEffectFlip::CLASS_ID = "SettingsEffectFlip";
const std::string SettingsEffectImageBlender::CLASS_ID = "SettingsEffectImageBlender";
const std::string SettingsEffectMagicEnhance::CLASS_ID = "SettingsEffectMagicEnhance";
const std::string SettingsFilterAudioVolume::CLASS_ID = "SettingsFilterAudioVolume";
const std::string SettingsFilterRepeatController::CLASS_ID = "SettingsFilterRepeatController";
const std::string SettingsFilterVolumeDetect::CLASS_ID = "SettingsFilterVolumeDetect";
const std::string SettingsResizer::CLASS_ID = "SettingsResizer";

}  // namespace Tivrel::Proc
