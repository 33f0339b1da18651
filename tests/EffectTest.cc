// The effect interfaces' defaults, the typed call behind ProcessData, and the frame ownership rule.
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Settings/SettingsEffectTranspose.h"
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

TEST(EffectTest, DefaultsRefuseTypedSettingsAndKeepOnlyTheProgressMapping) {
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
  const auto refused = ::testing::Throws<std::logic_error>(Testing::Described("/// @todo unimplemented method"));
  EXPECT_THAT([&] { effect->IEffect::SetSettings(SettingsEffectTranspose()); }, refused);
  EXPECT_THAT([&] { effect->GetSettingsBase(); }, refused);
  EXPECT_EQ(effect->GetStatistic(), Core::Property("", "Unimplemented statistic of effect"));
  const SP<Core::IProgressController> controller(new Core::ProgressControllerStub);
  effect->SetProgressController(controller);
  EXPECT_EQ(controller->GetRefCount(), 1);  // not kept

  TimeToProgress given(1000, 3000, [](const long long& t, const long long& b, const long long& e) {
    return double(t - b) / double(e - b);
  });
  effect->SetProgress(given);
  given.progressFunction = nullptr;
  const IEffect& constEffect = *effect;
  EXPECT_EQ(&constEffect.GetProgress(), &effect->GetProgress());
  EXPECT_DOUBLE_EQ(constEffect.GetProgress().GetProgress(2500), 0.75);
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

// The single-frame stream hands out views of one pixel buffer. An effect that inverts the
// frame it was given in place inverts the source, so the outputs alternate; one that makes
// the frame writable first, as the ownership rule asks, gives the same output every time.
TEST(EffectTest, WritingAFrameOnlyAfterMakeWritableLeavesTheSharedSourceAlone) {
  for (const bool makeWritable : {false, true}) {
    SCOPED_TRACE(makeWritable ? "MakeWritable first" : "in place");
    const SP<MockVideoEffect> invert(new ::testing::NiceMock<MockVideoEffect>);
    ON_CALL(*invert, ProcessVideoData(_)).WillByDefault(Invoke([makeWritable](SP<IDataVideo>& frame) {
      if (makeWritable) Media::MakeWritable(frame);
      const Plane luma = frame->GetPlane(0);
      for (unsigned long y = 0; y < luma.height; ++y) {
        for (unsigned long x = 0; x < luma.width; ++x) luma.GetOffsetPtr(x, y)[0] ^= 0xff;
      }
    }));
    const SP<Media::VideoFrame> source = Testing::MakeGradient(PIX_FMT_YUV420P, 16, 8);
    source->SetDuration(40000);
    const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(source);
    SettingsStreamOneFrame endless;
    endless.endless = 1;
    stream->Initialize(endless);
    std::vector<std::string> digests;
    for (int i = 0; i < 3; ++i) {
      digests.push_back(Testing::Digest(invert->ProcessData(std::vector<SP<IData>>{stream->Read()})));
    }
    EXPECT_EQ(digests[0] == digests[1], makeWritable);
    EXPECT_EQ(digests[0], digests[2]);
  }
}

}  // namespace
}  // namespace Tivrel::Proc

// The remaining defaults (refusals of data counts, other kinds of data and null, Reset and
// settings round trips), through an effect that overrides only what is abstract.
TIVREL_INSTANTIATE_CONTRACT(EffectContract, DoNothingEffect,
                            [] { return SP<MockVideoEffect>(new ::testing::NiceMock<MockVideoEffect>); });
