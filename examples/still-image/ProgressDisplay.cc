#include "examples/still-image/ProgressDisplay.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "Proc/Interfaces/DebugHelpers.h"
#include "Proc/Interfaces/ProcessingError.h"

namespace StillImage {
namespace {

constexpr int kBarWidth = 30;

constexpr long long kMicroseconds = 1'000'000;

// Clock text of a time ("12.000", "1:05.250").
const char* TimeText(long long microseconds, std::string& storage) {
  storage = Tivrel::Proc::T2S(microseconds);
  return storage.c_str();  // T2S's text carries a NUL of its own; stop at it
}

}  // namespace

ProgressDisplay::ProgressDisplay(std::FILE* out, ProgressStyle style, std::function<void()> onFinished)
    : out_(out),
      style_(style != ProgressStyle::kAuto ? style
             : isatty(fileno(out)) != 0    ? ProgressStyle::kBar
                                           : ProgressStyle::kLines),
      onFinished_(std::move(onFinished)) {}

void ProgressDisplay::SetStage(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  stage_ = name;
  lastTenth_ = -1;
}

void ProgressDisplay::ClearLine() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!barDrawn_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  barDrawn_ = false;
}

void ProgressDisplay::Complete(long long elapsedMicroseconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  Draw(1000, elapsedMicroseconds, 0);  // lines style: printed only if 100% was not reached before
  if (style_ == ProgressStyle::kBar) std::fputc('\n', out_);
  std::fflush(out_);
  barDrawn_ = false;
}

std::string ProgressDisplay::ErrorText() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_;
}

void ProgressDisplay::OnError(const Tivrel::ExceptionPtr& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  try {
    error_ =
        Tivrel::Proc::ProcessingErrorToString(Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(error));
  } catch (...) {  // not a std::exception: nothing more to say about it
    error_ = "ProcessingError: an unknown exception left the job\n";
  }
}

void ProgressDisplay::OnProgress(int, long long position, long long duration, int elapsedSeconds,
                                 int remainingSeconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  const long long permille = duration > 0 ? position * 1000 / duration : 0;
  Draw(static_cast<int>(std::clamp<long long>(permille, 0, 1000)), elapsedSeconds * kMicroseconds,
       std::max(remainingSeconds, 0) * kMicroseconds);
}

void ProgressDisplay::OnFinished() {
  if (onFinished_) onFinished_();
}

void ProgressDisplay::Draw(int permille, long long elapsedMicroseconds, long long remainingMicroseconds) {
  if (style_ == ProgressStyle::kNone) return;
  if (style_ == ProgressStyle::kLines) {
    const int tenth = permille / 100;
    if (tenth == lastTenth_) return;
    lastTenth_ = tenth;
  }
  std::string elapsed, remaining;
  const char* stage = stage_.c_str();
  const char* separator = stage_.empty() ? "" : " ";
  if (style_ == ProgressStyle::kLines) {
    std::fprintf(out_, "%s%s%3d%%  elapsed %s  remaining %s\n", stage, separator, permille / 10,
                 TimeText(elapsedMicroseconds, elapsed), TimeText(remainingMicroseconds, remaining));
  } else {
    char bar[kBarWidth + 1];
    const int filled = permille * kBarWidth / 1000;
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '=' : (i == filled ? '>' : ' ');
    bar[kBarWidth] = '\0';
    std::fprintf(out_, "\r%s%s[%s] %3d%%  elapsed %s  remaining %s\033[K", stage, separator, bar, permille / 10,
                 TimeText(elapsedMicroseconds, elapsed), TimeText(remainingMicroseconds, remaining));
    barDrawn_ = true;
  }
  std::fflush(out_);
}

}  // namespace StillImage
