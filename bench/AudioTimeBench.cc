// The sample/duration conversions, AudioTime::GetTime over two rates and
// AudioSynchronizer::Process: ns per call, and operator new calls per call (the
// "allocs" counter; the target is 0 for each).


#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "Proc/Interfaces/AudioSynchronizer.h"
#include "Proc/Interfaces/AudioTime.h"

namespace {

using namespace Tivrel::Proc;

// Runs `call` once per iteration and reports the operator new calls it made.
template <class F>
void Measure(benchmark::State& state, F call) {
  const unsigned long allocations = Tivrel::Bench::MeasureAllocations([&] {
                                      for (auto _ : state) benchmark::DoNotOptimize(call());
                                    }).calls;
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
  if (allocations != 0) state.SkipWithError("allocates on its success path");
}

// Inputs read through a volatile so that nothing is folded at compile time.
volatile unsigned long long g_count = 1024;
volatile int g_rate = 48000;
volatile long long g_duration = 21333;

void BM_SampleCount2DurationUnchecked(benchmark::State& s) {
  Measure(s, [] { return SampleCount2DurationUnchecked(g_count, g_rate); });
}
void BM_Duration2SampleCountUnchecked(benchmark::State& s) {
  Measure(s, [] { return Duration2SampleCountUnchecked(g_duration, g_rate); });
}
void BM_MaxSampleCountError(benchmark::State& s) {
  Measure(s, [] { return MaxSampleCountError(g_rate); });
}
void BM_FrameSampleCount2Duration(benchmark::State& s) {
  Measure(s, [] { return FrameSampleCount2Duration(g_count, g_rate); });
}
void BM_StreamSampleCount2Duration(benchmark::State& s) {
  Measure(s, [] { return StreamSampleCount2Duration(g_count, g_rate); });
}
void BM_Duration2SampleCount(benchmark::State& s) {
  Measure(s, [] { return Duration2SampleCount(g_duration, g_rate); });
}
BENCHMARK(BM_SampleCount2DurationUnchecked);
BENCHMARK(BM_Duration2SampleCountUnchecked);
BENCHMARK(BM_MaxSampleCountError);
BENCHMARK(BM_FrameSampleCount2Duration);
BENCHMARK(BM_StreamSampleCount2Duration);
BENCHMARK(BM_Duration2SampleCount);

AudioTime TwoRateClock() {
  AudioTime clock;
  clock.Reset(1000000);
  clock.AddSamples(44100, 441000);
  clock.AddSamples(48000, 480000);
  return clock;
}

void BM_AudioTimeGetTimeTwoRates(benchmark::State& s) {
  const AudioTime clock = TwoRateClock();
  Measure(s, [&] { return clock.GetTime(); });
}
BENCHMARK(BM_AudioTimeGetTimeTwoRates);

// Alternates an in-step block and a gap, so both the quiet path and the callback run.
void BM_AudioSynchronizerProcess(benchmark::State& s) {
  const AudioTime clock = TwoRateClock();
  long long gaps = 0;
  AudioSynchronizer synchronizer([&](long long gap) { gaps += gap; });
  const long long now = clock.GetTime();
  long long i = 0;
  Measure(s, [&] { return synchronizer.Process(clock, now + ((++i & 1) ? 1000 : 600000)); });
  benchmark::DoNotOptimize(gaps);
}
BENCHMARK(BM_AudioSynchronizerProcess);

}  // namespace
