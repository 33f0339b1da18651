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

#include <gtest/gtest.h>
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
#include "Testing/Assertions.h"

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

template <class Read>
std::function<void(const Property&)> Call(Read read) {
  return [read](const Property& p) { read(p); };
}

// Reads a tree and writes the record it gave again.
template <class Read, class Write>
std::function<Property(const Property&)> Reread(Read read, Write write) {
  return [read, write](const Property& tree) { return write(read(tree)); };
}

// brightness, contrast, highlights, shadows, temperature, tint, hue, saturation, then the
// automatic contrast, white balance and saturation flags (any non-zero value is "automatic")
const SettingsEffectMagicEnhance kEnhance{-5, 12, 3, -4, 6500, -1, 359, 0.5, 7, 0, 1};

// Every writer and maker: exact names, order and value kinds; and where the family has a
// reader, the tree read back and written again is the same tree.
TEST(FilterSettingsHelpersTest, WritersBuildExactlyTheListedChildrenAndReadBack) {
  SettingsTwoPassEncoding twoPass;
  twoPass.analysisMode = false;
  twoPass.logFile = "pass.log";
  SettingsFilterResample resample;
  resample.channelLayout = Conf::CH_LAYOUT_5POINT1;
  resample.sampleFormat = Conf::SAMPLE_FMT_FLTP;
  resample.sampleRate = 48000;
  const std::string mixer = SettingsFilterVideoMixer::CLASS_ID;
  const Ratio ntsc(30000, 1001);

  const struct {
    const char* what;
    Property written, expected;
    std::function<Property(const Property&)> reread = nullptr;  // none: the family has no reader
  } cases[] = {
      // clang-format off
      {"blend", IBlend::Settings2Property({-1, 10, -20, 99}),
       Tree(IBlend::CLASS_ID,
            {Property("blendingPositionX", 10), Property("blendingPositionY", -20), Property("blendingAlpha", -1)}),
       Reread(IBlend::Property2Settings, IBlend::Settings2Property)},
      {"enhance", IEffectMagicEnhance::Settings2Property(kEnhance),
       Tree(IEffectMagicEnhance::CLASS_ID,
            {Property("AUTO_CONTRAST", true), Property("BRIGHTNESS", -5), Property("CONTRAST", 12),
             Property("HIGHLIGHTS", 3), Property("SHADOWS", -4), Property("AUTO_WHITE_BALANCE", false),
             Property("TEMPERATURE", 6500), Property("TINT", -1), Property("AUTO_SATURATION", true),
             Property("SATURATION", -50), Property("HUE", 359)}),
       Reread(IEffectMagicEnhance::Property2Settings, IEffectMagicEnhance::Settings2Property)},
      {"two-pass", IEncoder::Settings2Property(twoPass),
       Tree(SettingsTwoPassEncoding::CLASS_ID, {Property("is_analize_mode", false), Property("log_file", "pass.log")}),
       Reread(IEncoder::Property2Settings, IEncoder::Settings2Property)},
      {"volume", IFilterAudioVolume::Settings2Property({0.755, true}),
       Tree(IFilterAudioVolume::CLASS_ID, {Property("volumeValue", 75), Property("volumeNormalizeMode", true)}),
       Reread(IFilterAudioVolume::Property2Settings, IFilterAudioVolume::Settings2Property)},
      {"frame rate", IFilterFrameRate::MakeSettings(ntsc),
       Tree(IFilterFrameRate::CLASS_ID,
            {Property(Conf::IPreset::KEY_TYPE_ID, ""), Property(Conf::IFormatCodecVideo::TAG_FPS, ntsc)}),
       Reread(IFilterFrameRate::Property2Settings,
              [](const SettingsFilterFrameRate& s) { return IFilterFrameRate::MakeSettings(s.frameRate); })},
      {"repeat", IFilterRepeatController::MakeEmptySettings(),
       Tree(IFilterRepeatController::CLASS_ID,
            {Property("$$REDEFINE_DURATION$$", 2592000000000LL), Property("$$REPEAT_MODE$$", "$$REPEAT_MODE_LAST$$")})},
      {"resample", IFilterResample::Settings2Property(resample),
       Tree(SettingsFilterResample::CLASS_ID,
            {Tree("$$RESAMPLE$$",
                  {Property(Conf::IPreset::KEY_TYPE_ID, ImplNames::DEFAULT), Property(Audio::TAG_SAMPLE_RATE, 48000),
                   Property(Audio::TAG_LAYOUT, "5.1"), Property(Audio::TAG_SAMPLE_FORMAT, "fltp")})}),
       Reread(IFilterResample::Property2Settings, IFilterResample::Settings2Property)},
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
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.written, c.expected) << c.what;
    if (c.reread) {
      EXPECT_EQ(c.reread(c.written), c.written) << c.what;
    }
  }
}

// Whole percentages: truncation toward zero, saturation as an offset from 100, the low 32
// bits of values of any size, and no conversion of a value without bits.
TEST(FilterSettingsHelpersTest, PercentagesTruncateAndKeepTheLow32Bits) {
  // factor, volume percentage, saturation as an offset from 100
  const std::tuple<double, long long, long long> cases[] = {
      {1.0, 100, 0},
      {0.5, 50, -50},
      {0.755, 75, -24},
      {-0.004, 0, -100},
      {42949672.97, 1, -99},                   // 4294967297 and 4294967197 keep their low 32 bits
      {30000000.0, -1294967296, -1294967396},  // 3000000000 is negative as 32 bits
      {1e300, 0, -100},                        // a multiple of 2^32
  };
  for (const auto& [factor, volume, saturation] : cases) {
    EXPECT_EQ(IFilterAudioVolume::Settings2Property({factor, false})["volumeValue"].GetInt64(), volume) << factor;
    const Property enhance = IEffectMagicEnhance::Settings2Property({0, 0, 0, 0, 0, 0, 0, factor});
    EXPECT_EQ(enhance["SATURATION"].GetInt64(), saturation) << factor;
  }
  // A value without whole bits is refused rather than converted with undefined behaviour.
  for (const double bad : {std::nan(""), -HUGE_VAL, std::numeric_limits<double>::max()}) {
    EXPECT_THROW(IEffectMagicEnhance::Settings2Property({0, 0, 0, 0, 0, 0, 0, bad}), std::invalid_argument) << bad;
    EXPECT_THROW(IFilterAudioVolume::Settings2Property({bad, false}), std::invalid_argument) << bad;
  }
}

TEST(FilterSettingsHelpersTest, ReadersFillWhatIsAbsentWithDefaults) {
  EXPECT_EQ(IBlend::Property2Settings(Property(IBlend::CLASS_ID)), (SettingsEffectImageBlender{255, 0, 0, 0}));
  EXPECT_EQ(IBlend::Property2Settings(Tree(IBlend::CLASS_ID, {Property("blendingPositionY", 2.9)})).positionY, 2);

  const std::pair<long long, int32_t> hues[] = {{-30, 330}, {725, 5},         {360, 0},
                                                {-360, 0},  {INT32_MIN, 232}, {0x100000000LL + 10, 10}};
  for (const auto& [stored, hue] : hues) {
    const Property tree = Tree(IEffectMagicEnhance::CLASS_ID, {Property("HUE", stored)});
    EXPECT_EQ(IEffectMagicEnhance::Property2Settings(tree).hue, hue) << stored;
  }
  // Without SATURATION the factor is 1.0; a stored percentage offset of -50 is 0.5.
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(Property(IEffectMagicEnhance::CLASS_ID)),
            SettingsEffectMagicEnhance());
  const Property halfSaturation = Tree(IEffectMagicEnhance::CLASS_ID, {Property("SATURATION", -50)});
  EXPECT_EQ(IEffectMagicEnhance::Property2Settings(halfSaturation).saturation, 0.5);

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

  EXPECT_EQ(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(list),
            (std::vector<Property>{item, Tree("B", {Property("classKey", "B")}), item}));

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
  const std::string own = " was initialized with incorrect class (";
  const std::string effects = "static std::vector<Property> Tivrel::Proc::IFilterApplyEffects";
  const struct {
    std::function<void(const Property&)> read;
    std::string head, file;
    int line;
    std::string function;
  } cases[] = {
      // clang-format off
      {Call(IBlend::Property2Settings), filter, "IBlend", 26,
       "static IBlend::SettingsType Tivrel::Proc::IBlend::Property2Settings(const Core::Property &)"},
      {Call(IEffectMagicEnhance::Property2Settings), IEffectMagicEnhance::CLASS_ID + own, "IEffectMagicEnhance", 43,
       "static Tivrel::Proc::SettingsEffectMagicEnhance Tivrel::Proc::IEffectMagicEnhance::Property2Settings(const "
       "Core::Property &)"},
      {Call(IEncoder::Property2Settings), "Object was initialized with incorrect class (", "IEncoder", 21,
       "static Tivrel::Proc::SettingsTwoPassEncoding Tivrel::Proc::IEncoder::Property2Settings(const Core::Property &)"},
      {Call(IFilterAudioVolume::Property2Settings), IFilterAudioVolume::CLASS_ID + own, "IFilterAudioVolume", 22,
       "static Tivrel::Proc::SettingsFilterAudioVolume Tivrel::Proc::IFilterAudioVolume::Property2Settings(const "
       "Core::Property &)"},
      {Call(IFilterApplyEffectsAudio::FilterSettings2SettingsEffects), filter, "IFilterApplyEffectsAudio", 32,
       effects + "Audio::FilterSettings2SettingsEffects(const Tivrel::Core::Property &)"},
      {Call(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects), filter, "IFilterApplyEffectsVideo", 32,
       effects + "Video::FilterSettings2SettingsEffects(const Tivrel::Core::Property &)"},
      // clang-format on
  };
  // A name one byte longer than a real identifier, and the empty name.
  for (const std::string& name : {IFilterApplyEffectsAudio::CLASS_ID + "x", std::string()}) {
    for (const auto& c : cases) {
      EXPECT_THAT(
          [&] { c.read(Property(name)); },
          ::testing::Throws<FilterException>(Testing::ThrownAt(
              c.head + name + ")!", ("Proc/Interfaces/" + c.file + ".cc").c_str(), c.function.c_str(), c.line)));
    }
  }
  // The video reader refuses an audio list: the root names differ.
  EXPECT_THROW(IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(
                   IFilterApplyEffectsAudio::SettingsEffects2FilterSettings({})),
               FilterException);
}

}  // namespace
}  // namespace Tivrel::Proc
