#pragma once

// Puts the frames of several jobs out in frame order: the listing line of frame 0, then of
// frame 1, and so on, whichever job finishes which frame first, on a thread of its own so
// that the jobs go on digesting meanwhile. The output file takes the frames where it can
// hold them at their offsets (a regular file): each job writes its frames there itself, in
// parallel with the others, and a stop cuts the file back to the listed frames. Otherwise
// (a pipe, a device) the writer's thread also writes the frames, in order.

#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "Platform/Core/MD5.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "examples/still-image/DigestListing.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {

// Protocol: jobs call Put, each index once, from any thread; the main thread calls Close
// to stop a run early and Finish once every job has ended. A frame handed over is read
// until it is written (by Put itself, or by the writer's thread): the job must not change
// it meanwhile (it keeps no other reference that it writes through). The destructor ends
// the thread; frames still waiting are dropped.
class OrderedWriter {
public:
  // Lines go to `listing`, frames to `output` (both borrowed; `output` may be null). At
  // most `window` frames wait from the next one to write on (window >= 1).
  OrderedWriter(DigestListing& listing, Y4mWriter* output, long long window);
  ~OrderedWriter();
  OrderedWriter(const OrderedWriter&) = delete;
  OrderedWriter& operator=(const OrderedWriter&) = delete;

  // Hands over frame `index` (from 0) and its digest text. Blocks while `index` is `window`
  // or more ahead of the next frame to list, so a slow job holds the others back instead
  // of letting frames pile up. Then, for an output file that takes frames at their
  // offsets, writes the frame on the calling thread (throwing MuxerException when that
  // fails). False once the writer is closed or a write failed: the frame is dropped and the
  // job should end.
  bool Put(long long index, Tivrel::SP<Tivrel::Proc::IDataVideo> frame, std::string digest);
  // Takes no more frames: waiting and later Put calls return false. Frames that follow the
  // listed ones without a gap are still listed by Finish.
  void Close();
  // Waits until the frames that follow the listed ones without a gap are listed (and
  // written), drops the others and cuts the output file back to the listed frames; the
  // listing and the file then hold the same whole frames. Rethrows the first failure.
  void Finish();

  // Frames listed so far, and the MD5 (hex) over their digest texts in frame order.
  long long Written() const;
  std::string WrittenFold() const;

private:
  struct Entry {
    long long time = 0, duration = 0;
    std::string digest;
    Tivrel::SP<Tivrel::Proc::IDataVideo> frame;  // for the writer's thread to write; null when written
  };

  void Loop();

  DigestListing& listing_;
  Y4mWriter* output_;
  const long long window_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::map<long long, Entry> pending_;  // handed over, not yet listed
  long long next_ = 0;                  // the next index to list
  bool writing_ = false;                // the thread is listing (and writing) frame next_
  bool closed_ = false;
  bool quit_ = false;
  std::exception_ptr error_;
  Tivrel::Core::MD5 fold_;
  std::thread thread_;  // last: starts once the members above exist
};

}  // namespace StillImage
