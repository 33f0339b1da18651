#include "Media/AudioBlock.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include "Platform/Core/Exception.h"

namespace Tivrel::Media {

void AudioBlock::FreeBuffer::operator()(unsigned char* p) const { ::operator delete (p, std::align_val_t{kAlignment}); }

SP<AudioBlock> AudioBlock::Create(const Conf::AudioFormat& format, int samples) {
  return SP<AudioBlock>(new AudioBlock(format, samples));
}

AudioBlock::AudioBlock(const Conf::AudioFormat& format, int samples) : format_(format), samples_(samples) {
  if (samples < 0) {
    ThrowError<std::invalid_argument>("Negative samples count " + std::to_string(samples),
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  if (format.sampleFormat->bytesPerSample == 0) {
    ThrowError<std::invalid_argument>("Audio block without a sample format",
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  const unsigned long planes = format.GetPlanesCount();
  const unsigned long channelsPerPlane = format.sampleFormat->planar ? 1 : format.layout->channels;
  planeSize_ = static_cast<unsigned long>(samples) * channelsPerPlane * format.sampleFormat->bytesPerSample;
  planeStride_ = (planeSize_ + kAlignment - 1) / kAlignment * kAlignment;
  if (planes != 0 && planeStride_ > std::numeric_limits<long>::max() / 2 / planes) {
    ThrowError<std::invalid_argument>("Audio block of " + std::to_string(samples) + " samples is too large",
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  const unsigned long total = planeStride_ * planes;
  void* memory = ::operator new (total == 0 ? kAlignment : total, std::align_val_t{kAlignment});
  buffer_.reset(static_cast<unsigned char*>(memory));
  std::memset(memory, 0, total);
}

Proc::AudioPlaneBuffer AudioBlock::GetPlaneBuffer(unsigned char plane) {
  if (plane >= format_.GetPlanesCount()) {
    ThrowError<std::invalid_argument>("Plane " + std::to_string(plane) + " does not exist in an audio block of " +
                                          std::to_string(format_.GetPlanesCount()) + " planes",
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return {buffer_.get() + plane * planeStride_, planeSize_};
}

}  // namespace Tivrel::Media
