// Read through the lockable wrapper over a single-frame stream (a 1920x1080 yuv420p frame
// in endless mode), against the bare single-frame stream and against two uncontended
// recursive lock/unlock pairs.
//
// The three contenders run in batches of kBatch calls, timed in alternation
// (Alternation.h), so that other work on the machine hits them alike. Counters, per call:
// "bare_ns", "lockable_ns", "two_lock_pairs_ns"; "budget_used" = (lockable - bare) / two
// lock pairs.
// Target: budget_used <= 1, i.e. the wrapper costs at most the bare Read plus two
// uncontended recursive lock/unlock pairs. "alloc_bytes" and "allocs" are what one wrapped
// Read takes from operator new; "frame_object_bytes" is the size of one frame object:
// a Read allocates that object only, no pixel memory.

#include <functional>
#include <vector>

#include <benchmark/benchmark.h>
#include <boost/thread/recursive_mutex.hpp>

#include "AllocationCounter.h"
#include "Alternation.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"

namespace {

using Tivrel::SP;
using Tivrel::Media::VideoFrame;
using Tivrel::Proc::IStreamVideoEx;
using Tivrel::Proc::IStreamVideoLockable;
using Tivrel::Proc::SettingsStreamOneFrame;
using Tivrel::Proc::StreamOneFrameVideo;

constexpr int kBatch = 256;

SP<IStreamVideoEx> EndlessStream(const SP<VideoFrame>& frame) {
  SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(frame);
  SettingsStreamOneFrame settings;
  settings.endless = 1;
  stream->Initialize(settings);
  return stream;
}

void BM_LockableRead(benchmark::State& state) {
  const SP<VideoFrame> frame = VideoFrame::Create(Tivrel::PIX_FMT_YUV420P, 1920, 1080);
  frame->SetDuration(40000);
  const SP<IStreamVideoEx> bare = EndlessStream(frame);
  const SP<IStreamVideoLockable> wrapped = IStreamVideoLockable::Create(EndlessStream(frame));
  boost::recursive_mutex mutex;

  const std::vector<std::function<void()>> contenders = {
      [&] {
        for (int i = 0; i < kBatch; ++i) benchmark::DoNotOptimize(bare->Read());
      },
      [&] {
        for (int i = 0; i < kBatch; ++i) benchmark::DoNotOptimize(wrapped->Read());
      },
      [&] {
        for (int i = 0; i < kBatch; ++i) {
          mutex.lock();
          mutex.unlock();
          mutex.lock();
          mutex.unlock();
          benchmark::ClobberMemory();
        }
      },
  };
  const std::vector<double> seconds = Tivrel::Bench::TimeInAlternation(state, contenders);  // per batch

  const Tivrel::Bench::Allocated read =
      Tivrel::Bench::MeasureAllocations([&] { benchmark::DoNotOptimize(wrapped->Read()); });

  const double bareNs = seconds[0] / kBatch * 1e9;
  const double lockableNs = seconds[1] / kBatch * 1e9;
  const double pairsNs = seconds[2] / kBatch * 1e9;
  state.counters["bare_ns"] = bareNs;
  state.counters["lockable_ns"] = lockableNs;
  state.counters["two_lock_pairs_ns"] = pairsNs;
  state.counters["budget_used"] = (lockableNs - bareNs) / pairsNs;
  state.counters["alloc_bytes"] = static_cast<double>(read.bytes);
  state.counters["allocs"] = static_cast<double>(read.calls);
  state.counters["frame_object_bytes"] = static_cast<double>(sizeof(VideoFrame));
}
BENCHMARK(BM_LockableRead)->MinTime(2.0);

}  // namespace
