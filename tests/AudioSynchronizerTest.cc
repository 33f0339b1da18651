// The audio synchronizer: gaps ahead of the clock, lagging data, and a gap with no callback.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "Proc/Interfaces/AudioSynchronizer.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

AudioTime ClockAt(long long start) {
  AudioTime clock;
  clock.Reset(start);
  return clock;
}

TEST(AudioSynchronizerTest, GapsAheadOfTheClockGoToTheCallback) {
  const struct {
    long long time;
    bool result;
    std::vector<long long> gaps;
  } cases[] = {{500000, false, {}},
               {500001, false, {500001}},
               {120000000, false, {120000000}},
               {120000001, true, {}},
               {LLONG_MAX, true, {}}};
  for (const auto& c : cases) {
    std::vector<long long> gaps;
    AudioSynchronizer synchronizer([&](long long gap) { gaps.push_back(gap); });
    EXPECT_EQ(synchronizer.Process(ClockAt(0), c.time), c.result) << c.time;
    EXPECT_EQ(gaps, c.gaps) << c.time;
  }
}

TEST(AudioSynchronizerTest, LaggingIsRememberedUntilTheDataCatchesUp) {
  AudioSynchronizer synchronizer(nullptr);
  const AudioTime clock = ClockAt(1000000);
  EXPECT_FALSE(synchronizer.Process(clock, 500000));  // exactly 0.5 s behind
  EXPECT_TRUE(synchronizer.Process(clock, 499999));
  EXPECT_TRUE(synchronizer.Process(clock, 999999));  // slightly behind: still lagging
  EXPECT_FALSE(synchronizer.Process(clock, AV_TIME_NOT_SET));
  EXPECT_FALSE(synchronizer.Process(AudioTime(), 999999));
  AudioTime broken = ClockAt(0);
  broken.AddSamples(0, 10);
  EXPECT_THROW(synchronizer.Process(broken, 0), Tivrel::Exception);
  EXPECT_TRUE(synchronizer.Process(clock, 999999));  // none of the above touched the flag
  EXPECT_FALSE(synchronizer.Process(clock, 1000000));
  EXPECT_FALSE(synchronizer.Process(clock, 999999));
  EXPECT_TRUE(synchronizer.Process(ClockAt(LLONG_MAX), LLONG_MIN + 1));  // difference past 64 bits
}

TEST(AudioSynchronizerTest, GapWithoutCallbackThrowsAfterClearingTheFlag) {
  AudioSynchronizer synchronizer(nullptr);
  EXPECT_TRUE(synchronizer.Process(ClockAt(1000000), 0));
  EXPECT_THROW(synchronizer.Process(ClockAt(0), 600000), std::bad_function_call);
  EXPECT_FALSE(synchronizer.Process(ClockAt(1000000), 999999));
}

}  // namespace
}  // namespace Tivrel::Proc
