#pragma once

/// @file
/// The base interfaces of every data block that travels through a stream graph.
///
/// Protocol: data blocks are created by their producers (readers, decoders, filters) and
/// shared through SP; the last SP destroys the block.
///
/// Ownership, the one rule for every block: a holder may write a block's content (pixels,
/// samples, bytes) only when it holds the only reference to that content, that is to the
/// block object and to the memory behind it (frame views made by Clone(false) share their
/// memory). Everyone else reads. Handing a block on (returning it from a read, passing it
/// to an effect) shares it, so whoever handed it on no longer writes it, and a receiver
/// that wants to change a shared block writes to a copy: Media::MakeWritable
/// (Media/VideoFrame.h) makes a frame writable, copying its pixels only when they are
/// shared. Time and duration belong to the block object and follow the same rule.
///
/// Threads: a block may be read from several threads at once; nothing in these interfaces
/// locks.
///
/// The data interfaces form plain single-inheritance chains down from IRefCountable;
/// implementations count references with RefCounted<Interface> (Platform/Core/RefCount.h).

#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"

namespace Tivrel::Proc {

/// Timing shared by every data block (audio, video, subtitles, packets), in microseconds.
/// A time of INT64_MIN (Tivrel::AV_TIME_NOT_SET) means that no time is set; durations
/// are never negative for blocks that have one, 0 when unknown.
///
/// @copydetails IData.h
class TIVREL_VISIBLE IData : public IRefCountable {
public:
  /// The block's duration; 0 when unknown.
  ///@{
  virtual long long GetDuration() const = 0;
  virtual void SetDuration(long long duration) = 0;
  ///@}
  /// The block's time; AV_TIME_NOT_SET when none is set.
  ///@{
  virtual long long GetTime() const = 0;
  virtual void SetTime(long long time) = 0;
  ///@}

protected:
  ~IData() override = default;
};

/// Decoded media (audio samples, video frames, subtitles) as opposed to compressed packets.
class TIVREL_VISIBLE IDataMedia : public IData {
protected:
  ~IDataMedia() override = default;
};

}  // namespace Tivrel::Proc
