#pragma once

/// @file
/// Progress controllers and progress over weighted stages.
///
/// A progress controller is where a long job reports its progress and learns that it should
/// stop. ProgressControllerStages lets a job that runs in stages of unequal cost report one
/// value on a common scale: each stage has an integer weight, the scale's maximum is the sum
/// of the weights, and the steps of a stage fill that stage's share linearly.

#include <algorithm>
#include <mutex>
#include <vector>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Core {

/// Receives the events of a progress controller. Called by the controller on whatever
/// thread reports progress; must not register or unregister itself from inside a call.
class TIVREL_VISIBLE IProgressObserver {
public:
  virtual ~IProgressObserver() = default;
  /// The job's progress, out of `maximum`.
  virtual void OnProgressChanged(long long progress, long long maximum) = 0;
  /// `event` is an IProgressController::NotifyEvent value.
  virtual void OnNotify(int event) = 0;
};

/// Events are delivered on the thread that reports them, before the report returns.
struct SyncExecutePolicy {};

/// Something observers can subscribe to. Registration may happen from any thread.
template <class Observer>
class TIVREL_VISIBLE EventPublisher {
public:
  /// Adds `handler` (borrowed, not owned). Null is ignored.
  virtual void RegisterEventHandler(Observer* handler) = 0;
  /// Removes `handler` if registered. Null is ignored.
  virtual void UnregisterEventHandler(Observer* handler) = 0;
  virtual ~EventPublisher() = default;
};

/// The observer list: registration order kept, never a null, never a duplicate. The list
/// is guarded by a recursive mutex, so any thread may register and unregister at any time,
/// including from inside a delivery that holds the list mutex.
template <class Observer, class ExecutePolicy>
class TIVREL_VISIBLE EventHandlerList : public virtual EventPublisher<Observer> {
public:
  /// Adds `handler` at the end, unless it is null or registered already.
  void RegisterEventHandler(Observer* handler) override {
    if (!handler) return;
    std::lock_guard<std::recursive_mutex> lock(listMutex_);
    if (std::find(handlers_.begin(), handlers_.end(), handler) == handlers_.end()) handlers_.push_back(handler);
  }

  /// Removes `handler`; null or a handler not registered is ignored.
  void UnregisterEventHandler(Observer* handler) override {
    if (!handler) return;
    std::lock_guard<std::recursive_mutex> lock(listMutex_);
    handlers_.erase(std::remove(handlers_.begin(), handlers_.end(), handler), handlers_.end());
  }

  /// A copy of the registered observers, in registration order.
  std::vector<Observer*> GetEventHandlers() const {
    std::lock_guard<std::recursive_mutex> lock(listMutex_);
    return handlers_;
  }

private:
  std::vector<Observer*> handlers_;
  mutable std::recursive_mutex listMutex_;

protected:
  /// For controllers that deliver events: serialises deliveries. Nothing here takes it.
  std::recursive_mutex executeMutex_;
};

/// Where a job reports progress. SetMaximum comes before the SetProgress calls it scales.
/// Implementations are called on the job's thread; CheckForStop may be polled after every
/// step and should be cheap.
class TIVREL_VISIBLE IProgressController : public virtual IRefCountable,
                                           public EventHandlerList<IProgressObserver, SyncExecutePolicy> {
public:
  /// What happened to the job.
  enum NotifyEvent { NOTIFY_STARTED = 0, NOTIFY_FINISHED = 1, NOTIFY_CANCELLED = 2 };

  /// Reports that the job started, finished or was cancelled.
  virtual void Notify(NotifyEvent event) = 0;
  /// The maximum of the progress scale.
  virtual void SetMaximum(long long maximum) = 0;
  /// The job's progress, on the scale set by SetMaximum.
  virtual void SetProgress(long long progress) = 0;
  /// Adds `delta` to the progress.
  virtual void IncProgress(long long delta) = 0;
  /// True when the job should stop.
  virtual bool CheckForStop() const = 0;

protected:
  ~IProgressController() override = default;
};

/// The do-nothing controller: reports go nowhere, CheckForStop is always false. Observers
/// can be registered but are never called.
class TIVREL_PROC_API ProgressControllerStub : public virtual IProgressController, public RefCountImpl {
public:
  /// Does nothing.
  ///@{
  void Notify(NotifyEvent event) override;
  void SetMaximum(long long maximum) override;
  void SetProgress(long long progress) override;
  void IncProgress(long long delta) override;
  ///@}
  /// Always false.
  bool CheckForStop() const override;

protected:
  ~ProgressControllerStub() override = default;
};

/// Progress of a job in weighted stages, reported to a progress controller.
///
/// The current value is trunc(weight * min(1.0, step / steps) + base), where base is the
/// sum of the weights of the stages before the current one; it is sent to the controller
/// as SetProgress(value). Values beyond the int range are clamped to it, and sums of
/// weights wrap in 32 bits as int arithmetic on a two's complement machine does.
///
/// Protocol: SetProgressController (optional; a stub controller is used until then), Init
/// with the weights, then for each stage in order InitStage followed by IncProgress or
/// SetProgress calls; stop when they return true. Init may be called again for a new job.
/// Once the controller has asked to stop, nothing more is reported until the next Init.
/// Not locked: driven by one thread at a time (the job's). Nothing throws on its own;
/// exceptions of the controller pass through, leaving the fields changed before the call.
class TIVREL_PROC_API ProgressControllerStages : public RefCountImpl {
public:
  /// A stub controller, no weights, no stage entered.
  ProgressControllerStages();
  ~ProgressControllerStages() override;
  /// A new object, held by SP.
  static SP<ProgressControllerStages> Create();

  /// Replaces the controller and releases the old one. Null installs a new stub controller.
  void SetProgressController(const SP<IProgressController>& controller);

  /// Starts a new job: sends SetMaximum(sum of weights) and SetProgress(0), then clears the
  /// interrupted flag. The stage is reset; step and stage share keep their values until the
  /// first InitStage.
  void Init(const std::vector<int>& weights);

  /// Enters the next stage with `steps` steps (values below 1 count as 1) and reports its
  /// start; `name` is only logged (verbose level 30). Does nothing at all once the last
  /// stage has been entered or when there are no weights.
  void InitStage(int steps, const char* name);

  /// Reports the current value again (unless interrupted).
  void UpdateProgress();

  /// One more step done; reports (unless interrupted) and polls CheckForStop. True when the
  /// job is to stop, and from then on until the next Init.
  bool IncProgress();

  /// As IncProgress, with the step count of the current stage set to `steps`.
  bool SetProgress(int steps);

  /// The current value, interrupted or not.
  int GetProgress() const;

  /// True once the controller has asked to stop (until the next Init).
  bool HasInterrupted() const { return interrupted_; }

private:
  void Report();
  bool PollStop();

  SP<IProgressController> controller_;
  std::vector<int> weights_;
  int total_ = 0;
  int stage_ = -1;
  int step_ = 0;
  int base_ = 0;
  int weight_ = 0;
  double stepSize_ = 0.0;
  bool interrupted_ = false;
};

}  // namespace Tivrel::Core
