#pragma once

/// @file
/// The stream interfaces through which data is pulled through a graph of readers,
/// decoders, filters and decorators: IStream (any stream), IStreamVideo / IStreamVideoEx,
/// IStreamAudio / IStreamAudioEx and IStreamRaw (compressed packets).
///
/// Every interface derives virtually from the one before it, so that one object can
/// implement several of them over one IRefCountable. The order of the operations below is
/// the order of their virtual slots and must not change.

#include <cstdint>
#include <limits>

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/IDataAudio.h"
#include "Proc/Interfaces/IDataPacket.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

class IStreamVisitor;

/// Any stream: a source of units of data (frames, blocks of samples, packets) pulled one at
/// a time.
///
/// Protocol: a stream is created by its factory and shared through SP; the last SP
/// destroys it. Configure it first (Initialize), then pull data with the typed Read or with
/// ReadStream until either returns null, which marks the end. A seek is three calls in a
/// row: RequestSeek records the target, DoSeek performs it, GetSeekResult reports whether
/// it succeeded. Terminate asks a stream to give up early and may be called from any thread;
/// ReleaseInternalData drops whatever the stream can rebuild. Accept walks the graph with a
/// visitor (Proc/Interfaces/IStreamVisitor.h): a stream reports itself, then passes the
/// visitor on to the streams it reads from.
///
/// Threading: unless an implementation says otherwise a stream is driven by one thread at a
/// time; IStreamVideoLockable / IStreamAudioLockable (Proc/Interfaces/IStreamLockable.h)
/// serialise a stream for several threads.
///
/// Times, positions and durations are microseconds. DURATION_ENDLESS (INT64_MAX) is the
/// duration of a stream without end.
class TIVREL_VISIBLE IStream : public virtual IRefCountable {
public:
  /// The duration of a stream that never ends.
  static constexpr long long DURATION_ENDLESS = std::numeric_limits<long long>::max();

  /// Configures the stream from a tree rooted at the stream's class identifier. Streams
  /// configured only with typed settings refuse it with an exception.
  virtual void Initialize(const Core::Property& settings) = 0;
  /// The current configuration as a tree (or a refusal, for streams that have none).
  virtual Core::Property GetSettings() const = 0;
  /// Total duration; DURATION_ENDLESS when the stream has no end.
  virtual long long GetDuration() const = 0;
  /// Time of the next unit of data that a read returns.
  virtual long long GetPosition() = 0;
  /// The next unit of data (a frame, a block of samples, a packet); null at the end.
  virtual SP<IData> ReadStream() = 0;
  /// Asks for the next read to come from `position`. `stream` is the stream on whose
  /// behalf the seek is made; it may be null and implementations may ignore it.
  virtual void RequestSeek(long long position, SP<IStream> stream) = 0;
  /// Carries out the seek recorded by RequestSeek.
  virtual void DoSeek() = 0;
  /// Whether the last seek succeeded.
  virtual bool GetSeekResult() = 0;
  /// The stream's format description as its base type. IStreamVideo, IStreamAudio and
  /// IStreamRaw supply it from their typed GetFormatCodec.
  virtual SP<Conf::IFormatCodec> GetFormatCodecBase() const = 0;
  /// Counters the stream has gathered so far, as a tree.
  virtual Core::Property GetStatistic() const = 0;
  /// Asks the stream to stop its work early; safe from any thread.
  virtual void Terminate() = 0;
  /// Whether Terminate has been called.
  virtual bool IsTerminated() const = 0;
  /// Drops caches and buffers the stream can rebuild on demand.
  virtual void ReleaseInternalData() = 0;
  /// Reports this stream to `visitor`, then passes it on to the streams it reads from.
  virtual void Accept(IStreamVisitor& visitor) = 0;

protected:
  ~IStream() override = default;
};

/// A stream of decoded video frames. Protocol and threads as for IStream.
class TIVREL_VISIBLE IStreamVideo : public virtual IStream {
public:
  /// GetFormatCodec's object, handed over as the base type (no extra reference taken).
  SP<Conf::IFormatCodec> GetFormatCodecBase() const override;

  /// The next frame; null at the end.
  virtual SP<IDataVideo> Read() = 0;
  /// The video format of the frames Read returns.
  virtual SP<Conf::IFormatCodecVideo> GetFormatCodec() const = 0;

protected:
  ~IStreamVideo() override = default;
};

/// A video stream configured with a typed settings record.
class TIVREL_VISIBLE IStreamVideoEx : public virtual IStreamVideo {
public:
  using IStreamVideo::Initialize;
  /// Configures the stream. A record of a class the stream does not take is refused
  /// (std::bad_cast or an exception of the stream's own).
  virtual void Initialize(const Settings& settings) = 0;

protected:
  ~IStreamVideoEx() override = default;
};

/// A stream of decoded audio samples. Protocol and threads as for IStream.
class TIVREL_VISIBLE IStreamAudio : public virtual IStream {
public:
  /// GetFormatCodec's object, handed over as the base type (no extra reference taken).
  SP<Conf::IFormatCodec> GetFormatCodecBase() const override;

  /// The next block of samples; null at the end.
  virtual SP<IDataAudio> Read() = 0;
  /// The audio format of the blocks Read returns.
  virtual SP<Conf::IFormatCodecAudio> GetFormatCodec() const = 0;

protected:
  ~IStreamAudio() override = default;
};

/// An audio stream configured with a typed settings record.
class TIVREL_VISIBLE IStreamAudioEx : public virtual IStreamAudio {
public:
  using IStreamAudio::Initialize;
  /// Configures the stream. A record of a class the stream does not take is refused
  /// (std::bad_cast or an exception of the stream's own).
  virtual void Initialize(const Settings& settings) = 0;

protected:
  ~IStreamAudioEx() override = default;
};

/// A stream of compressed packets.
class TIVREL_VISIBLE IStreamRaw : public virtual IStream {
public:
  /// What GetFormatCodec returns, unchanged.
  SP<Conf::IFormatCodec> GetFormatCodecBase() const override;

  /// The next packet; null at the end.
  virtual SP<IDataPacket> Read() = 0;
  /// The format of the packets: a video or audio record (or another IFormatCodec) seen as
  /// its base type.
  virtual SP<Conf::IFormatCodec> GetFormatCodec() const = 0;

protected:
  ~IStreamRaw() override = default;
};

}  // namespace Tivrel::Proc
