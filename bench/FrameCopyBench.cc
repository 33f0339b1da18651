// Frame copy, comparison and digest of 1920x1080 yuv420p frames (3,110,400 bytes) against
// the usual ways of doing the same work, cache-warm and cache-cold.
//
// Every benchmark times its contenders in alternation inside one loop on the thread's CPU
// clock (the order rotates each iteration), so other processes on the machine and clock
// drift hit all of them alike. Counters: "<name>_GBps" per contender and "vs_<peer>" =
// peer time / our time (>= 1: ours is at least as fast). Warm runs reuse one frame pair;
// cold runs rotate every single call through kColdPairs pairs, so each call finds data
// last touched kColdPairs calls (hundreds of MB) earlier.
//
// Targets: block copies (CopyFrameMemory, CopyPlane of equal strides) >= 1 against memcpy
// and libyuv's CopyPlane; copies into a window (CopyPlane, CopyDataVideo) >= 1 against
// libyuv's CopyPlane and av_image_copy_plane; IsDataVideoEqual >= 0.9 against memcmp;
// CalculateVideoDataMD5 >= 0.97 against OpenSSL's one-shot MD5. "alloc_bytes" is what
// CopyDataVideo takes from operator new per call (a frame object, no pixel memory).

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/md5.h>

#include <time.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/FrameUtils.h"
#include "Proc/Interfaces/IDataVideo.h"

#if TIVREL_HAVE_LIBYUV
#include <libyuv/planar_functions.h>
#endif
#if TIVREL_HAVE_LIBAVUTIL
extern "C" {
#include <libavutil/imgutils.h>
}
#endif

namespace {

using Tivrel::PIX_FMT_YUV420P;
using Tivrel::SP;
using Tivrel::Media::VideoFrame;
using Tivrel::Proc::IDataVideo;
using Tivrel::Proc::Plane;
using Tivrel::Proc::PlaneConst;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// Cold runs rotate through this many pairs: about 600 MB of same-size frames, beyond the
// last-level cache of the machines this runs on (480 MiB on the development machine).
constexpr int kColdPairs = 96;
constexpr size_t kFrameBytes = 3110400;

struct Pair {
  SP<VideoFrame> src;
  SP<VideoFrame> dst;
};

SP<VideoFrame> PatternFrame(int width, int height, unsigned seed) {
  SP<VideoFrame> frame = VideoFrame::Create(PIX_FMT_YUV420P, width, height);
  for (unsigned char p = 0; p < 3; ++p) {
    const Plane plane = frame->GetPlane(p);
    for (unsigned long y = 0; y < plane.height; ++y) {
      unsigned char* line = plane.GetOffsetPtr(0, y);
      for (unsigned long x = 0; x < plane.width; ++x) line[x] = static_cast<unsigned char>((x * 7 + y * 13) ^ seed);
    }
  }
  return frame;
}

// dstWidth 0: the destination is a copy of the source (same size, equal bytes).
std::vector<Pair> MakePairs(int count, int dstWidth, int dstHeight) {
  std::vector<Pair> pairs;
  for (int i = 0; i < count; ++i) {
    SP<VideoFrame> src = PatternFrame(kWidth, kHeight, static_cast<unsigned>(i));
    SP<VideoFrame> dst = dstWidth == 0 ? SP<VideoFrame>(static_cast<VideoFrame*>(src->Clone(true).get()))
                                       : VideoFrame::Create(PIX_FMT_YUV420P, dstWidth, dstHeight);
    // The one-shot digest baseline reads the three planes as one run of bytes.
    if (src->GetPlane(2).GetOffsetPtr(0, kHeight / 2) != src->GetPlane(0).data + kFrameBytes) std::abort();
    pairs.push_back({src, dst});
  }
  return pairs;
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Contender {
  std::string name;
  std::function<void(const Pair&)> run;
};

// Times contenders[0] (ours) and the peers in alternation; state.range(0) is 1 for warm,
// 0 for cold.
void RunAlternating(benchmark::State& state, const std::vector<Pair>& pairs, const std::vector<Contender>& contenders,
                    size_t bytes) {
  const bool warm = state.range(0) == 1;
  std::vector<double> seconds(contenders.size(), 0.0);
  size_t call = 0, round = 0;
  for (auto _ : state) {
    for (size_t k = 0; k < contenders.size(); ++k) {
      const size_t c = (k + round) % contenders.size();
      const Pair& pair = pairs[warm ? 0 : call++ % pairs.size()];
      const double start = ThreadSeconds();
      contenders[c].run(pair);
      seconds[c] += ThreadSeconds() - start;
    }
    ++round;
  }
  const double iterations = static_cast<double>(state.iterations());
  for (size_t c = 0; c < contenders.size(); ++c) {
    state.counters[contenders[c].name + "_GBps"] = static_cast<double>(bytes) * iterations / seconds[c] / 1e9;
    if (c != 0) state.counters["vs_" + contenders[c].name] = seconds[c] / seconds[0];
  }
}

// The destination starts as a copy of the source, and the copies keep it so: the same
// pairs serve the copies, the comparison and the digest.
const std::vector<Pair>& SameSizePairs(bool warm) {
  static const std::vector<Pair> warmPairs = MakePairs(1, 0, 0);
  static const std::vector<Pair> coldPairs = MakePairs(kColdPairs, 0, 0);
  return warm ? warmPairs : coldPairs;
}

const std::vector<Pair>& LargerDestinationPairs(bool warm) {
  static const std::vector<Pair> warmPairs = MakePairs(1, 2560, 1440);
  static const std::vector<Pair> coldPairs = MakePairs(kColdPairs, 2560, 1440);
  return warm ? warmPairs : coldPairs;
}

// The three planes of a pair for the peers: Y, U, V of source and destination.
template <class Copy>
void ForEachPlane(const Pair& pair, Copy copy) {
  for (unsigned char p = 0; p < 3; ++p)
    copy(static_cast<const IDataVideo&>(*pair.src).GetPlane(p), pair.dst->GetPlane(p));
}

// The destination window the window copies write to: the source's size at (320, 180).
Plane Window(const Pair& pair, unsigned char p) {
  const unsigned char shift = p == 0 ? 0 : 1;
  return pair.dst->GetPlane(p).MakeSubplane(320, 180, kWidth, kHeight, 1, shift, shift);
}

void AddPeerCopies(std::vector<Contender>& contenders, bool window) {
  const auto target = [window](const Pair& pair, unsigned char p) {
    return window ? Window(pair, p) : pair.dst->GetPlane(p);
  };
  if (!window) {  // a single block is no way to fill a window
    contenders.push_back({"memcpy", [target](const Pair& pair) {
                            for (unsigned char p = 0; p < 3; ++p) {
                              const PlaneConst s = static_cast<const IDataVideo&>(*pair.src).GetPlane(p);
                              std::memcpy(target(pair, p).data, s.data, s.EffectiveSize());
                            }
                          }});
  }
#if TIVREL_HAVE_LIBYUV
  contenders.push_back({"libyuv", [target](const Pair& pair) {
                          for (unsigned char p = 0; p < 3; ++p) {
                            const PlaneConst s = static_cast<const IDataVideo&>(*pair.src).GetPlane(p);
                            const Plane d = target(pair, p);
                            libyuv::CopyPlane(s.data, static_cast<int>(s.stride), d.data, static_cast<int>(d.stride),
                                              static_cast<int>(s.width), static_cast<int>(s.height));
                          }
                        }});
#endif
#if TIVREL_HAVE_LIBAVUTIL
  if (window) {
    contenders.push_back({"avutil", [target](const Pair& pair) {
                            for (unsigned char p = 0; p < 3; ++p) {
                              const PlaneConst s = static_cast<const IDataVideo&>(*pair.src).GetPlane(p);
                              const Plane d = target(pair, p);
                              av_image_copy_plane(d.data, static_cast<int>(d.stride), s.data,
                                                  static_cast<int>(s.stride), static_cast<int>(s.width),
                                                  static_cast<int>(s.height));
                            }
                          }});
  }
#endif
}

void BM_CopyFrameMemory(benchmark::State& state) {
  std::vector<Contender> contenders = {
      {"CopyFrameMemory", [](const Pair& pair) { Tivrel::Proc::FrameUtils::CopyFrameMemory(pair.src, pair.dst); }}};
  AddPeerCopies(contenders, false);
  RunAlternating(state, SameSizePairs(state.range(0) == 1), contenders, kFrameBytes);
}

void BM_CopyPlaneEqualStrides(benchmark::State& state) {
  std::vector<Contender> contenders = {
      {"CopyPlane", [](const Pair& pair) {
         ForEachPlane(pair, [](const PlaneConst& s, const Plane& d) { Tivrel::Proc::CopyPlane(s, d); });
       }}};
  AddPeerCopies(contenders, false);
  RunAlternating(state, SameSizePairs(state.range(0) == 1), contenders, kFrameBytes);
}

void BM_CopyPlaneIntoWindow(benchmark::State& state) {
  std::vector<Contender> contenders = {{"CopyPlane", [](const Pair& pair) {
                                          for (unsigned char p = 0; p < 3; ++p) {
                                            Tivrel::Proc::CopyPlane(
                                                static_cast<const IDataVideo&>(*pair.src).GetPlane(p), Window(pair, p));
                                          }
                                        }}};
  AddPeerCopies(contenders, true);
  RunAlternating(state, LargerDestinationPairs(state.range(0) == 1), contenders, kFrameBytes);
}

void BM_CopyDataVideoIntoWindow(benchmark::State& state) {
  unsigned long allocated = 0, calls = 0;
  std::vector<Contender> contenders = {{"CopyDataVideo", [&](const Pair& pair) {
                                          allocated += Tivrel::Bench::MeasureAllocations([&] {
                                                         Tivrel::Proc::CopyDataVideo(pair.src, pair.dst, 320, 180);
                                                       }).bytes;
                                          ++calls;
                                        }}};
  AddPeerCopies(contenders, true);
  RunAlternating(state, LargerDestinationPairs(state.range(0) == 1), contenders, kFrameBytes);
  state.counters["alloc_bytes"] = calls == 0 ? 0.0 : static_cast<double>(allocated) / static_cast<double>(calls);
}

void BM_IsDataVideoEqual(benchmark::State& state) {
  const std::vector<Contender> contenders = {
      {"IsDataVideoEqual",
       [](const Pair& pair) { benchmark::DoNotOptimize(Tivrel::Proc::IsDataVideoEqual(pair.src, pair.dst)); }},
      {"memcmp", [](const Pair& pair) {
         int result = 0;
         ForEachPlane(pair, [&](const PlaneConst& a, const PlaneConst& b) {
           result |= std::memcmp(a.data, b.data, a.EffectiveSize());
         });
         benchmark::DoNotOptimize(result);
       }}};
  RunAlternating(state, SameSizePairs(state.range(0) == 1), contenders, kFrameBytes);
}

void BM_CalculateVideoDataMD5(benchmark::State& state) {
  const std::vector<Contender> contenders = {
      {"CalculateVideoDataMD5",
       [](const Pair& pair) { benchmark::DoNotOptimize(Tivrel::Proc::CalculateVideoDataMD5(pair.src)); }},
      {"OpenSSL_MD5", [](const Pair& pair) {
         unsigned char digest[MD5_DIGEST_LENGTH];
         // The frame's planes lie back to back: one call over all 3,110,400 bytes.
         MD5(static_cast<const IDataVideo&>(*pair.src).GetPlane(0).data, kFrameBytes, digest);
         benchmark::DoNotOptimize(digest);
       }}};
  RunAlternating(state, SameSizePairs(state.range(0) == 1), contenders, kFrameBytes);
}

void WarmAndCold(benchmark::internal::Benchmark* b) {
  b->ArgName("warm")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);
}

BENCHMARK(BM_CopyFrameMemory)->Apply(WarmAndCold);
BENCHMARK(BM_CopyPlaneEqualStrides)->Apply(WarmAndCold);
BENCHMARK(BM_CopyPlaneIntoWindow)->Apply(WarmAndCold);
BENCHMARK(BM_CopyDataVideoIntoWindow)->Apply(WarmAndCold);
BENCHMARK(BM_IsDataVideoEqual)->Apply(WarmAndCold);
BENCHMARK(BM_CalculateVideoDataMD5)->Apply(WarmAndCold);

}  // namespace
