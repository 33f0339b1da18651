#pragma once

// Implementation names: which implementation of a component a factory builds. Stored in
// trees under Conf::IPreset::KEY_TYPE_ID.

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

struct TIVREL_PLATFORM_API ImplNames {
  static const std::string DEFAULT;  // the component's standard implementation
};

}  // namespace Tivrel::Proc
