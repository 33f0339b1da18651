#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// One-step picture enhancement.
class TIVREL_PROC_API IEffectMagicEnhance {
public:
  static const std::string CLASS_ID;  // root name of an enhancement tree: SettingsEffectMagicEnhance::CLASS_ID
};

}  // namespace Tivrel::Proc
