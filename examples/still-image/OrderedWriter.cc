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
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return closed_ || index < next_ + window_; });
  if (closed_) return false;
  pending_.emplace(index, Entry{std::move(frame), std::move(digest)});
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
  pending_.clear();  // behind a gap: never to be written
  if (error_) std::rethrow_exception(error_);
  lock.unlock();
  if (output_) output_->Flush();
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
      listing_.WriteFrame(next_, entry.frame->GetTime(), entry.frame->GetDuration(), entry.digest);
      if (output_) output_->WriteFrame(*entry.frame);
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
