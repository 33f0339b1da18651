#include "Proc/Interfaces/StreamOneFrameVideo.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"

namespace Tivrel::Proc {

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

}  // namespace

SP<IStreamVideoEx> StreamOneFrameVideo::Create(const SP<IDataVideo>& frame) {
  if (!frame) {
    ThrowError<std::invalid_argument>("Empty frame passed",
                                      TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kStreamOneFrameVideoCreate));
  }
  return SP<IStreamVideoEx>(new StreamOneFrameVideo(frame));
}

StreamOneFrameVideo::StreamOneFrameVideo(const SP<IDataVideo>& frame) : frame_(frame) {}

StreamOneFrameVideo::~StreamOneFrameVideo() = default;

void StreamOneFrameVideo::Initialize(const SettingsStreamOneFrame& settings) {
  Guard guard(mutex_);
  settings_.endless = settings.endless;
}

void StreamOneFrameVideo::Initialize(const Settings& settings) {
  Initialize(dynamic_cast<const SettingsStreamOneFrame&>(settings));
}

void StreamOneFrameVideo::Initialize(const Core::Property&) {
  ThrowError<std::logic_error>("Use typed settings instead",
                               TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kStreamOneFrameVideoInitialize));
}

Core::Property StreamOneFrameVideo::GetSettings() const { return Core::Property(); }

long long StreamOneFrameVideo::GetDuration() const {
  Guard guard(mutex_);
  return settings_.endless != 0 ? DURATION_ENDLESS : frame_->GetDuration();
}

long long StreamOneFrameVideo::GetPosition() { return position_.load(std::memory_order_relaxed); }

SP<IData> StreamOneFrameVideo::ReadStream() {
  Guard guard(mutex_);
  return Read();
}

void StreamOneFrameVideo::RequestSeek(long long position, SP<IStream>) {
  const long long duration = GetDuration();
  const long long target = std::max(position, 0LL);
  // duration <= target here means duration - 1 >= -1, except for a nonsensical
  // INT64_MIN frame duration, which stays where it is instead of wrapping.
  const long long last = duration == std::numeric_limits<long long>::min() ? duration : duration - 1;
  position_.store(duration > target ? target : last, std::memory_order_relaxed);
}

void StreamOneFrameVideo::DoSeek() {}

bool StreamOneFrameVideo::GetSeekResult() { return true; }

Core::Property StreamOneFrameVideo::GetStatistic() const { return Core::GetRootItem(); }

void StreamOneFrameVideo::Terminate() { terminated_.exchange(1); }

bool StreamOneFrameVideo::IsTerminated() const { return terminated_.load() != 0; }

void StreamOneFrameVideo::ReleaseInternalData() {}

void StreamOneFrameVideo::Accept(IStreamVisitor& visitor) {
  Visitors::ProcessStandartVisitors(visitor, "StreamOneFrameVideo", FRAME_ALLOC_SHARED_VIEW, nullptr);
}

SP<IDataVideo> StreamOneFrameVideo::Read() {
  Guard guard(mutex_);
  const long long position = position_.load(std::memory_order_relaxed);
  if (settings_.endless == 0 && position != 0) return nullptr;

  const long long duration = frame_->GetDuration();
  long long next;
  if (__builtin_add_overflow(position, duration, &next)) {
    ThrowError<std::overflow_error>(
        "Position " + std::to_string(position) + " plus frame duration " + std::to_string(duration) +
            " leaves the range of the stream",
        TIVREL_THROW_SITE("SP<Tivrel::Proc::IDataVideo> Tivrel::Proc::StreamOneFrameVideo::Read()", __LINE__));
  }
  SP<IDataVideo> copy = frame_->Clone(false);
  copy->SetTime(position);
  copy->SetDuration(duration);
  position_.store(next, std::memory_order_relaxed);
  return copy;
}

SP<Conf::IFormatCodecVideo> StreamOneFrameVideo::GetFormatCodec() const {
  Guard guard(mutex_);
  if (format_) return format_;

  const PixFmt pixFmt = frame_->GetPixFmt();
  const FrameInfo& info = frame_->GetFrameInfo();
  SP<Conf::IFormatCodecVideo> format = Conf::IFormatCodecVideo::Create();
  format->SetFrameRate(30, 1);
  Core::Property& tree = format->GetProperty();
  tree.SetChildT<std::string>(Conf::IFormatCodec::TAG_BITRATE_MODE, Conf::IFormatCodec::TAG_BITRATE_MODE_VBR);
  tree.SetChildT<bool>(Conf::IFormatCodecVideo::TAG_IMAGE_FLAG, true);
  format->SetPixelFormat(pixFmt);
  tree.SetChildT<std::string>(Conf::IFormatCodec::TAG_CODEC_ID, Conf::IFormatCodec::CODEC_ID_NONE);
  format->InitByPixelAspect(info.width, info.height, info.aspectX, info.aspectY);
  format_ = format;
  return format_;
}

}  // namespace Tivrel::Proc
