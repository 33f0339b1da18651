#include "Proc/Interfaces/IStreamLockable.h"

#include <pthread.h>

#include <cerrno>
#include <stdexcept>
#include <typeinfo>
#include <utility>

#include <boost/thread/lock_types.hpp>
#include <boost/thread/recursive_mutex.hpp>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/Stub.h"

#ifndef BOOST_THREAD_DEFINES_RECURSIVE_MUTEX_NATIVE_HANDLE
#error "Unlock checks its result on the native recursive mutex"
#endif

namespace Tivrel::Proc {
namespace {

// What differs between the video and the audio wrapper.
template <class Base>
struct LockableTraits;

template <>
struct LockableTraits<IStreamVideoLockable> {
  using Stream = IStreamVideo;
  using Data = IDataVideo;
  using Format = Conf::IFormatCodecVideo;
  static constexpr const PublishedLocation& kInitialize = PublishedSites::kVideoLockableInitialize;
  static constexpr const PublishedLocation& kGetSettings = PublishedSites::kVideoLockableGetSettings;
};

template <>
struct LockableTraits<IStreamAudioLockable> {
  using Stream = IStreamAudio;
  using Data = IDataAudio;
  using Format = Conf::IFormatCodecAudio;
  static constexpr const PublishedLocation& kInitialize = PublishedSites::kAudioLockableInitialize;
  static constexpr const PublishedLocation& kGetSettings = PublishedSites::kAudioLockableGetSettings;
};

// The wrapper behind IStreamVideoLockable::Create and IStreamAudioLockable::Create. Which
// calls take the mutex is listed in IStreamLockable.h.
template <class Base>
class StreamLockable : public Base, public RefCountImpl {
  using Traits = LockableTraits<Base>;
  using Stream = typename Traits::Stream;
  using Guard = boost::unique_lock<boost::recursive_mutex>;

public:
  explicit StreamLockable(const SP<Stream>& stream) : stream_(stream) {}

  void Initialize(const Core::Property&) override {
    ThrowError<FilterException>("Method not implemented", TIVREL_PUBLISHED_THROW_SITE(Traits::kInitialize));
  }
  Core::Property GetSettings() const override {
    ThrowError<FilterException>("Method not implemented", TIVREL_PUBLISHED_THROW_SITE(Traits::kGetSettings));
  }
  long long GetDuration() const override { return stream_->GetDuration(); }
  long long GetPosition() override {
    Guard guard(mutex_);
    return stream_->GetPosition();
  }
  SP<IData> ReadStream() override { return this->Read(); }
  void RequestSeek(long long position, SP<IStream> stream) override {
    Guard guard(mutex_);
    stream_->RequestSeek(position, std::move(stream));
  }
  void DoSeek() override {
    Guard guard(mutex_);
    stream_->DoSeek();
  }
  bool GetSeekResult() override {
    Guard guard(mutex_);
    return stream_->GetSeekResult();
  }
  Core::Property GetStatistic() const override { return stream_->GetStatistic(); }
  void Terminate() override { stream_->Terminate(); }
  bool IsTerminated() const override { return stream_->IsTerminated(); }
  void ReleaseInternalData() override {
    Guard guard(mutex_);
    stream_->ReleaseInternalData();
  }
  void Accept(IStreamVisitor& visitor) override {
    Guard guard(mutex_);
    Visitors::ProcessStandartVisitors(visitor, "StreamLockable", FRAME_ALLOC_SHARED_VIEW, nullptr);
    stream_->Accept(visitor);
  }

  SP<typename Traits::Data> Read() override {
    Guard guard(mutex_);
    return stream_->Read();
  }
  SP<typename Traits::Format> GetFormatCodec() const override { return stream_->GetFormatCodec(); }

  void Lock() override { mutex_.lock(); }
  bool TryLock() override { return mutex_.try_lock(); }
  void Unlock() override {
    // Checked on the native mutex: releasing a lock the thread does not hold is refused
    // instead of being ignored.
    int result;
    do {
      result = pthread_mutex_unlock(mutex_.native_handle());
    } while (result == EINTR);
    if (result != 0) {
      ThrowError<std::logic_error>("Unlock called by a thread that does not hold the lock",
                                   TIVREL_THROW_SITE("void StreamLockable<Base>::Unlock()", __LINE__));
    }
  }

private:
  ~StreamLockable() override = default;

  boost::recursive_mutex mutex_;
  const SP<Stream> stream_;
};

template <class Base>
SP<Base> CreateLockable(const SP<typename LockableTraits<Base>::Stream>& stream, const char* functionText) {
  if (!stream) ThrowError<std::invalid_argument>("Empty stream passed", TIVREL_THROW_SITE(functionText, __LINE__));
  return SP<Base>(new StreamLockable<Base>(stream));
}

// The one body of the video and audio GetFormatCodecBase: the typed description, moved
// into the base-type pointer without a reference of its own.
template <class Stream>
SP<Conf::IFormatCodec> FormatCodecBaseOf(const Stream& stream) {
  return stream.GetFormatCodec();
}

}  // namespace

SP<IStreamVideoLockable> IStreamVideoLockable::Create(const SP<IStreamVideo>& stream) {
  return CreateLockable<IStreamVideoLockable>(
      stream,
      "static SP<Tivrel::Proc::IStreamVideoLockable> Tivrel::Proc::IStreamVideoLockable::Create("
      "const SP<Tivrel::Proc::IStreamVideo> &)");
}

SP<IStreamAudioLockable> IStreamAudioLockable::Create(const SP<IStreamAudio>& stream) {
  return CreateLockable<IStreamAudioLockable>(
      stream,
      "static SP<Tivrel::Proc::IStreamAudioLockable> Tivrel::Proc::IStreamAudioLockable::Create("
      "const SP<Tivrel::Proc::IStreamAudio> &)");
}

SP<Conf::IFormatCodec> IStreamVideo::GetFormatCodecBase() const { return FormatCodecBaseOf(*this); }

SP<Conf::IFormatCodec> IStreamAudio::GetFormatCodecBase() const { return FormatCodecBaseOf(*this); }

namespace Visitors {

int32_t InfoCollector::GetType() const { return INFO_COLLECTOR; }

int32_t FrameTypeCollector::GetType() const { return FRAME_TYPE_COLLECTOR; }

void FrameTypeCollector::AddCurrentType(FrameAllocType type) { types.push_back(type); }

int32_t DecoderCollector::GetType() const { return DECODER_COLLECTOR; }

void DecoderCollector::AddDecoder(IStreamVideoDecoder* decoder) {
  if (decoder != nullptr) decoders.emplace_back(decoder);
}

void ProcessStandartVisitors(IStreamVisitor& visitor, const std::string& name, FrameAllocType type,
                             IStreamVideoDecoder* decoder) {
  switch (visitor.GetType()) {
    case IStreamVisitor::DECODER_COLLECTOR:
      dynamic_cast<DecoderCollector&>(visitor).AddDecoder(decoder);
      return;
    case IStreamVisitor::FRAME_TYPE_COLLECTOR:
      dynamic_cast<FrameTypeCollector&>(visitor).AddCurrentType(type);
      return;
    case IStreamVisitor::INFO_COLLECTOR:
      dynamic_cast<InfoCollector&>(visitor).names.push_back(name);
      return;
    default:
      throw std::logic_error("Unknown visitor type");
  }
}

}  // namespace Visitors
}  // namespace Tivrel::Proc
