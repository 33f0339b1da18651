#include "examples/still-image/StillImageJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <utility>

#include "Platform/Core/Exception.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/ProgressControllerStages.h"
#include "Proc/Interfaces/Stub.h"
#include "examples/still-image/BackgroundWriter.h"
#include "examples/still-image/Errors.h"

namespace StillImage {
namespace {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;

// Shares of the weighted progress; they sum to 1000, so the value reads as per mille.
constexpr int kRenderWeight = 600;
constexpr int kVerifyWeight = 400;
// Longest sleep while pacing frames, so that a stop request is seen soon.
constexpr auto kLongestSleep = std::chrono::milliseconds(100);

// Passes the weighted progress on to the job and the job's stop request back.
class ForwardingController : public Tivrel::Core::IProgressController, public Tivrel::RefCountImpl {
public:
  ForwardingController(std::function<void(long long, long long)> report, std::function<bool()> stopRequested)
      : report_(std::move(report)), stopRequested_(std::move(stopRequested)) {}

  void Notify(NotifyEvent) override {}
  void SetMaximum(long long maximum) override { maximum_ = maximum; }
  void SetProgress(long long progress) override {
    progress_ = progress;
    report_(progress_, maximum_);
  }
  void IncProgress(long long delta) override { SetProgress(progress_ + delta); }
  bool CheckForStop() const override { return stopRequested_(); }

private:
  std::function<void(long long, long long)> report_;
  std::function<bool()> stopRequested_;
  long long maximum_ = 0;
  long long progress_ = 0;
};

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
                                                  TIVREL_THROW_SITE("StillImage::StillImageJob, verify stage", line));
}

std::string Finished(Tivrel::Core::MD5 fold) {
  fold.finalize();
  return fold.hexdigest();
}

}  // namespace

SP<StillImageJob> StillImageJob::Create(JobSetup setup) {
  return SP<StillImageJob>(new StillImageJob(std::move(setup)));
}

StillImageJob::StillImageJob(JobSetup setup) : setup_(std::move(setup)) {}

StillImageJob::~StillImageJob() {
  try {
    Stop();  // the worker runs this object's Process: end it before the members go
  } catch (...) {
  }
}

void StillImageJob::Process() {
  completed_ = false;
  rendered_ = 0;
  renderedFold_ = Tivrel::Core::MD5();
  const long long duration = setup_.duration;

  if (!setup_.stages) {
    const bool stopped = Render([&](const IDataVideo& frame) {
      const long long end = std::min(frame.GetTime() + frame.GetDuration(), duration);
      SetProgress(static_cast<int>(end * 1000 / duration), end, duration);
      return false;  // Render polls the stop request itself
    });
    completed_ = !stopped;
    return;
  }

  const SP<ForwardingController> controller(new ForwardingController(
      [this](long long progress, long long maximum) { SetProgress(static_cast<int>(progress), progress, maximum); },
      [this] { return isStopped(); }));
  const SP<Tivrel::Core::ProgressControllerStages> stages = Tivrel::Core::ProgressControllerStages::Create();
  stages->SetProgressController(controller);
  stages->Init({kRenderWeight, kVerifyWeight});
  const int steps = static_cast<int>(std::min<long long>(setup_.frames, INT32_MAX));

  stages->InitStage(steps, "render");
  if (setup_.onStage) setup_.onStage("render");
  if (Render([&](const IDataVideo&) { return stages->IncProgress(); })) return;

  stages->InitStage(steps, "verify");
  if (setup_.onStage) setup_.onStage("verify");
  completed_ = Verify([&] { return stages->IncProgress(); });
}

SP<IDataVideo> StillImageJob::Place(const SP<IDataVideo>& frame) {
  if (!setup_.canvas) return frame;
  Tivrel::Proc::CopyDataVideo(frame, setup_.canvas, setup_.at.x, setup_.at.y);
  setup_.canvas->SetTime(frame->GetTime());
  setup_.canvas->SetDuration(frame->GetDuration());
  return setup_.canvas;
}

bool StillImageJob::Render(const StepReporter& step) {
  const auto start = std::chrono::steady_clock::now();
  const std::unique_ptr<BackgroundWriter> writer =
      setup_.output ? std::make_unique<BackgroundWriter>(*setup_.output) : nullptr;
  bool stopped = false;
  for (long long index = 0;; ++index) {
    PausePoint();
    if (isStopped()) {
      stopped = true;
      break;
    }
    const SP<IDataVideo> frame = setup_.stream->Read();
    if (!frame || frame->GetTime() >= setup_.duration) break;
    if (setup_.realtime) {
      const auto due = start + std::chrono::microseconds(frame->GetTime());
      while (!isStopped() && std::chrono::steady_clock::now() < due) {
        std::this_thread::sleep_until(std::min(due, std::chrono::steady_clock::now() + kLongestSleep));
      }
    }
    const SP<IDataVideo> out = Place(frame);
    if (writer) writer->Start(out);  // written while it is digested
    const std::string digest = Tivrel::Proc::CalculateVideoDataMD5(out);
    if (writer) writer->Finish();
    renderedFold_.update(digest);
    setup_.listing->WriteFrame(index, out->GetTime(), out->GetDuration(), digest);
    rendered_ = index + 1;
    if (step(*out)) {
      stopped = true;
      break;
    }
  }
  // Whole frames only, also when stopped: the file stays playable.
  if (setup_.output) setup_.output->Flush();
  return stopped;
}

bool StillImageJob::Verify(const std::function<bool()>& step) {
  Tivrel::Core::MD5 fold;
  const bool done = setup_.output ? VerifyOutputFile(fold, step) : VerifyStream(fold, step);
  if (done && Finished(fold) != Finished(renderedFold_)) {
    VerifyFailed("the frames digested again differ from the rendered ones", __LINE__);
  }
  return done;
}

bool StillImageJob::VerifyOutputFile(Tivrel::Core::MD5& fold, const std::function<bool()>& step) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(setup_.outputPath.c_str(), "rb"), &std::fclose);
  if (!file) VerifyFailed("cannot open '" + setup_.outputPath + "' again", __LINE__);
  Y4mReader reader(file.get(), setup_.outputPath);
  const Y4mFormat& format = reader.Format();
  const SP<IDataVideo> frame =
      Tivrel::Media::VideoFrame::Create(format.pixFmt, format.width, format.height, format.aspectX, format.aspectY);
  const long long rendered = rendered_;
  for (long long i = 0; i < rendered; ++i) {
    if (!reader.ReadFrame(*frame)) {
      VerifyFailed(
          setup_.outputPath + " holds " + std::to_string(i) + " frames, " + std::to_string(rendered) + " were written",
          __LINE__);
    }
    fold.update(Tivrel::Proc::CalculateVideoDataMD5(frame));
    if (step()) return false;
  }
  if (reader.ReadFrame(*frame)) VerifyFailed(setup_.outputPath + " holds more frames than were written", __LINE__);
  return true;
}

bool StillImageJob::VerifyStream(Tivrel::Core::MD5& fold, const std::function<bool()>& step) {
  Tivrel::Proc::IStreamVideoLockable& stream = *setup_.stream;
  {
    StreamLock lock(stream);  // the seek and its result as one step
    stream.RequestSeek(0, nullptr);
    stream.DoSeek();
    if (!stream.GetSeekResult()) VerifyFailed("the stream cannot be rewound", __LINE__);
  }
  const long long rendered = rendered_;
  for (long long i = 0; i < rendered; ++i) {
    const SP<IDataVideo> frame = stream.Read();
    if (!frame) VerifyFailed("the stream ended after " + std::to_string(i) + " frames", __LINE__);
    fold.update(Tivrel::Proc::CalculateVideoDataMD5(Place(frame)));
    if (step()) return false;
  }
  return true;
}

}  // namespace StillImage
