#pragma once

// What the user sees while the jobs run: their events drawn as a progress bar on a
// terminal, or as plain lines (one per tenth of the work) when the stream is not a terminal.
// The elapsed time is the display's own clock, to the millisecond; the remaining time is
// the jobs' estimate, in whole seconds as they report it.

#include <chrono>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>

#include "Proc/Interfaces/StreamProcessorBase.h"
#include "examples/still-image/Options.h"

namespace StillImage {

// The events handler of every job of a run. OnProgress, OnError and OnFinished arrive on
// the jobs' worker threads with that job's mutex held; the other methods are for the main
// thread and the jobs themselves. An internal mutex orders all drawing, so any thread may
// call any method; none of them calls back into a job. Jobs that share a run report their
// common progress, so events may arrive slightly out of order: the bar never goes back
// within a stage.
class ProgressDisplay : public Tivrel::Proc::IProcessingEvents {
public:
  // Draws on `out` (borrowed) in `style`; kAuto draws a bar when `out` is a terminal and
  // lines otherwise. `onFinished` runs on the worker when the job has ended.
  ProgressDisplay(std::FILE* out, ProgressStyle style, std::function<void()> onFinished);

  // True when the display draws a bar (a line that is redrawn in place).
  bool DrawsBar() const { return style_ == ProgressStyle::kBar; }

  // Starts the elapsed-time clock (also started on construction).
  void StartClock();
  // Microseconds since the clock started.
  long long ElapsedMicroseconds() const;
  // Names the stage shown in front of the progress (empty: none).
  void SetStage(const std::string& name);
  // Removes a drawn bar from the line, so that other text can be printed there.
  void ClearLine();
  // Draws the work as complete and ends the bar's line; call once the run succeeded.
  void Complete();
  // The first job error as ProcessingErrorToString text; empty when there was none.
  std::string ErrorText() const;

  void OnError(const Tivrel::ExceptionPtr& error) override;
  void OnProgress(int progress, long long position, long long duration, int elapsedSeconds,
                  int remainingSeconds) override;
  void OnStarted() override {}
  void OnPaused() override {}
  void OnResumed() override {}
  void OnFinished() override;

private:
  // Mutex held.
  void Draw(int permille, int remainingSeconds);

  mutable std::mutex mutex_;
  std::FILE* out_;
  const ProgressStyle style_;  // never kAuto
  std::function<void()> onFinished_;
  std::chrono::steady_clock::time_point start_;
  std::string stage_;
  int permille_ = 0;  // the furthest progress drawn in this stage
  std::string error_;
  bool barDrawn_ = false;
  int lastTenth_ = -1;  // lines style: the last tenth printed
};

}  // namespace StillImage
