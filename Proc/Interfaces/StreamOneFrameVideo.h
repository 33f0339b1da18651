#pragma once

/// @file
/// StreamOneFrameVideo: one decoded frame served as a video stream.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IStream.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"

namespace Tivrel::Proc {

/// One decoded frame served as a video stream: a still image standing in a timeline.
///
/// Protocol: Create with the frame, Initialize with a SettingsStreamOneFrame (optional: the
/// default serves the frame once), then Read until null.
/// - Default mode (endless 0): the first Read returns a copy of the frame stamped at 0 with
///   the frame's duration and moves the position to that duration; every later Read
///   returns null. A frame of duration 0 is served on every read, since the position
///   stays 0. RequestSeek to 0 or below rewinds.
/// - Endless mode (endless not 0): GetDuration is DURATION_ENDLESS and read n returns a
///   copy stamped at start + n * duration, without end, where start is 0 or the position
///   of the last seek.
///
/// A seek to p (negative p counts as 0) sets the position to p when the duration D is
/// above p, and to D - 1 otherwise. Reads hand out Clone(false) views: new frame objects
/// over the source frame's pixels, never the source frame itself, whose time is never read
/// or changed. The format description (GetFormatCodec) is built from the frame on first
/// use and then shared by every caller. GetSettings returns an empty unnamed tree and
/// GetStatistic an empty root; Initialize(const Core::Property&) refuses with
/// std::logic_error "Use typed settings instead".
///
/// Threading: reads, duration queries, Initialize and the format cache are serialised by a
/// recursive mutex, so one stream may be read from several threads. GetPosition and the
/// store of a seek's position do not lock (the position is atomic): a caller that seeks
/// while another thread reads must order those calls itself, for instance through
/// IStreamVideoLockable. Terminate only sets a flag (reads go on) and is safe from any thread.
class TIVREL_PROC_API StreamOneFrameVideo : public virtual IStreamVideoEx, public RefCountImpl {
public:
  /// A new stream serving `frame` (one more reference on it). A null frame throws
  /// std::invalid_argument "Empty frame passed".
  static SP<IStreamVideoEx> Create(const SP<IDataVideo>& frame);

  /// Takes over the endless field.
  void Initialize(const SettingsStreamOneFrame& settings);
  /// Takes over the endless field of a SettingsStreamOneFrame; another record throws
  /// std::bad_cast and changes nothing.
  void Initialize(const Settings& settings) override;
  /// Always throws std::logic_error "Use typed settings instead".
  void Initialize(const Core::Property& settings) override;
  Core::Property GetSettings() const override;
  long long GetDuration() const override;
  long long GetPosition() override;
  SP<IData> ReadStream() override;
  /// `stream` is ignored; the seek takes effect at once.
  void RequestSeek(long long position, SP<IStream> stream) override;
  void DoSeek() override;         ///< nothing left to do
  bool GetSeekResult() override;  ///< always true
  Core::Property GetStatistic() const override;
  void Terminate() override;
  bool IsTerminated() const override;
  void ReleaseInternalData() override;  ///< holds nothing it could rebuild
  /// Reports "StreamOneFrameVideo", FRAME_ALLOC_SHARED_VIEW and no decoder.
  void Accept(IStreamVisitor& visitor) override;
  /// Null at the end (see above). The library's own guard against signed overflow: throws
  /// std::overflow_error, leaving the position as it was, when the next position would not
  /// fit 64 bits.
  SP<IDataVideo> Read() override;
  /// Frame rate 30/1, variable bitrate, image flag, the frame's pixel format, no codec and
  /// the frame's size and pixel aspect. Whatever the description component throws passes
  /// through and nothing is cached.
  SP<Conf::IFormatCodecVideo> GetFormatCodec() const override;

protected:
  /// Use Create.
  explicit StreamOneFrameVideo(const SP<IDataVideo>& frame);
  ~StreamOneFrameVideo() override;

private:
  std::atomic<int32_t> terminated_{0};
  mutable std::recursive_mutex mutex_;
  mutable SP<Conf::IFormatCodecVideo> format_;  // built by the first GetFormatCodec
  std::atomic<long long> position_{0};          // time of the next frame to read
  const SP<IDataVideo> frame_;                  // never null
  SettingsStreamOneFrame settings_;
};

}  // namespace Tivrel::Proc
