#pragma once

#include <cstdint>

namespace Tivrel {

// Time in microseconds (1 second = 1,000,000). INT64_MIN is the sentinel for "no time
// set"; arithmetic helpers give it no special treatment, callers test for it.
using avTime = int64_t;

inline constexpr avTime AV_TIME_NOT_SET = INT64_MIN;
inline constexpr avTime AV_TIME_SECOND = 1000000;

}  // namespace Tivrel
