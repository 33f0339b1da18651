#pragma once

/// @file
/// Arithmetic between audio sample counts and microsecond durations, and AudioTime, a
/// running audio clock that advances by the samples produced at one or more rates.
///
/// Checked conversions convert, convert the result back and reject the result when the
/// round trip misses the input by more than a fixed tolerance; that one test catches
/// integer overflow of the result and loss of precision in the double arithmetic. They
/// throw Tivrel::Exception (TagDescription "Duration overflow", "Sample count overflow" or
/// "FrameRate is less or equal to 0, prevent division by zero"); nothing else is changed.
///
/// "Round" below means: add 0.5 and truncate toward zero (round half up for values >= 0).
/// All functions are pure, allocate nothing on success and may run on any thread.

#include <cstdint>
#include <map>

#include "Platform/Core/Types.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// round(count * 1,000,000 / rate). The product is taken in unsigned 64-bit arithmetic
/// (it wraps for counts of 18,446,744,073,710 and more), then divided as a double.
/// Meaningful only for rate > 0 and results that fit avTime; any other result (rate 0
/// included) comes back as INT64_MIN, which the checked forms reject as negative.
TIVREL_PROC_API avTime SampleCount2DurationUnchecked(unsigned long long count, int rate);

/// round(rate * duration / 1,000,000). The product is taken in 64-bit arithmetic that wraps
/// modulo 2^64. Meaningful only for rate > 0; a result that does not fit int comes back
/// as INT_MIN.
TIVREL_PROC_API int Duration2SampleCountUnchecked(long long duration, int rate);

/// Round-trip tolerance in samples: rate / 2,000,000 + 1 (truncating division). It is 1
/// sample for every rate below 2,000,000. Never throws.
TIVREL_PROC_API int64_t MaxSampleCountError(int rate);

/// Duration of one audio frame of `count` samples: integer product first, then the division.
/// Throws "Duration overflow" when count >= 2,147,483,647, when the result is negative
/// (rate < 0, or rate 0 whose quotient is not finite) or when the round trip is off by
/// more than MaxSampleCountError(rate).
TIVREL_PROC_API avTime FrameSampleCount2Duration(uint64_t count, int rate);

/// Duration of a stream's running total of `count` samples: count / rate * 1,000,000 in
/// doubles, so no integer product can overflow however large the count.
/// Throws "FrameRate is less or equal to 0, prevent division by zero" when rate <= 0, and
/// "Duration overflow" when the result needs more than 63 bits or the round trip is off.
TIVREL_PROC_API avTime StreamSampleCount2Duration(uint64_t count, int rate);

/// Number of samples in `duration` microseconds at `rate`.
/// Throws "FrameRate is less or equal to 0, prevent division by zero" when rate <= 0, and
/// "Sample count overflow" when the duration is negative, the count does not fit int or
/// converting the count back misses the duration by more than 500,000 / rate + 1 us.
TIVREL_PROC_API int Duration2SampleCount(avTime duration, int rate);

/// A running audio clock: a start time plus the samples added since, kept as one raw total
/// per sample rate. Totals are converted to time only when asked for, so rounding happens
/// once per rate per query (never once per added block), and a change of rate in the middle
/// of a stream starts a second total instead of disturbing the first.
///
/// Protocol: Reset(start), then AddSamples as audio is produced, GetTime whenever the
/// clock is read. Not locked: one thread at a time; the const members may run concurrently
/// with each other but not with Reset or AddSamples. Copyable.
class TIVREL_PROC_API AudioTime {
public:
  /// No start time (AV_TIME_NOT_SET), no samples.
  AudioTime() = default;

  /// Sets the start time and discards all sample totals. AV_TIME_NOT_SET makes the clock
  /// uninitialised again.
  void Reset(long long startTime);

  /// Adds `sampleCount` to the total of `sampleRate`. Nothing is checked here: an invalid
  /// rate or an oversized total surfaces in GetTime. Allocates only for a rate not seen
  /// since the last Reset.
  void AddSamples(int sampleRate, unsigned long long sampleCount);

  /// The start time plus StreamSampleCount2Duration(total, rate) for each rate, in
  /// ascending order of rate. With no totals, the start time unchanged (AV_TIME_NOT_SET if
  /// never set); the durations are added even to an unset start time.
  /// Throws what StreamSampleCount2Duration throws (a total recorded at a rate <= 0 makes
  /// every GetTime throw until the next Reset), and "Duration overflow" when the sum
  /// leaves the 64-bit range.
  avTime GetTime() const;

  /// True when the start time is not AV_TIME_NOT_SET.
  bool isInit() const { return startTime_ != AV_TIME_NOT_SET; }

private:
  avTime startTime_ = AV_TIME_NOT_SET;
  std::map<int, unsigned long long> samplesPerRate_;
};

}  // namespace Tivrel::Proc
