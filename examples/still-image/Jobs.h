#pragma once

// The run's jobs. Render jobs (as many as --jobs asks for) share the still frame's lockable
// stream: each takes the next copy and its index under the stream's lock, passes it
// through its own pipeline, digests it and hands it to the ordered writer. With stages, a
// verify job then digests the written frames a second time. Every job reports through one
// SharedProgress, so the progress counts frames over all jobs.

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "Platform/Core/MD5.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/ProgressControllerStages.h"
#include "Proc/Interfaces/StreamProcessorBase.h"
#include "examples/still-image/FramePipeline.h"
#include "examples/still-image/OrderedWriter.h"

namespace StillImage {

// Weighted progress over the stages of a run (render, and verify with --stages), stepped
// by any number of jobs at once. The maximum is 1,000,000 (render 600,000 and verify
// 400,000 with stages).
class SharedProgress {
public:
  SharedProgress(bool stages, long long frames);

  // Enters the next stage; called between runs of jobs.
  void EnterStage(const char* name);
  // One more frame done in the current stage. Returns the progress and its maximum.
  std::pair<long long, long long> Step();

private:
  std::mutex mutex_;
  Tivrel::SP<Tivrel::Core::ProgressControllerStages> stages_;
  int steps_;
};

// What the render jobs share. Borrowed pointers; the main thread keeps them alive until
// every job has been stopped.
struct RenderRun {
  Tivrel::SP<Tivrel::Proc::IStreamVideoLockable> stream;
  long long duration = 0;  // requested, microseconds: frames from this time on are not rendered
  OrderedWriter* writer = nullptr;
  SharedProgress* progress = nullptr;
  bool realtime = false;                        // deliver frames at their timestamps
  std::chrono::steady_clock::time_point start;  // when timestamp 0 is due
  long long nextIndex = 0;                      // under the stream's lock
};

// Protocol: Create, SetEventsHandler, Start, then Stop or WaitUntilStopped (from another
// thread). Ends when the stream reaches the duration, when stopped, or when the writer
// takes no more frames. Progress: per mille of the run, over all jobs. Failures leave
// Process as exceptions, which the base hands to the events handler.
class RenderJob : public Tivrel::RefCounted<Tivrel::Proc::StreamProcessorBase> {
public:
  static Tivrel::SP<RenderJob> Create(RenderRun& run, std::unique_ptr<FramePipeline> pipeline);

protected:
  ~RenderJob() override;
  void Process() override;

private:
  RenderJob(RenderRun& run, std::unique_ptr<FramePipeline> pipeline);
  void WaitUntilDue(long long time);

  RenderRun& run_;
  std::unique_ptr<FramePipeline> pipeline_;
};

// Digests the written frames again, from the output file or else from the rewound stream
// through a pipeline of its own, and fails (ProcException "Verify: ...") when the digests
// differ from the listed ones. Protocol as for RenderJob.
class VerifyJob : public Tivrel::RefCounted<Tivrel::Proc::StreamProcessorBase> {
public:
  struct Setup {
    Tivrel::SP<Tivrel::Proc::IStreamVideoLockable> stream;
    std::unique_ptr<FramePipeline> pipeline;  // for the stream
    std::string outputPath;                   // empty: verify from the stream
    long long frames = 0;                     // written frames
    std::string fold;                         // OrderedWriter::WrittenFold of them
    SharedProgress* progress = nullptr;
  };
  static Tivrel::SP<VerifyJob> Create(Setup setup);

  // True once every frame was digested again and matched.
  bool Completed() const { return completed_.load(); }

protected:
  ~VerifyJob() override;
  void Process() override;

private:
  explicit VerifyJob(Setup setup);
  // Digests the frames into `fold`; false when stopped.
  bool FromFile(Tivrel::Core::MD5& fold);
  bool FromStream(Tivrel::Core::MD5& fold);
  // Reports a frame done; true when the job is to stop.
  bool Step();

  Setup setup_;
  std::atomic<bool> completed_{false};
};

}  // namespace StillImage
