// The effect interfaces' defaults and progress mapping, the typed call behind ProcessData, and the frame ownership
// rule.
#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
#include "Testing/Frames.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using ::testing::Invoke;
using Testing::MockVideoEffect;
using ::testing::StrictMock;

// The defaults keep only the progress mapping, which calls its function between begin and
// end for set times.
TEST(EffectTest, DefaultsKeepOnlyTheProgressMapping) {
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
  EXPECT_EQ(effect->GetStatistic(), Core::Property("", "Unimplemented statistic of effect"));
  const SP<Core::IProgressController> controller(new Core::ProgressControllerStub);
  effect->SetProgressController(controller);
  EXPECT_EQ(controller->GetRefCount(), 1);  // not kept

  int calls = 0;
  effect->SetProgress(TimeToProgress(1000000, 3000000, [&](const long long& t, const long long& b, const long long& e) {
    ++calls;
    return double(t - b) / double(e - b);
  }));
  const TimeToProgress& progress = effect->GetProgress();
  EXPECT_DOUBLE_EQ(progress.GetProgress(2000000), 0.5);
  EXPECT_DOUBLE_EQ(progress.GetProgress(5000000), 2.0);  // not clamped
  EXPECT_EQ(progress.GetProgress(AV_TIME_NOT_SET), 0.0);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(progress.GetDuration(), 2000000);
  EXPECT_EQ(TimeToProgress(0, 10, nullptr).GetProgress(5), 0.0);
  EXPECT_EQ(TimeToProgress(3000000, 1000000, nullptr).GetDuration(), -2000000);
  EXPECT_EQ(TimeToProgress(AV_TIME_NOT_SET, 5, nullptr).GetDuration(), LLONG_MAX);
  EXPECT_EQ(TimeToProgress(5, AV_TIME_NOT_SET, nullptr).GetDuration(), LLONG_MIN);
}

// What the typed call leaves in the frame pointer is what the general call returns; the
// caller's vector keeps its datum. A failing typed call leaves the datum as it was.
TEST(EffectTest, OneDatumGoesThroughTheTypedCall) {
  const SP<IDataVideo> input = Media::VideoFrame::Create(PIX_FMT_YUV420P, 16, 8);
  for (const SP<IDataVideo>& left : {input, input->Clone(true), SP<IDataVideo>()}) {
    const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
    EXPECT_CALL(*effect, ProcessVideoData(_)).WillOnce(Invoke([&](SP<IDataVideo>& frame) {
      EXPECT_EQ(frame, input);
      frame = left;
    }));
    const std::vector<SP<IData>> data{input};
    EXPECT_EQ(effect->ProcessData(data), left);
    EXPECT_EQ(data.front(), input);
  }
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
  EXPECT_CALL(*effect, ProcessVideoData(_)).WillOnce(Invoke([](SP<IDataVideo>& frame) {
    frame = nullptr;
    throw std::runtime_error("effect failed");
  }));
  SP<IData> data = input;
  EXPECT_THROW(effect->ProcessData(data), std::runtime_error);
  EXPECT_EQ(data, input);
}

// The single-frame stream hands out views of one pixel buffer: an effect that paints the
// frame it was given in place paints the source; one that makes the frame writable first,
// as the ownership rule asks, leaves it alone.
TEST(EffectTest, WritingAFrameOnlyAfterMakeWritableLeavesTheSharedSourceAlone) {
  for (const bool makeWritable : {false, true}) {
    const SP<MockVideoEffect> paint(new ::testing::NiceMock<MockVideoEffect>);
    ON_CALL(*paint, ProcessVideoData(_)).WillByDefault(Invoke([makeWritable](SP<IDataVideo>& frame) {
      if (makeWritable) Media::MakeWritable(frame);
      frame->Fill(Color{255, 0, 0, 255});
    }));
    const SP<Media::VideoFrame> source = Testing::MakeGradient(PIX_FMT_YUV420P, 16, 8);
    const std::string before = Testing::Digest(source);
    paint->ProcessData(std::vector<SP<IData>>{StreamOneFrameVideo::Create(source)->Read()});
    EXPECT_EQ(Testing::Digest(source) == before, makeWritable) << (makeWritable ? "MakeWritable first" : "in place");
  }
}

}  // namespace
}  // namespace Tivrel::Proc

// The remaining defaults (refusals of data counts, other kinds of data and null, Reset and
// settings round trips), through an effect that overrides only what is abstract.
TIVREL_INSTANTIATE_CONTRACT(EffectContract, DoNothingEffect,
                            [] { return SP<MockVideoEffect>(new ::testing::NiceMock<MockVideoEffect>); });
