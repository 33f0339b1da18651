#include <stdexcept>

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Core/Exception.h"

namespace Tivrel::Conf {
namespace {

class FormatCodecAudio final : public IFormatCodecAudio, public RefCountImpl {};

}  // namespace

SP<IFormatCodecAudio> IFormatCodecAudio::Create() { return SP<IFormatCodecAudio>(new FormatCodecAudio); }

void IFormatCodecAudio::SetSampleRate(int rate) {
  if (rate <= 0) {
    ThrowError<std::invalid_argument>("Sample rate " + std::to_string(rate) + " is not positive",
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  GetProperty().SetChildT<long long>(TAG_SAMPLE_RATE, rate);
}

int IFormatCodecAudio::GetSampleRate() const { return GetProperty()[TAG_SAMPLE_RATE].GetValue<int>(); }

void IFormatCodecAudio::SetLayout(ChannelLayout layout) {
  GetProperty().SetChildT(TAG_LAYOUT, LayoutRecord::Find(layout)->name);
}

ChannelLayout IFormatCodecAudio::GetLayout() const {
  return LayoutRecord::Find(GetProperty()[TAG_LAYOUT].GetString())->value;
}

void IFormatCodecAudio::SetSampleFormat(SampleFormats format) {
  GetProperty().SetChildT(TAG_SAMPLE_FORMAT, SampleFmtRecord::Find(format)->name);
}

SampleFormats IFormatCodecAudio::GetSampleFormat() const {
  return SampleFmtRecord::Find(GetProperty()[TAG_SAMPLE_FORMAT].GetString())->value;
}

AudioFormat IFormatCodecAudio::GetAudioFormat() const {
  return AudioFormat(GetSampleRate(), GetSampleFormat(), GetLayout());
}

}  // namespace Tivrel::Conf
