#include "Proc/Interfaces/StreamProcessorBase.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

#include "Platform/Core/Exception.h"
#include "Platform/Core/ThreadPriority.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"

namespace Tivrel::Proc {
namespace {

constexpr long long kNoTime = INT64_MIN;

long long SystemMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// a - b as a double, without signed overflow for operands far apart.
double Difference(long long a, long long b) {
  long long d;
  if (!__builtin_sub_overflow(a, b, &d)) return static_cast<double>(d);
  return static_cast<double>(a) - static_cast<double>(b);
}

// Seconds rounded half away from zero; INT_MAX (which suppresses the event) for anything at
// or above it, INT_MIN for anything at or below it.
int RemainingSeconds(double seconds) {
  const double r = std::round(seconds);
  if (!(r < 2147483647.0)) return INT32_MAX;  // NaN included
  if (r <= -2147483648.0) return INT32_MIN;
  return static_cast<int>(r);
}

// Whole seconds from start to now, truncated toward zero and clamped to int. 0 while no
// worker has recorded a start time.
int ElapsedSeconds(long long now, long long start) {
  if (start == kNoTime) return 0;
  long long ms;
  if (__builtin_sub_overflow(now, start, &ms)) ms = now > start ? INT64_MAX : INT64_MIN;
  const long long seconds = ms / 1000;
  if (seconds > INT32_MAX) return INT32_MAX;
  if (seconds < INT32_MIN) return INT32_MIN;
  return static_cast<int>(seconds);
}

}  // namespace

StreamProcessorBase::StreamProcessorBase()
    : startTime_(kNoTime), lastSampleTime_(kNoTime), clock_(&SystemMilliseconds) {}

StreamProcessorBase::~StreamProcessorBase() {
  try {
    StopInt();
  } catch (...) {
    // The destructor never throws.
  }
}

void StreamProcessorBase::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (running_ || thread_) {
    ThrowError<ProcException>("Thread has started already.",
                              TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kStreamProcessorStart));
  }
  stopRequested_ = false;
  paused_ = false;
  position_ = 0;
  progress_ = 0;
  try {
    // The worker's first step takes the mutex, so it always finds thread_ and workerId_ stored.
    thread_ = std::make_unique<std::thread>(&StreamProcessorBase::Thread, this);
  } catch (const std::system_error& e) {
    throw std::system_error(e.code(), "thread constructor failed");
  }
  workerId_ = thread_->get_id();
  running_ = true;
}

void StreamProcessorBase::Pause() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = true;
    if (events_) events_->OnPaused();
  }
  pauseCondition_.notify_all();
}

void StreamProcessorBase::Resume() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = false;
    if (events_) events_->OnResumed();
  }
  pauseCondition_.notify_all();
}

void StreamProcessorBase::Stop() { StopInt(); }

void StreamProcessorBase::StopInt() {
  RefuseOnWorker("Stop", "void Tivrel::Proc::StreamProcessorBase::StopInt()", __LINE__);
  std::unique_lock<std::mutex> lock(mutex_);
  if (running_) {
    stopRequested_ = true;
    paused_ = false;
    pauseCondition_.notify_all();
    stopCondition_.notify_all();
    stopCondition_.wait(lock, [this] { return !running_; });
  }
  JoinWorker();
}

void StreamProcessorBase::WaitUntilStopped() {
  RefuseOnWorker("WaitUntilStopped", "virtual void Tivrel::Proc::StreamProcessorBase::WaitUntilStopped()", __LINE__);
  std::unique_lock<std::mutex> lock(mutex_);
  stopCondition_.wait(lock, [this] { return !running_; });
  JoinWorker();
}

bool StreamProcessorBase::IsRunning() {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_;
}

int StreamProcessorBase::GetProgress() {
  std::lock_guard<std::mutex> lock(mutex_);
  return progress_;
}

long long StreamProcessorBase::GetPosition() {
  std::lock_guard<std::mutex> lock(mutex_);
  return position_;
}

void StreamProcessorBase::SetEventsHandler(IProcessingEvents* handler) {
  std::lock_guard<std::mutex> lock(mutex_);
  events_ = handler;
}

void StreamProcessorBase::SetPriority(int priority) {
  std::lock_guard<std::mutex> lock(mutex_);
  priority_ = priority;
  if (thread_) Core::SetThreadPriority(thread_->native_handle(), priority);
}

void StreamProcessorBase::SetProgress(int progress, long long position, long long duration) {
  std::lock_guard<std::mutex> lock(mutex_);
  const long long previousPosition = position_;
  progress_ = progress;
  position_ = position;
  if (!events_) return;

  const long long now = clock_();
  const long long lastSample = lastSampleTime_;
  lastSampleTime_ = now;
  if (lastSample == kNoTime || now == lastSample) return;

  const double speed = Difference(position, previousPosition) / Difference(now, lastSample);  // units per ms
  if (speed == 0.0) return;
  const int remaining = RemainingSeconds(Difference(duration, position) / speed / 1000.0);
  if (remaining == INT32_MAX) return;
  events_->OnProgress(progress, position, duration, ElapsedSeconds(now, startTime_), remaining);
}

void StreamProcessorBase::PausePoint() {
  std::unique_lock<std::mutex> lock(mutex_);
  pauseCondition_.wait(lock, [this] { return !paused_ || stopRequested_; });
}

bool StreamProcessorBase::isStopped() {
  std::lock_guard<std::mutex> lock(mutex_);
  return stopRequested_;
}

void StreamProcessorBase::SetMillisecondClock(MillisecondClock clock) {
  std::lock_guard<std::mutex> lock(mutex_);
  clock_ = clock ? clock : &SystemMilliseconds;
}

void StreamProcessorBase::Thread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (priority_ != PRIORITY_NOT_SET) Core::SetThreadPriority(thread_->native_handle(), priority_);
    if (events_) {
      events_->OnStarted();
      startTime_ = clock_();
    }
  }
  try {
    Process();
  } catch (...) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (events_) events_->OnError(std::current_exception());
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    if (events_) events_->OnFinished();
  }
  stopCondition_.notify_all();  // the last touch of the object; Stop may join from here on
}

void StreamProcessorBase::RefuseOnWorker(const char* operation, const char* function, int line) const {
  if (workerId_.load() == std::this_thread::get_id()) {
    ThrowError<std::logic_error>(std::string("StreamProcessorBase::") + operation +
                                     " called on the job's own worker thread; it would wait for ever",
                                 TIVREL_THROW_SITE(function, line));
  }
}

void StreamProcessorBase::JoinWorker() {
  if (!thread_) return;
  // Cleared before the join: until then the worker's id cannot be given to another thread.
  workerId_ = std::thread::id();
  thread_->join();
  thread_.reset();
}

}  // namespace Tivrel::Proc
