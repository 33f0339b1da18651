#include "Testing/JobHarness.h"

#include <utility>

#include "Proc/Interfaces/ProcessingError.h"
#include "Testing/Watchdog.h"

namespace Tivrel::Testing {

std::string ToString(const JobEvent& event) {
  switch (event.kind) {
    case JobEvent::Kind::Started:
      return "started";
    case JobEvent::Kind::Progress:
      return "progress " + std::to_string(event.progress) + " " + std::to_string(event.position) + " " +
             std::to_string(event.duration) + " " + std::to_string(event.elapsedSeconds) + " " +
             std::to_string(event.remainingSeconds);
    case JobEvent::Kind::Paused:
      return "paused";
    case JobEvent::Kind::Resumed:
      return "resumed";
    case JobEvent::Kind::Error:
      try {
        const std::string description =
            Proc::ProcessingError::MakeProcessingErrorFromException(event.error).GetErrorDescription();
        return "error " + description.substr(0, description.find('\n'));
      } catch (...) {
        return "error (not a std::exception)";
      }
    case JobEvent::Kind::Finished:
      return "finished";
  }
  return "unknown";
}

std::vector<std::string> ToStrings(const std::vector<JobEvent>& events) {
  std::vector<std::string> texts;
  for (const JobEvent& event : events) texts.push_back(ToString(event));
  return texts;
}

void PrintTo(const JobEvent& event, std::ostream* os) { *os << ToString(event); }

std::vector<JobEvent> JobRecorder::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(events_, {});
}

void JobRecorder::Add(JobEvent event) {
  std::lock_guard<std::mutex> lock(mutex_);
  events_.push_back(std::move(event));
}

void JobRecorder::OnError(const ExceptionPtr& error) {
  JobEvent event{JobEvent::Kind::Error};
  event.error = error;
  Add(std::move(event));
}

void JobRecorder::OnProgress(int progress, long long position, long long duration, int elapsedSeconds,
                             int remainingSeconds) {
  JobEvent event{JobEvent::Kind::Progress};
  event.progress = progress;
  event.position = position;
  event.duration = duration;
  event.elapsedSeconds = elapsedSeconds;
  event.remainingSeconds = remainingSeconds;
  Add(std::move(event));
}

void JobRecorder::OnStarted() { Add(JobEvent{JobEvent::Kind::Started}); }
void JobRecorder::OnPaused() { Add(JobEvent{JobEvent::Kind::Paused}); }
void JobRecorder::OnResumed() { Add(JobEvent{JobEvent::Kind::Resumed}); }
void JobRecorder::OnFinished() { Add(JobEvent{JobEvent::Kind::Finished}); }

::testing::AssertionResult FollowsTheEventProtocol(const std::vector<JobEvent>& events) {
  using Kind = JobEvent::Kind;
  bool inRun = false, failed = false;
  for (size_t i = 0; i < events.size(); ++i) {
    const Kind kind = events[i].kind;
    const bool allowed =
        kind == Kind::Paused || kind == Kind::Resumed ||
        (kind == Kind::Started ? !inRun
                               : inRun && !(kind == Kind::Progress && failed) && !(kind == Kind::Error && failed));
    if (!allowed) {
      return ::testing::AssertionFailure()
             << "event " << i << " (" << ToString(events[i]) << ") comes "
             << (inRun ? "inside a run" : "outside any run") << (failed ? " after an error" : "");
    }
    if (kind == Kind::Started) inRun = true;
    if (kind == Kind::Error) failed = true;
    if (kind == Kind::Finished) inRun = failed = false;
  }
  if (inRun) return ::testing::AssertionFailure() << "the last run has no finished event";
  return ::testing::AssertionSuccess();
}

std::vector<JobEvent> RunJob(Proc::IStreamProcessor& job, std::chrono::seconds limit) {
  JobRecorder recorder;
  job.SetEventsHandler(&recorder);
  try {
    Watchdog watchdog(limit, "the job");
    job.Start();
    job.WaitUntilStopped();
  } catch (...) {
    job.SetEventsHandler(nullptr);
    throw;
  }
  job.SetEventsHandler(nullptr);
  return recorder.Take();
}

}  // namespace Tivrel::Testing
