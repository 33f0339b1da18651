#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>
#include <boost/rational.hpp>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/IEffectMagicEnhance.h"
#include "Proc/Interfaces/IEncoder.h"
#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"
#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"
#include "Proc/Interfaces/IFilterAudioVolume.h"
#include "Proc/Interfaces/IFilterFrameRate.h"
#include "Proc/Interfaces/IFilterRepeatController.h"
#include "Proc/Interfaces/IFilterResample.h"
#include "Proc/Interfaces/IFilterVideoMixer.h"
#include "Proc/Interfaces/IFilterWatermark.h"
#include "Proc/Interfaces/Stub.h"
#include "Proc/Settings/SettingsFilterVideoMixer.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using Ratio = boost::rational<long long>;
using Audio = Conf::IFormatCodecAudio;

Property Tree(const std::string& name, std::initializer_list<Property> children) {
  Property tree(name);
  for (const Property& child : children) tree.Add(child);
  return tree;
}

SettingsEffectMagicEnhance SampleEnhance() {
  SettingsEffectMagicEnhance s;
  s.autoContrast = 7;  // any non-zero value is "automatic"
  s.brightness = -5;
  s.contrast = 12;
  s.highlights = 3;
  s.shadows = -4;
  s.temperature = 6500;
  s.tint = -1;
  s.autoSaturation = 1;
  s.saturation = 0.5;
  s.hue = 359;
  return s;
}

// Every writer and maker: exact names, order and value kinds.
TEST(FilterSettingsHelpersTest, WritersBuildExactlyTheListedChildren) {
  SettingsTwoPassEncoding twoPass;
  twoPass.analysisMode = false;
  twoPass.logFile = "pass.log";
  SettingsFilterResample resample;
  resample.channelLayout = Conf::CH_LAYOUT_5POINT1;
  resample.sampleFormat = Conf::SAMPLE_FMT_FLTP;
  resample.sampleRate = 48000;
  const std::string mixer = SettingsFilterVideoMixer::CLASS_ID;

  const struct {
    const char* what;
    Property written;
    Property expected;
  } cases[] = {
      {"blend", IBlend::Settings2Property({-1, 10, -20, 99}),
       Tree(IBlend::CLASS_ID,
            {Property("blendingPositionX", 10), Property("blendingPositionY", -20), Property("blendingAlpha", -1)})},
      {"enhance", IEffectMagicEnhance::Settings2Property(SampleEnhance()),
       Tree(IEffectMagicEnhance::CLASS_ID,
            {Property("AUTO_CONTRAST", true), Property("BRIGHTNESS", -5), Property("CONTRAST", 12),
             Property("HIGHLIGHTS", 3), Property("SHADOWS", -4), Property("AUTO_WHITE_BALANCE", false),
             Property("TEMPERATURE", 6500), Property("TINT", -1), Property("AUTO_SATURATION", true),
             Property("SATURATION", -50), Property("HUE", 359)})},
      {"two-pass", IEncoder::Settings2Property(twoPass),
       Tree(SettingsTwoPassEncoding::CLASS_ID, {Property("is_analize_mode", false), Property("log_file", "pass.log")})},
      {"volume", IFilterAudioVolume::Settings2Property({0.755, true}),
       Tree(IFilterAudioVolume::CLASS_ID, {Property("volumeValue", 75), Property("volumeNormalizeMode", true)})},
      {"frame rate", IFilterFrameRate::MakeSettings(Ratio(30000, 1001)),
       Tree(IFilterFrameRate::CLASS_ID, {Property(Conf::IPreset::KEY_TYPE_ID, ""),
                                         Property(Conf::IFormatCodecVideo::TAG_FPS, Ratio(30000, 1001))})},
      {"repeat", IFilterRepeatController::MakeEmptySettings(),
       Tree(IFilterRepeatController::CLASS_ID,
            {Property("$$REDEFINE_DURATION$$", 2592000000000LL), Property("$$REPEAT_MODE$$", "$$REPEAT_MODE_LAST$$")})},
      {"resample", IFilterResample::Settings2Property(resample),
       Tree(SettingsFilterResample::CLASS_ID,
            {Tree("$$RESAMPLE$$",
                  {Property(Conf::IPreset::KEY_TYPE_ID, ImplNames::DEFAULT), Property(Audio::TAG_SAMPLE_RATE, 48000),
                   Property(Audio::TAG_LAYOUT, "5.1"), Property(Audio::TAG_SAMPLE_FORMAT, "fltp")})})},
      {"mixer", IFilterVideoMixer::MakeSettings(), Property(mixer)},
      {"mixer combining", IFilterVideoMixer::MakeCombiningSettings(false, -7, -1, 2, "transparencyBlink", false),
       Tree("", {Property("useFirstFrameAsWatermark", false), Property("startTime", -7),
                 Property("blendingPositionX", -1), Property("blendingPositionY", 2),
                 Property("transparencyType", "transparencyBlink"), Property("loopStream", false)})},
      {"watermark", IFilterWatermark::MakeWatermarkSettings(),
       Tree(mixer, {Property("IsWatermark", true), Property("placeAfterResize", true)})},
      {"captions", IFilterWatermark::MakeCaptionsSettings(),
       Tree(mixer, {Property("IsCaptions", true), Property("placeAfterResize", true)})},
      {"watermark combining", IFilterWatermark::MakeCombiningSettings(0.1, 0.2, 0.3, 0.4, 128),
       Tree("",
            {Property("useFirstFrameAsWatermark", true), Property("startTime", 0), Property("blendingPositionX", 0),
             Property("blendingPositionY", 0), Property("transparencyType", "fixedAlpha"), Property("loopStream", true),
             Property("addSlaveResize", true), Property("slaveRelativeX", 0.1), Property("slaveRelativeY", 0.2),
             Property("slaveRelativeW", 0.3), Property("slaveRelativeH", 0.4), Property("blendingAlpha", 128)})},
  };
  for (const auto& c : cases) EXPECT_EQ(c.written, c.expected) << c.what;
}

TEST(FilterSettingsHelpersTest, RecordsSurviveTheirTrees) {
  const SettingsEffectImageBlender blend{17, -3, 1 << 30, 0};
  EXPECT_EQ(IBlend::Property2Settings(IBlend::Settings2Property(blend)), blend);
  SettingsEffectMagicEnhance enhance = SampleEnhance();
  enhance.autoContrast = 1;  // flags read back as 1 or 0
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(IEffectMagicEnhance::Settings2Property(enhance)), enhance);
  SettingsFilterResample resample;
  resample.channelLayout = Conf::CH_LAYOUT_STEREO;
  resample.sampleRate = 44100;
  EXPECT_TRUE(IFilterResample::Property2Settings(IFilterResample::Settings2Property(resample)).IsEqualTo(resample));
}

// Whole percentages: truncation toward zero, saturation as an offset from 100, the low 32
// bits of values of any size, and no conversion of a value without bits.
TEST(FilterSettingsHelpersTest, PercentagesTruncateAndKeepTheLow32Bits) {
  const struct {
    double factor;
    long long volume;
    long long saturation;
  } cases[] = {
      // clang-format off
      {1.0, 100, 0},
      {0.5, 50, -50},
      {0.755, 75, -24},
      {-0.004, 0, -100},
      {42949672.97, 1, -99},                   // 4294967297 and 4294967197 keep their low 32 bits
      {30000000.0, -1294967296, -1294967396},  // 3000000000 is negative as 32 bits
      {1e300, 0, -100},                        // a multiple of 2^32
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IFilterAudioVolume::Settings2Property({c.factor, false})["volumeValue"].GetInt64(), c.volume) << c.factor;
    SettingsEffectMagicEnhance enhance;
    enhance.saturation = c.factor;
    EXPECT_EQ(IEffectMagicEnhance::Settings2Property(enhance)["SATURATION"].GetInt64(), c.saturation) << c.factor;
  }
  EXPECT_EQ(IFilterAudioVolume::Property2Settings(IFilterAudioVolume::Settings2Property({0.755, false})).volume, 0.75);
  for (const double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::max()}) {
    SettingsEffectMagicEnhance enhance;
    enhance.saturation = bad;
    EXPECT_THROW(IEffectMagicEnhance::Settings2Property(enhance), std::invalid_argument) << bad;
    EXPECT_THROW(IFilterAudioVolume::Settings2Property({bad, false}), std::invalid_argument) << bad;
  }
}

TEST(FilterSettingsHelpersTest, ReadersFillWhatIsAbsentWithDefaults) {
  EXPECT_EQ(IBlend::Property2Settings(Property(IBlend::CLASS_ID)), (SettingsEffectImageBlender{255, 0, 0, 0}));
  EXPECT_EQ(IBlend::Property2Settings(Tree(IBlend::CLASS_ID, {Property("blendingPositionY", 2.9)})).positionY, 2);

  const struct {
    long long stored;
    int32_t hue;
  } hues[] = {{-30, 330}, {725, 5}, {360, 0}, {-360, 0}, {INT32_MIN, 232}, {0x100000000LL + 10, 10}};
  for (const auto& c : hues) {
    const Property tree = Tree(IEffectMagicEnhance::CLASS_ID, {Property("HUE", c.stored)});
    EXPECT_EQ(IEffectMagicEnhance::Property2Settings(tree).hue, c.hue) << c.stored;
  }
  SettingsEffectMagicEnhance empty;
  empty.saturation = 1.0;
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Property(IEffectMagicEnhance::CLASS_ID)), empty);
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Tree(IEffectMagicEnhance::CLASS_ID, {Property("SATURATION", -50)}))
                .saturation,
            0.5);

  // The frame-rate and resample readers do not look at the root's name.
  EXPECT_EQ(IFilterFrameRate::Property2Settings(Tree("any", {Property("fps", Ratio(50, 1))})).frameRate, Ratio(50));
  const SettingsFilterResample resample = IFilterResample::Property2Settings(Tree("any", {Property("$$RESAMPLE$$")}));
  EXPECT_EQ(resample.channelLayout, Conf::CH_LAYOUT_NONE);
  EXPECT_EQ(resample.sampleFormat, Conf::SAMPLE_FMT_NONE);
  EXPECT_EQ(resample.sampleRate, -1);
}

TEST(FilterSettingsHelpersTest, MissingOrUnknownValuesFail) {
  EXPECT_THROW(
      IEncoder::Property2Settings(Tree(SettingsTwoPassEncoding::CLASS_ID, {Property("is_analize_mode", true)})),
      Core::PropertyException);
  EXPECT_THROW(IFilterResample::Property2Settings(Property(SettingsFilterResample::CLASS_ID)), Core::PropertyException);
  const Property unknownLayout = Tree("", {Tree("$$RESAMPLE$$", {Property(Audio::TAG_LAYOUT, "9.1")})});
  EXPECT_THROW(IFilterResample::Property2Settings(unknownLayout), std::invalid_argument);
  SettingsFilterResample noRecord;
  noRecord.sampleFormat = static_cast<Conf::SampleFormats>(77);
  EXPECT_THROW(IFilterResample::Settings2Property(noRecord), std::invalid_argument);
}

TEST(FilterSettingsHelpersTest, EffectListsKeepOrderAndDuplicates) {
  const Property a = Tree("A", {Property("strength", 3)});
  const Property b = Tree("B", {Property("classKey", "stale")});  // overwritten with the tree's own name
  const Property list = IFilterApplyEffectsVideo::SettingsEffects2FilterSettings({a, b, a});
  const Property item = Tree("A", {Property("strength", 3), Property("classKey", "A")});
  EXPECT_EQ(list,
            Tree(IFilterApplyEffectsVideo::CLASS_ID,
                 {Property("classKey", IFilterApplyEffectsVideo::CLASS_ID), Property(Conf::IPreset::KEY_TYPE_ID, ""),
                  Tree("effectsList", {item, Tree("B", {Property("classKey", "B")}), item})}));

  const std::vector<Property> back = IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(list);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0], item);
  EXPECT_EQ(back[1].GetName(), "B");
  EXPECT_EQ(back[2], item);

  // An item is named by its class key, not by its own name.
  Property renamed = IFilterApplyEffectsAudio::SettingsEffects2FilterSettings({a});
  EXPECT_EQ(renamed[2].GetName(), "audioEffectsList");
  renamed[2][0]["classKey"] = std::string("C");
  EXPECT_EQ(IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(renamed)[0].GetName(), "C");

  renamed[2].Add(Property("X"));  // without a class key
  EXPECT_THROW(IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(renamed), Core::PropertyException);
}

TEST(FilterSettingsHelpersTest, ReadersRefuseTreesOfAnotherClass) {
  const std::string filter = "Filter was initialized with incorrect class (";
  const struct {
    std::function<void(const Property&)> read;
    std::string head;
    const char* file;
    int line;
    const char* function;
  } cases[] = {
      {[](const Property& p) { IBlend::Property2Settings(p); }, filter, "IBlend", 26,
       "static IBlend::SettingsType Tivrel::Proc::IBlend::Property2Settings(const Core::Property &)"},
      {[](const Property& p) { IEffectMagicEnhance::Property2Settings(p); },
       IEffectMagicEnhance::CLASS_ID + " was initialized with incorrect class (", "IEffectMagicEnhance", 43,
       "static Tivrel::Proc::SettingsEffectMagicEnhance Tivrel::Proc::IEffectMagicEnhance::Property2Settings(const "
       "Core::Property &)"},
      {[](const Property& p) { IEncoder::Property2Settings(p); }, "Object was initialized with incorrect class (",
       "IEncoder", 21,
       "static Tivrel::Proc::SettingsTwoPassEncoding Tivrel::Proc::IEncoder::Property2Settings(const Core::Property "
       "&)"},
      {[](const Property& p) { IFilterAudioVolume::Property2Settings(p); },
       IFilterAudioVolume::CLASS_ID + " was initialized with incorrect class (", "IFilterAudioVolume", 22,
       "static Tivrel::Proc::SettingsFilterAudioVolume Tivrel::Proc::IFilterAudioVolume::Property2Settings(const "
       "Core::Property &)"},
      {[](const Property& p) { IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(p); }, filter,
       "IFilterApplyEffectsAudio", 32,
       "static std::vector<Property> Tivrel::Proc::IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(const "
       "Tivrel::Core::Property &)"},
      {[](const Property& p) { IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(p); }, filter,
       "IFilterApplyEffectsVideo", 32,
       "static std::vector<Property> Tivrel::Proc::IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(const "
       "Tivrel::Core::Property &)"},
  };
  // A name one byte longer than a real identifier, and the empty name.
  for (const std::string& name : {IFilterApplyEffectsAudio::CLASS_ID + "x", std::string()}) {
    for (const auto& c : cases) {
      try {
        c.read(Property(name));
        ADD_FAILURE() << c.function << " accepted " << name;
      } catch (const FilterException& e) {
        EXPECT_EQ(*boost::get_error_info<TagDescription>(e), c.head + name + ")!");
        EXPECT_NE(boost::get_error_info<TagCallStack>(e), nullptr);
        EXPECT_EQ(*boost::get_error_info<boost::throw_file>(e), "Proc/Interfaces/" + std::string(c.file) + ".cc");
        EXPECT_EQ(*boost::get_error_info<boost::throw_line>(e), c.line);
        EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(e), c.function);
      }
    }
  }
  EXPECT_THROW(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(
                   IFilterApplyEffectsAudio::SettingsEffects2FilterSettings({})),
               FilterException);
}

}  // namespace
}  // namespace Tivrel::Proc
