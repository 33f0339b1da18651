#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>

#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;

// A tree built leaf by leaf from literal key texts, in the given order.
struct Leaf {
  std::string key;
  std::function<void(Property&, const std::string&)> add;
};
Leaf I(const std::string& key, long long v) {
  return {key, [v](Property& p, const std::string& k) { p.CreateChildT<long long>(k, v); }};
}
Leaf D(const std::string& key, double v) {
  return {key, [v](Property& p, const std::string& k) { p.CreateChildT<double>(k, v); }};
}
Leaf B(const std::string& key, bool v) {
  return {key, [v](Property& p, const std::string& k) { p.CreateChildT<bool>(k, v); }};
}
Leaf S(const std::string& key, const std::string& v) {
  return {key, [v](Property& p, const std::string& k) { p.CreateChildT<std::string>(k, v); }};
}
Property Tree(const std::string& name, const std::vector<Leaf>& leaves) {
  Property tree(name);
  for (const Leaf& leaf : leaves) leaf.add(tree, leaf.key);
  return tree;
}

SettingsEffectStabilizer SampleStabilizer() {
  SettingsEffectStabilizer s;
  s.analysisMode = false;
  s.logFile = "motion.trf";
  s.enabled = true;
  s.accuracy = 9;
  s.shakiness = -3;
  s.stepSize = 4;
  s.smoothing = 30;
  s.optZoom = 2;
  return s;
}

SettingsSubtitleDrawer SampleSubtitleDrawer() {
  SettingsSubtitleDrawer s;
  s.shiftTop = 0xFFFFFFF0u;  // zero-extended when written
  s.shiftLeft = 12;
  s.timeOffset = -5000000000LL;
  s.SetHorizontalAlignment(AlignmentHorizontal::LEFT);
  s.SetVerticalAligment(static_cast<AlignmentVertical>(-2));  // sign-extended when written
  return s;
}

SettingsFilterCutController SampleCutController() {
  SettingsFilterCutController s;
  s.AddInterval(0, 1000000, 0, false);
  s.AddInterval(5000000, 9000000, -4000000, true);
  return s;
}

// The exact trees, key texts, value kinds and child order included: another library reads
// these trees by name, so any difference here is a tree it would not read back.
TEST(SettingsConversionTest, WritersProduceTheExactTreeLayouts) {
  SettingsEffectCrop crop;
  crop.offsetX = 1;
  crop.offsetY = 2;
  crop.width = 0xFFFFFFFFu;
  crop.height = 4;
  SettingsEffectFlip flip;
  flip.vertical = true;
  SettingsEffectTranspose transpose;
  transpose.quarterTurns = 3;
  SettingsEffectDeshake deshake;
  deshake.blockSize = -16;
  deshake.enabled = true;
  SettingsEffectDenoiseChromaLuma denoise;
  denoise.lumaStrength = 1.5;
  denoise.chromaStrength = 2.5;
  denoise.lumaStrengthTemporal = 3.5;
  denoise.chromaStrengthTemporal = 4.5;
  SettingsDeinterlace deinterlace;
  deinterlace.frameMode = 2;
  SettingsAudioNoiseGate gate;
  gate.outputGain = 3.0f;  // not carried
  const Color color{255, 1, 2, 128};

  struct Case {
    const char* family;
    Property written;
    Property expected;
  };
  const Case cases[] = {
      {"CropInfo", CropInfo2Property({1, 2, 3, 0xFFFFFFFFu}),
       Tree("", {I("LEFT", 1), I("RIGHT", 2), I("TOP", 3), I("BOTTOM", 4294967295LL)})},
      {"CropInfoF", CropInfoF2Property({0.5, 0.25, 0.0, 1.0}),
       Tree("", {D("LEFT", 0.5), D("RIGHT", 0.25), D("TOP", 0.0), D("BOTTOM", 1.0)})},
      {"Color", Color2Property(color), Tree("", {I("RED", 255), I("GREEN", 1), I("BLUE", 2), I("ALPHA", 128)})},
      {"Crop", Settings2Property(crop),
       Tree(SettingsEffectCrop::CLASS_ID, {I("effectCropOffsetX", 1), I("effectCropOffsetY", 2),
                                           I("effectCropWidth", 4294967295LL), I("effectCropHeight", 4)})},
      {"Flip", Settings2Property(flip),
       Tree(SettingsEffectFlip::CLASS_ID, {B("effectFlipHoriz", false), B("effectFlipVert", true)})},
      {"Transpose", Settings2Property(transpose),
       Tree(SettingsEffectTranspose::CLASS_ID, {I("effectTransposeAngle", 270)})},
      {"Deshake", Settings2Property(deshake),
       Tree(SettingsEffectDeshake::CLASS_ID, {I("blocksize", -16), B("isEnabled", true)})},
      {"Stabilizer", Settings2Property(SampleStabilizer()),
       Tree(SettingsEffectStabilizer::CLASS_ID,
            {B("is_analize_mode", false), S("log_file", "motion.trf"), B("is_enabled", true), I("accuracy", 9),
             I("shakiness", -3), I("stepsize", 4), I("smoothing", 30), I("optzoom", 2)})},
      {"ChromaLuma", Settings2Property(denoise),
       Tree(SettingsEffectDenoiseChromaLuma::CLASS_ID,
            {D("chroma_strength", 2.5), D("luma_strength", 1.5), D("chroma_strength_temporal", 4.5),
             D("luma_strength_temporal", 3.5)})},
      {"Deinterlace", Settings2Property(deinterlace),
       Tree(SettingsDeinterlace::CLASS_ID, {I("FrameMode", 2), I("DeinterlaceMode", 1)})},
      {"NoiseGate", Settings2Property(gate),
       Tree(SettingsAudioNoiseGate::CLASS_ID,
            {D("threshold", 0.0), D("attack", 0.03), D("decay", 0.08), D("softKnee", 0.01)})},
      {"SubtitleDrawer", Settings2Property(SampleSubtitleDrawer()),
       Tree(SettingsSubtitleDrawer::CLASS_ID,
            {I("shift_top", 4294967280LL), I("shift_left", 12), I("offset_timestamp", -5000000000LL),
             I("align_horizontal", 1), I("align_vertical", -2)})},
      {"VideoMixer", Settings2Property(SettingsFilterVideoMixer()), Property(SettingsFilterVideoMixer::CLASS_ID)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.written, c.expected) << c.family;

  Property interval0 =
      Tree("interval", {I("start_time", 0), I("end_time", 1000000), I("time_shift", 0), B("is_deleted", false)});
  Property interval1 = Tree(
      "interval", {I("start_time", 5000000), I("end_time", 9000000), I("time_shift", -4000000), B("is_deleted", true)});
  Property cut(SettingsFilterCutController::CLASS_ID);
  cut.Add(interval0);
  cut.Add(interval1);
  EXPECT_EQ(Settings2Property(SampleCutController()), cut);
}

TEST(SettingsConversionTest, EveryRecordFamilySurvivesItsTree) {
  const CropInfo crop{7, 0xFFFFFFFFu, 0, 3};
  EXPECT_EQ(Property2CropInfo(CropInfo2Property(crop), {}), crop);
  const CropInfoF cropF{0.1, -0.2, 1e300, 0.0};
  EXPECT_EQ(Property2CropInfoF(CropInfoF2Property(cropF), {}), cropF);
  const Color color{1, 2, 3, 255};
  EXPECT_EQ(Property2Color(Color2Property(color), {}), color);

  SettingsEffectCrop ec;
  ec.offsetX = 0xFFFFFFFFu;
  ec.height = 1080;
  EXPECT_EQ(Property2SettingsCrop(Settings2Property(ec)), ec);
  SettingsEffectFlip flip;
  flip.horizontal = true;
  EXPECT_EQ(Property2SettingsFlip(Settings2Property(flip)), flip);
  for (int turns = 0; turns < 4; ++turns) {
    SettingsEffectTranspose t;
    t.quarterTurns = turns;
    EXPECT_TRUE(Property2SettingsTranspose(Settings2Property(t)).IsEqualTo(t)) << turns;
  }
  SettingsEffectDeshake deshake;
  deshake.blockSize = -1;
  deshake.enabled = true;
  const SettingsEffectDeshake deshakeBack = Property2SettingsDeshake(Settings2Property(deshake));
  EXPECT_EQ(deshakeBack.blockSize, -1);
  EXPECT_TRUE(deshakeBack.enabled);
  EXPECT_EQ(Property2SettingsStabilizer(Settings2Property(SampleStabilizer())), SampleStabilizer());
  SettingsEffectDenoiseChromaLuma denoise;
  denoise.chromaStrengthTemporal = 0.125;
  EXPECT_EQ(Property2SettingsChromaLuma(Settings2Property(denoise)), denoise);
  EXPECT_EQ(Property2SettingsCutController(Settings2Property(SampleCutController())), SampleCutController());
  EXPECT_EQ(Property2SettingsCutController(Settings2Property(SettingsFilterCutController())),
            SettingsFilterCutController());
  SettingsDeinterlace deinterlace;
  deinterlace.frameMode = -7;
  deinterlace.deinterlaceMode = 0;
  EXPECT_TRUE(Property2SettingsDeinterlace(Settings2Property(deinterlace)).IsEqualTo(deinterlace));
  SettingsAudioNoiseGate gate;
  gate.threshold = -0.5;
  EXPECT_EQ(Property2SettingsNoiseGate(Settings2Property(gate)), gate);
  EXPECT_EQ(Property2SettingsSubtitleDrawer(Settings2Property(SampleSubtitleDrawer())), SampleSubtitleDrawer());
  EXPECT_TRUE(Property2Settings(Settings2Property(SettingsFilterVideoMixer())).IsEqualTo(SettingsFilterVideoMixer()));
}

// Each reader with a tree of another class: the message text, the name, ")!", and the
// reader's own throw location.
TEST(SettingsConversionTest, ReadersRejectTreesOfAnotherClass) {
  const std::string object = "Object was initialized with incorrect class (";
  struct Case {
    std::function<void(const Property&)> read;
    std::string message;
    int line;
    const char* function;
  };
  const Case cases[] = {
      {[](const Property& p) { Property2SettingsCrop(p); }, object, 117,
       "Tivrel::Proc::SettingsEffectCrop Tivrel::Proc::Property2SettingsCrop(const Tivrel::Core::Property &)"},
      {[](const Property& p) { Property2SettingsFlip(p); }, object, 144,
       "Tivrel::Proc::SettingsEffectFlip Tivrel::Proc::Property2SettingsFlip(const Core::Property &)"},
      {[](const Property& p) { Property2SettingsTranspose(p); }, "Object was initialized with incorrece class (", 167,
       "Tivrel::Proc::SettingsEffectTranspose Tivrel::Proc::Property2SettingsTranspose(const Tivrel::Core::Property "
       "&)"},
      {[](const Property& p) { Property2SettingsDeshake(p); }, object, 198,
       "Tivrel::Proc::SettingsEffectDeshake Tivrel::Proc::Property2SettingsDeshake(const Tivrel::Core::Property &)"},
      {[](const Property& p) { Property2SettingsStabilizer(p); }, object, 237,
       "Tivrel::Proc::SettingsEffectStabilizer Tivrel::Proc::Property2SettingsStabilizer(const Tivrel::Core::Property "
       "&)"},
      {[](const Property& p) { Property2SettingsChromaLuma(p); }, object, 273,
       "Tivrel::Proc::SettingsEffectDenoiseChromaLuma Tivrel::Proc::Property2SettingsChromaLuma(const "
       "Tivrel::Core::Property &)"},
      {[](const Property& p) { Property2SettingsCutController(p); }, object, 312,
       "Tivrel::Proc::SettingsFilterCutController Tivrel::Proc::Property2SettingsCutController(const "
       "Tivrel::Core::Property &)"},
      {[](const Property& p) { Property2SettingsDeinterlace(p); }, object, 344,
       "Tivrel::Proc::SettingsDeinterlace Tivrel::Proc::Property2SettingsDeinterlace(const Tivrel::Core::Property &)"},
      {[](const Property& p) { Property2SettingsNoiseGate(p); }, object, 374,
       "Tivrel::Proc::SettingsAudioNoiseGate Tivrel::Proc::Property2SettingsNoiseGate(const Tivrel::Core::Property "
       "&)"},
      {[](const Property& p) { Property2SettingsSubtitleDrawer(p); }, object, 407,
       "Tivrel::Proc::SettingsSubtitleDrawer Tivrel::Proc::Property2SettingsSubtitleDrawer(const "
       "Tivrel::Core::Property &)"},
      {[](const Property& p) { Property2Settings(p); }, "Filter was initialized with incorrect class (", 428,
       "Tivrel::Proc::SettingsFilterVideoMixer Tivrel::Proc::Property2Settings(const Core::Property &)"},
  };
  // A name that differs from every identifier only in its last byte, and the empty name.
  for (const std::string& name : {std::string("SettingsEffectCroq"), std::string()}) {
    for (const Case& c : cases) {
      try {
        c.read(Property(name));
        ADD_FAILURE() << c.function << " accepted " << name;
      } catch (const FilterException& e) {
        ASSERT_NE(boost::get_error_info<TagDescription>(e), nullptr);
        EXPECT_EQ(*boost::get_error_info<TagDescription>(e), c.message + name + ")!");
        EXPECT_NE(boost::get_error_info<TagCallStack>(e), nullptr);
        EXPECT_EQ(*boost::get_error_info<boost::throw_line>(e), c.line);
        EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(e), c.function);
        EXPECT_STREQ(*boost::get_error_info<boost::throw_file>(e), "Proc/Interfaces/SettingsConversion.cc");
      }
    }
  }
}

TEST(SettingsConversionTest, OptionalKeysKeepTheirDefaults) {
  const SettingsEffectCrop crop =
      Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {I("effectCropWidth", 640)}));
  EXPECT_EQ(crop, (SettingsEffectCrop{0, 0, 640, 0}));

  const SettingsDeinterlace deinterlace =
      Property2SettingsDeinterlace(Tree(SettingsDeinterlace::CLASS_ID, {I("FrameMode", 2)}));
  EXPECT_EQ(deinterlace.frameMode, 2);
  EXPECT_EQ(deinterlace.deinterlaceMode, 1);

  const CropInfo defaults{1, 2, 3, 4};
  EXPECT_EQ(Property2CropInfo(Property("any name"), defaults), defaults);
  EXPECT_EQ(Property2CropInfo(Tree("x", {I("TOP", 9)}), defaults), (CropInfo{1, 2, 9, 4}));
  EXPECT_EQ(Property2Color(Tree("", {I("RED", 300), I("ALPHA", -1)}), Color{0, 5, 6, 7}), (Color{44, 5, 6, 255}));
  // Value readers convert numerically: a double margin and a bool flag are accepted.
  EXPECT_EQ(Property2CropInfoF(Tree("", {I("LEFT", 2)}), {}).left, 2.0);
  EXPECT_TRUE(Property2SettingsFlip(Tree(SettingsEffectFlip::CLASS_ID, {I("effectFlipVert", 7)})).vertical);
  // The stabilizer fields that the tree does not carry keep the record's defaults.
  const SettingsEffectStabilizer st = Property2SettingsStabilizer(Settings2Property(SampleStabilizer()));
  EXPECT_EQ(st.minContrast, 25);
  EXPECT_EQ(st.interpolation, 2);
}

TEST(SettingsConversionTest, TransposeAngleGivesWholeQuarterTurns) {
  const struct {
    long long angle;
    int turns;
  } cases[] = {{89, 0},  {90, 1},  {179, 1}, {180, 2},       {270, 3},
               {360, 0}, {450, 1}, {-90, 0}, {INT64_MIN, 0}, {INT64_MAX, static_cast<int>((INT64_MAX / 90) % 4)}};
  for (const auto& c : cases) {
    const Property tree = Tree(SettingsEffectTranspose::CLASS_ID, {I("effectTransposeAngle", c.angle)});
    EXPECT_EQ(Property2SettingsTranspose(tree).quarterTurns, c.turns) << c.angle;
  }
  EXPECT_EQ(Property2SettingsTranspose(Property(SettingsEffectTranspose::CLASS_ID)).quarterTurns, 0);
  SettingsEffectTranspose negative;
  negative.quarterTurns = -1;
  EXPECT_EQ(Settings2Property(negative)["effectTransposeAngle"].GetInt64(), -90);
}

TEST(SettingsConversionTest, NarrowFieldsKeepTheLowBits) {
  const Property deshake = Tree(SettingsEffectDeshake::CLASS_ID, {I("blocksize", 0x100000008LL), B("isEnabled", true)});
  EXPECT_EQ(Property2SettingsDeshake(deshake).blockSize, 8);
  const SettingsEffectCrop crop =
      Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {I("effectCropOffsetX", -1)}));
  EXPECT_EQ(crop.offsetX, 0xFFFFFFFFu);
  const Property drawer = Tree(SettingsSubtitleDrawer::CLASS_ID,
                               {I("shift_top", -1), I("shift_left", 0x1FFFFFFFFLL), I("offset_timestamp", INT64_MIN),
                                I("align_horizontal", 0x100000002LL), I("align_vertical", -1)});
  const SettingsSubtitleDrawer sd = Property2SettingsSubtitleDrawer(drawer);
  EXPECT_EQ(sd.shiftTop, 0xFFFFFFFFu);
  EXPECT_EQ(sd.shiftLeft, 0xFFFFFFFFu);
  EXPECT_EQ(sd.timeOffset, INT64_MIN);
  EXPECT_EQ(static_cast<int32_t>(sd.GetHorizontalAlignment()), 2);
  EXPECT_EQ(static_cast<int32_t>(sd.GetVerticalAlignment()), -1);
}

// Required keys are taken without a test: a missing key or a leaf of another kind fails in
// the property tree, never with a half-read record.
TEST(SettingsConversionTest, MissingOrMistypedRequiredKeysFailInTheTree) {
  Property stabilizer = Settings2Property(SampleStabilizer());
  stabilizer["optzoom"] = 1.5;  // a double where an integer is required
  Property gate = Settings2Property(SettingsAudioNoiseGate());
  gate["decay"] = 1LL;  // an integer where a double is required
  Property cutLeafChild(SettingsFilterCutController::CLASS_ID);
  cutLeafChild.CreateChildT<long long>("interval", 1);  // an interval that is a leaf
  Property cutMissing = Settings2Property(SampleCutController());
  cutMissing[1] = Tree("interval", {I("start_time", 0), I("end_time", 1), B("is_deleted", false)});

  const std::vector<std::function<void()>> reads = {
      [] { Property2SettingsDeshake(Tree(SettingsEffectDeshake::CLASS_ID, {I("blocksize", 8)})); },
      [&] { Property2SettingsStabilizer(stabilizer); },
      [] { Property2SettingsChromaLuma(Property(SettingsEffectDenoiseChromaLuma::CLASS_ID)); },
      [&] { Property2SettingsNoiseGate(gate); },
      [&] { Property2SettingsCutController(cutLeafChild); },
      [&] { Property2SettingsCutController(cutMissing); },
      [] { Property2SettingsSubtitleDrawer(Property(SettingsSubtitleDrawer::CLASS_ID)); },
      [] { Property2SettingsDeinterlace(Tree(SettingsDeinterlace::CLASS_ID, {S("FrameMode", "2")})); },
      [] { Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {D("effectCropWidth", 1e30)})); },
  };
  for (size_t i = 0; i < reads.size(); ++i) EXPECT_THROW(reads[i](), Core::PropertyException) << "case " << i;
}

TEST(SettingsConversionTest, CutControllerReadsEveryChildWhateverItsName) {
  Property tree(SettingsFilterCutController::CLASS_ID);
  EXPECT_EQ(Property2SettingsCutController(tree), SettingsFilterCutController());
  Property renamed =
      Tree("not_an_interval", {I("start_time", 3), I("end_time", 4), I("time_shift", 0), B("is_deleted", false)});
  tree.Add(renamed);
  tree.Add(renamed);
  const SettingsFilterCutController cut = Property2SettingsCutController(tree);
  ASSERT_EQ(cut.intervals.size(), 2u);
  EXPECT_EQ(cut.intervals[1].startTime, 3);
}

}  // namespace
}  // namespace Tivrel::Proc
