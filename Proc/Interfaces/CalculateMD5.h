#pragma once

/// @file
/// Digest texts of media data: the MD5 of the payload bytes as 32 hexadecimal digits,
/// followed for most kinds by header values separated by colons. Equal payloads and headers
/// give equal texts, so the texts can be stored and compared across runs on machines of the
/// same byte order.
///
/// The functions keep no state and may run on any thread; the data must not change while
/// it is hashed. A null argument throws std::invalid_argument "data is NULL" (with the call
/// stack), except where noted.

#include <string>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IBlob.h"
#include "Proc/Interfaces/IDataAudio.h"
#include "Proc/Interfaces/IDataPacket.h"
#include "Proc/Interfaces/IDataSubtitle.h"
#include "Proc/Interfaces/IDataVideo.h"

namespace Tivrel::Proc {

/// "hex:samples:duration". Hashed: the sample format, the sample count, the channel layout
/// and the sample rate (each as 4 native-order bytes), then every plane's bytes, plane 0 first.
TIVREL_PROC_API std::string CalculateAudioDataMD5(const SP<IDataAudio>& data);

/// "hex:width:height:pixfmt". Hashed: every plane's lines from the top, width bytes each;
/// neither the stride nor the bytes between lines nor the frame info count.
TIVREL_PROC_API std::string CalculateVideoDataMD5(const SP<IDataVideo>& frame);

/// "hex:time:secondaryTime:duration:flags" with flags = key frame + 2 * corrupt +
/// 4 * discardable. Hashed: the blob's bytes (a packet without a blob hashes as empty).
TIVREL_PROC_API std::string CalculatePacketDataMD5(const SP<IDataPacket>& packet);

/// "hex" of the blob's bytes, nothing appended.
TIVREL_PROC_API std::string CalculateBlobDataMD5(const SP<IBlob>& blob);

/// Subtitles have no digest: always the empty string, for a null pointer too.
TIVREL_PROC_API std::string CalculateSubtitleDataMD5(const SP<IDataSubtitle>& data);

}  // namespace Tivrel::Proc
