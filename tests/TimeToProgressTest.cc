// Time to progress: the callback between begin and end, unset times, and durations.

#include <gtest/gtest.h>

#include <climits>

#include "Proc/Interfaces/TimeToProgress.h"

namespace Tivrel::Proc {
namespace {

TEST(TimeToProgressTest, ProgressAndDuration) {
  int calls = 0;
  const TimeToProgress linear(1000000, 3000000, [&](const long long& t, const long long& b, const long long& e) {
    ++calls;
    return double(t - b) / double(e - b);
  });
  EXPECT_DOUBLE_EQ(linear.GetProgress(2000000), 0.5);
  EXPECT_DOUBLE_EQ(linear.GetProgress(5000000), 2.0);  // not clamped
  EXPECT_EQ(linear.GetProgress(AV_TIME_NOT_SET), 0.0);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(TimeToProgress(0, 10, nullptr).GetProgress(5), 0.0);

  EXPECT_EQ(linear.GetDuration(), 2000000);
  EXPECT_EQ(TimeToProgress(3000000, 1000000, nullptr).GetDuration(), -2000000);
  EXPECT_EQ(TimeToProgress(AV_TIME_NOT_SET, 5, nullptr).GetDuration(), LLONG_MAX);
  EXPECT_EQ(TimeToProgress(5, AV_TIME_NOT_SET, nullptr).GetDuration(), LLONG_MIN);
}

}  // namespace
}  // namespace Tivrel::Proc
