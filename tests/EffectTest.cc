// The effect interfaces' defaults and the typed call behind ProcessData.
#include <stdexcept>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Settings/SettingsEffectTranspose.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
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

}  // namespace
}  // namespace Tivrel::Proc

// The remaining defaults (refusals of data counts, other kinds of data and null, Reset and
// settings round trips), through an effect that overrides only what is abstract.
TIVREL_INSTANTIATE_CONTRACT(EffectContract, DoNothingEffect,
                            [] { return SP<MockVideoEffect>(new ::testing::NiceMock<MockVideoEffect>); });
