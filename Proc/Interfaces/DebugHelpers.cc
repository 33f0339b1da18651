#include "Proc/Interfaces/DebugHelpers.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace Tivrel::Proc {

std::string T2S(long long time) {
  constexpr uint64_t kSecond = 1000000;
  constexpr uint64_t kMinute = 60 * kSecond;
  constexpr uint64_t kHour = 60 * kMinute;

  // The magnitude in unsigned arithmetic, so that INT64_MIN has one too.
  const uint64_t t = time < 0 ? 0 - static_cast<uint64_t>(time) : static_cast<uint64_t>(time);
  const uint64_t seconds = t / kSecond;
  const uint64_t hours = t >= kHour ? t / kHour : 0;
  const unsigned minutes = static_cast<unsigned>((seconds - hours * 3600) / 60);
  const unsigned secondsInMinute = static_cast<unsigned>(seconds % 60);
  const unsigned millis = static_cast<unsigned>((t % kSecond) / 1000);

  // Longest text: "-" + 10 hour digits + ":MM:SS.mmm" and the NUL that belongs to the result.
  char text[40];
  char* out = text;
  if (time < 0) *out++ = '-';
  const size_t room = sizeof(text) - 1;
  int length = 0;
  if (t >= kHour) {
    length = std::snprintf(out, room, "%" PRIu64 ":%02u:%02u.%03u", hours, minutes, secondsInMinute, millis);
  } else if (t >= kMinute) {
    length = std::snprintf(out, room, "%u:%02u.%03u", minutes, secondsInMinute, millis);
  } else {
    length = std::snprintf(out, room, "%u.%03u", secondsInMinute, millis);
  }
  // The NUL written by snprintf is part of the text.
  return std::string(text, static_cast<size_t>(out - text) + static_cast<size_t>(length) + 1);
}

}  // namespace Tivrel::Proc
