#pragma once

/// @file
/// IStreamVideoLockable and IStreamAudioLockable: a stream shared by several threads,
/// and ILockable.

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IStream.h"

namespace Tivrel {

/// A lock a caller can hold across several calls of an object.
class TIVREL_VISIBLE ILockable {
public:
  virtual ~ILockable() = default;
  /// Waits until the calling thread holds the lock.
  virtual void Lock() = 0;
  /// Takes the lock if that is possible without waiting; true when the thread now holds it.
  virtual bool TryLock() = 0;
  /// Releases one hold of the calling thread.
  virtual void Unlock() = 0;
};

}  // namespace Tivrel

namespace Tivrel::Proc {

/// A lock-protected decorator that lets several threads share one video or audio stream.
///
/// Protocol: wrap a stream with IStreamVideoLockable::Create or IStreamAudioLockable::Create
/// and use only the wrapper from then on. The wrapper holds one recursive mutex:
/// - taken by every call: GetPosition, RequestSeek, DoSeek, GetSeekResult,
///   ReleaseInternalData, Accept, Read and (through Read) ReadStream;
/// - not taken (straight calls into the wrapped stream): GetDuration, GetStatistic,
///   Terminate, IsTerminated, GetFormatCodec, GetFormatCodecBase. Terminate thus reaches
///   the wrapped stream even while another thread is inside a locked read.
///
/// To make a sequence of calls atomic (a seek followed by reads), hold the same mutex
/// through Lock / TryLock and Unlock around it. The mutex is recursive, so every operation
/// may be called while holding it. Every Lock and every successful TryLock must be paired
/// with one Unlock on the same thread; Unlock without holding the lock throws
/// std::logic_error (the library's own guard: unlocking a mutex one does not hold is
/// undefined). The wrapper must not be destroyed while a thread holds its lock.
/// Initialize(const Core::Property&) and GetSettings refuse with FilterException
/// "Method not implemented"; everything the wrapped stream throws passes through with the
/// mutex released.
class TIVREL_VISIBLE IStreamVideoLockable : public IStreamVideo, public ILockable {
public:
  /// A new wrapper holding a reference on `stream`. The library's own guard: a null stream
  /// throws std::invalid_argument "Empty stream passed" (call stack appended).
  TIVREL_PROC_API static SP<IStreamVideoLockable> Create(const SP<IStreamVideo>& stream);

protected:
  ~IStreamVideoLockable() override = default;
};

/// As IStreamVideoLockable, for an audio stream.
class TIVREL_VISIBLE IStreamAudioLockable : public IStreamAudio, public ILockable {
public:
  /// As IStreamVideoLockable::Create, for audio.
  TIVREL_PROC_API static SP<IStreamAudioLockable> Create(const SP<IStreamAudio>& stream);

protected:
  ~IStreamAudioLockable() override = default;
};

}  // namespace Tivrel::Proc
