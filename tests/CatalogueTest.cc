// The catalogue of names: distinct class identifiers, the irregular texts, copies made at load time, controller
// state names, metadata keys; and the recognition of DVD paths.

#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Platform/Settings/SettingsFilterRepeatController.h"
#include "Platform/Settings/SettingsFilterVolumeDetect.h"
#include "Proc/Interfaces/IAudioFormatter.h"
#include "Proc/Interfaces/ICRCStreamController.h"
#include "Proc/Interfaces/IConverterController.h"
#include "Proc/Interfaces/ICropDetector.h"
#include "Proc/Interfaces/IDVDReader.h"
#include "Proc/Interfaces/IFadeVideo.h"
#include "Proc/Interfaces/IFilterAudioFormatter.h"
#include "Proc/Interfaces/IFilterAudioHistogram.h"
#include "Proc/Interfaces/IFilterAudioMixer.h"
#include "Proc/Interfaces/IFilterCacheController.h"
#include "Proc/Interfaces/IFilterLosslessDetect.h"
#include "Proc/Interfaces/IFilterRepeatController.h"
#include "Proc/Interfaces/IFilterSeekController.h"
#include "Proc/Interfaces/IFilterSubtitleDrawer.h"
#include "Proc/Interfaces/IFilterSubtitles.h"
#include "Proc/Interfaces/IFilterVideoMixer.h"
#include "Proc/Interfaces/IFilterVolumeDetect.h"
#include "Proc/Interfaces/IImageMetadata.h"
#include "Proc/Interfaces/IResample.h"
#include "Proc/Interfaces/IResizeComplex.h"
#include "Proc/Interfaces/TIFilterJoin.h"
#include "Proc/Interfaces/TIFilterRepeat.h"
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "Testing/SettingsRegistry.h"

namespace Tivrel::Proc {
namespace {

using VideoJoin = TIFilterJoin<IStreamVideo>;
using AudioJoin = TIFilterJoin<IStreamAudio>;
using RawJoin = TIFilterJoin<IStreamRaw>;
using VideoRepeat = TIFilterRepeat<IStreamVideoEx, IStreamVideo>;
using AudioRepeat = TIFilterRepeat<IStreamAudioEx, IStreamAudio>;

// clang-format off
// The class identifiers this library owns, then those of the records.
const std::string* const kClassIds[] = {
    &IFilterApplyEffectsAudio::CLASS_ID, &IFilterApplyEffectsVideo::CLASS_ID, &IFilterResize::CLASS_ID,
    &IResizeComplex::EXTENDED_CLASS_ID, &IFilterLosslessDetect::CLASS_ID, &IFilterAudioFormatter::CLASS_ID,
    &IAudioFormatter::CLASS_ID, &IResample::CLASS_ID, &IFilterAudioMixer::CLASS_ID, &IFilterAudioHistogram::CLASS_ID,
    &IFilterCacheController::CLASS_ID, &IFilterSeekController::CLASS_ID, &ICRCStreamController::CLASS_ID,
    &IFadeVideo::CLASS_ID, &IFilterSubtitles::CLASS_ID, &IFilterSubtitleDrawer::CLASS_ID, &ICropDetector::CLASS_ID,
    &VideoJoin::CLASS_ID, &AudioJoin::CLASS_ID, &RawJoin::CLASS_ID, &VideoRepeat::CLASS_ID, &AudioRepeat::CLASS_ID,
    // the records'
    &SettingsAudioNoiseGate::CLASS_ID, &SettingsColorspaceConverter::CLASS_ID, &SettingsDeinterlace::CLASS_ID,
    &SettingsEffectAlphaExtractor::CLASS_ID, &SettingsEffectCrop::CLASS_ID, &SettingsEffectDenoiseChromaLuma::CLASS_ID,
    &SettingsEffectDeshake::CLASS_ID, &SettingsEffectExtraAlphaExtractor::CLASS_ID, &SettingsEffectFlip::CLASS_ID,
    &SettingsEffectImageBlender::CLASS_ID, &SettingsEffectMagicEnhance::CLASS_ID, &SettingsEffectStabilizer::CLASS_ID,
    &SettingsEffectTranspose::CLASS_ID, &SettingsFilterAudioVolume::CLASS_ID, &SettingsFilterCutController::CLASS_ID,
    &SettingsFilterFrameRate::CLASS_ID, &SettingsFilterRepeatController::CLASS_ID, &SettingsFilterResample::CLASS_ID,
    &SettingsFilterVideoMixer::CLASS_ID, &SettingsFilterVolumeDetect::CLASS_ID, &SettingsResizer::CLASS_ID,
    &SettingsStreamOneFrame::CLASS_ID, &SettingsSubtitleDrawer::CLASS_ID, &SettingsTwoPassEncoding::CLASS_ID};
// clang-format on

// A reader accepts a tree by its root name, so no two classes may share an identifier; the
// library's own are framed by "$$" but for the two published without the closing pair.
TEST(CatalogueTest, ClassIdsAreDistinctAndFramed) {
  std::set<std::string> seen;
  for (const std::string* id : kClassIds) EXPECT_TRUE(seen.insert(*id).second) << *id;
  for (const std::string* id : kClassIds) {
    if (id == &SettingsAudioNoiseGate::CLASS_ID) break;  // the records' identifiers follow
    const bool open = *id == "$$FILTER_SUBTITLE_DRAWER" || *id == "$$FILTER_AUDIO_HISTOGRAM";
    EXPECT_EQ(id->rfind("$$", 0), 0u) << *id;
    EXPECT_EQ(id->size() > 4 && id->compare(id->size() - 2, 2, "$$") == 0, !open) << *id;
  }
  EXPECT_EQ(seen.count("$$FILTER_SUBTITLE_DRAWER") + seen.count("$$FILTER_AUDIO_HISTOGRAM"), 2u);
}

// Texts that look like slips but are published as they stand ("frameSizeMaxHight" is pinned by the resizer tree).
TEST(CatalogueTest, IrregularTextsStayIrregular) {
  EXPECT_EQ(IFilterSubtitles::FILENAME, IFilterSubtitles::CLASS_ID);
  EXPECT_EQ(IImageMetadata::VAL_ORIENTATION_NORMAL, IImageMetadata::VAL_ORIENTATION_TOP_LEFT);
}

// Copies of the records' identifiers taken when the library loads: an empty or stale copy means the load order
// went wrong.
TEST(CatalogueTest, RecordClassIdsAreCopiedAtLoadTime) {
  const std::pair<const std::string&, const std::string&> copies[] = {
      {IBlend::CLASS_ID, SettingsEffectImageBlender::CLASS_ID},
      {IEffectMagicEnhance::CLASS_ID, SettingsEffectMagicEnhance::CLASS_ID},
      {IFilterAudioVolume::CLASS_ID, SettingsFilterAudioVolume::CLASS_ID},
      {IFilterFrameRate::CLASS_ID, SettingsFilterFrameRate::CLASS_ID},
      {IFilterVolumeDetect::CLASS_ID, SettingsFilterVolumeDetect::CLASS_ID},
      {IFilterRepeatController::CLASS_ID, SettingsFilterRepeatController::CLASS_ID},
      {IFilterVideoMixer::CLASS_ID, SettingsFilterVideoMixer::CLASS_ID},
      {IResize::CLASS_ID, SettingsResizer::CLASS_ID},
      {IFilterResample::CLASS_ID, SettingsFilterResample::CLASS_ID},
  };
  for (const auto& [copy, record] : copies) EXPECT_EQ(copy, record);
}

TEST(CatalogueTest, ControllerStatesHaveTheirNamesAndOthersAreRefused) {
  const char* const names[] = {"NotInitialized", "Stopped", "Running", "Paused", "Error"};
  for (int state = 0; state < 5; ++state)
    EXPECT_STREQ(ControllerStateAsString(static_cast<IConverterController::ControllerState>(state)), names[state]);
  EXPECT_THROW(ControllerStateAsString(static_cast<IConverterController::ControllerState>(-1)), std::invalid_argument);
}

// Non-DVD paths, then DVD paths. Each is checked as written and, to cover texts too long for the pattern engine,
// with 3000 characters inserted after the prefix (or appended when there is none).
TEST(CatalogueTest, DvdPathsNeedThePrefixAndATitleOnTheFirstLine) {
  const std::vector<const char*> cases[] = {
      {"x dvd://x:title=1", "", "DVD://x:title=1", " dvd://x:title=1", "dvd://x", "dvd://x:title", "cd://x:track=1",
       "dvd://x\n:title=1", "dvd://x\r:title=1"},
      {"dvd:///media/disc:title=3", "dvd://:title=", "dvd://x:title=abc:title=2", "dvd://x:title=1\nmore"}};
  const std::string padding(3000, 'p');
  for (const bool dvd : {false, true}) {
    for (const char* path : cases[dvd]) {
      std::string longer = path;
      longer.insert(longer.rfind("dvd://", 0) == 0 ? 6 : longer.size(), padding);
      EXPECT_EQ(IDVDReader::IsDVDPath(ioPath(path)), dvd) << path;
      EXPECT_EQ(IDVDReader::IsDVDPath(ioPath(longer)), dvd) << path << " with padding";
    }
  }
}

TEST(CatalogueTest, MetadataKeysJoinTheirPartsWithDots) {
  EXPECT_EQ(IImageMetadata::GetKey(IImageMetadata::EXIF, IImageMetadata::BLOCK_IMAGE, IImageMetadata::TAG_ORIENTATION),
            "Exif.Image.Orientation");
  EXPECT_EQ(IImageMetadata::GetKey("", "", ""), "..");
}

}  // namespace
}  // namespace Tivrel::Proc
