#pragma once

// Every settings reader of the library with its writer, as one table, for tests and fuzzers
// that treat all readers alike.
//
// A family's sample is the tree its writer makes of a record whose fields differ from their
// defaults and from one another, so that a dropped, swapped or misspelt key shows. Reread
// reads a tree and writes the record it got: a reader and writer that agree give back the
// tree they were given, and a second reread of a reread tree changes nothing. Readers end in
// a record or throw: Core::PropertyException for a missing or mistyped key (thrown by the
// tree), FilterException when the root's name is not the class identifier (only the readers
// with one), and the extra refusals an entry lists. Header only, no test framework needed.

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/IEffectMagicEnhance.h"
#include "Proc/Interfaces/IEncoder.h"
#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"
#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"
#include "Proc/Interfaces/IFilterAudioVolume.h"
#include "Proc/Interfaces/IFilterFrameRate.h"
#include "Proc/Interfaces/IFilterResample.h"
#include "Proc/Interfaces/IFilterResize.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/SettingsConversion.h"

namespace Tivrel::Testing {

struct SettingsFamily {
  // Refusals some readers have besides the ones every reader has.
  enum Refusals { kUnknownText = 1, kUnknownFormatName = 2 };  // std::logic_error, std::invalid_argument

  const char* name;
  const std::string* classId;  // the name the reader requires of the root; null: any name
  Core::Property (*sample)();
  Core::Property (*reread)(const Core::Property& tree);
  int refusals = 0;                  // Refusals
  const char* percentKey = nullptr;  // a long long child holding a whole percentage, which may move by one on a reread
};

namespace SettingsRegistryDetail {

using Core::Property;
using namespace Proc;

// Rereads through a reader of SettingsConversion.h, an interface's pair, an effect-list pair.
template <auto read>
Property Conversion(const Property& tree) {
  return Settings2Property(read(tree));
}
template <class I>
Property Interface(const Property& tree) {
  return I::Settings2Property(I::Property2Settings(tree));
}
template <class I>
Property EffectList(const Property& tree) {
  return I::SettingsEffects2FilterSettings(I::FilterSettings2SettingsEffects(tree));
}

inline SettingsResizer Resizer() {
  SettingsResizer r;
  r.SetSizeMode(SettingsResizer::SIZE_MODE_CUSTOM);
  r.SetImplName("gpu");
  r.SetCustomMode(SettingsResizer::CUSTOM_MODE_LETTERBOX, {1280, 720, 4, 3});
  r.resizeMethod = SettingsResizer::RESIZE_METHOD_SPLINE;
  r.cropLeft = 10, r.cropRight = 3, r.cropTop = 2, r.cropBottom = 0;
  r.maxFrameWidth = 1920, r.maxFrameHeight = 1080;
  return r;
}

inline std::vector<Property> Effects() {
  return {Settings2Property(SettingsEffectFlip{true, false}), Settings2Property(SettingsDeinterlace())};
}

}  // namespace SettingsRegistryDetail

// The families in a fixed order (fuzz inputs choose them by position).
inline const std::vector<SettingsFamily>& SettingsFamilies() {
  using namespace SettingsRegistryDetail;
  // clang-format off
  static const std::vector<SettingsFamily> families = {
      {"CropInfo", nullptr, [] { return CropInfo2Property({1, 2, 3, 0xFFFFFFFFu}); },
       [](const Property& t) { return CropInfo2Property(Property2CropInfo(t, {})); }},
      {"CropInfoF", nullptr, [] { return CropInfoF2Property({0.5, -0.25, 1e300, 0.0}); },
       [](const Property& t) { return CropInfoF2Property(Property2CropInfoF(t, {})); }},
      {"Color", nullptr, [] { return Color2Property({255, 1, 2, 128}); },
       [](const Property& t) { return Color2Property(Property2Color(t, {})); }},
      {"Crop", &SettingsEffectCrop::CLASS_ID, [] { return Settings2Property(SettingsEffectCrop{1, 2, 0xFFFFFFFFu, 4}); },
       Conversion<Property2SettingsCrop>},
      {"Flip", &SettingsEffectFlip::CLASS_ID, [] { return Settings2Property(SettingsEffectFlip{false, true}); },
       Conversion<Property2SettingsFlip>},
      {"Transpose", &SettingsEffectTranspose::CLASS_ID, [] {
         SettingsEffectTranspose r;
         r.quarterTurns = 3;
         return Settings2Property(r);
       }, Conversion<Property2SettingsTranspose>},
      {"Deshake", &SettingsEffectDeshake::CLASS_ID, [] {
         SettingsEffectDeshake r;
         r.blockSize = -16, r.enabled = true;
         return Settings2Property(r);
       }, Conversion<Property2SettingsDeshake>},
      {"Stabilizer", &SettingsEffectStabilizer::CLASS_ID, [] {
         SettingsEffectStabilizer r;
         r.analysisMode = false, r.logFile = "motion.trf", r.enabled = true, r.accuracy = 9, r.shakiness = -3;
         r.stepSize = 4, r.smoothing = 30, r.optZoom = 2;
         return Settings2Property(r);
       }, Conversion<Property2SettingsStabilizer>},
      {"ChromaLuma", &SettingsEffectDenoiseChromaLuma::CLASS_ID,
       [] { return Settings2Property(SettingsEffectDenoiseChromaLuma{1.5, 2.5, 3.5, 4.5}); },
       Conversion<Property2SettingsChromaLuma>},
      {"CutController", &SettingsFilterCutController::CLASS_ID, [] {
         SettingsFilterCutController r;
         r.AddInterval(0, 1000000, 0, false);
         r.AddInterval(5000000, 9000000, -4000000, true);
         return Settings2Property(r);
       }, Conversion<Property2SettingsCutController>},
      {"Deinterlace", &SettingsDeinterlace::CLASS_ID, [] {
         SettingsDeinterlace r;
         r.frameMode = -7, r.deinterlaceMode = 2;
         return Settings2Property(r);
       }, Conversion<Property2SettingsDeinterlace>},
      {"NoiseGate", &SettingsAudioNoiseGate::CLASS_ID,
       [] { return Settings2Property(SettingsAudioNoiseGate{-0.5, 0.25, 0.125, 2.0, 3.0f}); },
       Conversion<Property2SettingsNoiseGate>},
      {"SubtitleDrawer", &SettingsSubtitleDrawer::CLASS_ID, [] {
         SettingsSubtitleDrawer r;
         r.shiftTop = 0xFFFFFFF0u, r.shiftLeft = 12, r.timeOffset = -5000000000LL;
         r.SetHorizontalAlignment(AlignmentHorizontal::LEFT);
         r.SetVerticalAligment(static_cast<AlignmentVertical>(-2));
         return Settings2Property(r);
       }, Conversion<Property2SettingsSubtitleDrawer>},
      {"VideoMixer", &SettingsFilterVideoMixer::CLASS_ID, [] { return Settings2Property(SettingsFilterVideoMixer()); },
       Conversion<Property2Settings>},
      {"Resizer", &IResize::CLASS_ID, [] { return IResize::Settings2Property(Resizer()); }, Interface<IResize>,
       SettingsFamily::kUnknownText},
      {"ResizeFilter", &IFilterResize::CLASS_ID, [] { return IFilterResize::Settings2Property(Resizer()); },
       Interface<IFilterResize>, SettingsFamily::kUnknownText},
      {"Blend", &IBlend::CLASS_ID, [] { return IBlend::Settings2Property({-1, 10, -20, 0}); }, Interface<IBlend>},
      {"Enhance", &IEffectMagicEnhance::CLASS_ID,
       [] { return IEffectMagicEnhance::Settings2Property({-5, 12, 3, -4, 6500, -1, 359, 0.5, 7, 0, 1}); },
       Interface<IEffectMagicEnhance>, 0, "SATURATION"},
      {"TwoPass", &SettingsTwoPassEncoding::CLASS_ID, [] {
         SettingsTwoPassEncoding r;
         r.analysisMode = false, r.logFile = "pass.log";
         return IEncoder::Settings2Property(r);
       }, Interface<IEncoder>},
      {"Volume", &IFilterAudioVolume::CLASS_ID, [] { return IFilterAudioVolume::Settings2Property({0.755, true}); },
       Interface<IFilterAudioVolume>, 0, "volumeValue"},
      {"FrameRate", nullptr, [] { return IFilterFrameRate::MakeSettings({30000, 1001}); },
       [](const Property& t) { return IFilterFrameRate::MakeSettings(IFilterFrameRate::Property2Settings(t).frameRate); }},
      {"Resample", nullptr, [] {
         SettingsFilterResample r;
         r.channelLayout = Conf::CH_LAYOUT_5POINT1, r.sampleFormat = Conf::SAMPLE_FMT_FLTP, r.sampleRate = 48000;
         return IFilterResample::Settings2Property(r);
       }, Interface<IFilterResample>, SettingsFamily::kUnknownFormatName},
      {"EffectsAudio", &IFilterApplyEffectsAudio::CLASS_ID,
       [] { return IFilterApplyEffectsAudio::SettingsEffects2FilterSettings(Effects()); },
       EffectList<IFilterApplyEffectsAudio>},
      {"EffectsVideo", &IFilterApplyEffectsVideo::CLASS_ID,
       [] { return IFilterApplyEffectsVideo::SettingsEffects2FilterSettings(Effects()); },
       EffectList<IFilterApplyEffectsVideo>},
  };
  // clang-format on
  return families;
}

// The family of this name; throws std::out_of_range for an unknown one.
inline const SettingsFamily& FindSettingsFamily(const std::string& name) {
  for (const SettingsFamily& family : SettingsFamilies()) {
    if (family.name == name) return family;
  }
  throw std::out_of_range("no settings family " + name);
}

// A node named `name` with copies of `children` in this order: expected trees written by hand.
inline Core::Property Tree(const std::string& name, std::initializer_list<Core::Property> children) {
  Core::Property tree(name);
  for (const Core::Property& child : children) tree.Add(child);
  return tree;
}

}  // namespace Tivrel::Testing
