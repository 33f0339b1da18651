// The clock text of a time: fields by magnitude, sign, and the extremes of the range.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "Proc/Interfaces/DebugHelpers.h"

namespace Tivrel::Proc {
namespace {

TEST(DebugHelpersTest, ClockTextEndsWithNul) {
  const std::pair<long long, const char*> cases[] = {
      {0, "0.000"},
      {999, "0.000"},
      {59999999, "59.999"},
      {60000000, "1:00.000"},
      {3599999999, "59:59.999"},
      {3600000000, "1:00:00.000"},
      {3723004000, "1:02:03.004"},
      {36000000000000, "10000:00:00.000"},
      {-3723004999, "-1:02:03.004"},
      {LLONG_MAX, "2562047788:00:54.775"},
      {LLONG_MIN, "-2562047788:00:54.775"},
  };
  for (const auto& [time, text] : cases) EXPECT_EQ(T2S(time), std::string(text) + '\0') << time;
}

}  // namespace
}  // namespace Tivrel::Proc
