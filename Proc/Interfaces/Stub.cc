// What the library defines for headers that have no source of their own, in this order:
//   1. RethrowException, the one point that rethrows a stored exception (Stub.h);
//   2. the exported, never-thrown exception objects, one per processing exception class
//      (Stub.h);
//   3. the catalogue: class identifiers, property keys and default values of the interfaces
//      IComputingResource, IDVDReader, ICDReader, ICRCStreamController, IResizeComplex,
//      IFilterSubtitleDrawer, IFilterAudioHistogram, IFilterAudioFormatter, IAudioFormatter,
//      IFilterCacheController, IFilterSeekController, IResample, IFilterAudioMixer, IFadeVideo,
//      IFilterSubtitles, ICropDetector and IFilterResample, the image-metadata keys
//      (IImageMetadata.h), the tracker keys (ICoreTracker.h) and CommonFilterParameters;
//   4. the class identifiers and the explicit instances of the join and repeat filter
//      interfaces (TIFilterJoin.h, TIFilterRepeat.h);
//   5. the controller state names, ControllerStateAsString (IConverterController.h);
//   6. IImageMetadata::GetKey and the raw stream's GetFormatCodecBase (IStream.h).
// The constants of section 3 are built by this file's load-time initialiser in the order
// they stand here. README.md in this folder tells which header is defined where.

#include "Proc/Interfaces/Stub.h"

#include <stdexcept>
#include <string>

#include "Proc/Interfaces/IAudioFormatter.h"
#include "Proc/Interfaces/ICDReader.h"
#include "Proc/Interfaces/ICRCStreamController.h"
#include "Proc/Interfaces/IComputingResource.h"
#include "Proc/Interfaces/IConverterController.h"
#include "Proc/Interfaces/ICoreTracker.h"
#include "Proc/Interfaces/ICropDetector.h"
#include "Proc/Interfaces/IDVDReader.h"
#include "Proc/Interfaces/IFadeVideo.h"
#include "Proc/Interfaces/IFilterAudioFormatter.h"
#include "Proc/Interfaces/IFilterAudioHistogram.h"
#include "Proc/Interfaces/IFilterAudioMixer.h"
#include "Proc/Interfaces/IFilterCacheController.h"
#include "Proc/Interfaces/IFilterResample.h"
#include "Proc/Interfaces/IFilterSeekController.h"
#include "Proc/Interfaces/IFilterSubtitleDrawer.h"
#include "Proc/Interfaces/IFilterSubtitles.h"
#include "Proc/Interfaces/IImageMetadata.h"
#include "Proc/Interfaces/IResample.h"
#include "Proc/Interfaces/IResizeComplex.h"
#include "Proc/Interfaces/IStream.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/TIFilterJoin.h"
#include "Proc/Interfaces/TIFilterRepeat.h"
#include "Proc/Settings/SettingsFilterResample.h"

namespace Tivrel {

void RethrowException(const ExceptionPtr& p) {
  // Rethrowing a null pointer is undefined; refuse it instead.
  if (!p) {
    ThrowError<std::invalid_argument>(
        "exception is NULL", TIVREL_THROW_SITE("void Tivrel::RethrowException(const ExceptionPtr &)", __LINE__));
  }
  std::rethrow_exception(p);
}

namespace Proc {

const ProcException exportDummyException;
const ParserException exportDummyException0;
const DemuxerException exportDummyException1;
const StreamReaderException exportDummyException2;
const MuxerException exportDummyException3;
const DecoderException exportDummyException4;
const FilterException exportDummyException5;
const EncoderException exportDummyException6;
const ConverterException exportDummyException7;
const CodecFactoryException exportDummyException8;
const ConverterControllerException exportDummyException9;
const PlayerViewException exportDummyException10;
const SettingsException exportDummyException11;

}  // namespace Proc
}  // namespace Tivrel

// ---- Catalogue: class identifiers, keys and defaults published for the engine's other
// libraries. Built by this file's load-time initialiser in the order below.

namespace Tivrel::Core {

// IComputingResource
const std::string IComputingResource::CPU = "CPU";
const std::string IComputingResource::NVENC = "NVENC";
const std::string IComputingResource::IM = "IM";
const std::string IComputingResource::VT_HW = "VT_HW";
const std::string IComputingResource::AMFENC = "AMFENC";

}  // namespace Tivrel::Core

namespace Tivrel::Proc {

// IDVDReader
const std::string IDVDReader::DVD_PATH_PREFIX = "dvd://";
const std::string IDVDReader::DVD_TITLE_PREFIX = ":title=";

// ICDReader
const std::string ICDReader::CD_PATH_PREFIX = "cd://";
const std::string ICDReader::CD_TRACK_PREFIX = ":track=";

// ICRCStreamController
const std::string ICRCStreamController::CLASS_ID = "$$CRC_CONTROLLER$$";
const std::string ICRCStreamController::SOURCE_NODE_ID = "$$CRC_SOURCE_NODE_ID$$";

// IResizeComplex
const std::string IResizeComplex::EXTENDED_CLASS_ID = "$$RESIZE_COMPLEX$$";

// IFilterSubtitleDrawer
const std::string IFilterSubtitleDrawer::CLASS_ID = "$$FILTER_SUBTITLE_DRAWER";

// IFilterAudioHistogram
const std::string IFilterAudioHistogram::CLASS_ID = "$$FILTER_AUDIO_HISTOGRAM";

// IFilterAudioFormatter
const std::string IFilterAudioFormatter::CLASS_ID = "$$AUDIO_FORMATTER$$";
const std::string IFilterAudioFormatter::PACKET_DURATION = "duration";

// IAudioFormatter
const std::string IAudioFormatter::CLASS_ID = "$$AFORMATTER$$";
const std::string IAudioFormatter::IMPL_FFMPEG = "ffmpeg";

// IFilterCacheController
const std::string IFilterCacheController::CLASS_ID = "$$FILTER_CACHE_CONTROLLER$$";
const std::string IFilterCacheController::STREAM_ID = "$$STREAM_FROM_FILTER_CACHE_CONTROLLER$$";
const avTime IFilterCacheController::DEFAULT_CACHE_SPAN_VIDEO;
const avTime IFilterCacheController::DEFAULT_CACHE_SPAN_AUDIO;
const avTime IFilterCacheController::DEFAULT_CACHE_SPAN_SUBTITLE;
const avTime IFilterCacheController::DEFAULT_PREFETCH_SPAN_VIDEO;
const avTime IFilterCacheController::DEFAULT_PREFETCH_SPAN_AUDIO;
const avTime IFilterCacheController::DEFAULT_PREFETCH_SPAN_SUBTITLE;
const avTime IFilterCacheController::DEFAULT_CACHE_INCREASE_SPAN;

// IFilterSeekController
const std::string IFilterSeekController::CLASS_ID = "$$FILTER_SEEK_CONTROLLER$$";

// IResample
const std::string IResample::CLASS_ID = "$$RESAMPLE$$";

// IFilterAudioMixer
const std::string IFilterAudioMixer::CLASS_ID = "$$AUDIO_MIXER$$";

// IFadeVideo
const std::string IFadeVideo::CLASS_ID = "$$FADE_VIDEO$$";
const std::string IFadeVideo::TYPE = "fadeType";
const std::string IFadeVideo::TYPE_IN = "in";
const std::string IFadeVideo::TYPE_OUT = "out";
const std::string IFadeVideo::START_FRAME = "startFrame";
const std::string IFadeVideo::COUNT_OF_FRAMES = "countOfFrames";
const std::string IFadeVideo::FADE_ONLY_ALPHA = "fadeOnlyAlpha";
const std::string IFadeVideo::START_TIME = "startTime";
const std::string IFadeVideo::DURATION = "duration";

// IFilterSubtitles
const std::string IFilterSubtitles::CLASS_ID = "$$FILTER_SUBTITLES$$";
const std::string IFilterSubtitles::FILENAME = "$$FILTER_SUBTITLES$$";
const std::string IFilterSubtitles::ORIGINAL_WIDTH = "originalWidth";
const std::string IFilterSubtitles::ORIGINAL_HEIGHT = "originalHeight";
const std::string IFilterSubtitles::ENCODING = "characterEncoding";
const std::string IFilterSubtitles::ENCODING_UTF8 = "utf-8";
const std::string IFilterSubtitles::ENCODING_CP1251 = "cp1251";

// ICropDetector
const std::string ICropDetector::CLASS_ID = "$$CROP_DETECTOR$$";
const std::string ICropDetector::MAX_INTERVAL = "cropDetectorMaxInterval";
const avTime ICropDetector::DEFAULT_MAX_INTERVAL;
const std::string ICropDetector::SKIP_INTERVAL = "cropDetectorSkipInterval";
const avTime ICropDetector::DEFAULT_SKIP_INTERVAL;
const std::string ICropDetector::SUCCESS_FRAME_COUNT = "cropDetectorSuccessFrameCount";
const int ICropDetector::DEFAULT_SUCCESS_FRAME_COUNT;
const std::string ICropDetector::CALC_LIMIT = "cropDetectorCalcLimit";
const int ICropDetector::DEFAULT_CALC_LIMIT;
const std::string ICropDetector::CROP_PRECISION = "cropDetectorCropPrecision";
const int ICropDetector::DEFAULT_CROP_PRECISION;

// IFilterResample: bound to the record's identifier itself, not a copy.
const std::string& IFilterResample::CLASS_ID = SettingsFilterResample::CLASS_ID;

// TIFilterJoin, TIFilterRepeat
template <>
const std::string TIFilterJoin<IStreamVideo>::CLASS_ID = "$$FILTER_JOIN_VIDEO$$";
template <>
const std::string TIFilterJoin<IStreamAudio>::CLASS_ID = "$$FILTER_JOIN_AUDIO$$";
template <>
const std::string TIFilterJoin<IStreamRaw>::CLASS_ID = "$$FILTER_JOIN_RAW$$";
template <>
const std::string TIFilterRepeat<IStreamVideoEx, IStreamVideo>::CLASS_ID = "$$FILTER_REPEAT_VIDEO$$";
template <>
const std::string TIFilterRepeat<IStreamAudioEx, IStreamAudio>::CLASS_ID = "$$FILTER_REPEAT_AUDIO$$";

// IImageMetadata
const std::string IImageMetadata::BASE_INFO = "BaseInfo";
const std::string IImageMetadata::BASE_INFO_MAIN = "BaseInfoMain";
const std::string IImageMetadata::BASE_INFO_FILE_TIME = "BaseInfoFileTime";
const std::string IImageMetadata::IMAGE_METADATA = "IMAGE_METADATA";
const std::string IImageMetadata::EXIF = "Exif";
const std::string IImageMetadata::IPTC = "Iptc";
const std::string IImageMetadata::COMMENT = "Comment";
const std::string IImageMetadata::ICC_PROFILE = "IccProfile";
const std::string IImageMetadata::XMP = "Xmp";
const std::string IImageMetadata::XMP_PACKET = "XmpPacket";
const std::string IImageMetadata::BLOCK_NAME = "imageMetadataBLOCK_NAME";
const std::string IImageMetadata::TAG_NAME = "imageMetadataTAG_NAME";
const std::string IImageMetadata::TAG = "imageMetadataTAG";
const std::string IImageMetadata::TAG_LABEL = "imageMetadataTAG_LABEL";
const std::string IImageMetadata::TEXT_VALUE = "imageMetadataTEXT_VALUE";
const std::string IImageMetadata::VALUE = "imageMetadataVALUE";
const std::string IImageMetadata::VALUE_TYPE = "imageMetadataVALUE_TYPE";
const std::string IImageMetadata::BLOCK_PHOTO = "Photo";
const std::string IImageMetadata::BLOCK_IMAGE = "Image";
const std::string IImageMetadata::BLOCK_GPS = "GPSInfo";
const std::string IImageMetadata::TAG_ORIENTATION = "Orientation";
const std::string IImageMetadata::VAL_ORIENTATION_TOP_LEFT = "1";
const std::string IImageMetadata::VAL_ORIENTATION_TOP_RIGHT = "2";
const std::string IImageMetadata::VAL_ORIENTATION_BOTTOM_RIGHT = "3";
const std::string IImageMetadata::VAL_ORIENTATION_BOTTOM_LEFT = "4";
const std::string IImageMetadata::VAL_ORIENTATION_LEFT_TOP = "5";
const std::string IImageMetadata::VAL_ORIENTATION_RIGHT_TOP = "6";
const std::string IImageMetadata::VAL_ORIENTATION_RIGHT_BOTTOM = "7";
const std::string IImageMetadata::VAL_ORIENTATION_LEFT_BOTTOM = "8";
// Built after VAL_ORIENTATION_TOP_LEFT, whose text it copies.
const std::string IImageMetadata::VAL_ORIENTATION_NORMAL = IImageMetadata::VAL_ORIENTATION_TOP_LEFT;
const std::string IImageMetadata::TAG_XRESOLUTION = "XResolution";
const std::string IImageMetadata::TAG_YRESOLUTION = "YResolution";
const std::string IImageMetadata::TAG_RESOLUTION_UOM = "ResolutionUnit";
const std::string IImageMetadata::VAL_RESOLUTION_UOM_PPI = "2";
const std::string IImageMetadata::TAG_ARTIST = "Artist";
const std::string IImageMetadata::TAG_COMPRESSION = "Compression";
const std::string IImageMetadata::TAG_DATE_TIME = "DateTime";
const std::string IImageMetadata::TAG_IMAGE_DESCRIPTION = "ImageDescription";
const std::string IImageMetadata::TAG_SOFTWARE = "Software";
const std::string IImageMetadata::TAG_USER_COMMENT = "UserComment";
const std::string IImageMetadata::TAG_LATITUDE = "GPSLatitude";
const std::string IImageMetadata::TAG_LONGITUDE = "GPSLongitude";
const std::string IImageMetadata::TAG_COPYRIGHT = "Copyright";

// Every tracker text is the constant's own name, except the four events spelled out.
#define TIVREL_TRACKER_KEY(name) const std::string ICoreTracker::name = #name
const std::string ICoreTracker::CORE_EVENT_FILE_OPEN = "CORE_FILE_OPEN";
TIVREL_TRACKER_KEY(CORE_FILENAME);
TIVREL_TRACKER_KEY(CORE_FORMAT_OPENED);
TIVREL_TRACKER_KEY(CORE_STREAMS_FOUND);
const std::string ICoreTracker::CORE_EXCEPTION_FILE_OPEN = "CORE_FILE_OPEN_EXCEPTION";
const std::string ICoreTracker::CORE_EVENT_CPU_INFO = "CORE_CPU_INFO";
TIVREL_TRACKER_KEY(CORE_CPU_VENDOR_ID);
TIVREL_TRACKER_KEY(CORE_CPU_BRAND_STR);
TIVREL_TRACKER_KEY(CORE_CPU_MICRO_ARCH);
TIVREL_TRACKER_KEY(CORE_CPU_MODEL);
TIVREL_TRACKER_KEY(CORE_CPU_FAMILY);
TIVREL_TRACKER_KEY(CORE_CPU_EXT_MODEL);
TIVREL_TRACKER_KEY(CORE_CPU_EXT_FAMILY);
TIVREL_TRACKER_KEY(CORE_EVENT_EXPORT);
TIVREL_TRACKER_KEY(CORE_EXPORT_VIDEO_DECODERS);
TIVREL_TRACKER_KEY(CORE_EXPORT_AUDIO_DECODERS);
TIVREL_TRACKER_KEY(CORE_EXPORT_SUBTITLES_DECODER);
TIVREL_TRACKER_KEY(CORE_EXPORT_VIDEO_ENCODERS);
TIVREL_TRACKER_KEY(CORE_EXPORT_AUDIO_ENCODERS);
TIVREL_TRACKER_KEY(CORE_EXPORT_SUBTITLES_ENCODERS);
TIVREL_TRACKER_KEY(CORE_EXPORT_EXCEPTION);
TIVREL_TRACKER_KEY(CORE_EXPORT_IN_VIDEO_CODECS);
TIVREL_TRACKER_KEY(CORE_EXPORT_IN_AUDIO_CODECS);
TIVREL_TRACKER_KEY(CORE_EXPORT_IN_SUBTITLES_CODECS);
TIVREL_TRACKER_KEY(CORE_EXPORT_OUT_VIDEO_CODECS);
TIVREL_TRACKER_KEY(CORE_EXPORT_OUT_AUDIO_CODECS);
TIVREL_TRACKER_KEY(CORE_EXPORT_OUT_SUBTITLES_CODECS);
TIVREL_TRACKER_KEY(CORE_EXPORT_CLEANUP_EXCEPTION);
TIVREL_TRACKER_KEY(CORE_EXPORT_OUT_FORMAT);
TIVREL_TRACKER_KEY(CORE_EXPORT_STATUS);
const std::string ICoreTracker::CORE_EVENT_GPU_INFO = "CORE_GPU_INFO";
TIVREL_TRACKER_KEY(CORE_GPU_VENDOR);
TIVREL_TRACKER_KEY(CORE_GPU_VENDOR_ID);
TIVREL_TRACKER_KEY(CORE_GPU_DEVICE_ID);
TIVREL_TRACKER_KEY(CORE_GPU_DRIVER_VERSION);
TIVREL_TRACKER_KEY(CORE_GPU_BRAND_STR);
TIVREL_TRACKER_KEY(CORE_CODEC_H265_NO_DECODER_EXCEPTION);
#undef TIVREL_TRACKER_KEY

namespace CommonFilterParameters {
// A second copy of the watermark key, kept with the catalogue; nothing here reads it.
const std::string PLACE_AFTER_RESIZE = "placeAfterResize";
}  // namespace CommonFilterParameters

}  // namespace Tivrel::Proc

// ---- Controller state names, image-metadata keys and the join and repeat interfaces'
// type information.

namespace Tivrel::Proc {

template class TIFilterJoin<IStreamVideo>;
template class TIFilterJoin<IStreamAudio>;
template class TIFilterJoin<IStreamRaw>;
template class TIFilterRepeat<IStreamVideoEx, IStreamVideo>;
template class TIFilterRepeat<IStreamAudioEx, IStreamAudio>;

const char* ControllerStateAsString(IConverterController::ControllerState state) {
  static const char* const kNames[] = {"NotInitialized", "Stopped", "Running", "Paused", "Error"};
  if (state >= 0 && state < static_cast<int>(sizeof(kNames) / sizeof(kNames[0]))) return kNames[state];
  ThrowError<std::invalid_argument>("controllerState",
                                    TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kControllerStateAsString));
}

std::string IImageMetadata::GetKey(const std::string& a, const std::string& b, const std::string& c) {
  std::string key;
  key.reserve(a.size() + b.size() + c.size() + 2);
  key.append(a).append(1, '.').append(b).append(1, '.').append(c);
  return key;
}

SP<Conf::IFormatCodec> IStreamRaw::GetFormatCodecBase() const { return GetFormatCodec(); }

}  // namespace Tivrel::Proc
