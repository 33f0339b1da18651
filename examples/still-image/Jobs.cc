#include "examples/still-image/Jobs.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <thread>
#include <utility>

#include "Media/VideoFrame.h"
#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/Stub.h"
#include "examples/still-image/Errors.h"

namespace StillImage {
namespace {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;

// Shares of the weighted progress.
constexpr int kRenderWeight = 600'000;
constexpr int kVerifyWeight = 400'000;
constexpr int kWholeWeight = kRenderWeight + kVerifyWeight;
// Longest sleep while pacing frames, so that a stop request is seen soon.
constexpr auto kLongestSleep = std::chrono::milliseconds(100);

// Holds a lockable stream's lock for a scope.
class StreamLock {
public:
  explicit StreamLock(Tivrel::ILockable& lockable) : lockable_(lockable) { lockable_.Lock(); }
  ~StreamLock() { lockable_.Unlock(); }
  StreamLock(const StreamLock&) = delete;
  StreamLock& operator=(const StreamLock&) = delete;

private:
  Tivrel::ILockable& lockable_;
};

[[noreturn]] void VerifyFailed(const std::string& description, int line) {
  Tivrel::ThrowError<Tivrel::Proc::ProcException>("Verify: " + description,
                                                  TIVREL_THROW_SITE("StillImage::VerifyJob::Process", line));
}

// Stops the worker before the members go: it runs the derived object's Process.
void StopQuietly(Tivrel::Proc::StreamProcessorBase& job) {
  try {
    job.Stop();
  } catch (...) {
  }
}

}  // namespace

SharedProgress::SharedProgress(bool stages, long long frames)
    : stages_(Tivrel::Core::ProgressControllerStages::Create()),
      steps_(static_cast<int>(std::min<long long>(frames, INT_MAX))) {
  if (stages) {
    stages_->Init({kRenderWeight, kVerifyWeight});
  } else {
    stages_->Init({kWholeWeight});
  }
}

void SharedProgress::EnterStage(const char* name) {
  std::lock_guard<std::mutex> lock(mutex_);
  stages_->InitStage(steps_, name);
}

std::pair<long long, long long> SharedProgress::Step() {
  std::lock_guard<std::mutex> lock(mutex_);
  stages_->IncProgress();
  return {stages_->GetProgress(), kWholeWeight};
}

SP<RenderJob> RenderJob::Create(RenderRun& run, std::unique_ptr<FramePipeline> pipeline) {
  return SP<RenderJob>(new RenderJob(run, std::move(pipeline)));
}

RenderJob::RenderJob(RenderRun& run, std::unique_ptr<FramePipeline> pipeline)
    : run_(run), pipeline_(std::move(pipeline)) {}

RenderJob::~RenderJob() { StopQuietly(*this); }

void RenderJob::Process() {
  Tivrel::Proc::IStreamVideoLockable& stream = *run_.stream;
  for (;;) {
    PausePoint();
    if (isStopped()) return;
    SP<IDataVideo> frame;
    long long index = 0;
    {
      StreamLock lock(stream);  // the copy and its place in the listing as one step
      frame = stream.Read();
      index = run_.nextIndex++;
    }
    if (!frame || frame->GetTime() >= run_.duration) return;
    if (run_.realtime) WaitUntilDue(frame->GetTime());
    SP<IDataVideo> out = pipeline_->Make(std::move(frame));
    std::string digest = Tivrel::Proc::CalculateVideoDataMD5(out);
    if (!run_.writer->Put(index, std::move(out), std::move(digest))) return;
    const auto [progress, maximum] = run_.progress->Step();
    SetProgress(static_cast<int>(progress * 1000 / maximum), progress, maximum);
  }
}

void RenderJob::WaitUntilDue(long long time) {
  const auto due = run_.start + std::chrono::microseconds(time);
  while (!isStopped() && std::chrono::steady_clock::now() < due) {
    std::this_thread::sleep_until(std::min(due, std::chrono::steady_clock::now() + kLongestSleep));
  }
}

SP<VerifyJob> VerifyJob::Create(Setup setup) { return SP<VerifyJob>(new VerifyJob(std::move(setup))); }

VerifyJob::VerifyJob(Setup setup) : setup_(std::move(setup)) {}

VerifyJob::~VerifyJob() { StopQuietly(*this); }

void VerifyJob::Process() {
  completed_ = false;
  Tivrel::Core::MD5 fold;
  if (!(setup_.outputPath.empty() ? FromStream(fold) : FromFile(fold))) return;
  fold.finalize();
  if (fold.hexdigest() != setup_.fold) VerifyFailed("the frames digested again differ from the listed ones", __LINE__);
  completed_ = true;
}

bool VerifyJob::Step() {
  const auto [progress, maximum] = setup_.progress->Step();
  SetProgress(static_cast<int>(progress * 1000 / maximum), progress, maximum);
  PausePoint();
  return isStopped();
}

bool VerifyJob::FromFile(Tivrel::Core::MD5& fold) {
  const std::string& path = setup_.outputPath;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) VerifyFailed("cannot open '" + path + "' again", __LINE__);
  Y4mReader reader(file.get(), path);
  const Y4mFormat& format = reader.Format();
  const SP<IDataVideo> frame =
      Tivrel::Media::VideoFrame::Create(format.pixFmt, format.width, format.height, format.aspectX, format.aspectY);
  for (long long i = 0; i < setup_.frames; ++i) {
    if (!reader.ReadFrame(*frame)) {
      VerifyFailed(path + " holds " + std::to_string(i) + " frames, " + std::to_string(setup_.frames) + " were written",
                   __LINE__);
    }
    fold.update(Tivrel::Proc::CalculateVideoDataMD5(frame));
    if (Step()) return false;
  }
  if (reader.ReadFrame(*frame)) VerifyFailed(path + " holds more frames than were written", __LINE__);
  return true;
}

bool VerifyJob::FromStream(Tivrel::Core::MD5& fold) {
  Tivrel::Proc::IStreamVideoLockable& stream = *setup_.stream;
  {
    StreamLock lock(stream);  // the seek and its result as one step
    stream.RequestSeek(0, nullptr);
    stream.DoSeek();
    if (!stream.GetSeekResult()) VerifyFailed("the stream cannot be rewound", __LINE__);
  }
  for (long long i = 0; i < setup_.frames; ++i) {
    SP<IDataVideo> frame = stream.Read();
    if (!frame) VerifyFailed("the stream ended after " + std::to_string(i) + " frames", __LINE__);
    fold.update(Tivrel::Proc::CalculateVideoDataMD5(setup_.pipeline->Make(std::move(frame))));
    if (Step()) return false;
  }
  return true;
}

}  // namespace StillImage
