#pragma once

// Fake streams with known content, seekable, for tests of what reads streams.
//
// Unit i (a frame or a block) has the timestamp T(i) and the duration T(i + 1) - T(i), so
// units tile the stream without gap; the stream's duration is T(count). Reads return a
// new data object per call with content that depends only on i, so a stream replays the
// same data after a seek. RequestSeek(p) moves to the unit containing p (0 for p < 0, the
// end for p >= the duration); DoSeek has nothing left to do and GetSeekResult is true.
// GetPosition is T(next unit). Initialize(const Core::Property&) is ignored, GetSettings
// and GetStatistic are empty trees, Terminate only sets the flag IsTerminated reads, and
// Accept reports "FakeVideoStream" or "FakeAudioStream" with FRAME_ALLOC_SYSTEM_MEMORY.
//
// Threads: one thread at a time, as for any stream; GetDuration, GetFormatCodec,
// GetStatistic, Terminate and IsTerminated may also run concurrently with the rest, as
// the lockable decorator (IStreamVideoLockable) requires of the streams it wraps.

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IStream.h"

namespace Tivrel::Testing {

// `frames` frames of MakeGradient(format, width, height, i) at rateNum / rateDen frames per
// second: T(i) = round(i * 1,000,000 * rateDen / rateNum). Throws std::invalid_argument
// for a negative count or a rate term below 1, and what MakeGradient throws.
SP<Proc::IStreamVideo> MakeVideoStream(int frames, PixFmt format, int width, int height, int rateNum = 25,
                                       int rateDen = 1);

enum class Signal {
  Silence,
  Sine,   // 440 Hz at half the full scale, the same in every channel
  Noise,  // uniform over half the full scale, from a generator seeded with seed + block
};

// `blocks` blocks of `samplesPerBlock` samples of `format` (any layout and sample format,
// planar or interleaved), timed by an AudioTime clock started at 0. Throws
// std::invalid_argument for a negative count, fewer than 1 sample per block or a rate
// below 1.
SP<Proc::IStreamAudio> MakeAudioStream(const Conf::AudioFormat& format, int blocks, int samplesPerBlock,
                                       Signal signal = Signal::Sine, unsigned seed = 1);

}  // namespace Tivrel::Testing
