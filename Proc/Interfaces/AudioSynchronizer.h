#pragma once

/// @file
/// AudioSynchronizer: gaps and lag of incoming audio data against an AudioTime clock.

#include <functional>

#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Compares an AudioTime clock with the timestamp of incoming audio data.
///
/// The difference is classified with fixed thresholds:
/// @code{.unparsed}
///   data ahead by at most 0.5 s, or behind by at most 0.5 s  -> in step;
///   ahead by more than 0.5 s and at most 120 s              -> a gap: the callback hears
///                                                              its length in microseconds;
///   ahead by more than 120 s                                 -> reported through the result;
///   behind by more than 0.5 s                                -> lagging: reported through the
///                                                              result and remembered until
///                                                              the data is no longer behind.
/// @endcode
///
/// Protocol: construct with the gap callback, then call Process once per incoming block with
/// the clock and the block's timestamp. Not locked: one thread at a time. The callback runs
/// on the calling thread, inside Process.
class TIVREL_PROC_API AudioSynchronizer {
public:
  /// Called with the length of a gap, in microseconds.
  using GapCallback = std::function<void(long long)>;

  /// Copies the callback; an empty one is accepted (see Process). Not lagging.
  explicit AudioSynchronizer(const GapCallback& onGap);

  /// Compares `time` with audioTime.GetTime(); delta = time - clock (positive: data ahead).
  /// Returns false, flag unchanged, when either side is AV_TIME_NOT_SET.
  /// - delta >= 0: clears the lagging flag; <= 500,000 -> false; > 120,000,000 -> true without
  ///   a callback; otherwise calls the callback with delta and returns false.
  /// - delta < 0: <= -500,001 -> sets the lagging flag and returns true; otherwise returns the
  ///   lagging flag unchanged.
  ///
  /// A delta beyond the 64-bit range counts as the nearest 64-bit value.
  /// Throws what GetTime throws (before the flag changes), std::bad_function_call for a gap
  /// with an empty callback (the flag already cleared), and whatever the callback throws.
  bool Process(const AudioTime& audioTime, long long time);

private:
  bool lagging_ = false;
  GapCallback onGap_;
};

}  // namespace Tivrel::Proc
