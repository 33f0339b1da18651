// SetProgress with a handler set, on its path that sends no event (unchanged position:
// speed 0), against the floor of what it has to do: an uncontended std::mutex lock, a
// system_clock reading and the unlock. Target: ratio <= 1.5. BM_SetProgressVsFloor times
// batches of both in alternation inside one loop and reports the "ratio" counter, so that
// clock drift and other load on the machine do not favour either side.

#include <chrono>
#include <mutex>

#include <benchmark/benchmark.h>

#include "Proc/Interfaces/StreamProcessorBase.h"

namespace {

using namespace Tivrel::Proc;

class SilentEvents : public IProcessingEvents {
public:
  void OnError(const Tivrel::ExceptionPtr&) override {}
  void OnProgress(int, long long, long long, int, int) override {}
  void OnStarted() override {}
  void OnPaused() override {}
  void OnResumed() override {}
  void OnFinished() override {}
};

class Job : public Tivrel::RefCounted<StreamProcessorBase> {
public:
  using StreamProcessorBase::SetProgress;

protected:
  void Process() override {}
};

constexpr int kBatch = 1000;

std::mutex g_floorMutex;

void Floor() {
  std::lock_guard<std::mutex> lock(g_floorMutex);
  benchmark::DoNotOptimize(std::chrono::system_clock::now());
}

void BM_LockClockUnlock(benchmark::State& state) {
  for (auto _ : state) Floor();
}
BENCHMARK(BM_LockClockUnlock);

void BM_SetProgressNoEvent(benchmark::State& state) {
  SilentEvents events;
  Job job;
  job.SetEventsHandler(&events);
  for (auto _ : state) job.SetProgress(1, 100, 1000);
}
BENCHMARK(BM_SetProgressNoEvent);

void BM_SetProgressVsFloor(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  SilentEvents events;
  Job job;
  job.SetEventsHandler(&events);
  Clock::duration floor{}, setProgress{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kBatch; ++i) Floor();
    const auto t1 = Clock::now();
    for (int i = 0; i < kBatch; ++i) job.SetProgress(1, 100, 1000);
    const auto t2 = Clock::now();
    floor += t1 - t0;
    setProgress += t2 - t1;
  }
  state.counters["ratio"] = static_cast<double>(setProgress.count()) / static_cast<double>(floor.count());
  state.counters["floor_ns"] = std::chrono::duration<double, std::nano>(floor).count() / (state.iterations() * kBatch);
  state.counters["setprogress_ns"] =
      std::chrono::duration<double, std::nano>(setProgress).count() / (state.iterations() * kBatch);
}
BENCHMARK(BM_SetProgressVsFloor);

}  // namespace
