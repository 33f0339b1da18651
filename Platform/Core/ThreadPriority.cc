#include "Platform/Core/ThreadPriority.h"

#include <sched.h>

#include <algorithm>

namespace Tivrel::Core {

bool SetThreadPriority(pthread_t handle, int priority) {
  int policy = SCHED_OTHER;
  sched_param param{};
  if (priority <= THREAD_PRIORITY_IDLE) {
    policy = SCHED_IDLE;
  } else if (priority == THREAD_PRIORITY_LOW) {
    policy = SCHED_BATCH;
  } else if (priority > THREAD_PRIORITY_NORMAL) {
    policy = SCHED_RR;
    param.sched_priority = std::clamp(priority, sched_get_priority_min(SCHED_RR), sched_get_priority_max(SCHED_RR));
  }
  return pthread_setschedparam(handle, policy, &param) == 0;
}

}  // namespace Tivrel::Core
