#include <functional>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Media/AudioBlock.h"
#include "Platform/Media/VideoFrame.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Settings/SettingsEffectTranspose.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::StartsWith;
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
  const SP<IData> frame = MakeFrame();
  const char* const kEffect = "Proc/Interfaces/IEffect.cc";
  const char* const kOneInput = "Proc/Interfaces/IOneInputEffect.h";
  const char* const kProcessData =
      "virtual SP<Tivrel::Proc::IData> Tivrel::Proc::IOneInputEffect::ProcessData(const std::vector<SP<IData>> &)";
  const struct {
    std::function<void()> call;
    const char *message, *file, *function;
    int line;
  } cases[] = {
      {[&] { effect->SetSettings(SettingsEffectTranspose()); }, "/// @todo unimplemented method", kEffect,
       "virtual void Tivrel::Proc::IEffect::SetSettings(const Tivrel::Proc::Settings &)", 12},
      {[&] { effect->GetSettingsBase(); }, "/// @todo unimplemented method", kEffect,
       "virtual const Tivrel::Proc::Settings &Tivrel::Proc::IEffect::GetSettingsBase() const", 17},
      {[&] { effect->ProcessData(std::vector<SP<IData>>{}); }, "incorrect data count", kOneInput, kProcessData, 23},
      {[&] {
         effect->ProcessData(std::vector<SP<IData>>{frame, frame});
       },
       "incorrect data count", kOneInput, kProcessData, 23},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.function);
    try {
      c.call();
      ADD_FAILURE() << "no exception";
    } catch (const std::logic_error& e) {
      EXPECT_THAT(e.what(), StartsWith(std::string(c.message) + "\n"));  // then the call stack
      const auto* located = dynamic_cast<const boost::exception*>(&e);
      ASSERT_NE(located, nullptr);
      EXPECT_STREQ(*boost::get_error_info<boost::throw_file>(*located), c.file);
      EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(*located), c.function);
      EXPECT_EQ(*boost::get_error_info<boost::throw_line>(*located), c.line);
    }
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
// caller's vector keeps its datum.
TEST(EffectTest, OneDatumGoesThroughTheTypedCall) {
  const SP<IDataVideo> input = MakeFrame();
  const SP<IDataVideo> replacement = MakeFrame();
  const struct {
    const char* name;
    SP<IDataVideo> left;
  } cases[] = {{"kept", input}, {"replaced", replacement}, {"held back", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
    EXPECT_CALL(*effect, ProcessVideoData(_)).WillOnce(Invoke([&](SP<IDataVideo>& frame) {
      EXPECT_EQ(frame, input);
      frame = c.left;
    }));
    const std::vector<SP<IData>> data{input};
    EXPECT_EQ(effect->ProcessData(data), c.left);
    EXPECT_EQ(data.front(), input);
  }
}

TEST(EffectTest, FailedTypedCallLeavesTheDatum) {
  const SP<IData> audio = Media::AudioBlock::Create({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 16);
  const SP<IData> video = MakeFrame();
  const SP<MockVideoEffect> effect(new StrictMock<MockVideoEffect>);
  EXPECT_CALL(*effect, ProcessVideoData(_)).WillOnce(Invoke([](SP<IDataVideo>& frame) {
    frame = nullptr;
    throw std::runtime_error("effect failed");
  }));

  SP<IData> data = audio;
  EXPECT_THROW(effect->ProcessData(data), std::bad_cast);
  EXPECT_EQ(data, audio);
  data = video;
  EXPECT_THROW(effect->ProcessData(data), std::runtime_error);
  EXPECT_EQ(data, video);
}

}  // namespace
}  // namespace Tivrel::Proc
