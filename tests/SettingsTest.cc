// The settings base and records: class identifiers, deep clones, comparison and its refusals, and the records'
// defaults.

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

using Ratio = boost::rational<long long>;
using Interval = SettingsFilterCutController::Interval;

// A record with non-default content (strings, lists and queues filled, so that a shallow
// copy would show) and a change of a compared field; no change for the records without
// fields to compare, not comparable where IsEqualTo is the base refusal.
struct RecordCase {
  std::string name;
  const std::string* classId;
  std::function<std::unique_ptr<Settings>()> make;
  std::function<void(Settings&)> change;
  bool comparable = true;
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

template <class R>
RecordCase Record(const char* name, void (*fill)(R&), void (*change)(R&), bool comparable = true) {
  return {name, &R::CLASS_ID,
          [fill]() -> std::unique_ptr<Settings> {
            auto record = std::make_unique<R>();
            if (fill) fill(*record);
            return record;
          },
          change ? std::function<void(Settings&)>([change](Settings& s) { change(dynamic_cast<R&>(s)); }) : nullptr,
          comparable};
}

// clang-format off
const RecordCase kRecords[] = {
    Record<SettingsColorspaceConverter>("ColorspaceConverter", [](auto& r) {
          r.pixelFormats = {PIX_FMT_YUV420P, PIX_FMT_RGBA};
          r.SetPadColor(1, 2, 3);
        }, [](auto& r) { r.pixelFormats[1] = PIX_FMT_BGRA; }),
    Record<SettingsEffectExtraAlphaExtractor>("ExtraAlphaExtractor", nullptr, nullptr, false),
    Record<SettingsTwoPassEncoding>("TwoPassEncoding", [](auto& r) { r.logFile = "/tmp/pass.log"; },
                                    [](auto& r) { r.logFile[0] = 'X'; }),
    Record<SettingsFilterFrameRate>("FilterFrameRate", [](auto& r) { r.frameRate = Ratio(30000, 1001); },
                                    [](auto& r) { r.frameRate = Ratio(30); }),
    Record<SettingsFilterResample>("FilterResample", [](auto& r) { r.sampleRate = 48000; },
                                   [](auto& r) { r.sampleFormat = Conf::SAMPLE_FMT_FLTP; }),
    Record<SettingsFilterVideoMixer>("FilterVideoMixer", nullptr, nullptr),
    Record<SettingsEffectTranspose>("EffectTranspose", [](auto& r) { r.quarterTurns = 1; },
                                    [](auto& r) { r.AddAngle90(); }),
    Record<SettingsEffectDeshake>("EffectDeshake", nullptr, nullptr, false),
    Record<SettingsEffectStabilizer>("EffectStabilizer", [](auto& r) { r.logFile = "motion.trf"; },
                                     [](auto& r) { r.interpolation = 0; }),
    Record<SettingsFilterCutController>("FilterCutController",
        [](auto& r) { r.intervals = {Interval{0, 10, 0, false}, Interval{20, 30, -20, false}}; },
        [](auto& r) { r.intervals[1].endTime = 31; }),
    Record<SettingsDeinterlace>("Deinterlace", nullptr, [](auto& r) { r.deinterlaceMode = 2; }),
    Record<SettingsSubtitleDrawer>("SubtitleDrawer", [](auto& r) { r.renderer.fontsDirectory = "/usr/share/fonts"; },
                                   [](auto& r) { r.renderer.fontsDirectory += "/extra"; }),
    Record<SettingsStreamOneFrame>("StreamOneFrame", nullptr, nullptr, false),
};
// clang-format on

class SettingsRecordTest : public ::testing::TestWithParam<RecordCase> {};

INSTANTIATE_TEST_SUITE_P(AllRecords, SettingsRecordTest, ::testing::ValuesIn(kRecords),
                         [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

// A clone has the record's class and content, survives the original and does not see its later changes. Another
// class is refused by a checked cast before any field is looked at; records without a comparison refuse naming their
// class.
TEST_P(SettingsRecordTest, CloneIsAnIndependentDeepCopyAndComparisonChecksTheClass) {
  const RecordCase& c = GetParam();
  auto original = c.make();
  EXPECT_EQ(&original->GetClassId(), c.classId);
  EXPECT_FALSE(original->IsEmpty());  // the transpose has a turn
  const std::unique_ptr<Settings> clone(original->Clone());
  EXPECT_EQ(typeid(*clone), typeid(*original));
  if (!c.comparable) {
    EXPECT_THAT([&] { clone->IsEqualTo(*original); },
                ::testing::ThrowsMessage<std::logic_error>(
                    ::testing::StrEq("Not implemented comparison for settings CLASS_ID=" + *c.classId)));
    return;
  }
  EXPECT_THROW(original->IsEqualTo(SettingsStreamOneFrame()), std::bad_cast);
  EXPECT_TRUE(clone->IsEqualTo(*original));
  if (!c.change) return;
  c.change(*original);
  EXPECT_FALSE(clone->IsEqualTo(*original)) << "the change must be seen by the comparison";
  original.reset();
  EXPECT_TRUE(clone->IsEqualTo(*c.make()));
}

TEST(SettingsTest, TransposeTurnsWrapAtAFullCircleAndOnlyNoTurnIsEmpty) {
  SettingsEffectTranspose transpose;
  EXPECT_TRUE(transpose.IsEmpty());
  for (int turn = 1; turn <= 9; ++turn) {
    transpose.AddAngle90();
    EXPECT_EQ(transpose.quarterTurns, turn % 4);
    EXPECT_EQ(transpose.IsEmpty(), turn % 4 == 0);
  }
  transpose.quarterTurns = -1;  // set directly: one more turn is no turn
  transpose.AddAngle90();
  EXPECT_EQ(transpose.quarterTurns, 0);
}

TEST(SettingsTest, FrameRateComparisonIgnoresTheImplementationName) {
  SettingsFilterFrameRate a, b;
  a.implName = "one";
  b.implName = "other";
  b.frameRate = {50, 2};  // the default value in other terms
  EXPECT_TRUE(a.IsEqualTo(b));
}

TEST(SettingsTest, CutControllerStartsWithThePlaceholderThatTheFirstIntervalReplaces) {
  SettingsFilterCutController cut;
  EXPECT_EQ(cut.intervals, (std::deque<Interval>{{0, 2592000000000LL, INT64_MIN, true}}));
  EXPECT_EQ(cut.currentInterval, -1);
  cut.AddInterval(5, 9, 1, false);
  cut.AddInterval(0, 2592000000000LL, INT64_MIN, true);  // a placeholder-like interval later on is kept
  cut.AddInterval(1, 3, 0, true);                        // overlapping: kept as given, in call order
  EXPECT_EQ(cut.intervals,
            (std::deque<Interval>{{5, 9, 1, false}, {0, 2592000000000LL, INT64_MIN, true}, {1, 3, 0, true}}));
  EXPECT_EQ(cut.GetOptInterval(2), (Interval{1, 3, 0, true}));
  EXPECT_FALSE(cut.GetOptInterval(3).has_value());
}

}  // namespace
}  // namespace Tivrel::Proc
