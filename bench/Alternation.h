#pragma once

// Timing several contenders of one benchmark against each other in the same run: each
// iteration runs every contender once, in an order that rotates from one iteration to the
// next, timed on the calling thread's CPU clock, so that other work on the machine and
// clock drift hit all of them alike.

#include <time.h>

#include <cstddef>
#include <functional>
#include <vector>

#include <benchmark/benchmark.h>

namespace Tivrel::Bench {

inline double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs `contenders` in alternation for the whole benchmark loop; returns each one's
// seconds per call, in the order given.
inline std::vector<double> TimeInAlternation(benchmark::State& state,
                                             const std::vector<std::function<void()>>& contenders) {
  std::vector<double> seconds(contenders.size(), 0.0);
  size_t round = 0;
  for (auto _ : state) {
    for (size_t k = 0; k < contenders.size(); ++k) {
      const size_t c = (k + round) % contenders.size();
      const double start = ThreadSeconds();
      contenders[c]();
      seconds[c] += ThreadSeconds() - start;
    }
    ++round;
  }
  for (double& s : seconds) s /= static_cast<double>(state.iterations());
  return seconds;
}

}  // namespace Tivrel::Bench
