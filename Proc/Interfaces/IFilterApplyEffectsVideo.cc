#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"

namespace Tivrel::Proc {

// Keys of a video effect-list tree; only this file reads and writes them.
const std::string CLASS_KEY = "classKey";
const std::string EFFECTS = "effectsList";

const std::string IFilterApplyEffectsVideo::CLASS_ID = "$$FILTER_APPLY_EFFECTS_VIDEO$$";

}  // namespace Tivrel::Proc
