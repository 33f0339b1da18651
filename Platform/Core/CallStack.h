#pragma once

#include <string>

#include "Platform/Export.h"

namespace Tivrel {

// The calling thread's stack as text, innermost caller first, one frame a line:
//   "#N 0xADDRESS symbol+0xOFF (module)\n"
// ADDRESS is the frame's return address; symbol is the demangled name the dynamic linker
// knows for it, left out (with its offset) for hidden or static functions, which show
// only their module. GetCallStack's own frame is not listed. Empty when no frame can be
// captured. No process is started and no file is read; each return address is
// symbolised once and remembered (until a module is unloaded), so repeated throws from
// the same places cost little. Thread-safe. Throws only on allocation failure.
TIVREL_PLATFORM_API std::string GetCallStack();

}  // namespace Tivrel
