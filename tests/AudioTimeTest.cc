#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

// What f returns, or "description | function text" of the Tivrel::Exception it throws.
template <class F>
std::string Outcome(F f) {
  try {
    return std::to_string(f());
  } catch (const Tivrel::Exception& e) {
    return *boost::get_error_info<TagDescription>(e) + " | " + *boost::get_error_info<boost::throw_function>(e);
  }
}

using Conversion = long long (*)(long long value, int rate);
const Conversion kStream = [](long long n, int rate) -> long long { return StreamSampleCount2Duration(n, rate); };
const Conversion kFrame = [](long long n, int rate) -> long long { return FrameSampleCount2Duration(n, rate); };
const Conversion kToCount = [](long long d, int rate) -> long long { return Duration2SampleCount(d, rate); };

const std::string kFrameOverflow =
    "Duration overflow | Tivrel::avTime Tivrel::Proc::FrameSampleCount2Duration(uint64_t, int)";
const std::string kStreamOverflow =
    "Duration overflow | Tivrel::avTime Tivrel::Proc::StreamSampleCount2Duration(uint64_t, int)";
const std::string kStreamRate =
    "FrameRate is less or equal to 0, prevent division by zero | "
    "Tivrel::avTime Tivrel::Proc::StreamSampleCount2Duration(uint64_t, int)";
const std::string kCountOverflow =
    "Sample count overflow | int Tivrel::Proc::Duration2SampleCount(Tivrel::avTime, int)";
const std::string kCountRate =
    "FrameRate is less or equal to 0, prevent division by zero | "
    "int Tivrel::Proc::Duration2SampleCount(Tivrel::avTime, int)";

TEST(AudioTimeTest, ConversionsRoundOrRejectWithTheirMessage) {
  const struct {
    Conversion convert;
    long long value;
    int rate;
    std::string outcome;
  } cases[] = {
      {kStream, 44100, 44100, "1000000"},
      {kStream, 1, 44100, "23"},
      {kStream, 1024, 48000, "21333"},
      {kStream, 0, 48000, "0"},
      {kStream, 5, 0, kStreamRate},
      {kStream, 5, -1, kStreamRate},
      {kStream, -1 /* 2^64 - 1 */, 1, kStreamOverflow},
      {kFrame, 1024, 48000, "21333"},
      {kFrame, 2147483646, 48000, "44739242625"},
      {kFrame, 2147483647, 48000, kFrameOverflow},
      {kFrame, 1, 0, kFrameOverflow},
      {kFrame, 1, -1, kFrameOverflow},
      {kToCount, 1000000, 48000, "48000"},
      {kToCount, 21333, 48000, "1024"},
      {kToCount, 23, 44100, "1"},
      {kToCount, 22, 44100, "1"},  // within the 12 us tolerance at 44.1 kHz
      {kToCount, 0, 44100, "0"},
      {kToCount, 1000, 0, kCountRate},
      {kToCount, -1, 48000, kCountOverflow},
      {kToCount, 44739243000000, 48000, kCountOverflow},
      {kToCount, 1LL << 62, 4, kCountOverflow},  // rate x duration wraps to 0: only the round trip notices
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Outcome([&] { return c.convert(c.value, c.rate); }), c.outcome) << "case " << (&c - cases);
  }
  EXPECT_EQ(SampleCount2DurationUnchecked(1024, 48000), 21333);
  EXPECT_EQ(Duration2SampleCountUnchecked(21333, 48000), 1024);
  for (auto [rate, error] : {std::pair{48000, 1}, {1999999, 1}, {2000000, 2}, {4000000, 3}}) {
    EXPECT_EQ(MaxSampleCountError(rate), error) << rate;
  }
  try {
    Duration2SampleCount(-1, 48000);
  } catch (const Tivrel::Exception& e) {
    EXPECT_STREQ(*boost::get_error_info<boost::throw_file>(e), "Proc/Interfaces/AudioTime.cc");
    EXPECT_NE(boost::get_error_info<TagCallStack>(e), nullptr);
  }
}

// Every combination of limit values ends in a value or the library's exception; the
// sanitizer build turns any undefined conversion or overflow on the way into a failure.
TEST(AudioTimeTest, LimitValuesGiveAResultOrTheException) {
  const uint64_t counts[] = {0, 1, 2147483646, 2147483647, 1ULL << 32, 18446744073710ULL, 1ULL << 63, UINT64_MAX};
  const long long durations[] = {LLONG_MIN, -1, 0, 1, 1LL << 53, 1LL << 62, LLONG_MAX};
  const auto nonNegativeOrThrows = [](auto f) {
    const std::string outcome = Outcome(f);
    EXPECT_TRUE(outcome[0] != '-') << outcome;
  };
  for (int rate : {INT_MIN, -1, 0, 1, 44100, 2000000, INT_MAX}) {
    MaxSampleCountError(rate);
    for (uint64_t count : counts) {
      SampleCount2DurationUnchecked(count, rate);
      nonNegativeOrThrows([&] { return FrameSampleCount2Duration(count, rate); });
      nonNegativeOrThrows([&] { return StreamSampleCount2Duration(count, rate); });
    }
    for (long long duration : durations) {
      Duration2SampleCountUnchecked(duration, rate);
      nonNegativeOrThrows([&] { return Duration2SampleCount(duration, rate); });
    }
  }
}

TEST(AudioTimeTest, ClockSumsRawTotalsPerRate) {
  AudioTime clock;
  EXPECT_FALSE(clock.isInit());
  EXPECT_EQ(clock.GetTime(), AV_TIME_NOT_SET);
  clock.AddSamples(44100, 44100);  // durations are added even to an unset start
  EXPECT_EQ(clock.GetTime(), AV_TIME_NOT_SET + 1000000);
  clock.Reset(1000000);
  EXPECT_TRUE(clock.isInit());
  EXPECT_EQ(clock.GetTime(), 1000000);
  for (int i = 0; i < 44100; ++i) clock.AddSamples(44100, 1);  // one rounding, not 44,100 x 23 us
  clock.AddSamples(48000, 24000);
  EXPECT_EQ(clock.GetTime(), 2500000);
  clock.Reset(AV_TIME_NOT_SET);
  EXPECT_FALSE(clock.isInit());
}

TEST(AudioTimeTest, ClockFailuresLastUntilReset) {
  AudioTime clock;
  clock.Reset(0);
  clock.AddSamples(0, 10);
  EXPECT_EQ(Outcome([&] { return clock.GetTime(); }), kStreamRate);
  EXPECT_EQ(Outcome([&] { return clock.GetTime(); }), kStreamRate);
  clock.Reset(LLONG_MAX - 10);
  EXPECT_EQ(clock.GetTime(), LLONG_MAX - 10);
  clock.AddSamples(44100, 44100);
  EXPECT_EQ(Outcome([&] { return clock.GetTime(); }),
            "Duration overflow | Tivrel::avTime Tivrel::Proc::AudioTime::GetTime() const");
}

}  // namespace
}  // namespace Tivrel::Proc
