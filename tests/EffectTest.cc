#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/AudioBlock.h"
#include "Media/VideoFrame.h"
#include "Platform/Conf/AudioFormat.h"
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

SP<IDataVideo> MakeFrame() { return Media::VideoFrame::Create(PIX_FMT_YUV420P, 16, 8); }

TEST(EffectTest, RefusalsCarryMessageStackAndLocation) {
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);  // any ProcessVideoData call fails
  const char* const kEffect = "Proc/Interfaces/IEffect.cc";
  EXPECT_THAT([&] { effect->IEffect::SetSettings(SettingsEffectTranspose()); },
              ::testing::Throws<std::logic_error>(Testing::ThrownAt(
                  "/// @todo unimplemented method", kEffect,
                  "virtual void Tivrel::Proc::IEffect::SetSettings(const Tivrel::Proc::Settings &)", 12)));
  EXPECT_THAT([&] { effect->GetSettingsBase(); },
              ::testing::Throws<std::logic_error>(Testing::ThrownAt(
                  "/// @todo unimplemented method", kEffect,
                  "virtual const Tivrel::Proc::Settings &Tivrel::Proc::IEffect::GetSettingsBase() const", 17)));
  for (const std::vector<SP<IData>>& data : {std::vector<SP<IData>>{}, {MakeFrame(), MakeFrame()}}) {
    EXPECT_THAT([&] { effect->ProcessData(data); },
                ::testing::Throws<std::logic_error>(
                    Testing::ThrownAt("incorrect data count", "Proc/Interfaces/IOneInputEffect.cc",
                                      "virtual SP<Tivrel::Proc::IData> "
                                      "Tivrel::Proc::IOneInputEffect::ProcessData(const std::vector<SP<IData>> &)",
                                      23)));
  }
}

TEST(EffectTest, DefaultsKeepOnlyAnIndependentProgressMapping) {
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
  EXPECT_EQ(effect->GetStatistic(), Core::Property("", "Unimplemented statistic of effect"));
  const SP<Core::IProgressController> controller(new Core::ProgressControllerStub);
  effect->SetProgressController(controller);
  EXPECT_EQ(controller->GetRefCount(), 1);

  TimeToProgress given(1000, 3000, [](const long long& t, const long long& b, const long long& e) {
    return double(t - b) / double(e - b);
  });
  effect->SetProgress(given);
  given.begin = 0;
  given.progressFunction = nullptr;
  const IEffect& constEffect = *effect;
  EXPECT_EQ(&constEffect.GetProgress(), &effect->GetProgress());
  EXPECT_EQ(constEffect.GetProgress().begin, 1000);
  EXPECT_EQ(constEffect.GetProgress().end, 3000);
  EXPECT_DOUBLE_EQ(constEffect.GetProgress().GetProgress(2500), 0.75);
}

// What the typed call leaves in the frame pointer is what the general call returns; the
// caller's vector keeps its datum. A failing typed call leaves the datum as it was.
TEST(EffectTest, OneDatumGoesThroughTheTypedCall) {
  const SP<IDataVideo> input = MakeFrame();
  for (const SP<IDataVideo>& left : {input, MakeFrame(), SP<IDataVideo>()}) {
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
    for (int i = 0; i < 4; ++i)
      digests.push_back(Testing::Digest(invert->ProcessData(std::vector<SP<IData>>{stream->Read()})));
    EXPECT_EQ(digests[0] == digests[1], makeWritable);
    EXPECT_EQ(digests[0], digests[2]);
    EXPECT_EQ(digests[1], digests[3]);
  }
}

}  // namespace
}  // namespace Tivrel::Proc

// The remaining defaults (refusals of other kinds of data and of null, the progress
// mapping, Reset and settings round trips), through an effect that overrides only what is
// abstract and does nothing.
TIVREL_INSTANTIATE_CONTRACT(EffectContract, DoNothingEffect,
                            [] { return SP<MockVideoEffect>(new ::testing::NiceMock<MockVideoEffect>); });
