#include "Testing/JobHarness.h"

#include <memory>
#include <utility>

#include "Proc/Interfaces/ProcessingError.h"
#include "Testing/Watchdog.h"

namespace Tivrel::Testing {

std::vector<std::string> ToStrings(const std::vector<JobEvent>& events) {
  std::vector<std::string> texts;
  for (const JobEvent& event : events) texts.push_back(event.text);
  return texts;
}

void PrintTo(const JobEvent& event, std::ostream* os) { *os << event.text; }

std::vector<JobEvent> JobRecorder::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(events_, {});
}

void JobRecorder::Add(JobEvent event) {
  std::lock_guard<std::mutex> lock(mutex_);
  events_.push_back(std::move(event));
}

void JobRecorder::OnError(const ExceptionPtr& error) {
  std::string text = "error (not a std::exception)";
  try {
    text = "error " + Proc::ProcessingError::MakeProcessingErrorFromException(error).GetErrorDescription();
  } catch (...) {
  }
  Add({JobEvent::Kind::Error, text.substr(0, text.find('\n')), error});
}

void JobRecorder::OnProgress(int progress, long long position, long long duration, int elapsedSeconds,
                             int remainingSeconds) {
  Add({JobEvent::Kind::Progress, "progress " + std::to_string(progress) + " " + std::to_string(position) + " " +
                                     std::to_string(duration) + " " + std::to_string(elapsedSeconds) + " " +
                                     std::to_string(remainingSeconds)});
}

::testing::AssertionResult FollowsTheEventProtocol(const std::vector<JobEvent>& events) {
  using Kind = JobEvent::Kind;
  bool inRun = false, failed = false;
  for (size_t i = 0; i < events.size(); ++i) {
    const Kind kind = events[i].kind;
    const bool allowed =
        kind == Kind::Paused || kind == Kind::Resumed ||
        (kind == Kind::Started ? !inRun : inRun && !(failed && (kind == Kind::Progress || kind == Kind::Error)));
    if (!allowed) {
      return ::testing::AssertionFailure()
             << "event " << i << " (" << events[i].text << ") comes " << (inRun ? "inside a run" : "outside any run")
             << (failed ? " after an error" : "");
    }
    inRun = kind == Kind::Started || (inRun && kind != Kind::Finished);
    failed = kind == Kind::Error || (failed && kind != Kind::Finished);
  }
  if (inRun) return ::testing::AssertionFailure() << "the last run has no finished event";
  return ::testing::AssertionSuccess();
}

std::vector<JobEvent> RunJob(Proc::IStreamProcessor& job, std::chrono::seconds limit) {
  JobRecorder recorder;
  job.SetEventsHandler(&recorder);
  // Whatever happens, the job is left without the recorder that is about to go.
  const std::unique_ptr<Proc::IStreamProcessor, void (*)(Proc::IStreamProcessor*)> detach(
      &job, [](Proc::IStreamProcessor* j) { j->SetEventsHandler(nullptr); });
  Watchdog watchdog(limit, "the job");
  job.Start();
  job.WaitUntilStopped();
  return recorder.Take();
}

}  // namespace Tivrel::Testing
