// The sample-count and duration conversions, the audio clock and the synchronizer that follows it.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "Proc/Interfaces/AudioSynchronizer.h"
#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

// What f returns, or the description of the Tivrel::Exception it throws.
template <class F>
std::string Outcome(F f) {
  try {
    return std::to_string(f());
  } catch (const Tivrel::Exception& e) {
    return *boost::get_error_info<TagDescription>(e);
  }
}

using Conversion = long long (*)(long long value, int rate);
const Conversion kStream = [](long long n, int rate) -> long long { return StreamSampleCount2Duration(n, rate); };
const Conversion kFrame = [](long long n, int rate) -> long long { return FrameSampleCount2Duration(n, rate); };
const Conversion kToCount = [](long long d, int rate) -> long long { return Duration2SampleCount(d, rate); };

const std::string kRate = "FrameRate is less or equal to 0, prevent division by zero";
const std::string kOverflow = "Duration overflow";
const std::string kCountOverflow = "Sample count overflow";

TEST(AudioTimeTest, ConversionsRoundOrRejectWithTheirMessage) {
  const std::tuple<Conversion, long long, int, std::string> cases[] = {
      // conversion, value, rate, outcome
      {kStream, 44100, 44100, "1000000"},
      {kStream, 1, 44100, "23"},
      {kStream, 1024, 48000, "21333"},
      {kStream, 0, 48000, "0"},
      {kStream, 3003, 48000, "62562"},  // count / rate first: 62562.5 less a rounding step
      {kStream, 5, -1, kRate},
      {kFrame, 1024, 48000, "21333"},
      {kFrame, 0, 48000, "0"},
      {kFrame, 2147483646, 48000, "44739242625"},
      {kFrame, 1, 0, kOverflow},
      {kFrame, 1, -1, kOverflow},
      {kToCount, 1000000, 48000, "48000"},
      {kToCount, 21333, 48000, "1024"},
      {kToCount, 23, 44100, "1"},
      {kToCount, 22, 44100, "1"},  // within the 12 us tolerance at 44.1 kHz
      {kToCount, 0, 44100, "0"},
      {kToCount, 500000, 3, "2"},  // back to 666667 us: exactly at the tolerance, accepted
      {kToCount, 1000, 0, kRate},
      {kToCount, 44739243000000, 48000, kCountOverflow},
      {kToCount, 1LL << 62, 4, kCountOverflow},  // rate x duration wraps to 0
  };
  for (const auto& [convert, value, rate, outcome] : cases) {
    EXPECT_EQ(Outcome([&] { return convert(value, rate); }), outcome) << value << " at " << rate;
  }
  for (auto [rate, error] : {std::pair{48000, 1}, {1999999, 1}, {2000000, 2}, {4000000, 3}}) {
    EXPECT_EQ(MaxSampleCountError(rate), error) << rate;
  }
}

// Every combination of limit values ends in a value or the library's exception; the
// sanitizer build turns any undefined conversion or overflow on the way into a failure.
TEST(AudioTimeTest, LimitValuesGiveAResultOrTheException) {
  const auto nonNegativeOrThrows = [](auto f) { EXPECT_NE(Outcome(f)[0], '-') << Outcome(f); };
  for (int rate : {INT_MIN, -1, 0, 1, 44100, 2000000, INT_MAX}) {
    MaxSampleCountError(rate);
    for (uint64_t count :
         {0ULL, 1ULL, 2147483646ULL, 2147483647ULL, 1ULL << 32, 18446744073710ULL, 1ULL << 63, ULLONG_MAX}) {
      SampleCount2DurationUnchecked(count, rate);
      nonNegativeOrThrows([&] { return FrameSampleCount2Duration(count, rate); });
      nonNegativeOrThrows([&] { return StreamSampleCount2Duration(count, rate); });
    }
    for (long long duration : {LLONG_MIN, -1LL, 0LL, 1LL, 1LL << 53, 1LL << 62, LLONG_MAX}) {
      Duration2SampleCountUnchecked(duration, rate);
      nonNegativeOrThrows([&] { return Duration2SampleCount(duration, rate); });
    }
  }
}

TEST(AudioTimeTest, ClockSumsRawTotalsPerRateAndFailsUntilReset) {
  AudioTime clock;
  EXPECT_FALSE(clock.isInit());
  EXPECT_EQ(clock.GetTime(), AV_TIME_NOT_SET);
  clock.AddSamples(44100, 44100);  // durations are added even to an unset start
  EXPECT_EQ(clock.GetTime(), AV_TIME_NOT_SET + 1000000);
  clock.Reset(1000000);
  EXPECT_TRUE(clock.isInit());
  for (int i = 0; i < 44100; ++i) clock.AddSamples(44100, 1);  // one rounding, not 44,100 x 23 us
  clock.AddSamples(48000, 24000);
  EXPECT_EQ(clock.GetTime(), 2500000);
  clock.AddSamples(0, 10);
  EXPECT_EQ(Outcome([&] { return clock.GetTime(); }), kRate);
  EXPECT_EQ(Outcome([&] { return clock.GetTime(); }), kRate);
  clock.Reset(LLONG_MAX - 10);
  EXPECT_EQ(clock.GetTime(), LLONG_MAX - 10);
  clock.AddSamples(44100, 44100);
  EXPECT_EQ(Outcome([&] { return clock.GetTime(); }), kOverflow);
  clock.Reset(AV_TIME_NOT_SET);
  EXPECT_FALSE(clock.isInit());
}

AudioTime ClockAt(long long start) {
  AudioTime clock;
  clock.Reset(start);
  return clock;
}

// Data more than 0.5 s ahead of the clock is a gap for the callback, up to 2 minutes;
// beyond that Process reports it instead.
TEST(AudioSynchronizerTest, GapsAheadOfTheClockGoToTheCallback) {
  const std::tuple<long long, bool, std::vector<long long>> cases[] = {
      {500000, false, {}},   {500001, false, {500001}}, {120000000, false, {120000000}},
      {120000001, true, {}}, {LLONG_MAX, true, {}},
  };
  for (const auto& [time, result, expected] : cases) {
    std::vector<long long> gaps;
    AudioSynchronizer synchronizer([&](long long gap) { gaps.push_back(gap); });
    EXPECT_EQ(synchronizer.Process(ClockAt(0), time), result) << time;
    EXPECT_EQ(gaps, expected) << time;
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
  // A gap without a callback throws, after it cleared the flag.
  EXPECT_THROW(synchronizer.Process(ClockAt(0), 600000), std::bad_function_call);
  EXPECT_FALSE(synchronizer.Process(clock, 999999));
}

}  // namespace
}  // namespace Tivrel::Proc
