// The published throw sites, one row each: exception class, description, source file, line and function text.
//
// Other libraries and stored error reports match exceptions by these locations, so this table
// is the one place that pins them; elsewhere tests check class and message only. A line of -1
// stands for a site whose function text is published but not its line.

#include <climits>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Platform/Conf/FormatCodec.h"
#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/IConverterController.h"
#include "Proc/Interfaces/IEffectMagicEnhance.h"
#include "Proc/Interfaces/IEncoder.h"
#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"
#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"
#include "Proc/Interfaces/IFilterAudioVolume.h"
#include "Proc/Interfaces/IFilterResize.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Interfaces/Stub.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "Testing/Assertions.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using Video = Conf::IFormatCodecVideo;

struct Site {
  std::function<void()> trigger;
  const char* exception;
  const std::type_info& thrown;  // the boost::wrapexcept of the class
  std::string description;       // empty for an exception without TagDescription
  const char* file;
  int line;
  const char* function;
};
#define CLASS(E) #E, typeid(boost::wrapexcept <E>)

// A job whose second Start finds the first worker still held.
class IdleJob : public RefCounted<StreamProcessorBase> {
  void Process() override {}
};

void StartTwice() {
  const SP<IdleJob> job(new IdleJob);
  job->Start();
  try {
    job->Start();
  } catch (...) {
    job->WaitUntilStopped();
    throw;
  }
}

// Reads a size-mode-4 resizer tree with these frame keys.
template <class... Frame>
void ReadCustom(const Frame&... frame) {
  Property tree(IResize::CLASS_ID);
  tree.SetChild("frameSize", "custom");
  tree.SetChild("resizeMethod", "bicubic");
  tree.SetChild("resizeMode", "auto");
  (tree.Add(frame), ...);
  IResize::Property2Settings(tree);
}

const Property kW(Video::TAG_WIDTH, 640), kH(Video::TAG_HEIGHT, 480), kAx(Video::TAG_ASPECTX, 1),
    kAy(Video::TAG_ASPECTY, 1), kFx(Video::TAG_FRAME_ASPECTX, 4), kFy(Video::TAG_FRAME_ASPECTY, 3);

const char kObject[] = "Object was initialized with incorrect class (x)!";
const char kFilter[] = "Filter was initialized with incorrect class (x)!";
const char kConversion[] = "Proc/Interfaces/SettingsConversion.cc";
const char kResize[] = "Proc/Interfaces/IResize.cc";
const char kLockable[] = "Proc/Interfaces/IStreamLockable.cc";
const char kAudioTime[] = "Proc/Interfaces/AudioTime.cc";
const char kMD5[] = "Proc/Interfaces/CalculateMD5.cc";
const char kTree[] = "Platform/Core/Property.h";
const char kReader[] =
    "static Tivrel::Proc::SettingsResizer Tivrel::Proc::IResize::Property2Settings(const Core::Property &)";
const char kRate[] = "FrameRate is less or equal to 0, prevent division by zero";
const Property kX("x");

std::vector<Site> Sites() {
  Property leaf("leaf", "v");
  const SP<Testing::MockVideoEffect> effect(new ::testing::NiceMock<Testing::MockVideoEffect>);
  const auto frame = [] { return Media::VideoFrame::Create(PIX_FMT_GRAY8, 2, 2); };
  const auto video = [] { return IStreamVideoLockable::Create(new ::testing::NiceMock<Testing::MockVideoStream>); };
  const auto audio = [] { return IStreamAudioLockable::Create(new ::testing::NiceMock<Testing::MockAudioStream>); };
  unsigned char bytes[4] = {};
  return {
      // clang-format off
      {[] { SettingsStreamOneFrame().Deserialize(""); }, CLASS(SettingsException), "Not implemented fill from string for settings CLASS_ID=" + SettingsStreamOneFrame::CLASS_ID, "Proc/Settings/Settings.cc", 36, "virtual void Tivrel::Proc::Settings::Deserialize(const std::string &)"},
      {[] { Property2SettingsCrop(kX); }, CLASS(FilterException), kObject, kConversion, 117, "Tivrel::Proc::SettingsEffectCrop Tivrel::Proc::Property2SettingsCrop(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsFlip(kX); }, CLASS(FilterException), kObject, kConversion, 144, "Tivrel::Proc::SettingsEffectFlip Tivrel::Proc::Property2SettingsFlip(const Core::Property &)"},
      {[] { Property2SettingsTranspose(kX); }, CLASS(FilterException), "Object was initialized with incorrece class (x)!", kConversion, 167, "Tivrel::Proc::SettingsEffectTranspose Tivrel::Proc::Property2SettingsTranspose(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsDeshake(kX); }, CLASS(FilterException), kObject, kConversion, 198, "Tivrel::Proc::SettingsEffectDeshake Tivrel::Proc::Property2SettingsDeshake(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsStabilizer(kX); }, CLASS(FilterException), kObject, kConversion, 237, "Tivrel::Proc::SettingsEffectStabilizer Tivrel::Proc::Property2SettingsStabilizer(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsChromaLuma(kX); }, CLASS(FilterException), kObject, kConversion, 273, "Tivrel::Proc::SettingsEffectDenoiseChromaLuma Tivrel::Proc::Property2SettingsChromaLuma(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsCutController(kX); }, CLASS(FilterException), kObject, kConversion, 312, "Tivrel::Proc::SettingsFilterCutController Tivrel::Proc::Property2SettingsCutController(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsDeinterlace(kX); }, CLASS(FilterException), kObject, kConversion, 344, "Tivrel::Proc::SettingsDeinterlace Tivrel::Proc::Property2SettingsDeinterlace(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsNoiseGate(kX); }, CLASS(FilterException), kObject, kConversion, 374, "Tivrel::Proc::SettingsAudioNoiseGate Tivrel::Proc::Property2SettingsNoiseGate(const Tivrel::Core::Property &)"},
      {[] { Property2SettingsSubtitleDrawer(kX); }, CLASS(FilterException), kObject, kConversion, 407, "Tivrel::Proc::SettingsSubtitleDrawer Tivrel::Proc::Property2SettingsSubtitleDrawer(const Tivrel::Core::Property &)"},
      {[] { Property2Settings(kX); }, CLASS(FilterException), kFilter, kConversion, 428, "Tivrel::Proc::SettingsFilterVideoMixer Tivrel::Proc::Property2Settings(const Core::Property &)"},
      {[] { IResize::String2SizeModes("x"); }, CLASS(std::logic_error), "Unexpected size mode x", kResize, 118, "static SettingsResizer::SizeModes Tivrel::Proc::IResize::String2SizeModes(const std::string &)"},
      {[] { IResize::String2CustomModes("x"); }, CLASS(std::logic_error), "Unexpected custom mode x", kResize, 132, "static SettingsResizer::CustomModes Tivrel::Proc::IResize::String2CustomModes(const std::string &)"},
      {[] { IResize::String2ResizeMethods("y"); }, CLASS(std::logic_error), "Unexpected resize method y", kResize, 146, "static SettingsResizer::ResizeMethods Tivrel::Proc::IResize::String2ResizeMethods(const std::string &)"},
      {[] { IResize::Property2Settings(kX); }, CLASS(FilterException), kObject, kResize, 193, kReader},
      {[] { ReadCustom(kW, kH, kAx, kAy, kFx, kFy); }, CLASS(FilterException), "Either frame aspect or pixel aspect has to be specified", kResize, 225, kReader},
      {[] { ReadCustom(kW, kH, kAx, kFy); }, CLASS(FilterException), "Aspect is not specified", kResize, 228, kReader},
      {[] { ReadCustom(kW, Property(Video::TAG_HEIGHT, 3), kAx, kAy); }, CLASS(FilterException), "Frame width and height have to be even, got 640x3", kResize, 232, kReader},
      {[] { IFilterResize::Property2Settings(kX); }, CLASS(FilterException), kFilter, "Proc/Interfaces/IFilterResize.cc", 20, "static Tivrel::Proc::SettingsResizer Tivrel::Proc::IFilterResize::Property2Settings(const Core::Property &)"},
      {[] { IBlend::Property2Settings(kX); }, CLASS(FilterException), kFilter, "Proc/Interfaces/IBlend.cc", 26, "static IBlend::SettingsType Tivrel::Proc::IBlend::Property2Settings(const Core::Property &)"},
      {[] { IEffectMagicEnhance::Property2Settings(kX); }, CLASS(FilterException), IEffectMagicEnhance::CLASS_ID + " was initialized with incorrect class (x)!", "Proc/Interfaces/IEffectMagicEnhance.cc", 43, "static Tivrel::Proc::SettingsEffectMagicEnhance Tivrel::Proc::IEffectMagicEnhance::Property2Settings(const Core::Property &)"},
      {[] { IEncoder::Property2Settings(kX); }, CLASS(FilterException), kObject, "Proc/Interfaces/IEncoder.cc", 21, "static Tivrel::Proc::SettingsTwoPassEncoding Tivrel::Proc::IEncoder::Property2Settings(const Core::Property &)"},
      {[] { IFilterAudioVolume::Property2Settings(kX); }, CLASS(FilterException), IFilterAudioVolume::CLASS_ID + " was initialized with incorrect class (x)!", "Proc/Interfaces/IFilterAudioVolume.cc", 22, "static Tivrel::Proc::SettingsFilterAudioVolume Tivrel::Proc::IFilterAudioVolume::Property2Settings(const Core::Property &)"},
      {[] { IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(kX); }, CLASS(FilterException), kFilter, "Proc/Interfaces/IFilterApplyEffectsAudio.cc", 32, "static std::vector<Property> Tivrel::Proc::IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(const Tivrel::Core::Property &)"},
      {[] { IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(kX); }, CLASS(FilterException), kFilter, "Proc/Interfaces/IFilterApplyEffectsVideo.cc", 32, "static std::vector<Property> Tivrel::Proc::IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(const Tivrel::Core::Property &)"},
      {[leaf]() mutable { leaf.SetChildT<long long>("k", 1); }, CLASS(Core::MethodIsNotApplicable), "", kTree, 276, "Tivrel::Core::Property &Tivrel::Core::Property::SetChildT(const std::string &, const T &) [T = long long]"},
      {[leaf]() mutable { leaf.CreateChildT<std::string>("k", "v"); }, CLASS(Core::MethodIsNotApplicable), "", kTree, 257, "Tivrel::Core::Property &Tivrel::Core::Property::CreateChildT(const std::string &, const T &) [T = std::basic_string<char>]"},
      {[] { ControllerStateAsString(static_cast<IConverterController::ControllerState>(5)); }, CLASS(std::invalid_argument), "controllerState", "Proc/Interfaces/Stub.cc", 280, "const char *Tivrel::Proc::ControllerStateAsString(IConverterController::ControllerState)"},
      {[] { StreamOneFrameVideo::Create(nullptr); }, CLASS(std::invalid_argument), "Empty frame passed", "Proc/Interfaces/StreamOneFrameVideo.cc", 135, "static SP<Tivrel::Proc::IStreamVideoEx> Tivrel::Proc::StreamOneFrameVideo::Create(const SP<Tivrel::Proc::IDataVideo> &)"},
      {[frame] { StreamOneFrameVideo::Create(frame())->Initialize(kX); }, CLASS(std::logic_error), "Use typed settings instead", "Proc/Interfaces/StreamOneFrameVideo.cc", 74, "virtual void Tivrel::Proc::StreamOneFrameVideo::Initialize(const Core::Property &)"},
      {[video] { video()->Initialize(kX); }, CLASS(FilterException), "Method not implemented", kLockable, 36, "virtual void StreamLockable<Tivrel::Proc::IStreamVideoLockable>::Initialize(const Tivrel::Core::Property &) [Base = Tivrel::Proc::IStreamVideoLockable]"},
      {[video] { video()->GetSettings(); }, CLASS(FilterException), "Method not implemented", kLockable, 37, "virtual Tivrel::Core::Property StreamLockable<Tivrel::Proc::IStreamVideoLockable>::GetSettings() const [Base = Tivrel::Proc::IStreamVideoLockable]"},
      {[audio] { audio()->Initialize(kX); }, CLASS(FilterException), "Method not implemented", kLockable, 36, "virtual void StreamLockable<Tivrel::Proc::IStreamAudioLockable>::Initialize(const Tivrel::Core::Property &) [Base = Tivrel::Proc::IStreamAudioLockable]"},
      {[audio] { audio()->GetSettings(); }, CLASS(FilterException), "Method not implemented", kLockable, 37, "virtual Tivrel::Core::Property StreamLockable<Tivrel::Proc::IStreamAudioLockable>::GetSettings() const [Base = Tivrel::Proc::IStreamAudioLockable]"},
      {[effect] { effect->IEffect::SetSettings(SettingsStreamOneFrame()); }, CLASS(std::logic_error), "/// @todo unimplemented method", "Proc/Interfaces/IEffect.cc", 12, "virtual void Tivrel::Proc::IEffect::SetSettings(const Tivrel::Proc::Settings &)"},
      {[effect] { effect->GetSettingsBase(); }, CLASS(std::logic_error), "/// @todo unimplemented method", "Proc/Interfaces/IEffect.cc", 17, "virtual const Tivrel::Proc::Settings &Tivrel::Proc::IEffect::GetSettingsBase() const"},
      {[effect] { effect->ProcessData({}); }, CLASS(std::logic_error), "incorrect data count", "Proc/Interfaces/IOneInputEffect.cc", 23, "virtual SP<Tivrel::Proc::IData> Tivrel::Proc::IOneInputEffect::ProcessData(const std::vector<SP<IData>> &)"},
      {StartTwice, CLASS(ProcException), "Thread has started already.", "Proc/Interfaces/StreamProcessorBase.cc", 27, "virtual void Tivrel::Proc::StreamProcessorBase::Start()"},
      // Published function texts without a published line.
      {[] { FrameSampleCount2Duration(2147483647, 48000); }, CLASS(Exception), "Duration overflow", kAudioTime, -1, "Tivrel::avTime Tivrel::Proc::FrameSampleCount2Duration(uint64_t, int)"},
      {[] { StreamSampleCount2Duration(1, 0); }, CLASS(Exception), kRate, kAudioTime, -1, "Tivrel::avTime Tivrel::Proc::StreamSampleCount2Duration(uint64_t, int)"},
      {[] { StreamSampleCount2Duration(ULLONG_MAX, 1); }, CLASS(Exception), "Duration overflow", kAudioTime, -1, "Tivrel::avTime Tivrel::Proc::StreamSampleCount2Duration(uint64_t, int)"},
      {[] { Duration2SampleCount(1, -1); }, CLASS(Exception), kRate, kAudioTime, -1, "int Tivrel::Proc::Duration2SampleCount(Tivrel::avTime, int)"},
      {[] { Duration2SampleCount(-1, 48000); }, CLASS(Exception), "Sample count overflow", kAudioTime, -1, "int Tivrel::Proc::Duration2SampleCount(Tivrel::avTime, int)"},
      {[] { ProcessingError::MakeProcessingErrorFromException(nullptr); }, CLASS(std::invalid_argument), "exception is NULL", "Proc/Interfaces/ProcessingError.cc", -1, "static Tivrel::Proc::ProcessingError Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(Tivrel::ExceptionPtr)"},
      {[&bytes] { CopyPlane(PlaneConst(bytes, 2, 2, 2), Plane(bytes, 2, 2, 1)); }, CLASS(std::invalid_argument), "Different size of source and destination planes", "Proc/Interfaces/IDataVideo.cc", -1, "void Tivrel::Proc::CopyPlane(const Tivrel::Proc::PlaneConst &, const Tivrel::Proc::Plane &)"},
      {[] { CalculateVideoDataMD5(nullptr); }, CLASS(std::invalid_argument), "data is NULL", kMD5, -1, "std::string Tivrel::Proc::CalculateVideoDataMD5(const SP<Tivrel::Proc::IDataVideo> &)"},
      {[] { CalculateAudioDataMD5(nullptr); }, CLASS(std::invalid_argument), "data is NULL", kMD5, -1, "std::string Tivrel::Proc::CalculateAudioDataMD5(const SP<Tivrel::Proc::IDataAudio> &)"},
      {[] { CalculatePacketDataMD5(nullptr); }, CLASS(std::invalid_argument), "data is NULL", kMD5, -1, "std::string Tivrel::Proc::CalculatePacketDataMD5(const SP<Tivrel::Proc::IDataPacket> &)"},
      {[] { CalculateBlobDataMD5(nullptr); }, CLASS(std::invalid_argument), "data is NULL", kMD5, -1, "std::string Tivrel::Proc::CalculateBlobDataMD5(const SP<Tivrel::IBlob> &)"},
      // clang-format on
  };
}
#undef CLASS

// Each site throws exactly its class through the throw sequence: the description, the call
// stack (a tag, or appended to a standard exception's message) and the location.
TEST(PublishedThrowSitesTest, EverySiteThrowsItsClassDescriptionStackAndLocation) {
  for (const Site& site : Sites()) {
    SCOPED_TRACE(site.function);
    try {
      site.trigger();
      ADD_FAILURE() << "nothing thrown";
    } catch (const std::exception& e) {
      EXPECT_EQ(typeid(e), site.thrown) << "expected " << site.exception;
      // A site without a description has no TagDescription; what() is then the generic text.
      EXPECT_THAT(e, Testing::ThrownAt(site.description.empty() ? e.what() : site.description, site.file, site.function,
                                       site.line));
      const bool family = dynamic_cast<const Exception*>(&e) != nullptr;
      EXPECT_EQ(boost::get_error_info<TagDescription>(e) != nullptr, family && !site.description.empty());
      EXPECT_TRUE(family ? boost::get_error_info<TagCallStack>(e) != nullptr
                         : std::string(e.what()).find('\n') != std::string::npos);
    }
  }
}

}  // namespace
}  // namespace Tivrel::Proc
