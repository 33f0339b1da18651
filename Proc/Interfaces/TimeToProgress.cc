#include "Proc/Interfaces/TimeToProgress.h"

#include <cstdint>

namespace Tivrel::Proc {

double TimeToProgress::GetProgress(const long long& time) const {
  if (time == AV_TIME_NOT_SET || !progressFunction) return 0.0;
  return progressFunction(time, begin, end);
}

long long TimeToProgress::GetDuration() const {
  long long duration;
  if (!__builtin_sub_overflow(end, begin, &duration)) return duration;
  return end > begin ? INT64_MAX : INT64_MIN;
}

}  // namespace Tivrel::Proc
