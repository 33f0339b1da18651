#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>

#include "Proc/Interfaces/Stub.h"
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsDeinterlace.h"
#include "Proc/Settings/SettingsEffectDeshake.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"
#include "Proc/Settings/SettingsEffectStabilizer.h"
#include "Proc/Settings/SettingsEffectTranspose.h"
#include "Proc/Settings/SettingsFilterCutController.h"
#include "Proc/Settings/SettingsFilterFrameRate.h"
#include "Proc/Settings/SettingsFilterResample.h"
#include "Proc/Settings/SettingsFilterVideoMixer.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "Proc/Settings/SettingsSubtitleDrawer.h"
#include "Proc/Settings/SettingsTwoPassEncoding.h"

namespace Tivrel::Proc {
namespace {

// One record class: how to build a record with non-default content (strings, lists and
// queues filled, so that a shallow copy would show), and how to change a compared field.
// `change` is empty for the classes without fields to compare.
struct RecordCase {
  std::string name;
  const std::string* classId;
  std::function<std::unique_ptr<Settings>()> make;
  std::function<void(Settings&)> change;
  bool comparable = true;  // false: IsEqualTo is the base refusal
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

template <class R>
R& As(Settings& s) {
  return dynamic_cast<R&>(s);
}

std::vector<RecordCase> AllRecords() {
  return {
      {"ColorspaceConverter", &SettingsColorspaceConverter::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsColorspaceConverter>();
         r->pixelFormats = {PIX_FMT_YUV420P, PIX_FMT_RGBA};
         r->SetPadColor(1, 2, 3);
         r->preserveAlpha = true;
         return r;
       },
       [](Settings& s) { As<SettingsColorspaceConverter>(s).pixelFormats[1] = PIX_FMT_BGRA; }},
      {"ExtraAlphaExtractor", &SettingsEffectExtraAlphaExtractor::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsEffectExtraAlphaExtractor>();
         r->pixelFormat = PIX_FMT_YUVA420P;
         return r;
       },
       nullptr, false},
      {"TwoPassEncoding", &SettingsTwoPassEncoding::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsTwoPassEncoding>();
         r->logFile = "/tmp/pass.log";
         return r;
       },
       [](Settings& s) { As<SettingsTwoPassEncoding>(s).logFile[0] = 'X'; }},
      {"FilterFrameRate", &SettingsFilterFrameRate::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsFilterFrameRate>();
         r->frameRate = {30000, 1001};
         return r;
       },
       [](Settings& s) {
         As<SettingsFilterFrameRate>(s).frameRate = {30, 1};
       }},
      {"FilterResample", &SettingsFilterResample::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsFilterResample>();
         r->sampleRate = 48000;
         return r;
       },
       [](Settings& s) { As<SettingsFilterResample>(s).sampleFormat = Conf::SAMPLE_FMT_FLTP; }},
      {"FilterVideoMixer", &SettingsFilterVideoMixer::CLASS_ID,
       [] { return std::make_unique<SettingsFilterVideoMixer>(); }, nullptr},
      {"EffectTranspose", &SettingsEffectTranspose::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsEffectTranspose>();
         r->quarterTurns = 1;
         return r;
       },
       [](Settings& s) { As<SettingsEffectTranspose>(s).AddAngle90(); }},
      {"EffectDeshake", &SettingsEffectDeshake::CLASS_ID, [] { return std::make_unique<SettingsEffectDeshake>(); },
       nullptr, false},
      {"EffectStabilizer", &SettingsEffectStabilizer::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsEffectStabilizer>();
         r->logFile = "motion.trf";
         return r;
       },
       [](Settings& s) { As<SettingsEffectStabilizer>(s).interpolation = 0; }},
      {"FilterCutController", &SettingsFilterCutController::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsFilterCutController>();
         r->AddInterval(0, 10, 0, false);
         r->AddInterval(20, 30, -20, false);
         return r;
       },
       [](Settings& s) { As<SettingsFilterCutController>(s).intervals[1].endTime = 31; }},
      {"Deinterlace", &SettingsDeinterlace::CLASS_ID, [] { return std::make_unique<SettingsDeinterlace>(); },
       [](Settings& s) { As<SettingsDeinterlace>(s).deinterlaceMode = 2; }},
      {"SubtitleDrawer", &SettingsSubtitleDrawer::CLASS_ID,
       [] {
         auto r = std::make_unique<SettingsSubtitleDrawer>();
         r->renderer.fontsDirectory = "/usr/share/fonts";
         return r;
       },
       [](Settings& s) { As<SettingsSubtitleDrawer>(s).renderer.fontsDirectory += "/extra"; }},
      {"StreamOneFrame", &SettingsStreamOneFrame::CLASS_ID, [] { return std::make_unique<SettingsStreamOneFrame>(); },
       nullptr, false},
  };
}

class SettingsRecordTest : public testing::TestWithParam<RecordCase> {};

INSTANTIATE_TEST_SUITE_P(AllRecords, SettingsRecordTest, testing::ValuesIn(AllRecords()),
                         [](const testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

TEST_P(SettingsRecordTest, ClassIdIsTheRecordsOwnConstant) {
  const auto record = GetParam().make();
  EXPECT_EQ(&record->GetClassId(), GetParam().classId);
  EXPECT_FALSE(record->GetClassId().empty());
}

// A clone has the record's class and content and survives the original, whose later
// changes it does not see.
TEST_P(SettingsRecordTest, CloneIsAnIndependentDeepCopy) {
  const RecordCase& c = GetParam();
  auto original = c.make();
  const std::unique_ptr<Settings> clone(original->Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(typeid(*clone), typeid(*original));
  if (!c.comparable) return;

  EXPECT_TRUE(clone->IsEqualTo(*original));
  if (!c.change) return;
  c.change(*original);
  EXPECT_FALSE(clone->IsEqualTo(*original)) << "the change must be seen by the comparison";
  original.reset();
  EXPECT_TRUE(clone->IsEqualTo(*c.make()));
}

TEST_P(SettingsRecordTest, ComparisonRefusesOtherClassesOrIsNotImplemented) {
  const RecordCase& c = GetParam();
  const auto record = c.make();
  if (c.comparable) {
    const SettingsStreamOneFrame other;  // compares by class before looking at fields
    const SettingsDeinterlace deinterlace;
    const Settings& foreign =
        typeid(*record) == typeid(SettingsDeinterlace) ? static_cast<const Settings&>(other) : deinterlace;
    EXPECT_THROW(record->IsEqualTo(foreign), std::bad_cast);
  } else {
    try {
      record->IsEqualTo(*record);
      ADD_FAILURE() << "comparison must be refused";
    } catch (const std::logic_error& e) {
      EXPECT_EQ(std::string(e.what()), "Not implemented comparison for settings CLASS_ID=" + *c.classId);
    }
  }
}

TEST_P(SettingsRecordTest, DeserializeIsRefusedWithItsLocation) {
  const auto record = GetParam().make();
  try {
    record->Deserialize("anything");
    ADD_FAILURE() << "Deserialize must throw";
  } catch (const SettingsException& e) {
    ASSERT_NE(boost::get_error_info<TagDescription>(e), nullptr);
    EXPECT_EQ(*boost::get_error_info<TagDescription>(e),
              "Not implemented fill from string for settings CLASS_ID=" + *GetParam().classId);
    EXPECT_NE(boost::get_error_info<TagCallStack>(e), nullptr);
    EXPECT_EQ(*boost::get_error_info<boost::throw_line>(e), 36);
    EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(e),
                 "virtual void Tivrel::Proc::Settings::Deserialize(const std::string &)");
    EXPECT_STREQ(*boost::get_error_info<boost::throw_file>(e), "Proc/Settings/Settings.cc");
  }
}

TEST(SettingsTest, OnlyAnUnturnedTransposeIsEmpty) {
  SettingsEffectTranspose transpose;
  EXPECT_TRUE(transpose.IsEmpty());
  transpose.AddAngle90();
  EXPECT_FALSE(transpose.IsEmpty());
  for (const RecordCase& c : AllRecords()) {
    if (c.classId != &SettingsEffectTranspose::CLASS_ID) {
      EXPECT_FALSE(c.make()->IsEmpty()) << c.name;
    }
  }
}

TEST(SettingsTest, QuarterTurnsWrapAtAFullCircle) {
  SettingsEffectTranspose transpose;
  for (int turn = 1; turn <= 9; ++turn) {
    transpose.AddAngle90();
    EXPECT_EQ(transpose.quarterTurns, turn % 4);
  }
  transpose.quarterTurns = -1;  // set directly: one more turn is no turn
  transpose.AddAngle90();
  EXPECT_EQ(transpose.quarterTurns, 0);
}

TEST(SettingsTest, FrameRateComparisonIgnoresTheImplementationName) {
  SettingsFilterFrameRate a, b;
  a.implName = "one";
  b.implName = "other";
  EXPECT_TRUE(a.IsEqualTo(b));
  b.frameRate = {50, 2};  // same value, other terms: boost::rational normalises it
  EXPECT_TRUE(a.IsEqualTo(b));
}

TEST(SettingsTest, VideoMixersAreAlwaysEqual) {
  EXPECT_TRUE(SettingsFilterVideoMixer().IsEqualTo(SettingsFilterVideoMixer()));
  EXPECT_THROW(SettingsFilterVideoMixer().IsEqualTo(SettingsDeinterlace()), std::bad_cast);
}

TEST(SettingsTest, CutControllerStartsWithThePlaceholderThatTheFirstIntervalReplaces) {
  using Interval = SettingsFilterCutController::Interval;
  SettingsFilterCutController cut;
  ASSERT_EQ(cut.intervals.size(), 1u);
  EXPECT_EQ(cut.intervals[0], (Interval{0, 2592000000000LL, INT64_MIN, true}));
  EXPECT_EQ(cut.currentInterval, -1);

  cut.AddInterval(5, 9, 1, false);
  cut.AddInterval(0, 2592000000000LL, INT64_MIN, true);  // a placeholder-like interval later on is kept
  cut.AddInterval(1, 3, 0, true);                        // overlapping: kept as given, in call order
  ASSERT_EQ(cut.intervals.size(), 3u);
  EXPECT_EQ(cut.GetOptInterval(0), (Interval{5, 9, 1, false}));
  EXPECT_EQ(cut.GetOptInterval(2), (Interval{1, 3, 0, true}));
  EXPECT_FALSE(cut.GetOptInterval(3).has_value());
}

TEST(SettingsTest, DefaultsThatTreesRelyOn) {
  const SettingsEffectStabilizer st;
  EXPECT_EQ(std::vector<int>({st.shakiness, st.smoothing, st.accuracy, st.stepSize, st.tripodFrame, st.minContrast,
                              st.relative, st.optZoom, st.zoomSpeed, st.interpolation}),
            std::vector<int>({5, 15, 15, 6, 0, 25, 1, 1, 1, 2}));
  EXPECT_TRUE(st.analysisMode);
  EXPECT_FALSE(st.enabled);

  const SettingsSubtitleDrawer sd;
  EXPECT_EQ(static_cast<int32_t>(sd.GetHorizontalAlignment()), 3);
  EXPECT_EQ(static_cast<int32_t>(sd.GetVerticalAlignment()), 3);
  EXPECT_EQ(sd.timeOffset, 0);

  const SettingsFilterResample rs;
  EXPECT_EQ(rs.channelLayout, 0);
  EXPECT_EQ(rs.sampleFormat, -1);
  EXPECT_EQ(rs.sampleRate, -1);
  EXPECT_EQ(SettingsEffectDeshake().blockSize, 8);
  EXPECT_EQ(SettingsDeinterlace().deinterlaceMode, 1);
}

}  // namespace
}  // namespace Tivrel::Proc
