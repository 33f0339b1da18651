// Texts of the format keys, values and implementation names. They are stored in property
// trees and read back with the same constants, so they never change once released.

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"

namespace Tivrel {
namespace Conf {

const std::string IFormatCodec::TAG_CODEC_ID = "codecId";
const std::string IFormatCodec::TAG_BITRATE_MODE = "bitrateMode";
const std::string IFormatCodec::TAG_BITRATE_MODE_VBR = "vbr";
const std::string IFormatCodec::CODEC_ID_NONE = "none";

const std::string IFormatCodecVideo::TAG_WIDTH = "width";
const std::string IFormatCodecVideo::TAG_HEIGHT = "height";
const std::string IFormatCodecVideo::TAG_ASPECTX = "aspectX";
const std::string IFormatCodecVideo::TAG_ASPECTY = "aspectY";
const std::string IFormatCodecVideo::TAG_FRAME_ASPECTX = "frameAspectX";
const std::string IFormatCodecVideo::TAG_FRAME_ASPECTY = "frameAspectY";
const std::string IFormatCodecVideo::TAG_FPS = "fps";
const std::string IFormatCodecVideo::TAG_IMAGE_FLAG = "isImage";
const std::string IFormatCodecVideo::TAG_PIX_FMT = "pixelFormat";

const std::string IFormatCodecAudio::TAG_SAMPLE_RATE = "sampleRate";
const std::string IFormatCodecAudio::TAG_LAYOUT = "channelLayout";
const std::string IFormatCodecAudio::TAG_SAMPLE_FORMAT = "sampleFormat";

const std::string IPreset::KEY_TYPE_ID = "typeId";

}  // namespace Conf

const std::string Proc::ImplNames::DEFAULT = "default";

}  // namespace Tivrel
