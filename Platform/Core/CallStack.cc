#include "Platform/Core/CallStack.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <link.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace Tivrel {

namespace {

constexpr int kMaxFrames = 64;
// Beyond this many distinct return addresses new ones are symbolised on every call
// instead of being remembered, which bounds the memory a long-running process spends.
constexpr size_t kMaxCachedFrames = 8192;

using Description = std::shared_ptr<const std::string>;

void AppendHex(std::string& text, uintptr_t value) {
  char digits[2 * sizeof value];
  size_t n = 0;
  do {
    digits[n++] = "0123456789abcdef"[value & 0xf];
    value >>= 4;
  } while (value != 0);
  text += "0x";
  while (n > 0) text += digits[--n];
}

// What follows a frame's address on its line: " symbol+0xOFF (module)\n" or " (module)\n".
// Calls into the dynamic linker, which takes the linker's own lock.
Description Describe(const void* returnAddress) {
  const auto address = reinterpret_cast<uintptr_t>(returnAddress);
  // A return address may lie just past the end of a function that ends in a call to a
  // [[noreturn]] function; the call instruction itself is one byte earlier.
  Dl_info info{};
  const bool found = dladdr(reinterpret_cast<const void*>(address - 1), &info) != 0;
  std::string text;
  if (found && info.dli_sname != nullptr) {
    int status = -1;
    char* demangled = abi::__cxa_demangle(info.dli_sname, nullptr, nullptr, &status);
    text += ' ';
    text += status == 0 && demangled != nullptr ? demangled : info.dli_sname;
    std::free(demangled);
    text += '+';
    AppendHex(text, address - reinterpret_cast<uintptr_t>(info.dli_saddr));
  }
  text += " (";
  text += found && info.dli_fname != nullptr ? info.dli_fname : "?";
  text += ")\n";
  return std::make_shared<const std::string>(std::move(text));
}

// How many modules have been unloaded so far: an address remembered before an unload
// may since belong to other code.
unsigned long long UnloadCount() {
  unsigned long long count = 0;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        *static_cast<unsigned long long*>(out) = info->dlpi_subs;
        return 1;  // the counter is the same on every module: stop after the first
      },
      &count);
  return count;
}

// Return address -> description. The dynamic linker is never called with mutex_ held:
// a module's static initialiser runs under the linker's lock and may itself throw (and
// so come here), which would otherwise deadlock against a thread symbolising under mutex_.
class FrameCache {
public:
  // Fills descriptions[i] for the frames already known; returns whether all were.
  bool Lookup(void* const* frames, int count, unsigned long long unloads, Description* descriptions) {
    std::lock_guard<std::mutex> lock(mutex_);
    Sync(unloads);
    bool all = true;
    for (int i = 0; i < count; ++i) {
      const auto it = entries_.find(frames[i]);
      if (it != entries_.end()) {
        descriptions[i] = it->second;
      } else {
        all = false;
      }
    }
    return all;
  }

  void Remember(void* const* frames, int count, unsigned long long unloads, const Description* descriptions) {
    std::lock_guard<std::mutex> lock(mutex_);
    // Descriptions made before a newer unload was seen may be stale: keep them out.
    if (!Sync(unloads)) return;
    for (int i = 0; i < count && entries_.size() < kMaxCachedFrames; ++i) entries_.emplace(frames[i], descriptions[i]);
  }

private:
  // Forgets everything when modules were unloaded since the last call; false when the
  // caller's count is older than one already seen.
  bool Sync(unsigned long long unloads) {
    if (unloads > unloads_) {
      entries_.clear();
      unloads_ = unloads;
    }
    return unloads == unloads_;
  }

  std::mutex mutex_;
  unsigned long long unloads_ = 0;
  std::unordered_map<const void*, Description> entries_;
};

FrameCache& Cache() {
  // Never destroyed: exceptions may be thrown from static destructors of other modules.
  static FrameCache* cache = new FrameCache;
  return *cache;
}

}  // namespace

std::string GetCallStack() {
  void* frames[kMaxFrames];
  const int captured = backtrace(frames, kMaxFrames);
  if (captured <= 1) return {};
  // Frame 0 is this function itself.
  void* const* callers = frames + 1;
  const int count = captured - 1;

  std::array<Description, kMaxFrames> descriptions;
  const unsigned long long unloads = UnloadCount();
  if (!Cache().Lookup(callers, count, unloads, descriptions.data())) {
    for (int i = 0; i < count; ++i) {
      if (!descriptions[i]) descriptions[i] = Describe(callers[i]);
    }
    Cache().Remember(callers, count, unloads, descriptions.data());
  }

  size_t size = 0;
  for (int i = 0; i < count; ++i) size += descriptions[i]->size() + 24;
  std::string text;
  text.reserve(size);
  for (int i = 0; i < count; ++i) {
    text += '#';
    text += std::to_string(i);
    text += ' ';
    AppendHex(text, reinterpret_cast<uintptr_t>(callers[i]));
    text += *descriptions[i];
  }
  return text;
}

}  // namespace Tivrel
