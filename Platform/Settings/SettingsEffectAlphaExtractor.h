#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel::Proc {

// Extraction of a frame's alpha channel into a picture of its own.
// The record has no fields; it names the component's class.
struct TIVREL_PLATFORM_API SettingsEffectAlphaExtractor {
  static const std::string CLASS_ID;
};

}  // namespace Tivrel::Proc
