// The example's effects on a 1920x1080 yuv420p frame, against CopyFrameMemory of the same
// frame and libyuv's mirror and rotation of the same planes, and the still-image job's
// per-frame work with and without a flip.
//
// The contenders of each benchmark are timed in alternation (Alternation.h). Counters:
// "<name>_ms" per call and "<a>_per_<b>" = time of a / time of b.
// The effects get frames the way a job does, as views sharing the stream's pixels; they
// write new frames, whose allocation is timed with them.
//
// Targets:
//   BM_EffectVsCopyAndLibyuv/turn:0 (a left-right flip): effect_per_copy <= 1.2 and
//     libyuv_per_effect >= 1
//   BM_EffectVsCopyAndLibyuv/turn:1 (a quarter turn): effect_per_copy <= 2 and
//     libyuv_per_effect >= 1
//   BM_CropOwned: alloc_bytes = 0 and view = 1, the frame is narrowed and no pixel moves
//   BM_JobWithFlip: flip_job_per_job <= 1.3, reading, flipping, placing a 1280x720 frame
//     on a 1920x1080 canvas and digesting it, against the same without the flip (the
//     output file, the same for both, is left out: stricter)

#include <vector>

#include <benchmark/benchmark.h>
#include <libyuv/planar_functions.h>
#include <libyuv/rotate.h>

#include "AllocationCounter.h"
#include "Alternation.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/FrameUtils.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "examples/effects/CropEffect.h"
#include "examples/effects/FlipEffect.h"
#include "examples/effects/TransposeEffect.h"

namespace {

using Tivrel::SP;
using Tivrel::Media::VideoFrame;
using Tivrel::Proc::IDataVideo;
using Tivrel::Proc::PlaneConst;

SP<IDataVideo> PatternFrame(int width, int height) {
  const SP<IDataVideo> frame = VideoFrame::Create(Tivrel::PIX_FMT_YUV420P, width, height);
  for (unsigned char p = 0; p < 3; ++p) {
    const Tivrel::Proc::Plane plane = frame->GetPlane(p);
    for (unsigned long y = 0; y < plane.height; ++y) {
      for (unsigned long x = 0; x < plane.width; ++x) *plane.GetOffsetPtr(x, y) = static_cast<unsigned char>(x * 7 + y);
    }
  }
  frame->SetDuration(40000);
  return frame;
}

const SP<IDataVideo>& Source() {
  static const SP<IDataVideo> frame = PatternFrame(1920, 1080);
  return frame;
}

PlaneConst In(const SP<IDataVideo>& frame, unsigned char p) {
  return static_cast<const IDataVideo&>(*frame).GetPlane(p);
}

// libyuv on the three planes of `src` into `dst`: a left-right mirror for kRotate0, else
// the rotation.
void LibyuvPlanes(const SP<IDataVideo>& src, const SP<IDataVideo>& dst, libyuv::RotationMode mode) {
  for (unsigned char p = 0; p < 3; ++p) {
    const PlaneConst s = In(src, p);
    const Tivrel::Proc::Plane d = dst->GetPlane(p);
    const int stride = static_cast<int>(s.stride), width = static_cast<int>(s.width);
    if (mode == libyuv::kRotate0) {
      libyuv::MirrorPlane(s.data, stride, d.data, static_cast<int>(d.stride), width, static_cast<int>(s.height));
    } else {
      libyuv::RotatePlane(s.data, stride, d.data, static_cast<int>(d.stride), width, static_cast<int>(s.height), mode);
    }
  }
}

// The effect given a view that shares `source`'s pixels; the result is dropped.
void OnView(Effects::VideoEffect& effect, const SP<IDataVideo>& source) {
  SP<IDataVideo> frame = source->Clone(false);
  effect.ProcessVideoData(frame);
  benchmark::DoNotOptimize(frame.get());
}

// The effect (state.range(0): 0 a left-right flip, 1 a quarter turn) on a view of the
// frame, against CopyFrameMemory of the frame and libyuv's same work on its planes.
void BM_EffectVsCopyAndLibyuv(benchmark::State& state) {
  const bool turn = state.range(0) == 1;
  const SP<IDataVideo>& src = Source();
  const SP<IDataVideo> copy = VideoFrame::Create(Tivrel::PIX_FMT_YUV420P, 1920, 1080);
  const SP<IDataVideo> out = VideoFrame::Create(Tivrel::PIX_FMT_YUV420P, turn ? 1080 : 1920, turn ? 1920 : 1080);
  Tivrel::Proc::SettingsEffectTranspose one;
  one.quarterTurns = 1;
  const SP<Effects::VideoEffect> effect = turn ? SP<Effects::VideoEffect>(Effects::TransposeEffect::Create(one))
                                               : Effects::FlipEffect::Create({true, false});
  const std::vector<double> s = Tivrel::Bench::TimeInAlternation(
      state, {[&] { Tivrel::Proc::FrameUtils::CopyFrameMemory(src, copy); }, [&] { OnView(*effect, src); },
              [&] { LibyuvPlanes(src, out, turn ? libyuv::kRotate90 : libyuv::kRotate0); }});
  state.counters["copy_ms"] = s[0] * 1e3;
  state.counters["effect_ms"] = s[1] * 1e3;
  state.counters["libyuv_ms"] = s[2] * 1e3;
  state.counters["effect_per_copy"] = s[1] / s[0];
  state.counters["libyuv_per_effect"] = s[2] / s[1];
}

void BM_CropOwned(benchmark::State& state) {
  const SP<IDataVideo>& src = Source();
  const SP<Effects::CropEffect> crop = Effects::CropEffect::Create({8, 8, 1904, 1064});
  unsigned long bytes = 0;
  bool view = true;
  for (auto _ : state) {
    state.PauseTiming();
    SP<IDataVideo> frame = src->Clone(false);  // the caller's only reference to this object
    state.ResumeTiming();
    bytes += Tivrel::Bench::MeasureAllocations([&] { crop->ProcessVideoData(frame); }).bytes;
    view = view && In(frame, 0).data == In(src, 0).GetOffsetPtr(8, 8);
  }
  state.counters["alloc_bytes"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
  state.counters["view"] = view ? 1 : 0;
}

void BM_JobWithFlip(benchmark::State& state) {
  const SP<Tivrel::Proc::IStreamVideoEx> oneFrame = Tivrel::Proc::StreamOneFrameVideo::Create(PatternFrame(1280, 720));
  Tivrel::Proc::SettingsStreamOneFrame endless;
  endless.endless = 1;
  oneFrame->Initialize(endless);
  const SP<Tivrel::Proc::IStreamVideoLockable> stream = Tivrel::Proc::IStreamVideoLockable::Create(oneFrame);
  const SP<IDataVideo> canvas = VideoFrame::Create(Tivrel::PIX_FMT_YUV420P, 1920, 1080);
  const SP<Effects::FlipEffect> flip = Effects::FlipEffect::Create({true, false});
  const auto frame = [&](bool flipped) {
    SP<IDataVideo> read = stream->Read();
    if (flipped) flip->ProcessVideoData(read);
    Tivrel::Proc::CopyDataVideo(read, canvas, 320, 180);
    benchmark::DoNotOptimize(Tivrel::Proc::CalculateVideoDataMD5(canvas));
  };
  const std::vector<double> s = Tivrel::Bench::TimeInAlternation(state, {[&] { frame(false); }, [&] { frame(true); }});
  state.counters["job_ms"] = s[0] * 1e3;
  state.counters["flip_job_ms"] = s[1] * 1e3;
  state.counters["flip_job_per_job"] = s[1] / s[0];
}

BENCHMARK(BM_EffectVsCopyAndLibyuv)->ArgName("turn")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CropOwned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JobWithFlip)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
