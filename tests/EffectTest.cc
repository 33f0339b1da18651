#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/AudioBlock.h"
#include "Media/VideoFrame.h"
#include "Platform/Conf/AudioFormat.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Settings/SettingsEffectTranspose.h"
#include "StreamTestSupport.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using Testing::ExpectThrowSite;
using ::testing::Invoke;
using ::testing::StrictMock;

// A video effect that overrides only what its interfaces leave abstract.
class MockVideoEffect : public IOneInputEffectVideo, public RefCountImpl {
public:
  MOCK_METHOD(void, Initialize, (const Core::Property&), (override));
  MOCK_METHOD(Core::Property, GetSettings, (), (const, override));
  MOCK_METHOD(void, Reset, (), (override));
  MOCK_METHOD(SP<IData>, Flush, (), (override));
  MOCK_METHOD(void, ProcessVideoData, (SP<IDataVideo>&), (override));
};

SP<IDataVideo> MakeFrame() { return Media::VideoFrame::Create(PIX_FMT_YUV420P, 16, 8); }

TEST(EffectTest, RefusalsCarryMessageStackAndLocation) {
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);  // any ProcessVideoData call fails
  const char* const kEffect = "Proc/Interfaces/IEffect.cc";
  ExpectThrowSite<std::logic_error>(
      [&] { effect->SetSettings(SettingsEffectTranspose()); }, "/// @todo unimplemented method", kEffect,
      "virtual void Tivrel::Proc::IEffect::SetSettings(const Tivrel::Proc::Settings &)", 12);
  ExpectThrowSite<std::logic_error>(
      [&] { effect->GetSettingsBase(); }, "/// @todo unimplemented method", kEffect,
      "virtual const Tivrel::Proc::Settings &Tivrel::Proc::IEffect::GetSettingsBase() const", 17);
  for (const std::vector<SP<IData>>& data : {std::vector<SP<IData>>{}, {MakeFrame(), MakeFrame()}}) {
    ExpectThrowSite<std::logic_error>(
        [&] { effect->ProcessData(data); }, "incorrect data count", "Proc/Interfaces/IOneInputEffect.cc",
        "virtual SP<Tivrel::Proc::IData> Tivrel::Proc::IOneInputEffect::ProcessData(const std::vector<SP<IData>> &)",
        23);
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
  const SP<IData> audio = Media::AudioBlock::Create({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 16);
  SP<IData> data = audio;
  EXPECT_THROW(effect->ProcessData(data), std::bad_cast);
  EXPECT_EQ(data, audio);
  data = input;
  EXPECT_THROW(effect->ProcessData(data), std::runtime_error);
  EXPECT_EQ(data, input);
}

}  // namespace
}  // namespace Tivrel::Proc
