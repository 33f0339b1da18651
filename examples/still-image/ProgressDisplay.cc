#include "examples/still-image/ProgressDisplay.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "Proc/Interfaces/DebugHelpers.h"
#include "examples/still-image/Errors.h"

namespace StillImage {
namespace {

constexpr int kBarWidth = 30;

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
      onFinished_(std::move(onFinished)),
      start_(std::chrono::steady_clock::now()) {}

void ProgressDisplay::StartClock() {
  std::lock_guard<std::mutex> lock(mutex_);
  start_ = std::chrono::steady_clock::now();
}

long long ProgressDisplay::ElapsedMicroseconds() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressDisplay::SetStage(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  stage_ = name;
  lastTenth_ = -1;
  permille_ = 0;
}

void ProgressDisplay::ClearLine() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!barDrawn_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  barDrawn_ = false;
}

void ProgressDisplay::Complete() {
  std::lock_guard<std::mutex> lock(mutex_);
  Draw(1000, 0);  // lines style: printed only if 100% was not reached before
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
  if (!error_.empty()) return;  // the first failure stopped the run; later ones follow from it
  error_ = ProcessingErrorText(error);
}

void ProgressDisplay::OnProgress(int, long long position, long long duration, int, int remainingSeconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  const long long permille = duration > 0 ? position * 1000 / duration : 0;
  permille_ = std::max(permille_, static_cast<int>(std::clamp<long long>(permille, 0, 1000)));
  Draw(permille_, std::max(remainingSeconds, 0));
}

void ProgressDisplay::OnFinished() {
  if (onFinished_) onFinished_();
}

void ProgressDisplay::Draw(int permille, int remainingSeconds) {
  if (style_ == ProgressStyle::kNone) return;
  if (style_ == ProgressStyle::kLines) {
    const int tenth = permille / 100;
    if (tenth == lastTenth_) return;
    lastTenth_ = tenth;
  }
  std::string elapsed;
  const long long elapsedMicroseconds =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
  const char* stage = stage_.c_str();
  const char* separator = stage_.empty() ? "" : " ";
  if (style_ == ProgressStyle::kLines) {
    std::fprintf(out_, "%s%s%3d%%  elapsed %s  remaining %d s\n", stage, separator, permille / 10,
                 TimeText(elapsedMicroseconds, elapsed), remainingSeconds);
  } else {
    char bar[kBarWidth + 1];
    const int filled = permille * kBarWidth / 1000;
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '=' : (i == filled ? '>' : ' ');
    bar[kBarWidth] = '\0';
    std::fprintf(out_, "\r%s%s[%s] %3d%%  elapsed %s  remaining %d s\033[K", stage, separator, bar, permille / 10,
                 TimeText(elapsedMicroseconds, elapsed), remainingSeconds);
    barDrawn_ = true;
  }
  std::fflush(out_);
}

}  // namespace StillImage
