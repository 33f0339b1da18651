#pragma once

// What the user sees while the job runs: the job's events drawn as a progress bar on a
// terminal, or as plain lines (one per tenth of the work) when the stream is not a terminal.

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>

#include "Proc/Interfaces/StreamProcessorBase.h"
#include "examples/still-image/Options.h"

namespace StillImage {

// The job's events handler. OnProgress, OnError and OnFinished arrive on the job's worker
// thread with the job's mutex held; the other methods are for the main thread and the job
// itself. An internal mutex orders all drawing, so any thread may call any method; none of
// them calls back into the job.
class ProgressDisplay : public Tivrel::Proc::IProcessingEvents {
public:
  // Draws on `out` (borrowed) in `style`; kAuto draws a bar when `out` is a terminal and
  // lines otherwise. `onFinished` runs on the worker when the job has ended.
  ProgressDisplay(std::FILE* out, ProgressStyle style, std::function<void()> onFinished);

  // True when the display draws a bar (a line that is redrawn in place).
  bool DrawsBar() const { return style_ == ProgressStyle::kBar; }

  // Names the stage shown in front of the progress (empty: none).
  void SetStage(const std::string& name);
  // Removes a drawn bar from the line, so that other text can be printed there.
  void ClearLine();
  // Draws the work as complete, with the job's whole run time, and ends the bar's line;
  // call once the job succeeded.
  void Complete(long long elapsedMicroseconds);
  // The job's error as ProcessingErrorToString text; empty when there was none.
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
  void Draw(int permille, long long elapsedMicroseconds, long long remainingMicroseconds);

  mutable std::mutex mutex_;
  std::FILE* out_;
  const ProgressStyle style_;  // never kAuto
  std::function<void()> onFinished_;
  std::string stage_;
  std::string error_;
  bool barDrawn_ = false;
  int lastTenth_ = -1;  // lines style: the last tenth printed
};

}  // namespace StillImage
