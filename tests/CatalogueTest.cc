#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Platform/Settings/SettingsFilterRepeatController.h"
#include "Platform/Settings/SettingsFilterVolumeDetect.h"
#include "Proc/Interfaces/IAudioFormatter.h"
#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/ICDReader.h"
#include "Proc/Interfaces/ICRCStreamController.h"
#include "Proc/Interfaces/IComputingResource.h"
#include "Proc/Interfaces/ICoreTracker.h"
#include "Proc/Interfaces/ICropDetector.h"
#include "Proc/Interfaces/IDVDReader.h"
#include "Proc/Interfaces/IEffectMagicEnhance.h"
#include "Proc/Interfaces/IFadeVideo.h"
#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"
#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"
#include "Proc/Interfaces/IFilterAudioFormatter.h"
#include "Proc/Interfaces/IFilterAudioHistogram.h"
#include "Proc/Interfaces/IFilterAudioMixer.h"
#include "Proc/Interfaces/IFilterAudioVolume.h"
#include "Proc/Interfaces/IFilterCacheController.h"
#include "Proc/Interfaces/IFilterFrameRate.h"
#include "Proc/Interfaces/IFilterLosslessDetect.h"
#include "Proc/Interfaces/IFilterRepeatController.h"
#include "Proc/Interfaces/IFilterResample.h"
#include "Proc/Interfaces/IFilterResize.h"
#include "Proc/Interfaces/IFilterSeekController.h"
#include "Proc/Interfaces/IFilterSubtitleDrawer.h"
#include "Proc/Interfaces/IFilterSubtitles.h"
#include "Proc/Interfaces/IFilterVideoMixer.h"
#include "Proc/Interfaces/IFilterVolumeDetect.h"
#include "Proc/Interfaces/IFilterWatermark.h"
#include "Proc/Interfaces/IImageMetadata.h"
#include "Proc/Interfaces/IResample.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/IResizeComplex.h"
#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "Proc/Settings/SettingsTwoPassEncoding.h"

namespace Tivrel::Proc {
namespace {

struct Text {
  const std::string* constant;
  const char* text;
};

// The published texts, transcribed independently of the definitions: trees and requests
// of other libraries use exactly these. Keys and values that the library's own writers put
// into trees (blending, volume, repeat, mixing, watermarks, the resizer's keys and texts)
// are pinned where those trees are compared whole, misspellings ("Hight") included.
const std::vector<Text> kKeys = {
    {&IFilterVideoMixer::SLAVE_WIDTH, "slaveWidth"},
    {&IFilterVideoMixer::SLAVE_HEIGHT, "slaveHeight"},
    {&IFilterVideoMixer::RELATIVE_SIZE, "relativeSize"},
    {&IFilterVideoMixer::TRANSPARENCY_TYPE_OVERLAY, "transparencyOverlay"},
    {&IFilterVideoMixer::TRANSPARENCY_TYPE_BLINK, "transparencyBlink"},
    {&IFilterVideoMixer::BLINK_SHOW_DURATION, "blinkShowDuration"},
    {&IFilterVideoMixer::BLINK_HIDE_DURATION, "blinkHideDuration"},
    {&IFilterVideoMixer::BLINK_DO_FADE, "blinkDoFade"},
    {&IFilterWatermark::WATERMARK_SETTINGS, "watermarkSettings"},
    {&IFilterWatermark::FRAME_RECT_ASPECT_RATIO, "frameRectAspectRatio"},
    {&IFilterAudioFormatter::PACKET_DURATION, "duration"},
    {&IAudioFormatter::IMPL_FFMPEG, "ffmpeg"},
    {&IFilterCacheController::STREAM_ID, "$$STREAM_FROM_FILTER_CACHE_CONTROLLER$$"},
    {&ICRCStreamController::SOURCE_NODE_ID, "$$CRC_SOURCE_NODE_ID$$"},
    {&IFadeVideo::TYPE, "fadeType"},
    {&IFadeVideo::TYPE_IN, "in"},
    {&IFadeVideo::TYPE_OUT, "out"},
    {&IFadeVideo::START_FRAME, "startFrame"},
    {&IFadeVideo::COUNT_OF_FRAMES, "countOfFrames"},
    {&IFadeVideo::FADE_ONLY_ALPHA, "fadeOnlyAlpha"},
    {&IFadeVideo::START_TIME, "startTime"},
    {&IFadeVideo::DURATION, "duration"},
    {&IFilterSubtitles::FILENAME, "$$FILTER_SUBTITLES$$"},
    {&IFilterSubtitles::ORIGINAL_WIDTH, "originalWidth"},
    {&IFilterSubtitles::ORIGINAL_HEIGHT, "originalHeight"},
    {&IFilterSubtitles::ENCODING, "characterEncoding"},
    {&IFilterSubtitles::ENCODING_UTF8, "utf-8"},
    {&IFilterSubtitles::ENCODING_CP1251, "cp1251"},
    {&ICropDetector::MAX_INTERVAL, "cropDetectorMaxInterval"},
    {&ICropDetector::SKIP_INTERVAL, "cropDetectorSkipInterval"},
    {&ICropDetector::SUCCESS_FRAME_COUNT, "cropDetectorSuccessFrameCount"},
    {&ICropDetector::CALC_LIMIT, "cropDetectorCalcLimit"},
    {&ICropDetector::CROP_PRECISION, "cropDetectorCropPrecision"},
    {&Core::IComputingResource::CPU, "CPU"},
    {&Core::IComputingResource::NVENC, "NVENC"},
    {&Core::IComputingResource::IM, "IM"},
    {&Core::IComputingResource::VT_HW, "VT_HW"},
    {&Core::IComputingResource::AMFENC, "AMFENC"},
    {&IDVDReader::DVD_PATH_PREFIX, "dvd://"},
    {&IDVDReader::DVD_TITLE_PREFIX, ":title="},
    {&ICDReader::CD_PATH_PREFIX, "cd://"},
    {&ICDReader::CD_TRACK_PREFIX, ":track="},
};

const std::vector<Text> kImageMetadata = {
    {&IImageMetadata::BASE_INFO, "BaseInfo"},
    {&IImageMetadata::BASE_INFO_MAIN, "BaseInfoMain"},
    {&IImageMetadata::BASE_INFO_FILE_TIME, "BaseInfoFileTime"},
    {&IImageMetadata::IMAGE_METADATA, "IMAGE_METADATA"},
    {&IImageMetadata::EXIF, "Exif"},
    {&IImageMetadata::IPTC, "Iptc"},
    {&IImageMetadata::COMMENT, "Comment"},
    {&IImageMetadata::ICC_PROFILE, "IccProfile"},
    {&IImageMetadata::XMP, "Xmp"},
    {&IImageMetadata::XMP_PACKET, "XmpPacket"},
    {&IImageMetadata::BLOCK_NAME, "imageMetadataBLOCK_NAME"},
    {&IImageMetadata::TAG_NAME, "imageMetadataTAG_NAME"},
    {&IImageMetadata::TAG, "imageMetadataTAG"},
    {&IImageMetadata::TAG_LABEL, "imageMetadataTAG_LABEL"},
    {&IImageMetadata::TEXT_VALUE, "imageMetadataTEXT_VALUE"},
    {&IImageMetadata::VALUE, "imageMetadataVALUE"},
    {&IImageMetadata::VALUE_TYPE, "imageMetadataVALUE_TYPE"},
    {&IImageMetadata::BLOCK_PHOTO, "Photo"},
    {&IImageMetadata::BLOCK_IMAGE, "Image"},
    {&IImageMetadata::BLOCK_GPS, "GPSInfo"},
    {&IImageMetadata::TAG_ORIENTATION, "Orientation"},
    {&IImageMetadata::VAL_ORIENTATION_TOP_LEFT, "1"},
    {&IImageMetadata::VAL_ORIENTATION_TOP_RIGHT, "2"},
    {&IImageMetadata::VAL_ORIENTATION_BOTTOM_RIGHT, "3"},
    {&IImageMetadata::VAL_ORIENTATION_BOTTOM_LEFT, "4"},
    {&IImageMetadata::VAL_ORIENTATION_LEFT_TOP, "5"},
    {&IImageMetadata::VAL_ORIENTATION_RIGHT_TOP, "6"},
    {&IImageMetadata::VAL_ORIENTATION_RIGHT_BOTTOM, "7"},
    {&IImageMetadata::VAL_ORIENTATION_LEFT_BOTTOM, "8"},
    {&IImageMetadata::VAL_ORIENTATION_NORMAL, "1"},
    {&IImageMetadata::TAG_XRESOLUTION, "XResolution"},
    {&IImageMetadata::TAG_YRESOLUTION, "YResolution"},
    {&IImageMetadata::TAG_RESOLUTION_UOM, "ResolutionUnit"},
    {&IImageMetadata::VAL_RESOLUTION_UOM_PPI, "2"},
    {&IImageMetadata::TAG_ARTIST, "Artist"},
    {&IImageMetadata::TAG_COMPRESSION, "Compression"},
    {&IImageMetadata::TAG_DATE_TIME, "DateTime"},
    {&IImageMetadata::TAG_IMAGE_DESCRIPTION, "ImageDescription"},
    {&IImageMetadata::TAG_SOFTWARE, "Software"},
    {&IImageMetadata::TAG_USER_COMMENT, "UserComment"},
    {&IImageMetadata::TAG_LATITUDE, "GPSLatitude"},
    {&IImageMetadata::TAG_LONGITUDE, "GPSLongitude"},
    {&IImageMetadata::TAG_COPYRIGHT, "Copyright"},
};

// Every tracker key but the four event names is spelled as its own name.
#define SELF(name) \
  { &ICoreTracker::name, #name }
// clang-format off
const std::vector<Text> kTracker = {
    {&ICoreTracker::CORE_EVENT_FILE_OPEN, "CORE_FILE_OPEN"},
    {&ICoreTracker::CORE_EXCEPTION_FILE_OPEN, "CORE_FILE_OPEN_EXCEPTION"},
    {&ICoreTracker::CORE_EVENT_CPU_INFO, "CORE_CPU_INFO"},
    {&ICoreTracker::CORE_EVENT_GPU_INFO, "CORE_GPU_INFO"},
    SELF(CORE_FILENAME), SELF(CORE_FORMAT_OPENED), SELF(CORE_STREAMS_FOUND),
    SELF(CORE_CPU_VENDOR_ID), SELF(CORE_CPU_BRAND_STR), SELF(CORE_CPU_MICRO_ARCH), SELF(CORE_CPU_MODEL),
    SELF(CORE_CPU_FAMILY), SELF(CORE_CPU_EXT_MODEL), SELF(CORE_CPU_EXT_FAMILY),
    SELF(CORE_EVENT_EXPORT), SELF(CORE_EXPORT_VIDEO_DECODERS), SELF(CORE_EXPORT_AUDIO_DECODERS),
    SELF(CORE_EXPORT_SUBTITLES_DECODER), SELF(CORE_EXPORT_VIDEO_ENCODERS), SELF(CORE_EXPORT_AUDIO_ENCODERS),
    SELF(CORE_EXPORT_SUBTITLES_ENCODERS), SELF(CORE_EXPORT_EXCEPTION), SELF(CORE_EXPORT_IN_VIDEO_CODECS),
    SELF(CORE_EXPORT_IN_AUDIO_CODECS), SELF(CORE_EXPORT_IN_SUBTITLES_CODECS), SELF(CORE_EXPORT_OUT_VIDEO_CODECS),
    SELF(CORE_EXPORT_OUT_AUDIO_CODECS), SELF(CORE_EXPORT_OUT_SUBTITLES_CODECS), SELF(CORE_EXPORT_CLEANUP_EXCEPTION),
    SELF(CORE_EXPORT_OUT_FORMAT), SELF(CORE_EXPORT_STATUS),
    SELF(CORE_GPU_VENDOR), SELF(CORE_GPU_VENDOR_ID), SELF(CORE_GPU_DEVICE_ID), SELF(CORE_GPU_DRIVER_VERSION),
    SELF(CORE_GPU_BRAND_STR), SELF(CORE_CODEC_H265_NO_DECODER_EXCEPTION),
};
// clang-format on
#undef SELF

// Literal class identifiers owned by this library.
const std::vector<Text> kLiteralClassIds = {
    {&IFilterApplyEffectsAudio::CLASS_ID, "$$FILTER_APPLY_EFFECTS_AUDIO$$"},
    {&IFilterApplyEffectsVideo::CLASS_ID, "$$FILTER_APPLY_EFFECTS_VIDEO$$"},
    {&IFilterResize::CLASS_ID, "$$VIDEO_RESIZE$$"},
    {&IResizeComplex::EXTENDED_CLASS_ID, "$$RESIZE_COMPLEX$$"},
    {&IFilterLosslessDetect::CLASS_ID, "$$FILTER_LOSSLESS_DETECT$$"},
    {&IFilterAudioFormatter::CLASS_ID, "$$AUDIO_FORMATTER$$"},
    {&IAudioFormatter::CLASS_ID, "$$AFORMATTER$$"},
    {&IResample::CLASS_ID, "$$RESAMPLE$$"},
    {&IFilterAudioMixer::CLASS_ID, "$$AUDIO_MIXER$$"},
    {&IFilterAudioHistogram::CLASS_ID, "$$FILTER_AUDIO_HISTOGRAM"},
    {&IFilterCacheController::CLASS_ID, "$$FILTER_CACHE_CONTROLLER$$"},
    {&IFilterSeekController::CLASS_ID, "$$FILTER_SEEK_CONTROLLER$$"},
    {&ICRCStreamController::CLASS_ID, "$$CRC_CONTROLLER$$"},
    {&IFadeVideo::CLASS_ID, "$$FADE_VIDEO$$"},
    {&IFilterSubtitles::CLASS_ID, "$$FILTER_SUBTITLES$$"},
    {&IFilterSubtitleDrawer::CLASS_ID, "$$FILTER_SUBTITLE_DRAWER"},
    {&ICropDetector::CLASS_ID, "$$CROP_DETECTOR$$"},
};

TEST(CatalogueTest, PublishedTextsAreExact) {
  for (const auto* table : {&kKeys, &kImageMetadata, &kTracker, &kLiteralClassIds}) {
    for (const Text& t : *table) EXPECT_EQ(*t.constant, t.text);
  }
}

// Copies of the settings records' identifiers, taken when the library loads (an empty or
// stale copy means the load order went wrong), and the one bound by reference.
TEST(CatalogueTest, RecordClassIdsAreCopiedOrReferenced) {
  const std::pair<const std::string*, const std::string*> copies[] = {
      {&IBlend::CLASS_ID, &SettingsEffectImageBlender::CLASS_ID},
      {&IEffectMagicEnhance::CLASS_ID, &SettingsEffectMagicEnhance::CLASS_ID},
      {&IFilterAudioVolume::CLASS_ID, &SettingsFilterAudioVolume::CLASS_ID},
      {&IFilterFrameRate::CLASS_ID, &SettingsFilterFrameRate::CLASS_ID},
      {&IFilterVolumeDetect::CLASS_ID, &SettingsFilterVolumeDetect::CLASS_ID},
      {&IFilterRepeatController::CLASS_ID, &SettingsFilterRepeatController::CLASS_ID},
      {&IFilterVideoMixer::CLASS_ID, &SettingsFilterVideoMixer::CLASS_ID},
      {&IResize::CLASS_ID, &SettingsResizer::CLASS_ID},
  };
  for (const auto& [copy, record] : copies) {
    EXPECT_FALSE(copy->empty());
    EXPECT_EQ(*copy, *record);
    EXPECT_NE(copy, record);
  }
  EXPECT_EQ(&IFilterResample::CLASS_ID, &SettingsFilterResample::CLASS_ID);
}

// A reader accepts a tree by its root name, so no two classes may share an identifier.
TEST(CatalogueTest, ClassIdsAreDistinct) {
  // clang-format off
  std::vector<const std::string*> ids = {
      &SettingsAudioNoiseGate::CLASS_ID, &SettingsColorspaceConverter::CLASS_ID, &SettingsDeinterlace::CLASS_ID,
      &SettingsEffectAlphaExtractor::CLASS_ID, &SettingsEffectCrop::CLASS_ID,
      &SettingsEffectDenoiseChromaLuma::CLASS_ID, &SettingsEffectDeshake::CLASS_ID,
      &SettingsEffectExtraAlphaExtractor::CLASS_ID, &SettingsEffectFlip::CLASS_ID,
      &SettingsEffectImageBlender::CLASS_ID, &SettingsEffectMagicEnhance::CLASS_ID,
      &SettingsEffectStabilizer::CLASS_ID, &SettingsEffectTranspose::CLASS_ID, &SettingsFilterAudioVolume::CLASS_ID,
      &SettingsFilterCutController::CLASS_ID, &SettingsFilterFrameRate::CLASS_ID,
      &SettingsFilterRepeatController::CLASS_ID, &SettingsFilterResample::CLASS_ID,
      &SettingsFilterVideoMixer::CLASS_ID, &SettingsFilterVolumeDetect::CLASS_ID, &SettingsResizer::CLASS_ID,
      &SettingsStreamOneFrame::CLASS_ID, &SettingsSubtitleDrawer::CLASS_ID, &SettingsTwoPassEncoding::CLASS_ID};
  // clang-format on
  for (const Text& t : kLiteralClassIds) ids.push_back(t.constant);
  std::set<std::string> seen;
  for (const std::string* id : ids) EXPECT_TRUE(seen.insert(*id).second) << *id;
}

}  // namespace
}  // namespace Tivrel::Proc
