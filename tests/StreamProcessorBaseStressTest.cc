// StreamProcessorBase steered at random from three threads: runs reported whole and in order, no wake-up lost.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Proc/Interfaces/StreamProcessorBase.h"
#include "Testing/JobHarness.h"
#include "Testing/Watchdog.h"

namespace Tivrel::Proc {
namespace {

constexpr int kControllers = 3;
constexpr int kCycles = 3334;  // per controller: 10,002 in all

// Short runs with pause points; some throw, some try to stop themselves.
class StressJob : public RefCounted<StreamProcessorBase> {
public:
  ~StressJob() override { Stop(); }
  std::atomic<int> selfStopRefusals{0};

protected:
  void Process() override {
    const int run = runs_++;
    for (int unit = 0; unit < 40 && !isStopped(); ++unit) {
      PausePoint();
      SetProgress(unit, unit, 40);
      std::this_thread::yield();  // longer runs: more overlap with the controllers
      if (unit == 20 && run % 7 == 0) throw std::runtime_error("unit failed");
      try {
        if (unit == 10 && run % 11 == 0) Stop();
      } catch (const std::logic_error&) {
        ++selfStopRefusals;
      }
    }
  }

private:
  std::atomic<int> runs_{0};
};

// Each cycle starts the job, steers it at random and ends with Stop, WaitUntilStopped or
// nothing. A controller resumes its own pending Pause before it waits without a stop
// request, so when all of them wait, the last word on the paused flag was a Resume.
void Control(StressJob& job, unsigned seed, std::atomic<int>& refusedStarts) {
  std::mt19937 random(seed);
  bool pausePending = false;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    try {
      job.Start();
    } catch (const ProcException&) {
      ++refusedStarts;
    }
    for (int step = random() % 4; step > 0; --step) {
      const unsigned op = random() % 4;
      if (op == 0) job.Pause();
      if (op == 1) job.Resume();
      if (op == 2) job.SetPriority(0);
      if (op == 3) job.GetProgress();
      if (op < 2) pausePending = op == 0;
    }
    const unsigned ending = random() % 3;
    if (ending == 0) job.Stop();
    if (ending == 1 && pausePending) job.Resume();
    if (ending == 1) job.WaitUntilStopped(), pausePending = false;
  }
  if (pausePending) job.Resume();
}

TEST(StreamProcessorBaseStressTest, RandomControlFromThreeThreadsKeepsTheProtocol) {
  Testing::Watchdog watchdog(std::chrono::minutes(4), "the stress test");
  Testing::JobRecorder recorder;
  std::atomic<int> refusedStarts{0};
  {
    StressJob job;
    job.SetEventsHandler(&recorder);
    std::vector<std::thread> controllers;
    for (int i = 0; i < kControllers; ++i)
      controllers.emplace_back(Control, std::ref(job), 1234u + i, std::ref(refusedStarts));
    for (std::thread& controller : controllers) controller.join();
    job.Stop();
    EXPECT_FALSE(job.IsRunning());
    EXPECT_GT(job.selfStopRefusals.load(), 0);
  }
  const std::vector<Testing::JobEvent> events = recorder.Take();
  EXPECT_TRUE(Testing::FollowsTheEventProtocol(events));
  const auto started = std::count_if(events.begin(), events.end(), [](const Testing::JobEvent& e) {
    return e.kind == Testing::JobEvent::Kind::Started;
  });
  EXPECT_EQ(started + refusedStarts.load(), kControllers * kCycles);
  EXPECT_GT(started, 1000);
}

}  // namespace
}  // namespace Tivrel::Proc
