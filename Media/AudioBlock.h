#pragma once

// A block of decoded audio samples in memory, interleaved or planar after its sample
// format: the data object that readers, tests and tools create.
//
// Memory: one buffer per block; each plane starts on a 64-byte boundary; new blocks are all
// zero bytes. Threading as for every data block (Proc/Interfaces/IData.h).

#include <memory>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Core/RefCount.h"
#include "Platform/Core/Types.h"
#include "Media/Export.h"
#include "Proc/Interfaces/IDataAudio.h"

namespace Tivrel::Media {

class TIVREL_MEDIA_API AudioBlock : public RefCounted<Proc::IDataAudio> {
public:
  // A block of `samples` samples per channel. Planes: one per channel of the layout for a
  // planar sample format (samples * bytes per sample each), otherwise one holding all
  // channels interleaved (samples * channels * bytes per sample). Throws
  // std::invalid_argument for a negative count, the "none" sample format or a size that
  // does not fit memory.
  static SP<AudioBlock> Create(const Conf::AudioFormat& format, int samples);

  long long GetDuration() const override { return duration_; }
  void SetDuration(long long duration) override { duration_ = duration; }
  long long GetTime() const override { return time_; }
  void SetTime(long long time) override { time_ = time; }

  int GetSamplesCount() const override { return samples_; }
  const Conf::AudioFormat& GetAudioFormat() const override { return format_; }
  Proc::AudioPlaneBuffer GetPlaneBuffer(unsigned char plane) override;

private:
  AudioBlock(const Conf::AudioFormat& format, int samples);
  ~AudioBlock() override = default;

  Conf::AudioFormat format_;
  int samples_;
  unsigned long planeSize_ = 0;    // bytes of each plane
  unsigned long planeStride_ = 0;  // planeSize_ rounded up to 64
  static constexpr unsigned long kAlignment = 64;
  struct FreeBuffer {
    void operator()(unsigned char* p) const;
  };
  std::unique_ptr<unsigned char, FreeBuffer> buffer_;
  long long time_ = AV_TIME_NOT_SET;
  long long duration_ = 0;
};

}  // namespace Tivrel::Media
