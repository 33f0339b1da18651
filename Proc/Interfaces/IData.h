#pragma once

/// @file
/// The base interfaces of every data block that travels through a stream graph.
///
/// Protocol: data blocks are created by their producers (readers, decoders, filters) and
/// shared through SP; the last SP destroys the block. A block is written by its producer
/// and only read once it has been handed on; a block may be read from several threads at
/// once, but nothing in these interfaces locks, so a thread that changes a block (its time
/// or duration included) must own it alone.
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
