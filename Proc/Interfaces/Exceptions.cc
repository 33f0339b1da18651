#include "Proc/Interfaces/Exceptions.h"

#include <array>

namespace Tivrel::Proc {

namespace {

// Indexed by value; the enumeration is contiguous from NoErrors to MaxErrorValue.
constexpr std::array<const char*, MaxErrorValue + 1> kNames = {
    "NoErrors",
    "NoEligibleStreams",
    "UnsupportedMediaType",
    "DataHelperUnavailable",
    "UnsupportedStreamTypeByFormat",
    "TooManyStreamsForFormat",
    "UnsupportedCodecByFormat",
    "NoInputAudioStreamForAudioPreset",
    "EncoderImplementationsNotExists",
    "DecoderImplementationsNotExists",
    "AllEncoderImplementationsDisabled",
    "AllDecoderImplementationsDisabled",
    "NeedToDisableIMAcceleration",
    "MuxerImplementationNotExists",
    "AllMuxerImplementationsDisabled",
    "UnsupportedResolution",
    "TargetAreaBeyondFrame",
    "SourceFrameTooSmall",
    "InvalidFrameParameters",
    "EncoderImplementationRejectedByPatents",
    "DecoderImplementationRejectedByPatents",
    "TranscodingException",
    "NotEnoughDiskSpace",
    "IPCError",
    "InternalError",
    "OperationAborted",
    "CopyProtectedMedia",
    "VideoStreamSelectionInconsistentForJoin",
    "AudioStreamSelectionInconsistentForJoin",
    "AudioStreamSelectionDeficitForJoin",
    "NoVideoStreamSelectedForJoinedVideo",
    "NoAudioStreamSelectedForJoinedVideo",
    "NotEnoughFilesForJoin",
    "CanNotCreateOutputFile",
    "NotEnoughMemory",
    "NotEnoughMemoryForFilter",
    "SourceFileIOError",
    "CantOpenFile",
    "FormatIsDisabled",
    "UnknownFormat",
    "StreamInfoNotFound",
    "DurationNotFound",
    "ExtractorPipeCrashed",
    "IncorrectFilePath",
    "MaxErrorValue",
};
// A missing entry would leave a null name at the end.
static_assert(kNames.back() != nullptr, "one name per value");

}  // namespace

std::string TranscodingErrorToString(TranscodingErrors code) {
  // Unsigned comparison folds negative values into the out-of-range case.
  const auto index = static_cast<uint32_t>(code);
  return index < kNames.size() ? kNames[index] : "UnknownError";
}

}  // namespace Tivrel::Proc
