#pragma once

// The throw locations that callers rely on, in one place. Not installed.
//
// Most throw sites record the line they stand on: TIVREL_THROW_SITE(function text, __LINE__).
// The sites below record a fixed function text and line instead, because other libraries
// and stored error reports match exceptions by them; the line is not where the throw stands
// in this tree and must not follow edits of the file. Such a site names its entry through
// TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kName), which adds the site's own file name.
// An entry belongs to exactly one site; the comment above each group names that file.

#include "Platform/Core/Exception.h"

namespace Tivrel::Proc::PublishedSites {

// Proc/Settings/Settings.cc
inline constexpr PublishedLocation kSettingsDeserialize{
    "virtual void Tivrel::Proc::Settings::Deserialize(const std::string &)", 36};

// Proc/Interfaces/SettingsConversion.cc: the readers' class checks.
inline constexpr PublishedLocation kProperty2SettingsCrop{
    "Tivrel::Proc::SettingsEffectCrop Tivrel::Proc::Property2SettingsCrop(const Tivrel::Core::Property &)", 117};
inline constexpr PublishedLocation kProperty2SettingsFlip{
    "Tivrel::Proc::SettingsEffectFlip Tivrel::Proc::Property2SettingsFlip(const Core::Property &)", 144};
inline constexpr PublishedLocation kProperty2SettingsTranspose{
    "Tivrel::Proc::SettingsEffectTranspose Tivrel::Proc::Property2SettingsTranspose(const Tivrel::Core::Property &)",
    167};
inline constexpr PublishedLocation kProperty2SettingsDeshake{
    "Tivrel::Proc::SettingsEffectDeshake Tivrel::Proc::Property2SettingsDeshake(const Tivrel::Core::Property &)", 198};
inline constexpr PublishedLocation kProperty2SettingsStabilizer{
    "Tivrel::Proc::SettingsEffectStabilizer Tivrel::Proc::Property2SettingsStabilizer(const Tivrel::Core::Property &)",
    237};
inline constexpr PublishedLocation kProperty2SettingsChromaLuma{
    "Tivrel::Proc::SettingsEffectDenoiseChromaLuma Tivrel::Proc::Property2SettingsChromaLuma(const "
    "Tivrel::Core::Property &)",
    273};
inline constexpr PublishedLocation kProperty2SettingsCutController{
    "Tivrel::Proc::SettingsFilterCutController Tivrel::Proc::Property2SettingsCutController(const "
    "Tivrel::Core::Property &)",
    312};
inline constexpr PublishedLocation kProperty2SettingsDeinterlace{
    "Tivrel::Proc::SettingsDeinterlace Tivrel::Proc::Property2SettingsDeinterlace(const Tivrel::Core::Property &)",
    344};
inline constexpr PublishedLocation kProperty2SettingsNoiseGate{
    "Tivrel::Proc::SettingsAudioNoiseGate Tivrel::Proc::Property2SettingsNoiseGate(const Tivrel::Core::Property &)",
    374};
inline constexpr PublishedLocation kProperty2SettingsSubtitleDrawer{
    "Tivrel::Proc::SettingsSubtitleDrawer Tivrel::Proc::Property2SettingsSubtitleDrawer(const "
    "Tivrel::Core::Property &)",
    407};
inline constexpr PublishedLocation kProperty2SettingsVideoMixer{
    "Tivrel::Proc::SettingsFilterVideoMixer Tivrel::Proc::Property2Settings(const Core::Property &)", 428};

// Proc/Interfaces/IResize.cc
inline constexpr PublishedLocation kString2SizeModes{
    "static SettingsResizer::SizeModes Tivrel::Proc::IResize::String2SizeModes(const std::string &)", 118};
inline constexpr PublishedLocation kString2CustomModes{
    "static SettingsResizer::CustomModes Tivrel::Proc::IResize::String2CustomModes(const std::string &)", 132};
inline constexpr PublishedLocation kString2ResizeMethods{
    "static SettingsResizer::ResizeMethods Tivrel::Proc::IResize::String2ResizeMethods(const std::string &)", 146};
// IResize::Property2Settings: its four refusals, in the order it checks.
inline constexpr char kResizeProperty2Settings[] =
    "static Tivrel::Proc::SettingsResizer Tivrel::Proc::IResize::Property2Settings(const Core::Property &)";
inline constexpr PublishedLocation kResizeWrongClass{kResizeProperty2Settings, 193};
inline constexpr PublishedLocation kResizeBothAspects{kResizeProperty2Settings, 225};
inline constexpr PublishedLocation kResizeNoAspect{kResizeProperty2Settings, 228};
inline constexpr PublishedLocation kResizeOddSize{kResizeProperty2Settings, 232};

// The filter-settings readers' class checks, each in the source named after its interface.
inline constexpr PublishedLocation kFilterResizeProperty2Settings{
    "static Tivrel::Proc::SettingsResizer Tivrel::Proc::IFilterResize::Property2Settings(const Core::Property &)", 20};
inline constexpr PublishedLocation kBlendProperty2Settings{
    "static IBlend::SettingsType Tivrel::Proc::IBlend::Property2Settings(const Core::Property &)", 26};
inline constexpr PublishedLocation kMagicEnhanceProperty2Settings{
    "static Tivrel::Proc::SettingsEffectMagicEnhance Tivrel::Proc::IEffectMagicEnhance::Property2Settings(const "
    "Core::Property &)",
    43};
inline constexpr PublishedLocation kEncoderProperty2Settings{
    "static Tivrel::Proc::SettingsTwoPassEncoding Tivrel::Proc::IEncoder::Property2Settings(const Core::Property &)",
    21};
inline constexpr PublishedLocation kAudioVolumeProperty2Settings{
    "static Tivrel::Proc::SettingsFilterAudioVolume Tivrel::Proc::IFilterAudioVolume::Property2Settings(const "
    "Core::Property &)",
    22};
inline constexpr PublishedLocation kApplyEffectsAudioFilterSettings2SettingsEffects{
    "static std::vector<Property> "
    "Tivrel::Proc::IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(const Tivrel::Core::Property &)",
    32};
inline constexpr PublishedLocation kApplyEffectsVideoFilterSettings2SettingsEffects{
    "static std::vector<Property> "
    "Tivrel::Proc::IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(const Tivrel::Core::Property &)",
    32};

// Proc/Interfaces/StreamOneFrameVideo.cc
inline constexpr PublishedLocation kStreamOneFrameVideoCreate{
    "static SP<Tivrel::Proc::IStreamVideoEx> Tivrel::Proc::StreamOneFrameVideo::Create(const "
    "SP<Tivrel::Proc::IDataVideo> &)",
    135};
inline constexpr PublishedLocation kStreamOneFrameVideoInitialize{
    "virtual void Tivrel::Proc::StreamOneFrameVideo::Initialize(const Core::Property &)", 74};

// Proc/Interfaces/IStreamLockable.cc: the video and the audio wrapper.
inline constexpr PublishedLocation kVideoLockableInitialize{
    "virtual void StreamLockable<Tivrel::Proc::IStreamVideoLockable>::Initialize(const Tivrel::Core::Property &) "
    "[Base = Tivrel::Proc::IStreamVideoLockable]",
    36};
inline constexpr PublishedLocation kVideoLockableGetSettings{
    "virtual Tivrel::Core::Property StreamLockable<Tivrel::Proc::IStreamVideoLockable>::GetSettings() const "
    "[Base = Tivrel::Proc::IStreamVideoLockable]",
    37};
inline constexpr PublishedLocation kAudioLockableInitialize{
    "virtual void StreamLockable<Tivrel::Proc::IStreamAudioLockable>::Initialize(const Tivrel::Core::Property &) "
    "[Base = Tivrel::Proc::IStreamAudioLockable]",
    36};
inline constexpr PublishedLocation kAudioLockableGetSettings{
    "virtual Tivrel::Core::Property StreamLockable<Tivrel::Proc::IStreamAudioLockable>::GetSettings() const "
    "[Base = Tivrel::Proc::IStreamAudioLockable]",
    37};

// Proc/Interfaces/IEffect.cc
inline constexpr PublishedLocation kEffectSetSettings{
    "virtual void Tivrel::Proc::IEffect::SetSettings(const Tivrel::Proc::Settings &)", 12};
inline constexpr PublishedLocation kEffectGetSettingsBase{
    "virtual const Tivrel::Proc::Settings &Tivrel::Proc::IEffect::GetSettingsBase() const", 17};

// Proc/Interfaces/IOneInputEffect.cc
inline constexpr PublishedLocation kOneInputEffectProcessData{
    "virtual SP<Tivrel::Proc::IData> Tivrel::Proc::IOneInputEffect::ProcessData(const std::vector<SP<IData>> &)", 23};

// Proc/Interfaces/StreamProcessorBase.cc
inline constexpr PublishedLocation kStreamProcessorStart{"virtual void Tivrel::Proc::StreamProcessorBase::Start()", 27};

// Proc/Interfaces/Stub.cc
inline constexpr PublishedLocation kControllerStateAsString{
    "const char *Tivrel::Proc::ControllerStateAsString(IConverterController::ControllerState)", 280};

}  // namespace Tivrel::Proc::PublishedSites
