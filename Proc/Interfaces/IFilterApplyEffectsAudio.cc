#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"

namespace Tivrel::Proc {

// Keys of an audio effect-list tree; only this file reads and writes them.
const std::string CLASS_KEY_AUDIO = "classKey";
const std::string EFFECTS_AUDIO = "audioEffectsList";

const std::string IFilterApplyEffectsAudio::CLASS_ID = "$$FILTER_APPLY_EFFECTS_AUDIO$$";

}  // namespace Tivrel::Proc
