#pragma once

// Running a processing job in a test: its events recorded in order, a check of their
// order, and a run to the job's end that fails instead of hanging.

#include <chrono>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Proc/Interfaces/StreamProcessorBase.h"

namespace Tivrel::Testing {

struct JobEvent {
  enum class Kind { Started, Progress, Paused, Resumed, Error, Finished };

  Kind kind;
  // "started", "progress 3 300 100300 0 10" (progress, position, duration, elapsed and
  // remaining seconds), "paused", "resumed", "error <first line of the description>",
  // "finished". gtest prints events this way.
  std::string text;
  ExceptionPtr error = nullptr;  // Error: the exception that left Process
};

std::vector<std::string> ToStrings(const std::vector<JobEvent>& events);
void PrintTo(const JobEvent& event, std::ostream* os);

// Records a job's events in order. The job calls it under its own mutex; Take may run
// on any thread meanwhile.
class JobRecorder : public Proc::IProcessingEvents {
public:
  // The events recorded since the last Take.
  std::vector<JobEvent> Take();

  void OnError(const ExceptionPtr& error) override;
  void OnProgress(int progress, long long position, long long duration, int elapsedSeconds,
                  int remainingSeconds) override;
  void OnStarted() override { Add({JobEvent::Kind::Started, "started"}); }
  void OnPaused() override { Add({JobEvent::Kind::Paused, "paused"}); }
  void OnResumed() override { Add({JobEvent::Kind::Resumed, "resumed"}); }
  void OnFinished() override { Add({JobEvent::Kind::Finished, "finished"}); }

private:
  void Add(JobEvent event);

  std::mutex mutex_;
  std::vector<JobEvent> events_;
};

// Success when `events` keep the order of IProcessingEvents: each run is started, then any
// progress, paused and resumed, at most one error, then finished; between runs only
// paused and resumed. The failure names the first event out of order.
::testing::AssertionResult FollowsTheEventProtocol(const std::vector<JobEvent>& events);

// Starts `job` with a JobRecorder as its handler, waits until it ends by itself, joins
// it, removes the handler and returns the events. A job that has not ended within
// `limit` aborts the test program (see Watchdog) rather than hang it.
std::vector<JobEvent> RunJob(Proc::IStreamProcessor& job, std::chrono::seconds limit = std::chrono::seconds(60));

}  // namespace Tivrel::Testing
