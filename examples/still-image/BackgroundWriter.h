#pragma once

// Writes frames on a helper thread, so that a frame is written while the job digests it:
// the two biggest costs of a frame then run side by side on two cores.

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {

// Protocol: Start a frame, do other work (reading the frame is fine, changing it is not),
// then Finish before the next Start. Driven by one thread. The destructor waits for a
// frame still being written.
class BackgroundWriter {
public:
  explicit BackgroundWriter(Y4mWriter& writer);  // borrowed
  ~BackgroundWriter();
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // Hands `frame` (one more reference, until written) to the helper thread.
  void Start(const Tivrel::SP<Tivrel::Proc::IDataVideo>& frame);
  // Waits until the started frame is written; rethrows the write's exception, if any.
  void Finish();

private:
  void Loop();

  Y4mWriter& writer_;
  std::mutex mutex_;
  std::condition_variable changed_;
  Tivrel::SP<Tivrel::Proc::IDataVideo> pending_;  // set while a frame is being written
  std::exception_ptr error_;
  bool quit_ = false;
  std::thread thread_;  // last: starts once the members above exist
};

}  // namespace StillImage
