#include "Testing/FakeStreams.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

#include "Media/AudioBlock.h"
#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Testing/Frames.h"

namespace Tivrel::Testing {
namespace {

void Require(bool condition, const char* message) {
  if (!condition) throw std::invalid_argument(message);
}

// What both fakes share: units timed by `times` (T(0) .. T(count)), the read position and
// the operations that do not depend on the kind of data.
template <class Interface>
class FakeStream : public Interface, public RefCountImpl {
public:
  void Initialize(const Core::Property&) override {}
  Core::Property GetSettings() const override { return Core::Property(); }
  long long GetDuration() const override { return times_.back(); }
  long long GetPosition() override { return times_[next_]; }
  SP<Proc::IData> ReadStream() override { return this->Read(); }
  void RequestSeek(long long position, SP<Proc::IStream>) override {
    const auto after = std::upper_bound(times_.begin(), times_.end(), position);  // first unit starting later
    next_ = after == times_.begin() ? 0 : static_cast<size_t>(after - times_.begin()) - 1;
  }
  void DoSeek() override {}
  bool GetSeekResult() override { return true; }
  Core::Property GetStatistic() const override { return Core::Property(); }
  void Terminate() override { terminated_ = true; }
  bool IsTerminated() const override { return terminated_; }
  void ReleaseInternalData() override {}
  void Accept(Proc::IStreamVisitor& visitor) override {
    Proc::Visitors::ProcessStandartVisitors(visitor, name_, Proc::FRAME_ALLOC_SYSTEM_MEMORY, nullptr);
  }

protected:
  FakeStream(std::vector<long long> times, const char* name) : times_(std::move(times)), name_(name) {}

  // make(unit) stamped with the unit's time and duration, or null at the end.
  template <class Make>
  auto Next(Make make) -> decltype(make(size_t())) {
    if (next_ + 1 >= times_.size()) return nullptr;
    auto data = make(next_);
    data->SetTime(times_[next_]);
    data->SetDuration(times_[next_ + 1] - times_[next_]);
    ++next_;
    return data;
  }

private:
  const std::vector<long long> times_;
  const char* const name_;
  size_t next_ = 0;
  std::atomic<bool> terminated_{false};
};

std::vector<long long> VideoTimes(int frames, int rateNum, int rateDen) {
  Require(frames >= 0 && rateNum >= 1 && rateDen >= 1, "MakeVideoStream: negative count or rate term below 1");
  std::vector<long long> times;
  for (long long i = 0; i <= frames; ++i) times.push_back((2 * i * 1000000 * rateDen + rateNum) / (2LL * rateNum));
  return times;
}

class FakeVideo : public FakeStream<Proc::IStreamVideo> {
public:
  FakeVideo(int frames, PixFmt format, int width, int height, int rateNum, int rateDen)
      : FakeStream(VideoTimes(frames, rateNum, rateDen), "FakeVideoStream"),
        format_(format),
        width_(width),
        height_(height),
        codec_(Conf::IFormatCodecVideo::Create()) {
    MakeGradient(format, width, height);  // fails now for a bad format or size, not at the first read
    codec_->SetFrameRate(rateNum, rateDen);
    codec_->SetPixelFormat(format);
    codec_->InitByPixelAspect(width, height, 1, 1);
  }
  SP<Proc::IDataVideo> Read() override {
    return Next([this](size_t i) { return SP<Proc::IDataVideo>(MakeGradient(format_, width_, height_, int(i))); });
  }
  SP<Conf::IFormatCodecVideo> GetFormatCodec() const override { return codec_; }

private:
  const PixFmt format_;
  const int width_, height_;
  const SP<Conf::IFormatCodecVideo> codec_;
};

std::vector<long long> AudioTimes(int rate, int blocks, int samples) {
  Require(blocks >= 0 && samples >= 1 && rate >= 1, "MakeAudioStream: negative count, empty blocks or rate below 1");
  std::vector<long long> times;
  Proc::AudioTime clock;
  clock.Reset(0);
  for (int block = 0; block <= blocks; ++block, clock.AddSamples(rate, samples)) times.push_back(clock.GetTime());
  return times;
}

template <class T>
void Put(T value, unsigned char* out) {
  std::memcpy(out, &value, sizeof value);
}

// One sample of value v (-1 to 1) in `format`, whose name is u8, s16, s32, flt or dbl (with
// a p when planar).
void WriteSample(double v, const Conf::SampleFmtRecord& format, unsigned char* out) {
  const char kind = format.name[0];
  if (kind == 'u') *out = static_cast<unsigned char>(128 + std::lround(v * 127));
  if (kind == 's' && format.bytesPerSample == 2) Put(static_cast<int16_t>(std::lround(v * 32767)), out);
  if (kind == 's' && format.bytesPerSample == 4) Put(static_cast<int32_t>(std::lround(v * 2147483647.0)), out);
  if (kind == 'f') Put(static_cast<float>(v), out);
  if (kind == 'd') Put(v, out);
}

class FakeAudio : public FakeStream<Proc::IStreamAudio> {
public:
  FakeAudio(const Conf::AudioFormat& format, int blocks, int samples, Signal signal, unsigned seed)
      : FakeStream(AudioTimes(format.sampleRate, blocks, samples), "FakeAudioStream"),
        format_(format),
        samples_(samples),
        signal_(signal),
        seed_(seed),
        codec_(Conf::IFormatCodecAudio::Create()) {
    codec_->SetSampleRate(format.sampleRate);
    codec_->SetLayout(format.layout->value);
    codec_->SetSampleFormat(format.sampleFormat->value);
  }
  SP<Proc::IDataAudio> Read() override {
    return Next([this](size_t block) {
      SP<Media::AudioBlock> data = Media::AudioBlock::Create(format_, samples_);
      Fill(*data, block);
      return SP<Proc::IDataAudio>(data);
    });
  }
  SP<Conf::IFormatCodecAudio> GetFormatCodec() const override { return codec_; }

private:
  void Fill(Media::AudioBlock& data, size_t block) const {
    const Conf::SampleFmtRecord& sampleFormat = *format_.sampleFormat;
    const int channels = format_.layout->channels;
    std::mt19937 noise(seed_ + static_cast<unsigned>(block));
    std::uniform_real_distribution<double> uniform(-0.5, 0.5);
    for (int s = 0; s < samples_; ++s) {
      const double t = static_cast<double>(block * samples_ + s) / format_.sampleRate;
      for (int c = 0; c < channels; ++c) {
        const double v = signal_ == Signal::Sine    ? 0.5 * std::sin(2 * M_PI * 440 * t)
                         : signal_ == Signal::Noise ? uniform(noise)
                                                    : 0.0;
        const int index = sampleFormat.planar ? s : s * channels + c;
        WriteSample(v, sampleFormat,
                    data.GetPlaneBuffer(sampleFormat.planar ? c : 0).data + index * sampleFormat.bytesPerSample);
      }
    }
  }

  const Conf::AudioFormat format_;
  const int samples_;
  const Signal signal_;
  const unsigned seed_;
  const SP<Conf::IFormatCodecAudio> codec_;
};

}  // namespace

SP<Proc::IStreamVideo> MakeVideoStream(int frames, PixFmt format, int width, int height, int rateNum, int rateDen) {
  return new FakeVideo(frames, format, width, height, rateNum, rateDen);
}

SP<Proc::IStreamAudio> MakeAudioStream(const Conf::AudioFormat& format, int blocks, int samplesPerBlock, Signal signal,
                                       unsigned seed) {
  return new FakeAudio(format, blocks, samplesPerBlock, signal, seed);
}

}  // namespace Tivrel::Testing
