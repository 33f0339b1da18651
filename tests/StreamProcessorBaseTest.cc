#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Platform/Core/ThreadPriority.h"
#include "Proc/Interfaces/StreamProcessorBase.h"

namespace Tivrel::Proc {
namespace {

using ::testing::ElementsAre;

std::atomic<long long> g_nowMs{0};
long long FakeClock() { return g_nowMs; }

// Records every notification as text.
class Recorder : public IProcessingEvents {
public:
  void OnError(const ExceptionPtr& error) override {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      Add(std::string("error ") + e.what());
    }
  }
  void OnProgress(int progress, long long position, long long duration, int elapsed, int remaining) override {
    Add(::testing::PrintToString(std::make_tuple(progress, position, duration, elapsed, remaining)));
  }
  void OnStarted() override { Add("started"); }
  void OnPaused() override { Add("paused"); }
  void OnResumed() override { Add("resumed"); }
  void OnFinished() override { Add("finished"); }

  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(events_, {});
  }

private:
  void Add(std::string event) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(std::move(event));
  }
  std::mutex mutex_;
  std::vector<std::string> events_;
};

// Runs `body` as its work; times progress with FakeClock.
class Job : public StreamProcessorBase, public RefCountImpl {
public:
  explicit Job(std::function<void(Job&)> work = nullptr) : body(std::move(work)) { SetMillisecondClock(&FakeClock); }
  ~Job() override { Stop(); }
  using StreamProcessorBase::isStopped;
  using StreamProcessorBase::PausePoint;
  using StreamProcessorBase::SetProgress;

  std::function<void(Job&)> body;  // set only while no worker runs

protected:
  void Process() override {
    if (body) body(*this);
  }
};

TEST(StreamProcessorBaseTest, ProgressIsTimedBetweenConsecutiveSamples) {
  Recorder events;
  Job job;
  job.SetEventsHandler(&events);
  const struct {
    long long now;
    int progress;
    long long position, duration;
  } calls[] = {
      {1000, 1, 100, 1100},       // first sample: timing only
      {1000, 2, 200, 1100},       // same millisecond: stored only
      {1010, 3, 300, 100300},     // 10 units/ms, 100,000 to go; no worker began: elapsed 0
      {1020, 4, 300, 200},        // speed 0, even past the end
      {1030, 5, 200, 100300},     // backwards: the negative remaining time is sent
      {1031, 6, 201, 2701},       // 1 unit/ms, 2.5 s to go: halves round away from zero
      {1032, 7, 202, LLONG_MAX},  // remaining time beyond int: suppressed
  };
  for (const auto& c : calls) {
    g_nowMs = c.now;
    job.SetProgress(c.progress, c.position, c.duration);
  }
  EXPECT_EQ(job.GetProgress(), 7);
  EXPECT_EQ(job.GetPosition(), 202);
  job.SetEventsHandler(nullptr);
  g_nowMs = 2000;
  job.SetProgress(8, 300, 1300);  // no handler: the last sample time stays 1032
  job.SetEventsHandler(&events);
  job.SetProgress(9, 400, 1400);
  EXPECT_THAT(events.Take(), ElementsAre("(3, 300, 100300, 0, 10)", "(5, 200, 100300, 0, -10)", "(6, 201, 2701, 0, 3)",
                                         "(9, 400, 1400, 0, 10)"));

  // A run starts from position 0 and is timed against the last sample before it.
  job.body = [](Job& self) {
    EXPECT_EQ(self.GetPosition(), 0);
    g_nowMs = 9000;
    self.SetProgress(1, 1400, 10000);  // 1,400 units in 7,000 ms, 8,600 to go
  };
  g_nowMs = 5000;
  job.Start();
  job.WaitUntilStopped();
  EXPECT_THAT(events.Take(), ElementsAre("started", "(1, 1400, 10000, 4, 43)", "finished"));
}

TEST(StreamProcessorBaseTest, StartIsRefusedUntilTheWorkerIsJoined) {
  Recorder events;
  Job job;
  job.SetEventsHandler(&events);
  job.Stop();  // idle: nothing happens
  for (auto join : {&Job::WaitUntilStopped, &Job::Stop}) {
    job.Start();
    while (job.IsRunning()) std::this_thread::yield();  // ended by itself, not joined
    try {
      job.Start();
      ADD_FAILURE() << "second Start accepted";
    } catch (const ProcException& e) {
      EXPECT_EQ(*boost::get_error_info<TagDescription>(e), "Thread has started already.");
      EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(e),
                   "virtual void Tivrel::Proc::StreamProcessorBase::Start()");
      EXPECT_EQ(*boost::get_error_info<boost::throw_line>(e), 27);
    }
    (job.*join)();
    EXPECT_FALSE(job.isStopped());  // joining an ended worker requests no stop
    EXPECT_THAT(events.Take(), ElementsAre("started", "finished"));
  }
}

TEST(StreamProcessorBaseTest, PauseHoldsTheWorkerUntilResumeOrStop) {
  Recorder events;
  std::promise<void> paused;
  bool sawStop = false;
  Job job([&](Job& self) {
    self.PausePoint();  // Start cleared the earlier Pause
    self.Pause();
    paused.set_value();
    self.PausePoint();  // held until Stop
    self.Pause();       // a Pause that arrives while Stop waits...
    self.PausePoint();  // ...must not hold the worker
    sawStop = self.isStopped();
  });
  job.SetEventsHandler(&events);
  job.Pause();
  job.Resume();
  job.Pause();
  job.Start();
  paused.get_future().wait();
  job.Stop();
  EXPECT_TRUE(sawStop);
  EXPECT_THAT(events.Take(), ElementsAre("paused", "resumed", "paused", "started", "paused", "paused", "finished"));
}

TEST(StreamProcessorBaseTest, WorkerErrorsAndSelfWaitsAreReported) {
  Recorder events;
  std::vector<std::string> refusals;
  Job job([&](Job& self) {
    for (auto wait : {&Job::Stop, &Job::WaitUntilStopped}) {
      try {
        (self.*wait)();
      } catch (const std::logic_error& e) {
        refusals.emplace_back(e.what());
      }
    }
    throw std::runtime_error("broken");
  });
  job.SetEventsHandler(&events);
  job.Start();
  job.WaitUntilStopped();
  EXPECT_THAT(events.Take(), ElementsAre("started", "error broken", "finished"));
  ASSERT_EQ(refusals.size(), 2u);
  EXPECT_THAT(refusals[0], ::testing::StartsWith("StreamProcessorBase::Stop called on the job's own worker thread"));
  EXPECT_THAT(refusals[1], ::testing::HasSubstr("WaitUntilStopped called on the job's own worker thread"));
}

TEST(StreamProcessorBaseTest, PriorityIsAppliedToTheWorker) {
  std::vector<int> policies;
  std::promise<void> began, applied;
  const auto record = [&] {
    int policy = -1;
    sched_param param{};
    pthread_getschedparam(pthread_self(), &policy, &param);
    policies.push_back(policy);
  };
  Job job([&](Job&) {
    record();
    if (policies.size() == 1) return;
    began.set_value();
    applied.get_future().wait();
    record();
  });
  job.SetPriority(StreamProcessorBase::PRIORITY_NOT_SET);  // never applied
  job.Start();
  job.WaitUntilStopped();
  job.SetPriority(Core::THREAD_PRIORITY_LOW);  // applied when the worker begins
  job.Start();
  began.get_future().wait();
  job.SetPriority(Core::THREAD_PRIORITY_IDLE);  // worker held: applied at once
  applied.set_value();
  job.WaitUntilStopped();
  EXPECT_THAT(policies, ElementsAre(SCHED_OTHER, SCHED_BATCH, SCHED_IDLE));
}

}  // namespace
}  // namespace Tivrel::Proc
