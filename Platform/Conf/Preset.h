#pragma once

// Presets: named configuration trees of the engine's components. A preset tree may carry
// KEY_TYPE_ID, the name of the implementation that the tree configures (see
// Platform/Conf/ImplNames.h for the well-known names).

#include <string>

#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"

namespace Tivrel::Conf {

class TIVREL_PLATFORM_API IPreset : public virtual IRefCountable {
public:
  static const std::string KEY_TYPE_ID;  // key, string: implementation name

protected:
  ~IPreset() override = default;
};

}  // namespace Tivrel::Conf
