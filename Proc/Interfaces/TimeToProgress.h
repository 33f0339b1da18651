#pragma once

/// @file
/// TimeToProgress maps a timestamp inside a time range to a progress value through a
/// function supplied by the caller; effects receive it to learn how far they are.

#include <functional>
#include <utility>

#include "Platform/Core/Types.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// A copyable value. Reentrant; GetProgress is as thread-safe as the progress function.
class TIVREL_PROC_API TimeToProgress {
public:
  /// Computes the progress of `time` within [begin, end]; arguments in that order.
  using ProgressFunction = std::function<double(const long long& time, const long long& begin, const long long& end)>;

  TimeToProgress() = default;
  /// The range [rangeBegin, rangeEnd] and its progress function.
  TimeToProgress(avTime rangeBegin, avTime rangeEnd, ProgressFunction function)
      : begin(rangeBegin), end(rangeEnd), progressFunction(std::move(function)) {}

  /// 0.0 when `time` is AV_TIME_NOT_SET (the function is not called) or the function is
  /// empty; otherwise the function's result for (time, begin, end), unchecked.
  double GetProgress(const long long& time) const;

  /// end - begin; negative for a reversed range. A difference beyond the 64-bit range
  /// (only possible with one end near each limit) saturates at the nearest limit.
  long long GetDuration() const;

  avTime begin = 0;                   ///< start of the time range
  avTime end = 0;                     ///< end of the time range
  ProgressFunction progressFunction;  ///< may be empty
};

}  // namespace Tivrel::Proc
