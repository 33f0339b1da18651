#include "examples/still-image/BackgroundWriter.h"

#include <utility>

namespace StillImage {

BackgroundWriter::BackgroundWriter(Y4mWriter& writer) : writer_(writer), thread_(&BackgroundWriter::Loop, this) {}

BackgroundWriter::~BackgroundWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();  // a frame being written is finished first
}

void BackgroundWriter::Start(const Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = frame;
  }
  changed_.notify_all();
}

void BackgroundWriter::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !pending_; });
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void BackgroundWriter::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || quit_; });
    if (!pending_) return;  // quit, nothing left to write
    const Tivrel::SP<Tivrel::Proc::IDataVideo> frame = pending_;
    lock.unlock();
    std::exception_ptr error;
    try {
      writer_.WriteFrame(*frame);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    error_ = error;
    pending_.reset();
    changed_.notify_all();
  }
}

}  // namespace StillImage
