// The settings conversions, the filter settings helpers and the resize settings: exact trees of every writer and
// maker, every registered reader's reread and class check, whole percentages, enumerator texts, and what the readers
// make of partial or odd trees.

#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IFilterRepeatController.h"
#include "Proc/Interfaces/IFilterVideoMixer.h"
#include "Proc/Interfaces/IFilterWatermark.h"
#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/SettingsRegistry.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using P = Property;
using Testing::Tree;
using Audio = Conf::IFormatCodecAudio;
using Video = Conf::IFormatCodecVideo;
using R = SettingsResizer;

// The exact trees, key texts, value kinds and child order included: other libraries read
// them by name. The records are the registry's samples.
TEST(SettingsConversionTest, EveryWriterAndMakerBuildsItsExactTree) {
  const Property interval1 =
      Tree("interval", {P("start_time", 0), P("end_time", 1000000), P("time_shift", 0), P("is_deleted", false)});
  const Property interval2 = Tree(
      "interval", {P("start_time", 5000000), P("end_time", 9000000), P("time_shift", -4000000), P("is_deleted", true)});
  const std::string type = Conf::IPreset::KEY_TYPE_ID, mixer = SettingsFilterVideoMixer::CLASS_ID;
  const std::string &flipId = SettingsEffectFlip::CLASS_ID, &deinterlaceId = SettingsDeinterlace::CLASS_ID;
  const Property flipItem =
      Tree(flipId, {P("effectFlipHoriz", true), P("effectFlipVert", false), P("classKey", flipId)});
  const Property deinterlaceItem =
      Tree(deinterlaceId, {P("FrameMode", 0), P("DeinterlaceMode", 1), P("classKey", deinterlaceId)});
  const auto sample = [](const char* family) { return Testing::FindSettingsFamily(family).sample(); };
  const std::pair<Property, Property> cases[] = {
      {sample("CropInfo"), Tree("", {P("LEFT", 1), P("RIGHT", 2), P("TOP", 3), P("BOTTOM", 4294967295LL)})},
      {sample("CropInfoF"), Tree("", {P("LEFT", 0.5), P("RIGHT", -0.25), P("TOP", 1e300), P("BOTTOM", 0.0)})},
      {sample("Color"), Tree("", {P("RED", 255), P("GREEN", 1), P("BLUE", 2), P("ALPHA", 128)})},
      {sample("Crop"),
       Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropOffsetX", 1), P("effectCropOffsetY", 2),
                                           P("effectCropWidth", 4294967295LL), P("effectCropHeight", 4)})},
      {sample("Flip"), Tree(SettingsEffectFlip::CLASS_ID, {P("effectFlipHoriz", false), P("effectFlipVert", true)})},
      {sample("Transpose"), Tree(SettingsEffectTranspose::CLASS_ID, {P("effectTransposeAngle", 270)})},
      {sample("Deshake"), Tree(SettingsEffectDeshake::CLASS_ID, {P("blocksize", -16), P("isEnabled", true)})},
      {sample("Stabilizer"),
       Tree(SettingsEffectStabilizer::CLASS_ID,
            {P("is_analize_mode", false), P("log_file", "motion.trf"), P("is_enabled", true), P("accuracy", 9),
             P("shakiness", -3), P("stepsize", 4), P("smoothing", 30), P("optzoom", 2)})},
      {sample("ChromaLuma"), Tree(SettingsEffectDenoiseChromaLuma::CLASS_ID,
                                  {P("chroma_strength", 2.5), P("luma_strength", 1.5),
                                   P("chroma_strength_temporal", 4.5), P("luma_strength_temporal", 3.5)})},
      {sample("CutController"), Tree(SettingsFilterCutController::CLASS_ID, {interval1, interval2})},
      {sample("Deinterlace"), Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", -7), P("DeinterlaceMode", 2)})},
      {sample("NoiseGate"), Tree(SettingsAudioNoiseGate::CLASS_ID,  // the output gain is not carried
                                 {P("threshold", -0.5), P("attack", 0.25), P("decay", 0.125), P("softKnee", 2.0)})},
      {sample("SubtitleDrawer"),
       Tree(SettingsSubtitleDrawer::CLASS_ID,
            {P("shift_top", 4294967280LL), P("shift_left", 12), P("offset_timestamp", -5000000000LL),
             P("align_horizontal", 1), P("align_vertical", -2)})},
      {sample("VideoMixer"), Property(SettingsFilterVideoMixer::CLASS_ID)},
      {sample("Blend"),
       Tree(IBlend::CLASS_ID, {P("blendingPositionX", 10), P("blendingPositionY", -20), P("blendingAlpha", -1)})},
      {sample("Enhance"), Tree(IEffectMagicEnhance::CLASS_ID,
                               {P("AUTO_CONTRAST", true), P("BRIGHTNESS", -5), P("CONTRAST", 12), P("HIGHLIGHTS", 3),
                                P("SHADOWS", -4), P("AUTO_WHITE_BALANCE", false), P("TEMPERATURE", 6500), P("TINT", -1),
                                P("AUTO_SATURATION", true), P("SATURATION", -50), P("HUE", 359)})},
      {sample("TwoPass"),
       Tree(SettingsTwoPassEncoding::CLASS_ID, {P("is_analize_mode", false), P("log_file", "pass.log")})},
      {sample("Volume"), Tree(IFilterAudioVolume::CLASS_ID, {P("volumeValue", 75), P("volumeNormalizeMode", true)})},
      {sample("FrameRate"), Tree(IFilterFrameRate::CLASS_ID, {P(type, ""), P(Video::TAG_FPS, P::Ratio(30000, 1001))})},
      {sample("Resample"),
       Tree(SettingsFilterResample::CLASS_ID,
            {Tree("$$RESAMPLE$$", {P(type, ImplNames::DEFAULT), P(Audio::TAG_SAMPLE_RATE, 48000),
                                   P(Audio::TAG_LAYOUT, "5.1"), P(Audio::TAG_SAMPLE_FORMAT, "fltp")})})},
      {sample("EffectsVideo"),
       Tree(IFilterApplyEffectsVideo::CLASS_ID, {P("classKey", IFilterApplyEffectsVideo::CLASS_ID), P(type, ""),
                                                 Tree("effectsList", {flipItem, deinterlaceItem})})},
      {sample("EffectsAudio"),
       Tree(IFilterApplyEffectsAudio::CLASS_ID, {P("classKey", IFilterApplyEffectsAudio::CLASS_ID), P(type, ""),
                                                 Tree("audioEffectsList", {flipItem, deinterlaceItem})})},
      {IFilterRepeatController::MakeEmptySettings(),
       Tree(IFilterRepeatController::CLASS_ID,
            {P("$$REDEFINE_DURATION$$", 2592000000000LL), P("$$REPEAT_MODE$$", "$$REPEAT_MODE_LAST$$")})},
      {IFilterVideoMixer::MakeSettings(), Property(mixer)},
      {IFilterVideoMixer::MakeCombiningSettings(false, -7, -1, 2, "transparencyBlink", false),
       Tree("", {P("useFirstFrameAsWatermark", false), P("startTime", -7), P("blendingPositionX", -1),
                 P("blendingPositionY", 2), P("transparencyType", "transparencyBlink"), P("loopStream", false)})},
      {IFilterWatermark::MakeWatermarkSettings(), Tree(mixer, {P("IsWatermark", true), P("placeAfterResize", true)})},
      {IFilterWatermark::MakeCaptionsSettings(), Tree(mixer, {P("IsCaptions", true), P("placeAfterResize", true)})},
      {IFilterWatermark::MakeCombiningSettings(0.1, 0.2, 0.3, 0.4, 128),
       Tree("", {P("useFirstFrameAsWatermark", true), P("startTime", 0), P("blendingPositionX", 0),
                 P("blendingPositionY", 0), P("transparencyType", "fixedAlpha"), P("loopStream", true),
                 P("addSlaveResize", true), P("slaveRelativeX", 0.1), P("slaveRelativeY", 0.2),
                 P("slaveRelativeW", 0.3), P("slaveRelativeH", 0.4), P("blendingAlpha", 128)})},
  };
  for (const auto& [written, expected] : cases) EXPECT_EQ(written, expected);
}

// Every reader of the registry: samples survive a reread, and the class check compares the whole name.
class SettingsReadersTest : public ::testing::TestWithParam<Testing::SettingsFamily> {};

INSTANTIATE_TEST_SUITE_P(Registry, SettingsReadersTest, ::testing::ValuesIn(Testing::SettingsFamilies()),
                         [](const ::testing::TestParamInfo<Testing::SettingsFamily>& info) { return info.param.name; });

TEST_P(SettingsReadersTest, SampleIsNamedAfterTheClassAndSurvivesARereadExactly) {
  const Property sample = GetParam().sample();
  EXPECT_EQ(sample.GetName(), GetParam().classId ? *GetParam().classId : sample.GetName());
  EXPECT_EQ(GetParam().reread(sample), sample);
}

// Names that differ from the identifier at its end, in length or entirely; the readers
// without a class check take them all.
TEST_P(SettingsReadersTest, ClassCheckComparesTheWholeName) {
  const Testing::SettingsFamily& family = GetParam();
  const std::string id = family.classId ? *family.classId : "$$ANY$$";
  Property tree = family.sample();
  for (const std::string& name : {id + "x", id.substr(0, id.size() - 1), id.substr(0, id.size() - 1) + "#",
                                  std::string(), IFilterApplyEffectsAudio::CLASS_ID}) {
    if (name == id) continue;
    tree.SetName(name);
    if (!family.classId) {
      EXPECT_NO_THROW(family.reread(tree)) << name;
      continue;
    }
    try {
      family.reread(tree);
      ADD_FAILURE() << "accepted " << name;
    } catch (const FilterException& e) {
      EXPECT_THAT(*boost::get_error_info<TagDescription>(e), ::testing::EndsWith(" class (" + name + ")!"));
    }
  }
}

// Absent optional keys keep the defaults, present ones are converted numerically and keep their low bits; the cut
// controller reads every child as an interval whatever its name.
TEST(SettingsConversionTest, ReadersKeepDefaultsForAbsentKeysAndTheLowBitsOfWhatTheyRead) {
  EXPECT_EQ(Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropOffsetX", -1)})),
            (SettingsEffectCrop{0xFFFFFFFFu, 0, 0, 0}));
  const SettingsDeinterlace deinterlace =
      Property2SettingsDeinterlace(Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", 2)}));
  EXPECT_EQ(std::make_pair(deinterlace.frameMode, deinterlace.deinterlaceMode), std::make_pair(2, 1));
  EXPECT_EQ(Property2CropInfo(Tree("x", {P("TOP", 9)}), {1, 2, 3, 4}), (CropInfo{1, 2, 9, 4}));
  EXPECT_EQ(Property2Color(Tree("", {P("RED", 300), P("ALPHA", -1)}), Color{0, 5, 6, 7}), (Color{44, 5, 6, 255}));
  EXPECT_EQ(Property2CropInfoF(Tree("", {P("LEFT", 2)}), {}).left, 2.0);
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
  const Property cut =
      Tree("not_an_interval", {P("start_time", 3), P("end_time", 4), P("time_shift", 0), P("is_deleted", false)});
  EXPECT_EQ(Property2SettingsCutController(Property(SettingsFilterCutController::CLASS_ID)),
            SettingsFilterCutController());
  EXPECT_EQ(Property2SettingsCutController(Tree(SettingsFilterCutController::CLASS_ID, {cut, cut})).intervals,
            (std::deque<SettingsFilterCutController::Interval>{{3, 4, 0, false}, {3, 4, 0, false}}));
  EXPECT_EQ(IBlend::Property2Settings(Property(IBlend::CLASS_ID)), (SettingsEffectImageBlender{255, 0, 0, 0}));
  EXPECT_EQ(IBlend::Property2Settings(Tree(IBlend::CLASS_ID, {P("blendingPositionY", 2.9)})).positionY, 2);
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Property(IEffectMagicEnhance::CLASS_ID)),
            SettingsEffectMagicEnhance());  // without SATURATION the factor is 1.0
  EXPECT_EQ(IFilterFrameRate::Property2Settings(Tree("any", {P("fps", P::Ratio(50, 1))})).frameRate, P::Ratio(50));
  const SettingsFilterResample resample = IFilterResample::Property2Settings(Tree("any", {Property("$$RESAMPLE$$")}));
  EXPECT_EQ(std::make_tuple(resample.channelLayout, resample.sampleFormat, resample.sampleRate),
            std::make_tuple(Conf::CH_LAYOUT_NONE, Conf::SAMPLE_FMT_NONE, -1));
}

// Angles read as whole quarter turns; hues wrap into [0, 360) from their low 32 bits.
TEST(SettingsConversionTest, AnglesWrap) {
  const std::pair<long long, int> turns[] = {{89, 0},  {90, 1},  {179, 1}, {180, 2},       {270, 3},
                                             {360, 0}, {450, 1}, {-90, 0}, {INT64_MIN, 0}, {INT64_MAX, 0}};
  for (const auto& [angle, turn] : turns) {
    const Property tree = Tree(SettingsEffectTranspose::CLASS_ID, {P("effectTransposeAngle", angle)});
    EXPECT_EQ(Property2SettingsTranspose(tree).quarterTurns, turn) << angle;
  }
  EXPECT_EQ(Property2SettingsTranspose(Property(SettingsEffectTranspose::CLASS_ID)).quarterTurns, 0);
  SettingsEffectTranspose negative;
  negative.quarterTurns = -1;
  EXPECT_EQ(Settings2Property(negative)["effectTransposeAngle"].GetInt64(), -90);
  const std::pair<long long, int32_t> hues[] = {{-30, 330}, {725, 5},         {360, 0},
                                                {-360, 0},  {INT32_MIN, 232}, {0x100000000LL + 10, 10}};
  for (const auto& [stored, hue] : hues) {
    EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Tree(IEffectMagicEnhance::CLASS_ID, {P("HUE", stored)})).hue, hue)
        << stored;
  }
}

// Required keys are taken without a test: a missing key or a leaf of another kind fails in
// the tree, and the cut controller's interval keys are read in their order.
TEST(SettingsConversionTest, MissingOrMistypedRequiredKeysFailInTheTree) {
  Property stabilizer = Settings2Property(SettingsEffectStabilizer());
  stabilizer["optzoom"] = 1.5;
  Property gate = Settings2Property(SettingsAudioNoiseGate());
  gate["decay"] = 1LL;
  const std::function<void()> cases[] = {
      [] { Property2SettingsDeshake(Tree(SettingsEffectDeshake::CLASS_ID, {P("blocksize", 8)})); },
      [&] { Property2SettingsStabilizer(stabilizer); },
      [] { Property2SettingsChromaLuma(Property(SettingsEffectDenoiseChromaLuma::CLASS_ID)); },
      [&] { Property2SettingsNoiseGate(gate); },
      [] { Property2SettingsCutController(Tree(SettingsFilterCutController::CLASS_ID, {P("interval", 1)})); },
      [] { Property2SettingsSubtitleDrawer(Property(SettingsSubtitleDrawer::CLASS_ID)); },
      [] { Property2SettingsDeinterlace(Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", "2")})); },
      [] { Property2SettingsCrop(Tree(SettingsEffectCrop::CLASS_ID, {P("effectCropWidth", 1e30)})); },
      [] { IEncoder::Property2Settings(Tree(SettingsTwoPassEncoding::CLASS_ID, {P("is_analize_mode", true)})); },
      [] { IFilterResample::Property2Settings(Property(SettingsFilterResample::CLASS_ID)); },
  };
  for (const auto& read : cases) EXPECT_THROW(read(), Core::PropertyException);

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

// Truncation toward zero, saturation as an offset from 100, the low 32 bits of any value,
// and a refusal of values without whole bits; reading divides again.
TEST(FilterSettingsHelpersTest, PercentagesTruncateKeepTheLow32BitsAndReadBack) {
  // factor, volume percentage, saturation offset
  const std::tuple<double, long long, long long> cases[] = {
      {1.0, 100, 0},
      {0.5, 50, -50},
      {0.755, 75, -24},
      {-0.004, 0, -100},
      {42949672.97, 1, -99},  // 4294967297 and 4294967197 keep their low 32 bits
      {30000000.0, -1294967296, -1294967396},
      {1e300, 0, -100},  // a multiple of 2^32
  };
  for (const auto& [factor, volume, saturation] : cases) {
    EXPECT_EQ(IFilterAudioVolume::Settings2Property({factor, false})["volumeValue"].GetInt64(), volume) << factor;
    const Property enhance = IEffectMagicEnhance::Settings2Property({0, 0, 0, 0, 0, 0, 0, factor});
    EXPECT_EQ(enhance["SATURATION"].GetInt64(), saturation) << factor;
  }
  for (const double bad : {std::nan(""), -HUGE_VAL, std::numeric_limits<double>::max()}) {
    EXPECT_THROW(IEffectMagicEnhance::Settings2Property({0, 0, 0, 0, 0, 0, 0, bad}), std::invalid_argument) << bad;
    EXPECT_THROW(IFilterAudioVolume::Settings2Property({bad, false}), std::invalid_argument) << bad;
  }
  const Property volume = Tree(IFilterAudioVolume::CLASS_ID, {P("volumeValue", 75), P("volumeNormalizeMode", false)});
  EXPECT_EQ(IFilterAudioVolume::Property2Settings(volume).volume, 0.75);
  const Property halfSaturation = Tree(IEffectMagicEnhance::CLASS_ID, {P("SATURATION", -50)});
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(halfSaturation).saturation, 0.5);
}

TEST(FilterSettingsHelpersTest, UnknownFormatsFail) {
  EXPECT_THROW(IFilterResample::Property2Settings(Tree("", {Tree("$$RESAMPLE$$", {P(Audio::TAG_LAYOUT, "9.1")})})),
               std::invalid_argument);
  SettingsFilterResample noRecord;
  noRecord.sampleFormat = static_cast<Conf::SampleFormats>(77);
  EXPECT_THROW(IFilterResample::Settings2Property(noRecord), std::invalid_argument);
}

// A list keeps order and duplicates; an item is named by its class key, which it must have.
TEST(FilterSettingsHelpersTest, EffectListsKeepOrderDuplicatesAndClassKeys) {
  const Property a = Tree("A", {P("strength", 3)}), stale = Tree("B", {P("classKey", "stale")});
  Property list = IFilterApplyEffectsVideo::SettingsEffects2FilterSettings({a, stale, a});
  const Property item = Tree("A", {P("strength", 3), P("classKey", "A")});
  EXPECT_EQ(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(list),
            (std::vector<Property>{item, Tree("B", {P("classKey", "B")}), item}));
  list[2][0]["classKey"] = std::string("C");
  EXPECT_EQ(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(list)[0].GetName(), "C");
  list[2].Add(Property("X"));
  EXPECT_THROW(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(list), Core::PropertyException);
}

// A resizer tree with the keys every size mode needs, then `more`.
Property ResizerTree(const char* sizeMode, std::initializer_list<Property> more) {
  Property tree = Tree(IResize::CLASS_ID, {P("frameSize", sizeMode), P("resizeMethod", "bicubic")});
  for (const Property& child : more) tree.Add(child);
  return tree;
}

// Every enumerator has a text of its own that reads back to it; lookups are exact and values
// outside an enumeration are refused.
TEST(ResizeSettingsTest, EnumeratorTextsReadBackAndNothingElseDoes) {
  for (int i = 0; i <= R::SIZE_MODE_CUSTOM; ++i) {
    EXPECT_EQ(IResize::String2SizeModes(IResize::SizeModes2String(R::SizeModes(i))), i);
  }
  for (int i = 0; i <= R::CUSTOM_MODE_UP_TO; ++i) {
    EXPECT_EQ(IResize::String2CustomModes(IResize::CustomModes2String(R::CustomModes(i))), i);
  }
  for (int i = 0; i <= R::RESIZE_METHOD_SPLINE; ++i) {
    EXPECT_EQ(IResize::String2ResizeMethods(IResize::ResizeMethods2String(R::ResizeMethods(i))), i);
  }
  EXPECT_THROW(IResize::String2ResizeMethods("Lanczos"), std::logic_error);
  EXPECT_THROW(IResize::String2SizeModes("original "), std::logic_error);
  EXPECT_THROW(IResize::CustomModes2String(static_cast<R::CustomModes>(-1)), std::logic_error);
  R settings;
  settings.resizeMethod = static_cast<R::ResizeMethods>(11);
  EXPECT_THROW(IResize::Settings2Property(settings), std::logic_error);
}

TEST(ResizeSettingsTest, EachSizeModeWritesExactlyItsKeys) {
  R original;
  original.SetCustomMode(R::CUSTOM_MODE_CROP, {1280, 720, 1, 1});  // not written outside size mode 4
  original.SetCustomScale(2.0);
  original.maxFrameWidth = 1920;  // without a height: not written
  R scaled = original;
  scaled.SetSizeMode(R::SIZE_MODE_CUSTOM_SCALE);
  scaled.cropBottom = 2;  // one margin brings all four
  const auto tree = [](const char* impl, const char* size, double scale, const char* mode, const char* method,
                       long long w, long long h, long long ax, long long ay, std::initializer_list<Property> more) {
    Property t =
        Tree(IResize::CLASS_ID, {P(Conf::IPreset::KEY_TYPE_ID, impl), P("frameSize", size), P("scaleFactor", scale),
                                 P("resizeMode", mode), P("resizeMethod", method), P(Video::TAG_WIDTH, w),
                                 P(Video::TAG_HEIGHT, h), P(Video::TAG_ASPECTX, ax), P(Video::TAG_ASPECTY, ay)});
    for (const Property& child : more) t.Add(child);
    return t;
  };
  EXPECT_EQ(IResize::Settings2Property(original), tree("", "original", 0.0, "smartFit", "bicubic", 0, 0, 0, 0, {}));
  EXPECT_EQ(IResize::Settings2Property(scaled),
            tree("", "customOriginalScale", 2.0, "smartFit", "bicubic", 0, 0, 0, 0,
                 {P("cropTop", 0), P("cropBottom", 2), P("cropLeft", 0), P("cropRight", 0)}));
  const Property custom = tree("gpu", "custom", 0.0, "letterbox", "spline", 1280, 720, 4, 3,
                               {P("cropTop", 2), P("cropBottom", 0), P("cropLeft", 10), P("cropRight", 3),
                                P("frameSizeMaxWidth", 1920), P("frameSizeMaxHight", 1080)});
  EXPECT_EQ(Testing::FindSettingsFamily("Resizer").sample(), custom);
  // The filter tree wraps the resizer tree after an empty implementation name.
  EXPECT_EQ(Testing::FindSettingsFamily("ResizeFilter").sample(),
            Tree("$$VIDEO_RESIZE$$", {P(Conf::IPreset::KEY_TYPE_ID, ""), custom}));
}

TEST(ResizeSettingsTest, ReaderNormalisesWhatItReads) {
  // Margins: left and top rounded down to even, the others as read, all from their low bits.
  const R margins = IResize::Property2Settings(
      ResizerTree("original", {P("cropLeft", 3), P("cropTop", 5), P("cropRight", 3), P("cropBottom", 0x100000001LL),
                               P("frameSizeMaxWidth", 640), P("scaleFactor", "not read")}));
  EXPECT_EQ(std::make_tuple(margins.cropLeft, margins.cropTop, margins.cropRight, margins.cropBottom),
            std::make_tuple(2u, 4u, 3u, 1u));
  EXPECT_EQ(margins.maxFrameWidth, 0u) << "a maximum needs both keys";
  EXPECT_EQ(margins.GetImplName(), ImplNames::DEFAULT);

  // Frame aspect: (fx * height) : (fy * width), not reduced; products keep their low 32 bits.
  const auto frame = [](long long w, long long h, long long fx, long long fy) {
    return IResize::Property2Settings(
        ResizerTree("custom", {P("resizeMode", "stretch"), P(Video::TAG_WIDTH, w), P(Video::TAG_HEIGHT, h),
                               P(Video::TAG_FRAME_ASPECTX, fx), P(Video::TAG_FRAME_ASPECTY, fy)}));
  };
  EXPECT_EQ(frame(640, 480, 4, 3).GetFrameInfo(), (Conf::FrameInfo{640, 480, 1920, 1920}));
  EXPECT_EQ(frame(640, 480, 4, 3).GetCustomMode(), R::CUSTOM_MODE_STRETCH);
  EXPECT_EQ(frame(0x100000002LL, -2, INT64_MAX, INT64_MIN + 3).GetFrameInfo(), (Conf::FrameInfo{2, 0xFFFFFFFEu, 2, 6}));
}

TEST(ResizeSettingsTest, ReaderRefusesInTheOrderItReads) {
  const Property w(Video::TAG_WIDTH, 640), h(Video::TAG_HEIGHT, 480), ax(Video::TAG_ASPECTX, 1);
  // An unknown custom mode fails before the missing aspect is noticed.
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("custom", {P("resizeMode", "zoom"), w, h})), std::logic_error);
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("custom", {P("resizeMode", "auto"), w, h})), FilterException);
  EXPECT_THROW(IResize::Property2Settings(ResizerTree(
                   "custom", {P("resizeMode", "auto"), P(Video::TAG_WIDTH, 641), h, ax, P(Video::TAG_ASPECTY, 1)})),
               FilterException);
  // Required keys fail in the tree.
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("customOriginalScale", {})), Core::PropertyException);
  EXPECT_THROW(
      IResize::Property2Settings(ResizerTree("custom", {P("resizeMode", "auto"), ax, P(Video::TAG_ASPECTY, 1)})),
      Core::PropertyException);
}

}  // namespace
}  // namespace Tivrel::Proc
