#include "Proc/Interfaces/AudioTime.h"

#include <climits>
#include <cstdlib>

#include "Platform/Core/Exception.h"

namespace Tivrel::Proc {
namespace {

constexpr const char* kDurationOverflow = "Duration overflow";
constexpr const char* kSampleCountOverflow = "Sample count overflow";
constexpr const char* kRateNotPositive = "FrameRate is less or equal to 0, prevent division by zero";

constexpr const char* kFrameFunction = "Tivrel::avTime Tivrel::Proc::FrameSampleCount2Duration(uint64_t, int)";
constexpr const char* kStreamFunction = "Tivrel::avTime Tivrel::Proc::StreamSampleCount2Duration(uint64_t, int)";
constexpr const char* kDurationFunction = "int Tivrel::Proc::Duration2SampleCount(Tivrel::avTime, int)";
constexpr const char* kGetTimeFunction = "Tivrel::avTime Tivrel::Proc::AudioTime::GetTime() const";

constexpr double kMicrosPerSecond = 1000000.0;
constexpr double kTwoPow63 = 9223372036854775808.0;
constexpr double kTwoPow64 = 18446744073709551616.0;

// Kept out of line so that the conversions stay small on their success path.
[[noreturn]] __attribute__((noinline, cold)) void Fail(const char* message, const char* function, int line) {
  ThrowError<Tivrel::Exception>(message, TIVREL_THROW_SITE(function, line));
}

// The rounding of every conversion: add 0.5, truncate toward zero. Converting a double
// outside the target range is undefined behaviour, so the range is checked first; the
// out-of-range answers (NaN included) are the ones the checked forms reject.
int64_t RoundToInt64(double x) {
  const double v = x + 0.5;
  return (v >= -kTwoPow63 && v < kTwoPow63) ? static_cast<int64_t>(v) : INT64_MIN;
}

int RoundToInt32(double x) {
  const double v = x + 0.5;
  return (v > -2147483649.0 && v < 2147483648.0) ? static_cast<int>(v) : INT_MIN;
}

// Only ever given non-negative finite values or values past 2^64, which saturate.
uint64_t RoundToUInt64(double x) {
  const double v = x + 0.5;
  if (v >= kTwoPow64) return UINT64_MAX;
  return v > -1.0 ? static_cast<uint64_t>(v) : 0;
}

// rate * duration modulo 2^64, without signed overflow.
int64_t WrappingProduct(int rate, long long duration) {
  return static_cast<int64_t>(static_cast<uint64_t>(static_cast<int64_t>(rate)) * static_cast<uint64_t>(duration));
}

}  // namespace

avTime SampleCount2DurationUnchecked(unsigned long long count, int rate) {
  if (rate == 0) return INT64_MIN;  // the quotient would not be finite
  return RoundToInt64(static_cast<double>(count * 1000000ULL) / static_cast<double>(rate));
}

int Duration2SampleCountUnchecked(long long duration, int rate) {
  return RoundToInt32(static_cast<double>(WrappingProduct(rate, duration)) / kMicrosPerSecond);
}

int64_t MaxSampleCountError(int rate) { return rate / 2000000 + 1; }

avTime FrameSampleCount2Duration(uint64_t count, int rate) {
  if (count > 2147483646u) Fail(kDurationOverflow, kFrameFunction, __LINE__);
  const avTime duration = SampleCount2DurationUnchecked(count, rate);
  const int back = Duration2SampleCountUnchecked(duration, rate);
  // Both sides are 32-bit values; their difference is taken in 64 bits so it cannot wrap.
  const int64_t diff = std::llabs(static_cast<int64_t>(back) - static_cast<int64_t>(static_cast<int>(count)));
  if (duration < 0 || diff > MaxSampleCountError(rate)) Fail(kDurationOverflow, kFrameFunction, __LINE__);
  return duration;
}

avTime StreamSampleCount2Duration(uint64_t count, int rate) {
  if (rate <= 0) Fail(kRateNotPositive, kStreamFunction, __LINE__);
  const uint64_t duration = RoundToUInt64(static_cast<double>(count) / rate * kMicrosPerSecond);
  const uint64_t back = RoundToUInt64(static_cast<double>(duration) / kMicrosPerSecond * rate);
  const uint64_t diff = back > count ? back - count : count - back;
  const uint64_t tolerance = static_cast<unsigned>(rate) / 2000000u + 1u;
  if (static_cast<int64_t>(duration) < 0 || diff > tolerance) Fail(kDurationOverflow, kStreamFunction, __LINE__);
  return static_cast<avTime>(duration);
}

int Duration2SampleCount(avTime duration, int rate) {
  if (rate <= 0) Fail(kRateNotPositive, kDurationFunction, __LINE__);
  const int count = RoundToInt32(static_cast<double>(WrappingProduct(rate, duration)) / kMicrosPerSecond);
  if (duration < 0 || count < 0) Fail(kSampleCountOverflow, kDurationFunction, __LINE__);
  // count < 2^31 and rate >= 1 keep `back` below 2^52, and duration >= 0: no overflow here.
  const avTime back = SampleCount2DurationUnchecked(static_cast<unsigned long long>(count), rate);
  const int64_t tolerance = 500000u / static_cast<unsigned>(rate) + 1u;
  if (std::llabs(back - duration) > tolerance) Fail(kSampleCountOverflow, kDurationFunction, __LINE__);
  return count;
}

void AudioTime::Reset(long long startTime) {
  startTime_ = startTime;
  samplesPerRate_.clear();
}

void AudioTime::AddSamples(int sampleRate, unsigned long long sampleCount) {
  samplesPerRate_[sampleRate] += sampleCount;
}

avTime AudioTime::GetTime() const {
  avTime time = startTime_;
  for (const auto& [rate, total] : samplesPerRate_) {
    if (__builtin_add_overflow(time, StreamSampleCount2Duration(total, rate), &time)) {
      Fail(kDurationOverflow, kGetTimeFunction, __LINE__);
    }
  }
  return time;
}

}  // namespace Tivrel::Proc
