#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Names of the engine tracker's events and of the fields reported with them. Each text is the
/// constant's own name, except CORE_EVENT_FILE_OPEN ("CORE_FILE_OPEN"), CORE_EXCEPTION_FILE_OPEN
/// ("CORE_FILE_OPEN_EXCEPTION"), CORE_EVENT_CPU_INFO ("CORE_CPU_INFO") and CORE_EVENT_GPU_INFO
/// ("CORE_GPU_INFO").
class TIVREL_PROC_API ICoreTracker {
public:
  /// File opening: the event and the fields reported with it.
  ///@{
  static const std::string CORE_EVENT_FILE_OPEN;
  static const std::string CORE_FILENAME;
  static const std::string CORE_FORMAT_OPENED;
  static const std::string CORE_STREAMS_FOUND;
  static const std::string CORE_EXCEPTION_FILE_OPEN;
  ///@}

  /// Processor: the event and the fields reported with it.
  ///@{
  static const std::string CORE_EVENT_CPU_INFO;
  static const std::string CORE_CPU_VENDOR_ID;
  static const std::string CORE_CPU_BRAND_STR;
  static const std::string CORE_CPU_MICRO_ARCH;
  static const std::string CORE_CPU_MODEL;
  static const std::string CORE_CPU_FAMILY;
  static const std::string CORE_CPU_EXT_MODEL;
  static const std::string CORE_CPU_EXT_FAMILY;
  ///@}

  /// Export: the event and the fields reported with it.
  ///@{
  static const std::string CORE_EVENT_EXPORT;
  static const std::string CORE_EXPORT_VIDEO_DECODERS;
  static const std::string CORE_EXPORT_AUDIO_DECODERS;
  static const std::string CORE_EXPORT_SUBTITLES_DECODER;
  static const std::string CORE_EXPORT_VIDEO_ENCODERS;
  static const std::string CORE_EXPORT_AUDIO_ENCODERS;
  static const std::string CORE_EXPORT_SUBTITLES_ENCODERS;
  static const std::string CORE_EXPORT_EXCEPTION;
  static const std::string CORE_EXPORT_IN_VIDEO_CODECS;
  static const std::string CORE_EXPORT_IN_AUDIO_CODECS;
  static const std::string CORE_EXPORT_IN_SUBTITLES_CODECS;
  static const std::string CORE_EXPORT_OUT_VIDEO_CODECS;
  static const std::string CORE_EXPORT_OUT_AUDIO_CODECS;
  static const std::string CORE_EXPORT_OUT_SUBTITLES_CODECS;
  static const std::string CORE_EXPORT_CLEANUP_EXCEPTION;
  static const std::string CORE_EXPORT_OUT_FORMAT;
  static const std::string CORE_EXPORT_STATUS;
  ///@}

  /// Graphics adapter: the event and the fields reported with it.
  ///@{
  static const std::string CORE_EVENT_GPU_INFO;
  static const std::string CORE_GPU_VENDOR;
  static const std::string CORE_GPU_VENDOR_ID;
  static const std::string CORE_GPU_DEVICE_ID;
  static const std::string CORE_GPU_DRIVER_VERSION;
  static const std::string CORE_GPU_BRAND_STR;
  ///@}

  /// Codec availability.
  static const std::string CORE_CODEC_H265_NO_DECODER_EXCEPTION;
};

}  // namespace Tivrel::Proc
