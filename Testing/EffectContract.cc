#include <algorithm>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "Media/AudioBlock.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
#include "Testing/Frames.h"

namespace Tivrel::Testing {

std::string EffectContract::CaseName(const ::testing::TestParamInfo<ParamType>&) { return "contract"; }
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EffectContract);

SP<Proc::IDataVideo> EffectUnderTest::DefaultEffectInput() {
  SP<Media::VideoFrame> frame = MakeBars(PIX_FMT_YUV420P, 64, 48);
  frame->SetTime(0);
  frame->SetDuration(40000);
  return frame;
}

namespace {

using Proc::IData;
using Proc::IDataVideo;

constexpr int kInputs = 3;
constexpr size_t kFlushLimit = 1000;

// What Flush still holds, at most kFlushLimit data.
std::vector<SP<IData>> Drain(Proc::IOneInputEffectVideo& effect) {
  std::vector<SP<IData>> data;
  for (SP<IData> next; data.size() < kFlushLimit && (next = effect.Flush());) data.push_back(next);
  EXPECT_LT(data.size(), kFlushLimit) << "Flush still yields data after " << kFlushLimit << " calls";
  return data;
}

// The digests of what the effect makes of three inputs (new frames from the input
// factory, stamped one after the other) and of what Flush still holds afterwards.
std::vector<std::string> Outputs(Proc::IOneInputEffectVideo& effect, const EffectUnderTest& subject) {
  std::vector<std::string> digests;
  for (int i = 0; i < kInputs; ++i) {
    const SP<IDataVideo> input = subject.input();
    input->SetTime(i * std::max(input->GetDuration(), 1LL));
    if (const SP<IData> output = effect.ProcessData(std::vector<SP<IData>>{input})) digests.push_back(Digest(output));
  }
  for (const SP<IData>& output : Drain(effect)) digests.push_back(Digest(output));
  return digests;
}

}  // namespace

TEST_P(EffectContract, DefaultBehavioursHold) {
  const SP<Proc::IOneInputEffectVideo> effect = GetParam().create();
  EXPECT_NO_THROW(effect->GetStatistic());
  const SP<IData> frame = GetParam().input();
  for (const std::vector<SP<IData>>& data : {std::vector<SP<IData>>{}, {frame, frame}}) {
    EXPECT_THROW(effect->ProcessData(data), std::logic_error) << data.size() << " data";
  }
  const SP<IData> audio = Media::AudioBlock::Create({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 16);
  SP<IData> datum = audio;
  EXPECT_THROW(effect->ProcessData(datum), std::bad_cast);
  EXPECT_EQ(datum, audio);
  datum = nullptr;
  EXPECT_THROW(effect->ProcessData(datum), std::invalid_argument);

  Proc::TimeToProgress given(1000, 3000, [](const long long& t, const long long& b, const long long& e) {
    return double(t - b) / double(e - b);
  });
  effect->SetProgress(given);
  given.begin = 0;
  EXPECT_EQ(effect->GetProgress().begin, 1000) << "the effect keeps the mapping it was given, as a copy";
  EXPECT_EQ(effect->GetProgress().end, 3000);
}

TEST_P(EffectContract, SettingsSurviveAPropertyTreeRoundTrip) {
  const SP<Proc::IOneInputEffectVideo> original = GetParam().create();
  const SP<Proc::IOneInputEffectVideo> reconfigured = GetParam().create();
  const Core::Property settings = original->GetSettings();
  reconfigured->Initialize(settings);
  EXPECT_EQ(reconfigured->GetSettings(), settings) << "Initialize did not take the tree GetSettings gave";
  EXPECT_EQ(Outputs(*reconfigured, GetParam()), Outputs(*original, GetParam()))
      << "the effect configured from its own tree works differently";
}

TEST_P(EffectContract, ResetRepeatsTheOutput) {
  const SP<Proc::IOneInputEffectVideo> effect = GetParam().create();
  const std::vector<std::string> first = Outputs(*effect, GetParam());
  effect->Reset();
  EXPECT_EQ(Outputs(*effect, GetParam()), first) << "the output after Reset differs";
}

// The caller keeps its frame (and a view of it) while the effect processes them through
// both ProcessData calls: pixels, time and duration must stay as they were.
TEST_P(EffectContract, NeverWritesAFrameTheCallerStillHolds) {
  const SP<Proc::IOneInputEffectVideo> effect = GetParam().create();
  const SP<IDataVideo> input = GetParam().input();
  const SP<IDataVideo> view = input->Clone(false);
  const std::string before = Digest(input);
  const long long time = input->GetTime(), duration = input->GetDuration();
  effect->ProcessData(std::vector<SP<IData>>{input});
  SP<IData> inPlace = view;
  effect->ProcessData(inPlace);
  Drain(*effect);
  for (const SP<IDataVideo>& held : {input, view}) {
    EXPECT_EQ(Digest(held), before) << "the effect wrote pixels the caller still holds";
    EXPECT_EQ(held->GetTime(), time) << "the effect restamped a frame the caller still holds";
    EXPECT_EQ(held->GetDuration(), duration);
  }
}

}  // namespace Tivrel::Testing
