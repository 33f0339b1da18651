// ProgressControllerStages::IncProgress reporting to the stub controller. Target: < 50 ns.

#include <benchmark/benchmark.h>

#include "Proc/Interfaces/ProgressControllerStages.h"

namespace {

void BM_IncProgressWithStub(benchmark::State& state) {
  Tivrel::SP<Tivrel::Core::ProgressControllerStages> stages = Tivrel::Core::ProgressControllerStages::Create();
  stages->Init({1, 3});
  stages->InitStage(1 << 30, "bench");
  for (auto _ : state) benchmark::DoNotOptimize(stages->IncProgress());
}
BENCHMARK(BM_IncProgressWithStub);

}  // namespace
