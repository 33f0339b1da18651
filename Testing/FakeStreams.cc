#include "Testing/FakeStreams.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
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

// Units timed by `times` (T(0) .. T(count)), made by make(unit index) and stamped on the
// way out; `codec` is the format description.
template <class Interface, class Data, class Format>
class FakeStream : public Interface, public RefCountImpl {
public:
  FakeStream(std::vector<long long> times, const char* name, SP<Format> codec, std::function<SP<Data>(size_t)> make)
      : times_(std::move(times)), name_(name), codec_(std::move(codec)), make_(std::move(make)) {}

  void Initialize(const Core::Property&) override {}
  Core::Property GetSettings() const override { return Core::Property(); }
  long long GetDuration() const override { return times_.back(); }
  long long GetPosition() override { return times_[next_]; }
  SP<Proc::IData> ReadStream() override { return Read(); }
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
  SP<Data> Read() override {
    if (next_ + 1 >= times_.size()) return nullptr;
    SP<Data> data = make_(next_);
    data->SetTime(times_[next_]);
    data->SetDuration(times_[next_ + 1] - times_[next_]);
    ++next_;
    return data;
  }
  SP<Format> GetFormatCodec() const override { return codec_; }

private:
  const std::vector<long long> times_;
  const char* const name_;
  const SP<Format> codec_;
  const std::function<SP<Data>(size_t)> make_;
  size_t next_ = 0;
  std::atomic<bool> terminated_{false};
};

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

// Block `block` of `samples` samples of `signal`.
SP<Proc::IDataAudio> MakeBlock(const Conf::AudioFormat& format, int samples, Signal signal, unsigned seed,
                               size_t block) {
  const SP<Media::AudioBlock> data = Media::AudioBlock::Create(format, samples);
  const Conf::SampleFmtRecord& sampleFormat = *format.sampleFormat;
  const int channels = format.layout->channels;
  std::mt19937 noise(seed + static_cast<unsigned>(block));
  std::uniform_real_distribution<double> uniform(-0.5, 0.5);
  for (int s = 0; s < samples; ++s) {
    const double t = static_cast<double>(block * samples + s) / format.sampleRate;
    for (int c = 0; c < channels; ++c) {
      const double v = signal == Signal::Sine    ? 0.5 * std::sin(2 * M_PI * 440 * t)
                       : signal == Signal::Noise ? uniform(noise)
                                                 : 0.0;
      const int index = sampleFormat.planar ? s : s * channels + c;
      WriteSample(v, sampleFormat,
                  data->GetPlaneBuffer(sampleFormat.planar ? c : 0).data + index * sampleFormat.bytesPerSample);
    }
  }
  return data;
}

}  // namespace

SP<Proc::IStreamVideo> MakeVideoStream(int frames, PixFmt format, int width, int height, int rateNum, int rateDen) {
  Require(frames >= 0 && rateNum >= 1 && rateDen >= 1, "MakeVideoStream: negative count or rate term below 1");
  MakeGradient(format, width, height);  // fails now for a bad format or size, not at the first read
  std::vector<long long> times;
  for (long long i = 0; i <= frames; ++i) times.push_back((2 * i * 1000000 * rateDen + rateNum) / (2LL * rateNum));
  const SP<Conf::IFormatCodecVideo> codec = Conf::IFormatCodecVideo::Create();
  codec->SetFrameRate(rateNum, rateDen);
  codec->SetPixelFormat(format);
  codec->InitByPixelAspect(width, height, 1, 1);
  return new FakeStream<Proc::IStreamVideo, Proc::IDataVideo, Conf::IFormatCodecVideo>(
      std::move(times), "FakeVideoStream", codec,
      [=](size_t i) { return SP<Proc::IDataVideo>(MakeGradient(format, width, height, static_cast<int>(i))); });
}

SP<Proc::IStreamAudio> MakeAudioStream(const Conf::AudioFormat& format, int blocks, int samplesPerBlock, Signal signal,
                                       unsigned seed) {
  Require(blocks >= 0 && samplesPerBlock >= 1 && format.sampleRate >= 1,
          "MakeAudioStream: negative count, empty blocks or rate below 1");
  std::vector<long long> times;
  Proc::AudioTime clock;
  clock.Reset(0);
  for (int block = 0; block <= blocks; ++block, clock.AddSamples(format.sampleRate, samplesPerBlock)) {
    times.push_back(clock.GetTime());
  }
  const SP<Conf::IFormatCodecAudio> codec = Conf::IFormatCodecAudio::Create();
  codec->SetSampleRate(format.sampleRate);
  codec->SetLayout(format.layout->value);
  codec->SetSampleFormat(format.sampleFormat->value);
  return new FakeStream<Proc::IStreamAudio, Proc::IDataAudio, Conf::IFormatCodecAudio>(
      std::move(times), "FakeAudioStream", codec,
      [=](size_t block) { return MakeBlock(format, samplesPerBlock, signal, seed, block); });
}

}  // namespace Tivrel::Testing
