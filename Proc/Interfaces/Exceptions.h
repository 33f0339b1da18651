#pragma once

/// @file
/// The engine's transcoding error codes and the two error-info tags that carry a code
/// and a codec identifier on an exception (see Platform/Core/Exception.h for the family
/// and the throw sequence).

#include <cstdint>
#include <string>

#include <boost/exception/info.hpp>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// What a failed job stands for. The numeric values are part of the interface: they are
/// stored, logged and compared by the engine's other libraries, so members are never
/// renumbered. Unscoped so that diagnostic output prints the value as a number.
/// Values outside 0..MaxErrorValue are not members; TranscodingErrorToString names them
/// "UnknownError".
enum TranscodingErrors : int32_t {
  NoErrors = 0,
  NoEligibleStreams = 1,
  UnsupportedMediaType = 2,
  DataHelperUnavailable = 3,
  UnsupportedStreamTypeByFormat = 4,
  TooManyStreamsForFormat = 5,
  UnsupportedCodecByFormat = 6,
  NoInputAudioStreamForAudioPreset = 7,
  EncoderImplementationsNotExists = 8,
  DecoderImplementationsNotExists = 9,
  AllEncoderImplementationsDisabled = 10,
  AllDecoderImplementationsDisabled = 11,
  NeedToDisableIMAcceleration = 12,
  MuxerImplementationNotExists = 13,
  AllMuxerImplementationsDisabled = 14,
  UnsupportedResolution = 15,
  TargetAreaBeyondFrame = 16,
  SourceFrameTooSmall = 17,
  InvalidFrameParameters = 18,
  EncoderImplementationRejectedByPatents = 19,
  DecoderImplementationRejectedByPatents = 20,
  TranscodingException = 21,  ///< any failure that carries no code of its own
  NotEnoughDiskSpace = 22,
  IPCError = 23,
  InternalError = 24,
  OperationAborted = 25,
  CopyProtectedMedia = 26,
  VideoStreamSelectionInconsistentForJoin = 27,
  AudioStreamSelectionInconsistentForJoin = 28,
  AudioStreamSelectionDeficitForJoin = 29,
  NoVideoStreamSelectedForJoinedVideo = 30,
  NoAudioStreamSelectedForJoinedVideo = 31,
  NotEnoughFilesForJoin = 32,
  CanNotCreateOutputFile = 33,
  NotEnoughMemory = 34,  ///< any memory failure (Core::MemoryException)
  NotEnoughMemoryForFilter = 35,
  SourceFileIOError = 36,
  CantOpenFile = 37,
  FormatIsDisabled = 38,
  UnknownFormat = 39,
  StreamInfoNotFound = 40,
  DurationNotFound = 41,
  ExtractorPipeCrashed = 42,
  IncorrectFilePath = 43,
  MaxErrorValue = 44,  ///< the last value; not a failure of its own
};

/// The engine error code a failure stands for. Attached by the engine's libraries; a
/// Core::MemoryException gets NotEnoughMemory when it is turned into a ProcessingError.
using TagTranscodingErrorCode = boost::error_info<struct TagTranscodingErrorCode_, TranscodingErrors>;
/// Identifier of the codec involved in the failure.
using TagCodecID = boost::error_info<struct TagCodecID_, std::string>;

/// The member's name ("NoErrors", ..., "MaxErrorValue"); "UnknownError" for any value
/// outside 0..44, negative values included. Never throws except on allocation failure.
TIVREL_PROC_API std::string TranscodingErrorToString(TranscodingErrors code);

}  // namespace Tivrel::Proc
