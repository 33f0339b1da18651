#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Conf/ImplNames.h"
#include "Platform/Media/VideoFrame.h"
#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Proc/Interfaces/BlendHelper.h"
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::StrictMock;
using ::testing::Throw;
using ::testing::Truly;

class MockEffect : public IOneInputEffectVideo, public RefCountImpl {
public:
  ~MockEffect() override {
    if (onDestroy) onDestroy();
  }
  MOCK_METHOD(void, Initialize, (const Core::Property&), (override));
  MOCK_METHOD(Core::Property, GetSettings, (), (const, override));
  MOCK_METHOD(void, Reset, (), (override));
  MOCK_METHOD(SP<IData>, Flush, (), (override));
  MOCK_METHOD(void, SetSettings, (const Settings&), (override));
  MOCK_METHOD(void, ProcessVideoData, (SP<IDataVideo>&), (override));

  std::function<void()> onDestroy;
};

class MockFactory : public IEffectFactory, public RefCountImpl {
public:
  MOCK_METHOD(SP<IOneInputEffectVideo>, CreateVideoEffect,
              (const std::string&, const std::string&, const SP<IRefCountable>&), (const, override));
};

const auto kNoContext = Truly([](const SP<IRefCountable>& context) { return !context; });

SP<IDataVideo> NewFrame(PixFmt format) { return Media::VideoFrame::Create(format, 8, 4); }

// Three effects that behave like the real ones: the extractors replace a frame with a
// gray picture, the converter with a frame of the format it was configured for.
class BlendHelperTest : public ::testing::Test {
protected:
  BlendHelperTest() {
    for (MockEffect* extractor : {alpha.get(), extra.get()}) {
      ON_CALL(*extractor, ProcessVideoData(_)).WillByDefault(Invoke([](SP<IDataVideo>& frame) {
        if (frame) frame = NewFrame(PIX_FMT_GRAY8);
      }));
    }
    ON_CALL(*converter, SetSettings(_)).WillByDefault(Invoke([this](const Settings& s) {
      converterFormat = dynamic_cast<const SettingsColorspaceConverter&>(s).pixelFormats.at(0);
    }));
    ON_CALL(*converter, ProcessVideoData(_)).WillByDefault(Invoke([this](SP<IDataVideo>& frame) {
      frame = NewFrame(converterFormat);
    }));
    InSequence order;
    EXPECT_CALL(*factory, CreateVideoEffect(SettingsEffectAlphaExtractor::CLASS_ID, ImplNames::DEFAULT, kNoContext))
        .WillOnce(Return(alpha));
    EXPECT_CALL(*factory,
                CreateVideoEffect(SettingsEffectExtraAlphaExtractor::CLASS_ID, ImplNames::DEFAULT, kNoContext))
        .WillOnce(Return(extra));
    EXPECT_CALL(*factory, CreateVideoEffect(SettingsColorspaceConverter::CLASS_ID, ImplNames::DEFAULT, kNoContext))
        .WillOnce(Return(converter));
    helper = std::make_unique<BlendHelper>(factory);
  }

  void ExpectRuns(int runs) {
    for (MockEffect* effect : {alpha.get(), extra.get(), converter.get()}) {
      EXPECT_CALL(*effect, ProcessVideoData(_)).Times(runs);
    }
  }

  long long Count() const { return helper->GetStatistic()["count"].GetInt64(); }

  const SP<MockEffect> alpha{new StrictMock<MockEffect>};
  const SP<MockEffect> extra{new StrictMock<MockEffect>};
  const SP<MockEffect> converter{new StrictMock<MockEffect>};
  const SP<MockFactory> factory{new StrictMock<MockFactory>};
  PixFmt converterFormat = PIX_FMT_NONE;
  std::unique_ptr<BlendHelper> helper;
};

TEST_F(BlendHelperTest, CacheIsReusedOnlyForTheSameFormatAndSource) {
  const SP<IDataVideo> sources[] = {NewFrame(PIX_FMT_RGBA), NewFrame(PIX_FMT_RGBA)};
  struct Step {
    PixFmt format;  // PIX_FMT_NONE: Reset
    int source;
  };
  const struct {
    const char* name;
    std::vector<Step> steps;
    int configurations, runs, resets;
    bool lastCached;
  } cases[] = {
      {"same source and format", {{PIX_FMT_YUV420P, 0}, {PIX_FMT_YUV420P, 0}}, 1, 1, 0, true},
      {"new source", {{PIX_FMT_YUV420P, 0}, {PIX_FMT_YUV420P, 1}}, 1, 2, 0, false},
      {"new format", {{PIX_FMT_YUV420P, 0}, {PIX_FMT_NV12, 0}}, 2, 2, 0, false},
      {"after Reset", {{PIX_FMT_YUV420P, 0}, {PIX_FMT_NONE, 0}, {PIX_FMT_YUV420P, 0}}, 2, 2, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (MockEffect* effect : {alpha.get(), extra.get(), converter.get()}) {
      ::testing::Mock::VerifyAndClearExpectations(effect);
    }
    std::vector<std::string> resets;
    for (auto [effect, name] :
         {std::pair{alpha.get(), "alpha"}, {extra.get(), "extra"}, {converter.get(), "converter"}}) {
      EXPECT_CALL(*effect, Reset()).Times(c.resets + 1).WillRepeatedly(Invoke([&resets, name] {
        resets.push_back(name);
      }));
    }
    helper->Reset();  // drop the previous case's cache
    const long long countBefore = Count();
    EXPECT_CALL(*converter, SetSettings(_)).Times(c.configurations);
    EXPECT_CALL(*extra, SetSettings(_)).Times(c.configurations);
    ExpectRuns(c.runs);

    std::vector<SP<IDataVideo>> results;
    for (const Step& step : c.steps) {
      if (step.format == PIX_FMT_NONE) {
        helper->Reset();
        continue;
      }
      results.push_back(helper->Prepare(step.format, sources[step.source]));
      EXPECT_EQ(results.back()->GetPixFmt(), step.format);
    }
    EXPECT_EQ(results.back() == results.front(), c.lastCached);
    EXPECT_EQ(Count() - countBefore, c.runs);
    std::vector<std::string> expectedResets;
    for (int i = 0; i <= c.resets; ++i) expectedResets.insert(expectedResets.end(), {"alpha", "extra", "converter"});
    EXPECT_EQ(resets, expectedResets);
  }
  const Core::Property statistic = helper->GetStatistic();
  EXPECT_EQ(statistic.GetName(), "Tivrel::Core::Property Tivrel::Proc::BlendHelper::GetStatistic() const");
  EXPECT_EQ(statistic["time"].GetInt64(), 0);
  EXPECT_EQ(statistic["count"].GetInt64(), 7);
}

TEST_F(BlendHelperTest, EffectsAreChainedAndConfiguredForTheFormat) {
  const SP<IDataVideo> source = NewFrame(PIX_FMT_RGBA);
  SP<IDataVideo> alphaOut, extraOut;
  InSequence order;
  EXPECT_CALL(*converter, SetSettings(_)).WillOnce(Invoke([this](const Settings& s) {
    const auto& settings = dynamic_cast<const SettingsColorspaceConverter&>(s);
    SettingsColorspaceConverter expected;
    expected.pixelFormats = {PIX_FMT_YUV444P};
    expected.preserveAlpha = true;
    expected.usePadColor = true;
    expected.interlaced = false;
    expected.SetPadColor(0, 0, 0);
    EXPECT_TRUE(settings == expected);
    converterFormat = PIX_FMT_YUV444P;
  }));
  EXPECT_CALL(*extra, SetSettings(_)).WillOnce(Invoke([](const Settings& s) {
    EXPECT_EQ(dynamic_cast<const SettingsEffectExtraAlphaExtractor&>(s).pixelFormat, PIX_FMT_YUV444P);
  }));
  EXPECT_CALL(*alpha, ProcessVideoData(_)).WillOnce(Invoke([&](SP<IDataVideo>& frame) {
    EXPECT_EQ(frame, source);
    frame = alphaOut = NewFrame(PIX_FMT_GRAY8);
  }));
  EXPECT_CALL(*extra, ProcessVideoData(_)).WillOnce(Invoke([&](SP<IDataVideo>& frame) {
    EXPECT_EQ(frame, alphaOut);
    frame = extraOut = NewFrame(PIX_FMT_GRAY8);
  }));
  EXPECT_CALL(*converter, ProcessVideoData(_)).WillOnce(Invoke([&](SP<IDataVideo>& frame) {
    EXPECT_EQ(frame, source);
    frame = NewFrame(PIX_FMT_YUV444P);
  }));

  const SP<IDataVideo> result = helper->Prepare(PIX_FMT_YUV444P, source);
  const IDataVideo& alphaFrame = *alphaOut;
  const IDataVideo& extraFrame = *extraOut;
  EXPECT_EQ(result->GetAlphaPlane(0).data, alphaFrame.GetPlane(0).data);
  EXPECT_EQ(result->GetAlphaPlane(1).data, extraFrame.GetPlane(0).data);
  EXPECT_EQ(source->GetAlphaPlane(0).data, nullptr);
}

TEST_F(BlendHelperTest, EmptyAlphaFrameAttachesNoPlaneZero) {
  EXPECT_CALL(*converter, SetSettings(_));
  EXPECT_CALL(*extra, SetSettings(_));
  EXPECT_CALL(*converter, ProcessVideoData(_));
  EXPECT_CALL(*alpha, ProcessVideoData(_)).WillOnce(Invoke([](SP<IDataVideo>& frame) { frame = nullptr; }));
  EXPECT_CALL(*extra, ProcessVideoData(_)).WillOnce(Invoke([](SP<IDataVideo>& frame) {
    EXPECT_EQ(frame, nullptr);
    frame = NewFrame(PIX_FMT_GRAY8);
  }));
  const SP<IDataVideo> result = helper->Prepare(PIX_FMT_YUV420P, NewFrame(PIX_FMT_RGBA));
  EXPECT_EQ(result->GetAlphaPlane(0).data, nullptr);
  EXPECT_NE(result->GetAlphaPlane(1).data, nullptr);
}

TEST_F(BlendHelperTest, FailedPrepareKeepsTheCache) {
  const SP<IDataVideo> first = NewFrame(PIX_FMT_RGBA);
  EXPECT_CALL(*converter, SetSettings(_));
  EXPECT_CALL(*extra, SetSettings(_));
  EXPECT_CALL(*alpha, ProcessVideoData(_)).Times(3);
  EXPECT_CALL(*extra, ProcessVideoData(_)).Times(3);
  EXPECT_CALL(*converter, ProcessVideoData(_));
  const SP<IDataVideo> cached = helper->Prepare(PIX_FMT_YUV420P, first);

  EXPECT_CALL(*converter, ProcessVideoData(_))
      .WillOnce(Throw(std::runtime_error("conversion failed")))
      .RetiresOnSaturation();
  EXPECT_THROW(helper->Prepare(PIX_FMT_YUV420P, NewFrame(PIX_FMT_RGBA)), std::runtime_error);
  EXPECT_CALL(*converter, ProcessVideoData(_))
      .WillOnce(Invoke([](SP<IDataVideo>& frame) { frame = nullptr; }))
      .RetiresOnSaturation();
  EXPECT_THROW(helper->Prepare(PIX_FMT_YUV420P, NewFrame(PIX_FMT_RGBA)), std::logic_error);

  EXPECT_EQ(helper->Prepare(PIX_FMT_YUV420P, first), cached);  // no further effect calls
  EXPECT_EQ(Count(), 3);
}

TEST_F(BlendHelperTest, BadInputIsRefusedBeforeAnyWork) {
  EXPECT_THROW(helper->Prepare(PIX_FMT_YUV420P, nullptr), std::invalid_argument);
  EXPECT_THROW(helper->Prepare(PIX_FMT_NONE, NewFrame(PIX_FMT_RGBA)), std::invalid_argument);
  EXPECT_THROW(BlendHelper{SP<const IEffectFactory>()}, std::invalid_argument);
  EXPECT_EQ(Count(), 0);
}

}  // namespace
}  // namespace Tivrel::Proc
