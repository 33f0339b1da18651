#include "examples/still-image/OrderedWriter.h"

#include <utility>

namespace StillImage {

OrderedWriter::OrderedWriter(DigestListing& listing, Y4mWriter* output, long long window)
    : listing_(listing), output_(output), window_(window), thread_(&OrderedWriter::Loop, this) {}

OrderedWriter::~OrderedWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();  // a frame being written is finished first
}

bool OrderedWriter::Put(long long index, Tivrel::SP<Tivrel::Proc::IDataVideo> frame, std::string digest) {
  Entry entry{frame->GetTime(), frame->GetDuration(), std::move(digest), std::move(frame)};
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return closed_ || index < next_ + window_; });
  if (closed_) return false;
  if (output_ && output_->Positioned()) {
    lock.unlock();  // the jobs write their frames in parallel
    output_->WriteFrame(index, *entry.frame);
    entry.frame.reset();
    lock.lock();
    if (closed_) return false;  // written after a gap: Finish cuts it off
  } else if (!output_) {
    entry.frame.reset();  // nothing to write
  }
  pending_.emplace(index, std::move(entry));
  changed_.notify_all();
  return true;
}

void OrderedWriter::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

void OrderedWriter::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return error_ || (!writing_ && pending_.count(next_) == 0); });
  pending_.clear();  // behind a gap: never to be listed
  const long long listed = next_;
  const std::exception_ptr error = error_;
  lock.unlock();
  if (output_) output_->Truncate(listed);  // frames that jobs wrote beyond the listed ones go
  if (error) std::rethrow_exception(error);
}

long long OrderedWriter::Written() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return next_;
}

std::string OrderedWriter::WrittenFold() const {
  std::lock_guard<std::mutex> lock(mutex_);
  Tivrel::Core::MD5 fold = fold_;
  fold.finalize();
  return fold.hexdigest();
}

void OrderedWriter::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return quit_ || (!error_ && pending_.count(next_) != 0); });
    if (quit_) return;
    Entry entry = std::move(pending_.extract(next_).mapped());
    writing_ = true;
    lock.unlock();
    std::exception_ptr error;
    try {
      listing_.WriteFrame(next_, entry.time, entry.duration, entry.digest);
      if (entry.frame) output_->WriteFrame(next_, *entry.frame);
    } catch (...) {
      error = std::current_exception();
    }
    entry.frame.reset();  // back to its job before the job is woken
    lock.lock();
    writing_ = false;
    if (error) {
      error_ = error;
      closed_ = true;
    } else {
      fold_.update(entry.digest);
      ++next_;
    }
    changed_.notify_all();
  }
}

}  // namespace StillImage
