// BlendHelper: the effects it chains and configures, its cache, statistic and refusals.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Proc/Interfaces/BlendHelper.h"
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"
#include "Testing/Assertions.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::StrictMock;

using MockEffect = Testing::MockVideoEffect;
using MockFactory = Testing::MockEffectFactory;

SP<IDataVideo> NewFrame(PixFmt format) { return Media::VideoFrame::Create(format, 8, 4); }

// Effects that behave like the real ones and note what they received and left: the
// extractors replace a frame with a gray picture (an empty frame stays empty), the converter
// with a frame of the format it was configured for.
class BlendHelperTest : public ::testing::Test {
protected:
  BlendHelperTest() {
    for (MockEffect* effect : {alpha.get(), extra.get(), converter.get()}) {
      ON_CALL(*effect, ProcessVideoData(_)).WillByDefault(Invoke([this, effect](SP<IDataVideo>& frame) {
        in[effect] = frame;
        const bool converts = effect == converter.get();
        if (converts || frame) frame = NewFrame(converts ? converterSettings.pixelFormats.at(0) : PIX_FMT_GRAY8);
        out[effect] = frame;
      }));
    }
    ON_CALL(*converter, SetSettings(_)).WillByDefault(Invoke([this](const Settings& s) {
      converterSettings = dynamic_cast<const SettingsColorspaceConverter&>(s);
    }));
    ON_CALL(*extra, SetSettings(_)).WillByDefault(Invoke([this](const Settings& s) {
      extraFormat = dynamic_cast<const SettingsEffectExtraAlphaExtractor&>(s).pixelFormat;
    }));
    const auto noContext = ::testing::Truly([](const SP<IRefCountable>& context) { return !context; });
    ::testing::InSequence order;
    for (const auto& [id, effect] : {std::pair{SettingsEffectAlphaExtractor::CLASS_ID, alpha},
                                     {SettingsEffectExtraAlphaExtractor::CLASS_ID, extra},
                                     {SettingsColorspaceConverter::CLASS_ID, converter}}) {
      EXPECT_CALL(*factory, CreateVideoEffect(id, ImplNames::DEFAULT, noContext)).WillOnce(::testing::Return(effect));
    }
    helper = std::make_unique<BlendHelper>(factory);
  }

  void Expect(int configurations, int runs) {
    EXPECT_CALL(*converter, SetSettings(_)).Times(configurations);
    EXPECT_CALL(*extra, SetSettings(_)).Times(configurations);
    for (MockEffect* effect : {alpha.get(), extra.get(), converter.get()}) {
      EXPECT_CALL(*effect, ProcessVideoData(_)).Times(runs);
    }
  }

  long long Count() const { return helper->GetStatistic()["count"].GetInt64(); }

  const SP<MockEffect> alpha{new StrictMock<MockEffect>};
  const SP<MockEffect> extra{new StrictMock<MockEffect>};
  const SP<MockEffect> converter{new StrictMock<MockEffect>};
  const SP<MockFactory> factory{new StrictMock<MockFactory>};
  std::map<MockEffect*, SP<IDataVideo>> in, out;
  SettingsColorspaceConverter converterSettings;
  PixFmt extraFormat = PIX_FMT_NONE;
  std::unique_ptr<BlendHelper> helper;
};

// Every run of the effects counts in the statistic; Reset drops the cache and the configuration.
TEST_F(BlendHelperTest, CacheIsReusedOnlyForTheSameFormatAndSource) {
  const SP<IDataVideo> source = NewFrame(PIX_FMT_RGBA), other = NewFrame(PIX_FMT_RGBA);
  Expect(3, 4);
  const SP<IDataVideo> first = helper->Prepare(PIX_FMT_YUV420P, source);
  EXPECT_EQ(helper->Prepare(PIX_FMT_YUV420P, source), first);
  EXPECT_EQ(Count(), 1);
  EXPECT_NE(helper->Prepare(PIX_FMT_YUV420P, other), first);                   // another source: a run
  EXPECT_EQ(helper->Prepare(PIX_FMT_NV12, other)->GetPixFmt(), PIX_FMT_NV12);  // another format: configured anew
  for (MockEffect* effect : {alpha.get(), extra.get(), converter.get()}) EXPECT_CALL(*effect, Reset());
  helper->Reset();
  helper->Prepare(PIX_FMT_NV12, other);  // configured and run again
  EXPECT_EQ(Count(), 4);
  EXPECT_EQ(helper->GetStatistic()["time"].GetInt64(), 0);
}

TEST_F(BlendHelperTest, EffectsAreChainedAndConfiguredForTheFormat) {
  Expect(1, 1);
  const SP<IDataVideo> source = NewFrame(PIX_FMT_RGBA);
  const SP<IDataVideo> result = helper->Prepare(PIX_FMT_YUV444P, source);
  SettingsColorspaceConverter expected;
  expected.pixelFormats = {PIX_FMT_YUV444P};
  expected.preserveAlpha = expected.usePadColor = true;
  expected.SetPadColor(0, 0, 0);
  EXPECT_TRUE(converterSettings == expected);
  EXPECT_EQ(extraFormat, PIX_FMT_YUV444P);
  // The extractor and the converter take the source, the extra extractor the extracted alpha.
  EXPECT_EQ(std::make_tuple(in[alpha.get()], in[extra.get()], in[converter.get()], result),
            std::make_tuple(source, out[alpha.get()], source, out[converter.get()]));
  EXPECT_EQ(result->GetAlphaPlane(0).data, static_cast<const IDataVideo&>(*out[alpha.get()]).GetPlane(0).data);
  EXPECT_EQ(result->GetAlphaPlane(1).data, static_cast<const IDataVideo&>(*out[extra.get()]).GetPlane(0).data);
  EXPECT_EQ(source->GetAlphaPlane(0).data, nullptr);

  // An empty alpha frame reaches the extra extractor, which keeps it empty: nothing attached.
  ON_CALL(*alpha, ProcessVideoData(_)).WillByDefault(Invoke([](SP<IDataVideo>& frame) { frame = nullptr; }));
  Expect(1, 1);
  const SP<IDataVideo> bare = helper->Prepare(PIX_FMT_YUV420P, source);
  EXPECT_EQ(bare->GetAlphaPlane(0).data, nullptr);
  EXPECT_EQ(bare->GetAlphaPlane(1).data, nullptr);
}

TEST_F(BlendHelperTest, FailuresAndRefusalsKeepTheCache) {
  const SP<IDataVideo> first = NewFrame(PIX_FMT_RGBA);
  Expect(1, 3);
  const SP<IDataVideo> cached = helper->Prepare(PIX_FMT_YUV420P, first);
  ON_CALL(*converter, ProcessVideoData(_)).WillByDefault(::testing::Throw(std::runtime_error("conversion failed")));
  EXPECT_THROW(helper->Prepare(PIX_FMT_YUV420P, NewFrame(PIX_FMT_RGBA)), std::runtime_error);
  ON_CALL(*converter, ProcessVideoData(_)).WillByDefault(Invoke([](SP<IDataVideo>& frame) { frame = nullptr; }));
  EXPECT_THROW(helper->Prepare(PIX_FMT_YUV420P, NewFrame(PIX_FMT_RGBA)), std::logic_error);
  EXPECT_EQ(helper->Prepare(PIX_FMT_YUV420P, first), cached);  // no further effect calls
  EXPECT_EQ(Count(), 3);                                       // the failed runs count
  EXPECT_THROW(BlendHelper{SP<const IEffectFactory>()}, std::invalid_argument);
}

// Any one effect left out by the factory: Prepare refuses before an effect runs, and Reset
// skips the gap.
TEST(BlendHelperFactoryTest, AnEffectLeftOutByTheFactoryIsRefusedBeforeAnyRuns) {
  for (const std::string& missing :
       {SettingsEffectAlphaExtractor::CLASS_ID, SettingsEffectExtraAlphaExtractor::CLASS_ID,
        SettingsColorspaceConverter::CLASS_ID}) {
    SCOPED_TRACE(missing);
    const SP<MockEffect> effect(new StrictMock<MockEffect>);  // Reset is all it may be asked
    EXPECT_CALL(*effect, Reset()).Times(2);
    const SP<MockFactory> factory(new ::testing::NiceMock<MockFactory>);
    ON_CALL(*factory, CreateVideoEffect).WillByDefault(::testing::Return(effect));
    ON_CALL(*factory, CreateVideoEffect(missing, _, _)).WillByDefault(::testing::Return(nullptr));
    BlendHelper helper(factory);
    EXPECT_THAT([&] { helper.Prepare(PIX_FMT_YUV420P, NewFrame(PIX_FMT_RGBA)); },
                ::testing::Throws<std::logic_error>(Testing::Described("the effect factory gave no effect")));
    helper.Reset();
  }
}

}  // namespace
}  // namespace Tivrel::Proc
