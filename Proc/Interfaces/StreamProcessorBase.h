#pragma once

/// @file
/// A processing job that runs on its own worker thread: IStreamProcessor (the job as its
/// controllers see it), IProcessingEvents (what the job tells its caller) and
/// StreamProcessorBase (the worker, its states and the progress timing every job shares).

#include <atomic>
#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {

/// Notifications of a processing job, implemented by its caller.
///
/// Protocol: every call comes from the processor while it holds its job mutex, so calls
/// never overlap and are ordered with every state change. OnStarted, OnError and OnFinished
/// run on the worker thread; OnPaused and OnResumed on the thread that called Pause/Resume;
/// OnProgress on the worker (from SetProgress). Per run: OnStarted, any number of
/// OnProgress/OnPaused/OnResumed, at most one OnError, then exactly one OnFinished.
/// A handler must not call any operation of the same processor (the mutex is not recursive)
/// and must not throw: on the worker nothing catches it. Stop and WaitUntilStopped, which
/// would wait for the worker that is sending the notification, refuse at once with
/// std::logic_error when called on the worker (from OnStarted, OnProgress, OnError or
/// OnFinished), before they take any lock.
class TIVREL_VISIBLE IProcessingEvents {
public:
  virtual ~IProcessingEvents() = default;

  /// The exception that left Process; sent only while a handler is set.
  virtual void OnError(const ExceptionPtr& error) = 0;
  /// progress and position as given to SetProgress, the duration in the position's unit,
  /// whole seconds since the worker began and the estimated seconds still to go.
  virtual void OnProgress(int progress, long long position, long long duration, int elapsedSeconds,
                          int remainingSeconds) = 0;
  /// The worker began a run.
  virtual void OnStarted() = 0;
  /// Pause was called.
  virtual void OnPaused() = 0;
  /// Resume was called.
  virtual void OnResumed() = 0;
  /// The run ended (the last notification of a run).
  virtual void OnFinished() = 0;
};

/// A processing job as its controllers see it.
///
/// Protocol: Start runs the job once on a new worker thread; Pause/Resume/Stop steer it;
/// WaitUntilStopped or Stop joins the worker, after which Start may run it again. Every
/// operation may be called from any thread except that Stop and WaitUntilStopped cannot be
/// called on the worker itself (from Process or from a notification the worker sends): they
/// would wait for ever, and throw std::logic_error instead. The events handler is borrowed:
/// it must outlive the job or be removed with SetEventsHandler(nullptr) first.
class TIVREL_VISIBLE IStreamProcessor : public IRefCountable {
public:
  /// Runs the job on a new worker thread. Throws when a worker is still held.
  virtual void Start() = 0;
  /// Asks the worker to wait at its next pause point.
  virtual void Pause() = 0;
  /// Lets a paused worker go on.
  virtual void Resume() = 0;
  /// Asks the worker to stop, waits for it to end and joins it.
  virtual void Stop() = 0;
  /// Waits for the worker to end by itself and joins it; requests nothing.
  virtual void WaitUntilStopped() = 0;
  /// Whether a worker is running the job (it may be paused).
  virtual bool IsRunning() = 0;
  /// Last progress value the job reported, in the job's own scale.
  virtual int GetProgress() = 0;
  /// Last position the job reported, in the job's own unit.
  virtual long long GetPosition() = 0;
  /// Null removes the handler.
  virtual void SetEventsHandler(IProcessingEvents* handler) = 0;
  /// Priority of the worker thread, in the values of Core::SetThreadPriority.
  virtual void SetPriority(int priority) = 0;
  /// Does nothing unless a job overrides it.
  virtual void EnableTracking() {}

protected:
  ~IStreamProcessor() override = default;
};

/// Base of every processing job. A derived class supplies Process (the work, run on the
/// worker thread) and the reference counting. IStreamProcessor's IRefCountable base is not
/// virtual, so the count comes from deriving RefCounted<StreamProcessorBase> (a RefCountImpl
/// beside it would add a second, unimplemented IRefCountable):
/// @code
///   class Job : public RefCounted<StreamProcessorBase> { void Process() override; ... };
/// @endcode
///
/// States (running / thread object held):
/// @code{.unparsed}
///   Idle               no / no      construction, or after a join by Stop or WaitUntilStopped
///   Working            yes / yes    Start
///   Paused             yes / yes    Pause while Working; the worker blocks at PausePoint
///   Stopping           yes / yes    Stop while Working or Paused (stop requested, not paused)
///   Ended, not joined  no / yes     Process returned or threw
/// @endcode
/// Start succeeds only from Idle. The paused flag is independent of running: Pause and
/// Resume set and clear it in any state (and notify the handler); Start clears it, and so
/// does Stop while the worker runs.
///
/// Chosen behaviours:
/// - Once a stop has been requested, PausePoint no longer blocks, so a Pause that arrives
///   while Stop waits cannot hold the worker: the worker always reaches its end, and Stop,
///   WaitUntilStopped and the destructor always return (unless Process itself never returns).
/// - If the thread cannot be created, Start throws std::system_error ("thread constructor
///   failed", with the system's code) and leaves the job Idle (not running, stop request
///   and paused flag cleared, progress and position 0).
/// - Stop and WaitUntilStopped called on the worker thread (from Process or from a handler
///   notification sent there, some with the mutex held) would wait for ever; they throw
///   std::logic_error instead, detected before any lock is taken.
/// - Destroying the job on its own worker (from Process or a handler) is outside the
///   contract: the worker cannot join itself, and the still joinable std::thread ends the
///   process through std::terminate.
///
/// Locking: one non-recursive mutex guards all state and is held during every handler call
/// and every Core::SetThreadPriority call. Process runs without it.
///
/// Derived classes must call Stop in their own destructor: the base destructor runs after
/// the derived part, which Process belongs to, is gone.
class TIVREL_PROC_API StreamProcessorBase : public virtual IStreamProcessor {
public:
  /// The priority value that means "never set": the worker does not apply it.
  static constexpr int PRIORITY_NOT_SET = INT_MIN;

  /// Throws ProcException "Thread has started already." when a worker is held (Working,
  /// Paused, Stopping, or Ended and not yet joined); nothing changes then.
  void Start() override;
  void Pause() override;
  void Resume() override;
  void Stop() override;
  void WaitUntilStopped() override;
  bool IsRunning() override;
  int GetProgress() override;
  long long GetPosition() override;
  void SetEventsHandler(IProcessingEvents* handler) override;
  /// Stores the priority; applies it at once when a worker thread object is held, else when
  /// the next worker begins.
  void SetPriority(int priority) override;

protected:
  /// Milliseconds since the epoch; the job's clock for progress timing.
  using MillisecondClock = long long (*)();

  StreamProcessorBase();
  /// Stops and joins the worker, swallowing any exception. Must not run on the worker.
  ~StreamProcessorBase() override;

  /// The work, run on the worker thread once per Start. Expected to call PausePoint and
  /// isStopped between units of work, return once isStopped is true, and call SetProgress as
  /// it advances. An exception leaving it goes to IProcessingEvents::OnError.
  virtual void Process() = 0;

  /// The body of Stop: if running, requests a stop, releases a paused worker and waits for
  /// the end; then joins the worker if one is held. Throws std::logic_error on the worker,
  /// before taking the mutex.
  void StopInt();

  /// Stores progress and position. With a handler set, the first call only records the
  /// sample time; each later call in a new millisecond measures the speed since the
  /// previous timed call and, unless the speed is 0 or the remaining time does not fit
  /// below INT_MAX seconds, sends OnProgress. Calls within the same millisecond only store.
  /// Remaining times below INT_MIN seconds are sent as INT_MIN. Elapsed seconds count from
  /// the start of the latest worker that began with a handler set (0 if none has); the
  /// first timed call of a run is measured against the last sample of the run before.
  /// Allocates nothing.
  void SetProgress(int progress, long long position, long long duration);

  /// Returns at once unless paused; otherwise blocks until Resume, Stop or a stop request.
  void PausePoint();

  /// True once Stop has asked the worker to end (until the next Start).
  bool isStopped();

  /// Replaces the clock used for progress timing (the system clock by default; null
  /// restores it). For tests that drive time by hand.
  void SetMillisecondClock(MillisecondClock clock);

private:
  void Thread();
  // Throws std::logic_error when called on the worker thread. Takes no lock.
  void RefuseOnWorker(const char* operation, const char* function, int line) const;
  // Joins and drops the worker thread object, if held. Mutex held.
  void JoinWorker();

  std::mutex mutex_;
  std::unique_ptr<std::thread> thread_;
  // The worker's id while thread_ is held, else no thread's id. Atomic so that Stop and
  // WaitUntilStopped can recognise the worker before they take the mutex, which the worker
  // may be holding (notifications are sent under it).
  std::atomic<std::thread::id> workerId_{std::thread::id()};
  std::condition_variable pauseCondition_;
  std::condition_variable stopCondition_;
  bool paused_ = false;
  bool running_ = false;
  bool stopRequested_ = false;
  IProcessingEvents* events_ = nullptr;
  long long position_ = 0;
  int progress_ = 0;
  long long startTime_;       // ms; no-time value until a worker begins with a handler
  long long lastSampleTime_;  // ms; no-time value until the first timed SetProgress
  int priority_ = PRIORITY_NOT_SET;
  MillisecondClock clock_;
};

}  // namespace Tivrel::Proc
