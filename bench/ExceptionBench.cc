// Cost of the library's throw sequence (description + call stack + throw location,
// caught by base class) against a plain std::runtime_error throw in the same run.
// Target: a library throw+catch stays below 20 us.

#include <stdexcept>
#include <string>

#include <benchmark/benchmark.h>

#include "Platform/Core/CallStack.h"
#include "Proc/Interfaces/Stub.h"

namespace {

// A few real frames between the throw and the handler, as in the library.
[[gnu::noinline]] void ThrowAt(int depth, bool library) {
  if (depth > 0) {
    ThrowAt(depth - 1, library);
    benchmark::ClobberMemory();  // keeps the recursion from becoming a jump
    return;
  }
  if (library) {
    Tivrel::ThrowError<Tivrel::Proc::FilterException>("Filter was initialized with incorrect class (X)!",
                                                      TIVREL_THROW_SITE("void ThrowAt(int, bool)", __LINE__));
  }
  throw std::runtime_error("Filter was initialized with incorrect class (X)!");
}

constexpr int kDepth = 8;

// Library: FilterException through the throw sequence (description, call stack, location).
// Plain: std::runtime_error with the same message. Both are caught as std::exception.
template <bool kLibrary>
void BM_ThrowCatch(benchmark::State& state) {
  for (auto _ : state) {
    try {
      ThrowAt(kDepth, kLibrary);
    } catch (const std::exception& e) {
      benchmark::DoNotOptimize(&e);
    }
  }
}
BENCHMARK_TEMPLATE(BM_ThrowCatch, true)->Name("BM_ThrowCatchLibrary");
BENCHMARK_TEMPLATE(BM_ThrowCatch, false)->Name("BM_ThrowCatchPlainRuntimeError");

void BM_GetCallStack(benchmark::State& state) {
  for (auto _ : state) {
    std::string stack = Tivrel::GetCallStack();
    benchmark::DoNotOptimize(stack.data());
  }
}
BENCHMARK(BM_GetCallStack);

}  // namespace
