#include "Proc/Interfaces/AudioSynchronizer.h"

#include <cstdint>

namespace Tivrel::Proc {
namespace {

constexpr long long kInStep = 500000;         // 0.5 s either way
constexpr long long kLongestGap = 120000000;  // 2 min

// time - clock, saturated at the 64-bit limits instead of overflowing.
long long Delta(long long time, long long clock) {
  long long delta;
  if (!__builtin_sub_overflow(time, clock, &delta)) return delta;
  return time > clock ? INT64_MAX : INT64_MIN;
}

}  // namespace

AudioSynchronizer::AudioSynchronizer(const GapCallback& onGap) : onGap_(onGap) {}

bool AudioSynchronizer::Process(const AudioTime& audioTime, long long time) {
  const avTime clock = audioTime.GetTime();
  if (time == AV_TIME_NOT_SET || clock == AV_TIME_NOT_SET) return false;
  const long long delta = Delta(time, clock);
  if (delta >= 0) {
    lagging_ = false;
    if (delta <= kInStep) return false;
    if (delta > kLongestGap) return true;
    onGap_(delta);
    return false;
  }
  if (delta < -kInStep) lagging_ = true;
  return lagging_;
}

}  // namespace Tivrel::Proc
