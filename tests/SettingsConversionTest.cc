// The effect settings conversions: exact trees of every record, and what the readers make of partial or odd trees.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Proc/Interfaces/SettingsConversion.h"
#include "Testing/SettingsRegistry.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using P = Property;
using Testing::Tree;

// The exact trees, key texts, value kinds and child order included: other libraries read
// them by name. The records are the registry's samples.
TEST(SettingsConversionTest, EveryRecordWritesItsExactTree) {
  const Property interval1 =
      Tree("interval", {P("start_time", 0), P("end_time", 1000000), P("time_shift", 0), P("is_deleted", false)});
  const Property interval2 = Tree(
      "interval", {P("start_time", 5000000), P("end_time", 9000000), P("time_shift", -4000000), P("is_deleted", true)});
  const std::pair<const char*, Property> expected[] = {
      {"CropInfo", Tree("", {P("LEFT", 1), P("RIGHT", 2), P("TOP", 3), P("BOTTOM", 4294967295LL)})},
      {"CropInfoF", Tree("", {P("LEFT", 0.5), P("RIGHT", -0.25), P("TOP", 1e300), P("BOTTOM", 0.0)})},
      {"Color", Tree("", {P("RED", 255), P("GREEN", 1), P("BLUE", 2), P("ALPHA", 128)})},
      {"Crop", Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropOffsetX", 1), P("effectCropOffsetY", 2),
                                                   P("effectCropWidth", 4294967295LL), P("effectCropHeight", 4)})},
      {"Flip", Tree(SettingsEffectFlip::CLASS_ID, {P("effectFlipHoriz", false), P("effectFlipVert", true)})},
      {"Transpose", Tree(SettingsEffectTranspose::CLASS_ID, {P("effectTransposeAngle", 270)})},
      {"Deshake", Tree(SettingsEffectDeshake::CLASS_ID, {P("blocksize", -16), P("isEnabled", true)})},
      {"Stabilizer",
       Tree(SettingsEffectStabilizer::CLASS_ID,
            {P("is_analize_mode", false), P("log_file", "motion.trf"), P("is_enabled", true), P("accuracy", 9),
             P("shakiness", -3), P("stepsize", 4), P("smoothing", 30), P("optzoom", 2)})},
      {"ChromaLuma", Tree(SettingsEffectDenoiseChromaLuma::CLASS_ID,
                          {P("chroma_strength", 2.5), P("luma_strength", 1.5), P("chroma_strength_temporal", 4.5),
                           P("luma_strength_temporal", 3.5)})},
      {"CutController", Tree(SettingsFilterCutController::CLASS_ID, {interval1, interval2})},
      {"Deinterlace", Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", -7), P("DeinterlaceMode", 2)})},
      {"NoiseGate", Tree(SettingsAudioNoiseGate::CLASS_ID,  // the output gain is not carried
                         {P("threshold", -0.5), P("attack", 0.25), P("decay", 0.125), P("softKnee", 2.0)})},
      {"SubtitleDrawer", Tree(SettingsSubtitleDrawer::CLASS_ID,
                              {P("shift_top", 4294967280LL), P("shift_left", 12), P("offset_timestamp", -5000000000LL),
                               P("align_horizontal", 1), P("align_vertical", -2)})},
      {"VideoMixer", Property(SettingsFilterVideoMixer::CLASS_ID)},
  };
  for (const auto& [family, tree] : expected) EXPECT_EQ(Testing::FindSettingsFamily(family).sample(), tree);
}

TEST(SettingsConversionTest, ReadersKeepDefaultsForAbsentKeysAndTheLowBitsOfWhatTheyRead) {
  EXPECT_EQ(Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropWidth", 640)})),
            (SettingsEffectCrop{0, 0, 640, 0}));
  EXPECT_EQ(Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropOffsetX", -1)})).offsetX,
            0xFFFFFFFFu);
  const SettingsDeinterlace deinterlace =
      Property2SettingsDeinterlace(Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", 2)}));
  EXPECT_EQ(std::make_pair(deinterlace.frameMode, deinterlace.deinterlaceMode), std::make_pair(2, 1));
  const CropInfo defaults{1, 2, 3, 4};
  EXPECT_EQ(Property2CropInfo(Property("any name"), defaults), defaults);
  EXPECT_EQ(Property2CropInfo(Tree("x", {P("TOP", 9)}), defaults), (CropInfo{1, 2, 9, 4}));
  EXPECT_EQ(Property2Color(Tree("", {P("RED", 300), P("ALPHA", -1)}), Color{0, 5, 6, 7}), (Color{44, 5, 6, 255}));
  EXPECT_EQ(Property2CropInfoF(Tree("", {P("LEFT", 2)}), {}).left, 2.0);  // converted numerically
  EXPECT_TRUE(Property2SettingsFlip(Tree(SettingsEffectFlip::CLASS_ID, {P("effectFlipVert", 7)})).vertical);
  // The stabilizer fields that the tree does not carry keep their defaults.
  const SettingsEffectStabilizer st = Property2SettingsStabilizer(Settings2Property(SettingsEffectStabilizer()));
  EXPECT_EQ(std::vector<int>({st.tripodFrame, st.minContrast, st.relative, st.zoomSpeed, st.interpolation}),
            std::vector<int>({0, 25, 1, 1, 2}));
  const Property deshake = Tree(SettingsEffectDeshake::CLASS_ID, {P("blocksize", 0x100000008LL), P("isEnabled", true)});
  EXPECT_EQ(Property2SettingsDeshake(deshake).blockSize, 8);
  const SettingsSubtitleDrawer sd = Property2SettingsSubtitleDrawer(
      Tree(SettingsSubtitleDrawer::CLASS_ID,
           {P("shift_top", -1), P("shift_left", 0x1FFFFFFFFLL), P("offset_timestamp", INT64_MIN),
            P("align_horizontal", 0x100000002LL), P("align_vertical", -1)}));
  EXPECT_EQ(std::make_tuple(sd.shiftTop, sd.shiftLeft, sd.timeOffset, static_cast<int32_t>(sd.GetHorizontalAlignment()),
                            static_cast<int32_t>(sd.GetVerticalAlignment())),
            std::make_tuple(0xFFFFFFFFu, 0xFFFFFFFFu, INT64_MIN, 2, -1));
}

TEST(SettingsConversionTest, TransposeAngleGivesWholeQuarterTurns) {
  const std::pair<long long, int> cases[] = {{89, 0},  {90, 1},  {179, 1}, {180, 2},       {270, 3},
                                             {360, 0}, {450, 1}, {-90, 0}, {INT64_MIN, 0}, {INT64_MAX, 0}};
  for (const auto& [angle, turns] : cases) {
    const Property tree = Tree(SettingsEffectTranspose::CLASS_ID, {P("effectTransposeAngle", angle)});
    EXPECT_EQ(Property2SettingsTranspose(tree).quarterTurns, turns) << angle;
  }
  EXPECT_EQ(Property2SettingsTranspose(Property(SettingsEffectTranspose::CLASS_ID)).quarterTurns, 0);
  SettingsEffectTranspose negative;
  negative.quarterTurns = -1;
  EXPECT_EQ(Settings2Property(negative)["effectTransposeAngle"].GetInt64(), -90);
}

// Required keys are taken without a test: a missing key or a leaf of another kind fails in
// the tree, and the cut controller's interval keys are read in their order.
TEST(SettingsConversionTest, MissingOrMistypedRequiredKeysFailInTheTree) {
  Property stabilizer = Settings2Property(SettingsEffectStabilizer());
  stabilizer["optzoom"] = 1.5;
  Property gate = Settings2Property(SettingsAudioNoiseGate());
  gate["decay"] = 1LL;
  const auto call = [](auto read) {
    return std::function<void(const Property&)>([read](const Property& t) { read(t); });
  };
  const std::pair<std::function<void(const Property&)>, Property> cases[] = {
      {call(Property2SettingsDeshake), Tree(SettingsEffectDeshake::CLASS_ID, {P("blocksize", 8)})},
      {call(Property2SettingsStabilizer), stabilizer},
      {call(Property2SettingsChromaLuma), Property(SettingsEffectDenoiseChromaLuma::CLASS_ID)},
      {call(Property2SettingsNoiseGate), gate},
      {call(Property2SettingsCutController), Tree(SettingsFilterCutController::CLASS_ID, {P("interval", 1)})},
      {call(Property2SettingsSubtitleDrawer), Property(SettingsSubtitleDrawer::CLASS_ID)},
      {call(Property2SettingsDeinterlace), Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", "2")})},
      {call(Property2SettingsCrop), Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropWidth", 1e30)})},
  };
  for (const auto& [read, tree] : cases) EXPECT_THROW(read(tree), Core::PropertyException) << tree;

  Property interval("interval");
  for (const char* key : {"start_time", "end_time", "time_shift", "is_deleted"}) {
    try {
      Property2SettingsCutController(Tree(SettingsFilterCutController::CLASS_ID, {interval}));
      ADD_FAILURE() << key;
    } catch (const Core::PropertyException& e) {
      EXPECT_NE(boost::get_error_info<TagDescription>(e)->find('"' + std::string(key) + '"'), std::string::npos);
    }
    interval.CreateChildT<long long>(key, 0);
  }
}

TEST(SettingsConversionTest, CutControllerReadsEveryChildWhateverItsName) {
  EXPECT_EQ(Property2SettingsCutController(Property(SettingsFilterCutController::CLASS_ID)),
            SettingsFilterCutController());
  const Property renamed =
      Tree("not_an_interval", {P("start_time", 3), P("end_time", 4), P("time_shift", 0), P("is_deleted", false)});
  const SettingsFilterCutController cut =
      Property2SettingsCutController(Tree(SettingsFilterCutController::CLASS_ID, {renamed, renamed}));
  ASSERT_EQ(cut.intervals.size(), 2u);
  EXPECT_EQ(cut.intervals[1].startTime, 3);
}

}  // namespace
}  // namespace Tivrel::Proc
