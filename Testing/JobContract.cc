#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Testing/Contracts.h"
#include "Testing/JobHarness.h"
#include "Testing/Mocks.h"

namespace Tivrel::Testing {

std::string JobContract::CaseName(const ::testing::TestParamInfo<ParamType>&) { return "contract"; }
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(JobContract);

namespace {

using Kind = JobEvent::Kind;

long Count(const std::vector<JobEvent>& events, Kind kind) {
  return std::count_if(events.begin(), events.end(), [kind](const JobEvent& e) { return e.kind == kind; });
}

}  // namespace

TEST_P(JobContract, RunsReportStartedProgressAndFinishedInOrder) {
  const SP<Proc::IStreamProcessor> job = GetParam()();
  for (int run = 0; run < 2; ++run) {  // a joined job runs again
    const std::vector<JobEvent> events = RunJob(*job);
    EXPECT_TRUE(FollowsTheEventProtocol(events)) << "run " << run;
    EXPECT_EQ(Count(events, Kind::Started), 1) << "run " << run;
    EXPECT_FALSE(job->IsRunning());
  }
}

// The job runs three times under Pause, Resume and Stop, then once to its end; a second
// job is released while it runs. Stop must always release the worker, and every run
// must be reported whole.
TEST_P(JobContract, StartPauseResumeStopCyclesEndTheWorker) {
  const SP<Proc::IStreamProcessor> job = GetParam()();
  JobRecorder recorder;
  job->SetEventsHandler(&recorder);
  job->Pause();  // before Start: only the flag, which Start clears
  for (int cycle = 0; cycle < 3; ++cycle) {
    job->Start();
    EXPECT_THROW(job->Start(), Proc::ProcException) << "a second Start while a worker is held";
    job->Pause();
    if (cycle > 0) job->Resume();
    if (cycle > 1) job->Pause();
    job->Stop();
    EXPECT_FALSE(job->IsRunning()) << "cycle " << cycle;
  }
  job->Start();
  job->WaitUntilStopped();
  job->SetEventsHandler(nullptr);
  const std::vector<JobEvent> events = recorder.Take();
  EXPECT_TRUE(FollowsTheEventProtocol(events));
  EXPECT_EQ(Count(events, Kind::Started), 4);

  const SP<Proc::IStreamProcessor> released = GetParam()();
  released->Start();
}

// The handler's calls come on the worker with the job's mutex held: Stop or
// WaitUntilStopped from there would wait for the worker itself.
TEST_P(JobContract, StopFromTheJobsOwnHandlerIsRefused) {
  const SP<Proc::IStreamProcessor> job = GetParam()();
  std::atomic<int> calls{0}, refused{0};
  const auto stopFromHandler = [&] {
    for (auto wait : {&Proc::IStreamProcessor::Stop, &Proc::IStreamProcessor::WaitUntilStopped}) {
      ++calls;
      try {
        ((*job).*wait)();
      } catch (const std::logic_error&) {
        ++refused;
      }
    }
  };
  ::testing::NiceMock<MockProcessingEvents> events;
  ON_CALL(events, OnStarted()).WillByDefault(stopFromHandler);
  ON_CALL(events, OnProgress).WillByDefault(::testing::InvokeWithoutArgs(stopFromHandler));
  ON_CALL(events, OnError).WillByDefault(::testing::InvokeWithoutArgs(stopFromHandler));
  ON_CALL(events, OnFinished()).WillByDefault(stopFromHandler);
  job->SetEventsHandler(&events);
  {
    Watchdog watchdog(std::chrono::seconds(30), "Stop called from the job's own event handler");
    job->Start();
    job->WaitUntilStopped();
  }
  job->SetEventsHandler(nullptr);
  EXPECT_GE(calls.load(), 4);
  EXPECT_EQ(refused.load(), calls.load());
}

}  // namespace Tivrel::Testing
