#pragma once

// The job: pulls the still frame's copies from the stream until the requested duration,
// places each on the canvas, digests it, lists the digest and writes the frame out. With
// stages it then verifies the frames a second time and reports progress over both stages.

#include <atomic>
#include <functional>
#include <string>

#include "Platform/Core/MD5.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamProcessorBase.h"
#include "examples/still-image/DigestListing.h"
#include "examples/still-image/Options.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {

struct JobSetup {
  Tivrel::SP<Tivrel::Proc::IStreamVideoLockable> stream;  // the still frame's stream
  long long duration = 0;                                 // requested, microseconds
  long long frames = 0;                                   // frames the stream serves in that time
  Tivrel::SP<Tivrel::Proc::IDataVideo> canvas;            // null: frames go out as read
  Offset at;                                              // the frame's place on the canvas
  DigestListing* listing = nullptr;                       // borrowed; required
  Y4mWriter* output = nullptr;                            // borrowed; null: no output file
  std::string outputPath;                                 // read back by the verify stage
  bool stages = false;                                    // render, then verify
  bool realtime = false;                                  // deliver frames at their timestamps
  std::function<void(const std::string&)> onStage;        // called on entering each stage
};

// Protocol: Create, SetEventsHandler, Start, then Stop or WaitUntilStopped (from another
// thread). Progress: per mille of the requested duration without stages; with stages, the
// weighted progress (maximum 1000) as both progress and position. Failures leave Process
// as exceptions, which the base hands to the events handler.
class StillImageJob : public Tivrel::RefCounted<Tivrel::Proc::StreamProcessorBase> {
public:
  static Tivrel::SP<StillImageJob> Create(JobSetup setup);

  // Frames digested by the render stage so far.
  long long FramesRendered() const { return rendered_.load(); }
  // True once every stage has run to its end (not stopped, no failure).
  bool Completed() const { return completed_.load(); }

protected:
  ~StillImageJob() override;
  void Process() override;

private:
  explicit StillImageJob(JobSetup setup);

  // The frame as it goes out: on the canvas when there is one. Allocates no pixels.
  Tivrel::SP<Tivrel::Proc::IDataVideo> Place(const Tivrel::SP<Tivrel::Proc::IDataVideo>& frame);
  // Called after each frame that went out; returns true when the job is to stop.
  using StepReporter = std::function<bool(const Tivrel::Proc::IDataVideo& frame)>;
  // Reads, places, digests, lists and writes frames until the duration is reached or the
  // job is stopped; true when stopped. The output file holds whole frames either way.
  bool Render(const StepReporter& step);
  // Digests the frames a second time (from the output file, else from the rewound stream)
  // and throws when they differ from the rendered ones. False when stopped.
  bool Verify(const std::function<bool()>& step);
  bool VerifyOutputFile(Tivrel::Core::MD5& fold, const std::function<bool()>& step);
  bool VerifyStream(Tivrel::Core::MD5& fold, const std::function<bool()>& step);

  JobSetup setup_;
  Tivrel::Core::MD5 renderedFold_;  // MD5 over the rendered digest texts
  std::atomic<long long> rendered_{0};
  std::atomic<bool> completed_{false};
};

}  // namespace StillImage
