#include "Platform/Core/CallStack.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <cinttypes>
#include <cstdio>

namespace Tivrel {

std::string GetCallStack() {
  constexpr int kMaxFrames = 64;
  void* frames[kMaxFrames];
  const int count = backtrace(frames, kMaxFrames);
  std::string text;
  text.reserve(static_cast<size_t>(count) * 64);
  char line[512];
  // Frame 0 is this function itself.
  for (int i = 1; i < count; ++i) {
    Dl_info info{};
    const auto address = reinterpret_cast<uintptr_t>(frames[i]);
    int n = 0;
    if (dladdr(frames[i], &info) != 0 && info.dli_sname != nullptr) {
      n = std::snprintf(line, sizeof line, "#%d 0x%" PRIxPTR " %s+0x%" PRIxPTR " (%s)\n", i - 1, address,
                        info.dli_sname, address - reinterpret_cast<uintptr_t>(info.dli_saddr),
                        info.dli_fname != nullptr ? info.dli_fname : "?");
    } else {
      n = std::snprintf(line, sizeof line, "#%d 0x%" PRIxPTR " (%s)\n", i - 1, address,
                        info.dli_fname != nullptr ? info.dli_fname : "?");
    }
    if (n > 0) text.append(line, static_cast<size_t>(n) < sizeof line ? static_cast<size_t>(n) : sizeof line - 1);
  }
  return text;
}

}  // namespace Tivrel
