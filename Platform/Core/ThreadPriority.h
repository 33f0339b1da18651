#pragma once

#include <pthread.h>

#include "Platform/Export.h"

namespace Tivrel::Core {

// Priority values understood by SetThreadPriority. On Linux they select the thread's
// scheduling policy, which the kernel applies per thread:
//   <= THREAD_PRIORITY_IDLE (-2)   SCHED_IDLE: runs only when the CPU has nothing else;
//   THREAD_PRIORITY_LOW (-1)       SCHED_BATCH: CPU-bound, never preferred on wake-up;
//   THREAD_PRIORITY_NORMAL (0)     SCHED_OTHER, the default time-sharing policy;
//   > 0                            SCHED_RR with that real-time priority, clamped to the
//                                  system's range; needs CAP_SYS_NICE.
inline constexpr int THREAD_PRIORITY_IDLE = -2;
inline constexpr int THREAD_PRIORITY_LOW = -1;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;

// Applies `priority` to the thread `handle` (a pthread_t, e.g. std::thread::native_handle()),
// which must name a thread that has not been joined or detached-and-ended (a stale
// handle is undefined). Returns false when the system refuses (e.g. SCHED_RR, or leaving
// SCHED_IDLE, without the privilege); the thread then keeps its policy. Never throws.
// Thread-safe.
TIVREL_PLATFORM_API bool SetThreadPriority(pthread_t handle, int priority);

}  // namespace Tivrel::Core
