#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Settings/SettingsAudioNoiseGate.h"
#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Platform/Settings/SettingsEffectCrop.h"
#include "Platform/Settings/SettingsEffectDenoiseChromaLuma.h"
#include "Platform/Settings/SettingsEffectFlip.h"
#include "Platform/Settings/SettingsEffectImageBlender.h"
#include "Platform/Settings/SettingsEffectMagicEnhance.h"
#include "Platform/Settings/SettingsFilterAudioVolume.h"
#include "Platform/Settings/SettingsFilterRepeatController.h"
#include "Platform/Settings/SettingsFilterVolumeDetect.h"
#include "Platform/Settings/SettingsResizer.h"
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
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsDeinterlace.h"
#include "Proc/Settings/SettingsEffectDeshake.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"
#include "Proc/Settings/SettingsEffectStabilizer.h"
#include "Proc/Settings/SettingsEffectTranspose.h"
#include "Proc/Settings/SettingsFilterCutController.h"
#include "Proc/Settings/SettingsFilterFrameRate.h"
#include "Proc/Settings/SettingsFilterResample.h"
#include "Proc/Settings/SettingsFilterVideoMixer.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "Proc/Settings/SettingsSubtitleDrawer.h"
#include "Proc/Settings/SettingsTwoPassEncoding.h"

namespace Tivrel::Proc {
namespace {

struct Text {
  const std::string* constant;
  const char* text;
};

// The published texts, transcribed independently of the definitions: trees and requests
// of other libraries use exactly these, misspellings ("Hight", "analize") included.
const std::vector<Text> kKeys = {
    {&IBlend::BLENDING_POSITION_X, "blendingPositionX"},
    {&IBlend::BLENDING_POSITION_Y, "blendingPositionY"},
    {&IBlend::BLENDING_ALPHA, "blendingAlpha"},
    {&IFilterAudioVolume::VOLUME_VALUE, "volumeValue"},
    {&IFilterAudioVolume::NORMALIZE_MODE, "volumeNormalizeMode"},
    {&IFilterRepeatController::REDEFINE_DURATION, "$$REDEFINE_DURATION$$"},
    {&IFilterRepeatController::REPEAT_MODE, "$$REPEAT_MODE$$"},
    {&IFilterRepeatController::REPEAT_MODE_LAST, "$$REPEAT_MODE_LAST$$"},
    {&IFilterVideoMixer::ADD_RESIZE_TO_SLAVE, "addSlaveResize"},
    {&IFilterVideoMixer::SLAVE_WIDTH, "slaveWidth"},
    {&IFilterVideoMixer::SLAVE_HEIGHT, "slaveHeight"},
    {&IFilterVideoMixer::RELATIVE_SIZE, "relativeSize"},
    {&IFilterVideoMixer::SLAVE_RELATIVE_X, "slaveRelativeX"},
    {&IFilterVideoMixer::SLAVE_RELATIVE_Y, "slaveRelativeY"},
    {&IFilterVideoMixer::SLAVE_RELATIVE_WIDTH, "slaveRelativeW"},
    {&IFilterVideoMixer::SLAVE_RELATIVE_HEIGHT, "slaveRelativeH"},
    {&IFilterVideoMixer::USE_FIRST_FRAME_AS_WATERMARK, "useFirstFrameAsWatermark"},
    {&IFilterVideoMixer::START_TIME, "startTime"},
    {&IFilterVideoMixer::TRANSPARENCY_TYPE, "transparencyType"},
    {&IFilterVideoMixer::TRANSPARENCY_TYPE_OVERLAY, "transparencyOverlay"},
    {&IFilterVideoMixer::TRANSPARENCY_TYPE_BLINK, "transparencyBlink"},
    {&IFilterVideoMixer::TRANSPARENCY_TYPE_FIXED_ALPHA, "fixedAlpha"},
    {&IFilterVideoMixer::LOOP_STREAM, "loopStream"},
    {&IFilterVideoMixer::BLINK_SHOW_DURATION, "blinkShowDuration"},
    {&IFilterVideoMixer::BLINK_HIDE_DURATION, "blinkHideDuration"},
    {&IFilterVideoMixer::BLINK_DO_FADE, "blinkDoFade"},
    {&IFilterWatermark::IS_WATERMARK, "IsWatermark"},
    {&IFilterWatermark::IS_CAPTIONS, "IsCaptions"},
    {&IFilterWatermark::WATERMARK_SETTINGS, "watermarkSettings"},
    {&IFilterWatermark::FRAME_RECT_ASPECT_RATIO, "frameRectAspectRatio"},
    {&IResize::FRAME_SIZE_MODE, "frameSize"},
    {&IResize::FRAME_SIZE_ORIGINAL, "original"},
    {&IResize::FRAME_SIZE_HALF_ORIGINAL, "halfOriginal"},
    {&IResize::FRAME_SIZE_QUARTER_ORIGINAL, "quarterOriginal"},
    {&IResize::FRAME_SIZE_CUSTOM_SCALE, "customOriginalScale"},
    {&IResize::FRAME_SIZE_CUSTOM, "custom"},
    {&IResize::SCALE_FACTOR, "scaleFactor"},
    {&IResize::FRAME_SIZE_MAX_WIDTH, "frameSizeMaxWidth"},
    {&IResize::FRAME_SIZE_MAX_HEIGHT, "frameSizeMaxHight"},
    {&IResize::CROP_TOP, "cropTop"},
    {&IResize::CROP_BOTTOM, "cropBottom"},
    {&IResize::CROP_LEFT, "cropLeft"},
    {&IResize::CROP_RIGHT, "cropRight"},
    {&IResize::MODE, "resizeMode"},
    {&IResize::MODE_AUTO, "auto"},
    {&IResize::MODE_STRETCH, "stretch"},
    {&IResize::MODE_SMART_FIT, "smartFit"},
    {&IResize::MODE_LETTERBOX, "letterbox"},
    {&IResize::MODE_CROP, "crop"},
    {&IResize::MODE_UP_TO, "upToSize"},
    {&IResize::METHOD, "resizeMethod"},
    {&IResize::METHOD_FAST_BILINEAR, "fast_bilinear"},
    {&IResize::METHOD_BILINEAR, "bilinear"},
    {&IResize::METHOD_BICUBIC, "bicubic"},
    {&IResize::METHOD_X, "x"},
    {&IResize::METHOD_POINT, "point"},
    {&IResize::METHOD_AREA, "area"},
    {&IResize::METHOD_BICUBLIN, "bicublin"},
    {&IResize::METHOD_GAUSS, "gauss"},
    {&IResize::METHOD_SINC, "sinc"},
    {&IResize::METHOD_LANCZOS, "lanczos"},
    {&IResize::METHOD_SPLINE, "spline"},
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

#define TRACKER_KEY_IS_ITS_NAME(name) \
  { &ICoreTracker::name, #name }
const std::vector<Text> kTracker = {
    {&ICoreTracker::CORE_EVENT_FILE_OPEN, "CORE_FILE_OPEN"},
    {&ICoreTracker::CORE_EXCEPTION_FILE_OPEN, "CORE_FILE_OPEN_EXCEPTION"},
    {&ICoreTracker::CORE_EVENT_CPU_INFO, "CORE_CPU_INFO"},
    {&ICoreTracker::CORE_EVENT_GPU_INFO, "CORE_GPU_INFO"},
    TRACKER_KEY_IS_ITS_NAME(CORE_FILENAME),
    TRACKER_KEY_IS_ITS_NAME(CORE_FORMAT_OPENED),
    TRACKER_KEY_IS_ITS_NAME(CORE_STREAMS_FOUND),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_VENDOR_ID),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_BRAND_STR),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_MICRO_ARCH),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_MODEL),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_FAMILY),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_EXT_MODEL),
    TRACKER_KEY_IS_ITS_NAME(CORE_CPU_EXT_FAMILY),
    TRACKER_KEY_IS_ITS_NAME(CORE_EVENT_EXPORT),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_VIDEO_DECODERS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_AUDIO_DECODERS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_SUBTITLES_DECODER),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_VIDEO_ENCODERS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_AUDIO_ENCODERS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_SUBTITLES_ENCODERS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_EXCEPTION),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_IN_VIDEO_CODECS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_IN_AUDIO_CODECS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_IN_SUBTITLES_CODECS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_OUT_VIDEO_CODECS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_OUT_AUDIO_CODECS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_OUT_SUBTITLES_CODECS),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_CLEANUP_EXCEPTION),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_OUT_FORMAT),
    TRACKER_KEY_IS_ITS_NAME(CORE_EXPORT_STATUS),
    TRACKER_KEY_IS_ITS_NAME(CORE_GPU_VENDOR),
    TRACKER_KEY_IS_ITS_NAME(CORE_GPU_VENDOR_ID),
    TRACKER_KEY_IS_ITS_NAME(CORE_GPU_DEVICE_ID),
    TRACKER_KEY_IS_ITS_NAME(CORE_GPU_DRIVER_VERSION),
    TRACKER_KEY_IS_ITS_NAME(CORE_GPU_BRAND_STR),
    TRACKER_KEY_IS_ITS_NAME(CORE_CODEC_H265_NO_DECODER_EXCEPTION),
};
#undef TRACKER_KEY_IS_ITS_NAME

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

TEST(CatalogueTest, LiteralClassIdsAreDollarDelimitedButTwo) {
  for (const Text& t : kLiteralClassIds) {
    const std::string& id = *t.constant;
    ASSERT_GE(id.size(), 4u);
    EXPECT_EQ(id.substr(0, 2), "$$") << id;
    const bool open = id == "$$FILTER_SUBTITLE_DRAWER" || id == "$$FILTER_AUDIO_HISTOGRAM";
    EXPECT_EQ(id.substr(id.size() - 2) == "$$", !open) << id;
    if (open) {
      EXPECT_EQ(id.size(), 24u);
    }
  }
}

// Identifiers copied from the settings records when the library loads, and the one bound
// by reference.
TEST(CatalogueTest, RecordClassIdsAreCopiedOrReferenced) {
  const std::vector<std::pair<const std::string*, const std::string*>> copies = {
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

// Every record names its own class, and no interface identifier repeats another.
TEST(CatalogueTest, ClassIdsAreDistinct) {
  std::vector<const std::string*> ids = {
      &SettingsAudioNoiseGate::CLASS_ID,
      &SettingsColorspaceConverter::CLASS_ID,
      &SettingsDeinterlace::CLASS_ID,
      &SettingsEffectAlphaExtractor::CLASS_ID,
      &SettingsEffectCrop::CLASS_ID,
      &SettingsEffectDenoiseChromaLuma::CLASS_ID,
      &SettingsEffectDeshake::CLASS_ID,
      &SettingsEffectExtraAlphaExtractor::CLASS_ID,
      &SettingsEffectFlip::CLASS_ID,
      &SettingsEffectImageBlender::CLASS_ID,
      &SettingsEffectMagicEnhance::CLASS_ID,
      &SettingsEffectStabilizer::CLASS_ID,
      &SettingsEffectTranspose::CLASS_ID,
      &SettingsFilterAudioVolume::CLASS_ID,
      &SettingsFilterCutController::CLASS_ID,
      &SettingsFilterFrameRate::CLASS_ID,
      &SettingsFilterRepeatController::CLASS_ID,
      &SettingsFilterResample::CLASS_ID,
      &SettingsFilterVideoMixer::CLASS_ID,
      &SettingsFilterVolumeDetect::CLASS_ID,
      &SettingsResizer::CLASS_ID,
      &SettingsStreamOneFrame::CLASS_ID,
      &SettingsSubtitleDrawer::CLASS_ID,
      &SettingsTwoPassEncoding::CLASS_ID,
  };
  for (const Text& t : kLiteralClassIds) {
    if (t.constant != &IFilterSubtitles::CLASS_ID) ids.push_back(t.constant);  // FILENAME shares its text, not an id
  }
  std::set<std::string> seen;
  for (const std::string* id : ids) EXPECT_TRUE(seen.insert(*id).second) << *id;
  EXPECT_EQ(IFilterSubtitles::FILENAME, IFilterSubtitles::CLASS_ID);
}

TEST(CatalogueTest, NumericDefaults) {
  EXPECT_EQ(IFilterCacheController::DEFAULT_CACHE_SPAN_VIDEO, 500000);
  EXPECT_EQ(IFilterCacheController::DEFAULT_CACHE_SPAN_AUDIO, 5000000);
  EXPECT_EQ(IFilterCacheController::DEFAULT_CACHE_SPAN_SUBTITLE, 5000000);
  EXPECT_EQ(IFilterCacheController::DEFAULT_PREFETCH_SPAN_VIDEO, 500000);
  EXPECT_EQ(IFilterCacheController::DEFAULT_PREFETCH_SPAN_AUDIO, 500000);
  EXPECT_EQ(IFilterCacheController::DEFAULT_PREFETCH_SPAN_SUBTITLE, 500000);
  EXPECT_EQ(IFilterCacheController::DEFAULT_CACHE_INCREASE_SPAN, 1500000);
  EXPECT_EQ(ICropDetector::DEFAULT_MAX_INTERVAL, 10000000);
  EXPECT_EQ(ICropDetector::DEFAULT_SKIP_INTERVAL, 500000);
  EXPECT_EQ(ICropDetector::DEFAULT_SUCCESS_FRAME_COUNT, 2);
  EXPECT_EQ(ICropDetector::DEFAULT_CALC_LIMIT, 10);
  EXPECT_EQ(ICropDetector::DEFAULT_CROP_PRECISION, 5);
  // The spans are 64-bit microsecond times, the counts plain ints.
  static_assert(std::is_same_v<decltype(IFilterCacheController::DEFAULT_CACHE_SPAN_VIDEO), const avTime>);
  static_assert(std::is_same_v<decltype(ICropDetector::DEFAULT_CALC_LIMIT), const int>);
}

}  // namespace
}  // namespace Tivrel::Proc
