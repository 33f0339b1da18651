// The filter settings helpers: exact trees of every writer and maker, whole percentages, and the readers' defaults.

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IFilterRepeatController.h"
#include "Proc/Interfaces/IFilterVideoMixer.h"
#include "Proc/Interfaces/IFilterWatermark.h"
#include "Testing/SettingsRegistry.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using P = Property;
using Testing::Tree;
using Audio = Conf::IFormatCodecAudio;

// Exact names, order and value kinds; the records are the registry's samples.
TEST(FilterSettingsHelpersTest, WritersAndMakersBuildExactlyTheListedChildren) {
  const std::string type = Conf::IPreset::KEY_TYPE_ID, mixer = SettingsFilterVideoMixer::CLASS_ID;
  const Property flip = Tree(SettingsEffectFlip::CLASS_ID, {P("effectFlipHoriz", true), P("effectFlipVert", false)});
  const Property deinterlace = Tree(SettingsDeinterlace::CLASS_ID, {P("FrameMode", 0), P("DeinterlaceMode", 1)});
  Property flipItem = flip, deinterlaceItem = deinterlace;
  flipItem.Add(P("classKey", flipItem.GetName()));
  deinterlaceItem.Add(P("classKey", deinterlaceItem.GetName()));
  const auto sample = [](const char* family) { return Testing::FindSettingsFamily(family).sample(); };
  const std::pair<Property, Property> cases[] = {
      {sample("Blend"),
       Tree(IBlend::CLASS_ID, {P("blendingPositionX", 10), P("blendingPositionY", -20), P("blendingAlpha", -1)})},
      {sample("Enhance"), Tree(IEffectMagicEnhance::CLASS_ID,
                               {P("AUTO_CONTRAST", true), P("BRIGHTNESS", -5), P("CONTRAST", 12), P("HIGHLIGHTS", 3),
                                P("SHADOWS", -4), P("AUTO_WHITE_BALANCE", false), P("TEMPERATURE", 6500), P("TINT", -1),
                                P("AUTO_SATURATION", true), P("SATURATION", -50), P("HUE", 359)})},
      {sample("TwoPass"),
       Tree(SettingsTwoPassEncoding::CLASS_ID, {P("is_analize_mode", false), P("log_file", "pass.log")})},
      {sample("Volume"), Tree(IFilterAudioVolume::CLASS_ID, {P("volumeValue", 75), P("volumeNormalizeMode", true)})},
      {sample("FrameRate"),
       Tree(IFilterFrameRate::CLASS_ID, {P(type, ""), P(Conf::IFormatCodecVideo::TAG_FPS, P::Ratio(30000, 1001))})},
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

TEST(FilterSettingsHelpersTest, ReadersFillWhatIsAbsentWithDefaults) {
  EXPECT_EQ(IBlend::Property2Settings(Property(IBlend::CLASS_ID)), (SettingsEffectImageBlender{255, 0, 0, 0}));
  EXPECT_EQ(IBlend::Property2Settings(Tree(IBlend::CLASS_ID, {P("blendingPositionY", 2.9)})).positionY, 2);
  const std::pair<long long, int32_t> hues[] = {{-30, 330}, {725, 5},         {360, 0},
                                                {-360, 0},  {INT32_MIN, 232}, {0x100000000LL + 10, 10}};
  for (const auto& [stored, hue] : hues) {
    EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Tree(IEffectMagicEnhance::CLASS_ID, {P("HUE", stored)})).hue, hue)
        << stored;
  }
  // Without SATURATION the factor is 1.0.
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Property(IEffectMagicEnhance::CLASS_ID)),
            SettingsEffectMagicEnhance());
  EXPECT_EQ(IFilterFrameRate::Property2Settings(Tree("any", {P("fps", P::Ratio(50, 1))})).frameRate, P::Ratio(50));
  const SettingsFilterResample resample = IFilterResample::Property2Settings(Tree("any", {Property("$$RESAMPLE$$")}));
  EXPECT_EQ(std::make_tuple(resample.channelLayout, resample.sampleFormat, resample.sampleRate),
            std::make_tuple(Conf::CH_LAYOUT_NONE, Conf::SAMPLE_FMT_NONE, -1));
}

TEST(FilterSettingsHelpersTest, MissingOrUnknownValuesFail) {
  EXPECT_THROW(IEncoder::Property2Settings(Tree(SettingsTwoPassEncoding::CLASS_ID, {P("is_analize_mode", true)})),
               Core::PropertyException);
  EXPECT_THROW(IFilterResample::Property2Settings(Property(SettingsFilterResample::CLASS_ID)), Core::PropertyException);
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

}  // namespace
}  // namespace Tivrel::Proc
