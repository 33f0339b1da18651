// StreamProcessorBase: progress timing, worker errors and joins, pause, priority; the job contract on it.
#include <sched.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <functional>
#include <future>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Core/ThreadPriority.h"
#include "Proc/Interfaces/StreamProcessorBase.h"
#include "Testing/Contracts.h"
#include "Testing/JobHarness.h"

namespace Tivrel::Proc {
namespace {

using ::testing::ElementsAre;

std::atomic<long long> g_nowMs{0};
long long FakeClock() { return g_nowMs; }

// Runs `body` as its work; times progress with FakeClock.
class Job : public RefCounted<StreamProcessorBase> {
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
  Testing::JobRecorder events;
  Job job;
  job.SetEventsHandler(&events);
  const std::tuple<long long, int, long long, long long> calls[] = {
      // now, progress, position, duration
      {1000, 1, 100, 1100},                 // first sample: timing only
      {1000, 2, 200, 1100},                 // same millisecond: stored only
      {1010, 3, 300, 100300},               // 10 units/ms, 100,000 to go; no worker began: elapsed 0
      {1020, 4, 300, 200},                  // speed 0, even past the end
      {1030, 5, 200, 100300},               // backwards: the negative remaining time is sent
      {1031, 6, 201, 2701},                 // 1 unit/ms, 2.5 s to go: halves round away from zero
      {1032, 7, 202, LLONG_MAX},            // remaining time beyond int: suppressed
      {1033, 8, 203, 203 + 2147483646499},  // 2147483646.499 s: the largest time sent
      {1034, 9, 204, 204 + 2147483646500},  // rounds to INT_MAX: suppressed
  };
  for (const auto& [now, progress, position, duration] : calls) {
    g_nowMs = now;
    job.SetProgress(progress, position, duration);
  }
  EXPECT_EQ(std::make_pair(job.GetProgress(), job.GetPosition()), std::make_pair(9, 204LL));
  job.SetEventsHandler(nullptr);
  g_nowMs = 2000;
  job.SetProgress(10, 300, 1300);  // no handler: the last sample time stays 1034
  job.SetEventsHandler(&events);
  job.SetProgress(11, 400, 1400);
  EXPECT_THAT(Testing::ToStrings(events.Take()),
              ElementsAre("progress 3 300 100300 0 10", "progress 5 200 100300 0 -10", "progress 6 201 2701 0 3",
                          "progress 8 203 2147483646702 0 2147483646", "progress 11 400 1400 0 10"));

  // A run starts from position 0 and is timed against the last sample before it.
  job.body = [](Job& self) {
    EXPECT_EQ(self.GetPosition(), 0);
    g_nowMs = 9000;
    self.SetProgress(1, 1400, 10000);  // 1,400 units in 7,000 ms, 8,600 to go
  };
  g_nowMs = 5000;
  job.Start();
  job.WaitUntilStopped();
  EXPECT_THAT(Testing::ToStrings(events.Take()), ElementsAre("started", "progress 1 1400 10000 4 43", "finished"));
}

// A failing worker's error is reported, and the ended worker must be joined before the next Start.
TEST(StreamProcessorBaseTest, WorkerErrorsAreReportedAndStartWaitsForTheJoin) {
  Testing::JobRecorder events;
  Job job([](Job&) { throw std::runtime_error("broken"); });
  job.SetEventsHandler(&events);
  job.Stop();  // idle: nothing happens
  for (auto join : {&Job::WaitUntilStopped, &Job::Stop}) {
    job.Start();
    while (job.IsRunning()) std::this_thread::yield();  // ended by itself, not joined
    EXPECT_THROW(job.Start(), ProcException);
    (job.*join)();
    EXPECT_FALSE(job.isStopped());  // joining an ended worker requests no stop
    EXPECT_THAT(Testing::ToStrings(events.Take()), ElementsAre("started", "error broken", "finished"));
  }
  job.SetEventsHandler(nullptr);  // without a handler the error is dropped
  job.Start();
  job.WaitUntilStopped();
  EXPECT_FALSE(job.IsRunning());
}

TEST(StreamProcessorBaseTest, PauseHoldsTheWorkerUntilResumeOrStop) {
  Testing::JobRecorder events;
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
  EXPECT_THAT(Testing::ToStrings(events.Take()),
              ElementsAre("paused", "resumed", "paused", "started", "paused", "paused", "finished"));
}

// Resume must wake a worker already waiting at its pause point (a missed wake-up would
// hold it until Stop).
TEST(StreamProcessorBaseTest, ResumeWakesAWaitingWorker) {
  std::promise<void> paused, passed;
  Job job([&](Job& self) {
    self.Pause();
    paused.set_value();
    self.PausePoint();
    passed.set_value();
  });
  job.Start();
  paused.get_future().wait();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // time to reach the wait
  job.Resume();
  EXPECT_EQ(passed.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  job.Stop();
}

TEST(StreamProcessorBaseTest, PriorityIsAppliedToTheWorker) {
  std::vector<int> policies;
  std::promise<void> began, applied;
  const auto record = [&] { policies.push_back(sched_getscheduler(0)); };  // the calling thread's policy
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

// A run that reports progress and fails: the contract's handlers try to wait for the job
// on every event.
TIVREL_INSTANTIATE_CONTRACT(JobContract, StreamProcessorBase, [] {
  return SP<Proc::IStreamProcessor>(new Proc::Job([](Proc::Job& self) {
    for (int i = 0; i < 2; ++i) self.SetProgress(i, 10 * i, 100), ++Proc::g_nowMs;
    throw std::runtime_error("broken");
  }));
});
