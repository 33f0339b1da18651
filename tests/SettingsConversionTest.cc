#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/Assertions.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using Leaf = std::pair<std::string, std::variant<bool, long long, double, std::string>>;

// A tree built leaf by leaf from literal key texts, in the given order.
Property Tree(const std::string& name, const std::vector<Leaf>& leaves) {
  Property tree(name);
  for (const Leaf& leaf : leaves) std::visit([&](const auto& v) { tree.CreateChildT(leaf.first, v); }, leaf.second);
  return tree;
}

const auto kWrite = [](const auto& record) { return Settings2Property(record); };

template <class Read>
std::function<void(const Property&)> Call(Read read) {
  return [read](const Property& p) { read(p); };
}

// Writes `value` and compares the tree with `expected`; then reads it back and writes the
// result again: a field the reader drops or misplaces shows as a difference.
template <class V, class Write, class Read>
void ExpectTree(const char* family, const V& value, Write write, Read read, const Property& expected) {
  const Property written = write(value);
  EXPECT_EQ(written, expected) << family;
  if constexpr (std::is_invocable_v<Read, const Property&>) {
    EXPECT_EQ(write(read(written)), written) << family;
  } else {
    EXPECT_EQ(write(read(written, V{})), written) << family;
  }
}

// The exact trees, key texts, value kinds and child order included: another library reads
// these trees by name, so any difference here is a tree it would not read back.
TEST(SettingsConversionTest, EveryFamilyWritesItsExactTreeAndReadsItBack) {
  SettingsEffectTranspose transpose;
  transpose.quarterTurns = 3;
  SettingsEffectDeshake deshake;
  deshake.blockSize = -16;
  deshake.enabled = true;
  SettingsEffectStabilizer stabilizer;  // distinct values, so that swapped keys show
  stabilizer.analysisMode = false;
  stabilizer.logFile = "motion.trf";
  stabilizer.enabled = true;
  stabilizer.accuracy = 9;
  stabilizer.shakiness = -3;
  stabilizer.stepSize = 4;
  stabilizer.smoothing = 30;
  stabilizer.optZoom = 2;
  SettingsFilterCutController cut;
  cut.AddInterval(0, 1000000, 0, false);
  cut.AddInterval(5000000, 9000000, -4000000, true);
  Property cutTree(SettingsFilterCutController::CLASS_ID);
  cutTree.Add(Tree("interval", {{"start_time", 0}, {"end_time", 1000000}, {"time_shift", 0}, {"is_deleted", false}}));
  cutTree.Add(Tree("interval",
                   {{"start_time", 5000000}, {"end_time", 9000000}, {"time_shift", -4000000}, {"is_deleted", true}}));
  SettingsDeinterlace deinterlace;
  deinterlace.frameMode = -7;
  SettingsSubtitleDrawer drawer;
  drawer.shiftTop = 0xFFFFFFF0u;  // zero-extended when written
  drawer.shiftLeft = 12;
  drawer.timeOffset = -5000000000LL;
  drawer.SetHorizontalAlignment(AlignmentHorizontal::LEFT);
  drawer.SetVerticalAligment(static_cast<AlignmentVertical>(-2));  // sign-extended when written

  // clang-format off
  ExpectTree("CropInfo", CropInfo{1, 2, 3, 0xFFFFFFFFu}, CropInfo2Property, Property2CropInfo,
             Tree("", {{"LEFT", 1}, {"RIGHT", 2}, {"TOP", 3}, {"BOTTOM", 4294967295LL}}));
  ExpectTree("CropInfoF", CropInfoF{0.5, -0.25, 1e300, 0.0}, CropInfoF2Property, Property2CropInfoF,
             Tree("", {{"LEFT", 0.5}, {"RIGHT", -0.25}, {"TOP", 1e300}, {"BOTTOM", 0.0}}));
  ExpectTree("Color", Color{255, 1, 2, 128}, Color2Property, Property2Color,
             Tree("", {{"RED", 255}, {"GREEN", 1}, {"BLUE", 2}, {"ALPHA", 128}}));
  ExpectTree("Crop", SettingsEffectCrop{1, 2, 0xFFFFFFFFu, 4}, kWrite, Property2SettingsCrop,
             Tree(SettingsEffectCrop::CLASS_ID, {{"effectCropOffsetX", 1}, {"effectCropOffsetY", 2},
                                                 {"effectCropWidth", 4294967295LL}, {"effectCropHeight", 4}}));
  ExpectTree("Flip", SettingsEffectFlip{false, true}, kWrite, Property2SettingsFlip,
             Tree(SettingsEffectFlip::CLASS_ID, {{"effectFlipHoriz", false}, {"effectFlipVert", true}}));
  ExpectTree("Transpose", transpose, kWrite, Property2SettingsTranspose,
             Tree(SettingsEffectTranspose::CLASS_ID, {{"effectTransposeAngle", 270}}));
  ExpectTree("Deshake", deshake, kWrite, Property2SettingsDeshake,
             Tree(SettingsEffectDeshake::CLASS_ID, {{"blocksize", -16}, {"isEnabled", true}}));
  ExpectTree("Stabilizer", stabilizer, kWrite, Property2SettingsStabilizer,
             Tree(SettingsEffectStabilizer::CLASS_ID,
                  {{"is_analize_mode", false}, {"log_file", "motion.trf"}, {"is_enabled", true}, {"accuracy", 9},
                   {"shakiness", -3}, {"stepsize", 4}, {"smoothing", 30}, {"optzoom", 2}}));
  ExpectTree("ChromaLuma", SettingsEffectDenoiseChromaLuma{1.5, 2.5, 3.5, 4.5}, kWrite, Property2SettingsChromaLuma,
             Tree(SettingsEffectDenoiseChromaLuma::CLASS_ID, {{"chroma_strength", 2.5}, {"luma_strength", 1.5},
                  {"chroma_strength_temporal", 4.5}, {"luma_strength_temporal", 3.5}}));
  ExpectTree("CutController", cut, kWrite, Property2SettingsCutController, cutTree);
  ExpectTree("Deinterlace", deinterlace, kWrite, Property2SettingsDeinterlace,
             Tree(SettingsDeinterlace::CLASS_ID, {{"FrameMode", -7}, {"DeinterlaceMode", 1}}));
  // The output gain is not carried.
  ExpectTree("NoiseGate", SettingsAudioNoiseGate{-0.5, 0.03, 0.08, 0.01, 3.0f}, kWrite, Property2SettingsNoiseGate,
             Tree(SettingsAudioNoiseGate::CLASS_ID,
                  {{"threshold", -0.5}, {"attack", 0.03}, {"decay", 0.08}, {"softKnee", 0.01}}));
  ExpectTree("SubtitleDrawer", drawer, kWrite, Property2SettingsSubtitleDrawer,
             Tree(SettingsSubtitleDrawer::CLASS_ID, {{"shift_top", 4294967280LL}, {"shift_left", 12},
                  {"offset_timestamp", -5000000000LL}, {"align_horizontal", 1}, {"align_vertical", -2}}));
  ExpectTree("VideoMixer", SettingsFilterVideoMixer(), kWrite, Property2Settings,
             Property(SettingsFilterVideoMixer::CLASS_ID));
  // clang-format on
}

// A reader, its message text, its line, and its function text, built from the record and
// reader names and the namespace the source spells before "Property".
#define READER(record, reader, ns, message, line) \
  { Call(reader), message, line, "Tivrel::Proc::" #record " Tivrel::Proc::" #reader "(const " ns "Property &)" }

// Each reader with a tree of another class: the message text, the name, ")!", and the
// reader's own throw location.
TEST(SettingsConversionTest, ReadersRejectTreesOfAnotherClass) {
  const std::string object = "Object was initialized with incorrect class (";
  const struct {
    std::function<void(const Property&)> read;
    std::string message;
    int line;
    std::string function;
  } cases[] = {
      // clang-format off
      READER(SettingsEffectCrop, Property2SettingsCrop, "Tivrel::Core::", object, 117),
      READER(SettingsEffectFlip, Property2SettingsFlip, "Core::", object, 144),
      READER(SettingsEffectTranspose, Property2SettingsTranspose, "Tivrel::Core::",
             "Object was initialized with incorrece class (", 167),
      READER(SettingsEffectDeshake, Property2SettingsDeshake, "Tivrel::Core::", object, 198),
      READER(SettingsEffectStabilizer, Property2SettingsStabilizer, "Tivrel::Core::", object, 237),
      READER(SettingsEffectDenoiseChromaLuma, Property2SettingsChromaLuma, "Tivrel::Core::", object, 273),
      READER(SettingsFilterCutController, Property2SettingsCutController, "Tivrel::Core::", object, 312),
      READER(SettingsDeinterlace, Property2SettingsDeinterlace, "Tivrel::Core::", object, 344),
      READER(SettingsAudioNoiseGate, Property2SettingsNoiseGate, "Tivrel::Core::", object, 374),
      READER(SettingsSubtitleDrawer, Property2SettingsSubtitleDrawer, "Tivrel::Core::", object, 407),
      READER(SettingsFilterVideoMixer, Property2Settings, "Core::", "Filter was initialized with incorrect class (", 428),
      // clang-format on
  };
#undef READER
  // A name that differs from every identifier only in its last byte, and the empty name.
  for (const std::string& name : {std::string("SettingsEffectCroq"), std::string()}) {
    for (const auto& c : cases) {
      EXPECT_THAT([&] { c.read(Property(name)); },
                  ::testing::Throws<FilterException>(Testing::ThrownAt(
                      c.message + name + ")!", "Proc/Interfaces/SettingsConversion.cc", c.function.c_str(), c.line)));
    }
  }
}

TEST(SettingsConversionTest, ReadersKeepDefaultsForAbsentKeysAndTheLowBitsOfNarrowFields) {
  EXPECT_EQ(Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {{"effectCropWidth", 640}})),
            (SettingsEffectCrop{0, 0, 640, 0}));
  const SettingsDeinterlace deinterlace =
      Property2SettingsDeinterlace(Tree(SettingsDeinterlace::CLASS_ID, {{"FrameMode", 2}}));
  EXPECT_EQ(deinterlace.frameMode, 2);
  EXPECT_EQ(deinterlace.deinterlaceMode, 1);

  const CropInfo defaults{1, 2, 3, 4};
  EXPECT_EQ(Property2CropInfo(Property("any name"), defaults), defaults);
  EXPECT_EQ(Property2CropInfo(Tree("x", {{"TOP", 9}}), defaults), (CropInfo{1, 2, 9, 4}));
  EXPECT_EQ(Property2Color(Tree("", {{"RED", 300}, {"ALPHA", -1}}), Color{0, 5, 6, 7}), (Color{44, 5, 6, 255}));
  // Value readers convert numerically: a double margin and a bool flag are accepted.
  EXPECT_EQ(Property2CropInfoF(Tree("", {{"LEFT", 2}}), {}).left, 2.0);
  EXPECT_TRUE(Property2SettingsFlip(Tree(SettingsEffectFlip::CLASS_ID, {{"effectFlipVert", 7}})).vertical);
  // The stabilizer fields that the tree does not carry keep the record's defaults.
  const SettingsEffectStabilizer st = Property2SettingsStabilizer(kWrite(SettingsEffectStabilizer()));
  EXPECT_EQ(std::vector<int>({st.tripodFrame, st.minContrast, st.relative, st.zoomSpeed, st.interpolation}),
            std::vector<int>({0, 25, 1, 1, 2}));

  const Property deshake = Tree(SettingsEffectDeshake::CLASS_ID, {{"blocksize", 0x100000008LL}, {"isEnabled", true}});
  EXPECT_EQ(Property2SettingsDeshake(deshake).blockSize, 8);
  EXPECT_EQ(Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {{"effectCropOffsetX", -1}})).offsetX,
            0xFFFFFFFFu);
  // clang-format off
  const SettingsSubtitleDrawer sd = Property2SettingsSubtitleDrawer(Tree(SettingsSubtitleDrawer::CLASS_ID,
      {{"shift_top", -1}, {"shift_left", 0x1FFFFFFFFLL}, {"offset_timestamp", INT64_MIN},
       {"align_horizontal", 0x100000002LL}, {"align_vertical", -1}}));
  // clang-format on
  EXPECT_EQ(sd.shiftTop, 0xFFFFFFFFu);
  EXPECT_EQ(sd.shiftLeft, 0xFFFFFFFFu);
  EXPECT_EQ(sd.timeOffset, INT64_MIN);
  EXPECT_EQ(static_cast<int32_t>(sd.GetHorizontalAlignment()), 2);
  EXPECT_EQ(static_cast<int32_t>(sd.GetVerticalAlignment()), -1);
}

TEST(SettingsConversionTest, TransposeAngleGivesWholeQuarterTurns) {
  const std::pair<long long, int> cases[] = {{89, 0},  {90, 1},  {179, 1}, {180, 2},       {270, 3},
                                             {360, 0}, {450, 1}, {-90, 0}, {INT64_MIN, 0}, {INT64_MAX, 0}};
  for (const auto& [angle, turns] : cases) {
    const Property tree = Tree(SettingsEffectTranspose::CLASS_ID, {{"effectTransposeAngle", angle}});
    EXPECT_EQ(Property2SettingsTranspose(tree).quarterTurns, turns) << angle;
  }
  EXPECT_EQ(Property2SettingsTranspose(Property(SettingsEffectTranspose::CLASS_ID)).quarterTurns, 0);
  SettingsEffectTranspose negative;
  negative.quarterTurns = -1;
  EXPECT_EQ(kWrite(negative)["effectTransposeAngle"].GetInt64(), -90);
}

// Required keys are taken without a test: a missing key or a leaf of another kind fails in
// the property tree, never with a half-read record.
TEST(SettingsConversionTest, MissingOrMistypedRequiredKeysFailInTheTree) {
  Property stabilizer = kWrite(SettingsEffectStabilizer());
  stabilizer["optzoom"] = 1.5;  // a double where an integer is required
  Property gate = kWrite(SettingsAudioNoiseGate());
  gate["decay"] = 1LL;  // an integer where a double is required
  Property cutMissing = kWrite(SettingsFilterCutController());
  cutMissing[0] = Tree("interval", {{"start_time", 0}, {"end_time", 1}, {"is_deleted", false}});

  const std::pair<std::function<void(const Property&)>, Property> cases[] = {
      {Call(Property2SettingsDeshake), Tree(SettingsEffectDeshake::CLASS_ID, {{"blocksize", 8}})},
      {Call(Property2SettingsStabilizer), stabilizer},
      {Call(Property2SettingsChromaLuma), Property(SettingsEffectDenoiseChromaLuma::CLASS_ID)},
      {Call(Property2SettingsNoiseGate), gate},
      {Call(Property2SettingsCutController), Tree(SettingsFilterCutController::CLASS_ID, {{"interval", 1}})},
      {Call(Property2SettingsCutController), cutMissing},
      {Call(Property2SettingsSubtitleDrawer), Property(SettingsSubtitleDrawer::CLASS_ID)},
      {Call(Property2SettingsDeinterlace), Tree(SettingsDeinterlace::CLASS_ID, {{"FrameMode", "2"}})},
      {Call(Property2SettingsCrop), Tree(SettingsEffectCrop::CLASS_ID, {{"effectCropWidth", 1e30}})},
  };
  for (const auto& [read, tree] : cases) EXPECT_THROW(read(tree), Core::PropertyException) << tree;
}

TEST(SettingsConversionTest, CutControllerReadsEveryChildWhateverItsName) {
  Property tree(SettingsFilterCutController::CLASS_ID);
  EXPECT_EQ(Property2SettingsCutController(tree), SettingsFilterCutController());
  const Property renamed =
      Tree("not_an_interval", {{"start_time", 3}, {"end_time", 4}, {"time_shift", 0}, {"is_deleted", false}});
  tree.Add(renamed);
  tree.Add(renamed);
  const SettingsFilterCutController cut = Property2SettingsCutController(tree);
  ASSERT_EQ(cut.intervals.size(), 2u);
  EXPECT_EQ(cut.intervals[1].startTime, 3);
}

// The interval keys are read in the order of the tree, so an error names the first key missing.
TEST(SettingsConversionTest, CutControllerReportsTheFirstMissingIntervalKey) {
  Property interval("interval");
  for (const char* key : {"start_time", "end_time", "time_shift", "is_deleted"}) {
    Property tree(SettingsFilterCutController::CLASS_ID);
    tree.Add(interval);
    try {
      Property2SettingsCutController(tree);
      ADD_FAILURE() << key;
    } catch (const Core::PropertyException& e) {
      EXPECT_THAT(*boost::get_error_info<TagDescription>(e), ::testing::HasSubstr('"' + std::string(key) + '"'));
    }
    interval.CreateChildT<long long>(key, 0);
  }
}

}  // namespace
}  // namespace Tivrel::Proc
