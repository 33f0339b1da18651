#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel {

// The calling thread's stack as text, one frame a line: "#N 0xADDRESS symbol+0xOFF (module)".
// Symbol names are the raw (mangled) names the dynamic linker knows; frames of hidden or
// static functions show only their module. No process is started and no file is read,
// so it is cheap enough to call on every throw. Thread-safe.
TIVREL_PLATFORM_API std::string GetCallStack();

}  // namespace Tivrel
