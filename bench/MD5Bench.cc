// Core::MD5 fed line by line (a 1920x1080 4:2:0 frame: 3,110,400 bytes in 1,920-byte
// lines, the way frame digests hash planes) against OpenSSL's one-shot MD5() of the
// same bytes in the same run. Target: one-shot time / line-by-line time >= 0.97,
// reported directly by BM_MD5LinesVsOneShot as the "ratio" counter (both timed in
// alternation inside one loop on the thread's CPU clock, so neither clock drift nor
// other processes on the machine favour one side).

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/md5.h>

#include <time.h>

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "Platform/Core/MD5.h"

namespace {

constexpr size_t kLine = 1920;
constexpr size_t kFrame = 3110400;

const std::vector<uint8_t>& Frame() {
  static const std::vector<uint8_t> frame = [] {
    std::vector<uint8_t> bytes(kFrame);
    for (size_t i = 0; i < kFrame; ++i) bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 11));
    return bytes;
  }();
  return frame;
}

void DigestLines(const std::vector<uint8_t>& frame) {
  Tivrel::Core::MD5 md5;
  for (size_t offset = 0; offset < frame.size(); offset += kLine) md5.update(frame.data() + offset, kLine);
  md5.finalize();
  benchmark::DoNotOptimize(md5);
}

void DigestOneShot(const std::vector<uint8_t>& frame) {
  unsigned char digest[MD5_DIGEST_LENGTH];
  MD5(frame.data(), frame.size(), digest);
  benchmark::DoNotOptimize(digest);
}

void BM_MD5Lines(benchmark::State& state) {
  const auto& frame = Frame();
  for (auto _ : state) DigestLines(frame);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFrame));
}
BENCHMARK(BM_MD5Lines)->Unit(benchmark::kMillisecond);

void BM_MD5OneShotOpenSSL(benchmark::State& state) {
  const auto& frame = Frame();
  for (auto _ : state) DigestOneShot(frame);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFrame));
}
BENCHMARK(BM_MD5OneShotOpenSSL)->Unit(benchmark::kMillisecond);

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_MD5LinesVsOneShot(benchmark::State& state) {
  const auto& frame = Frame();
  double lines = 0;
  double oneShot = 0;
  for (auto _ : state) {
    const double t0 = ThreadSeconds();
    DigestLines(frame);
    const double t1 = ThreadSeconds();
    DigestOneShot(frame);
    lines += t1 - t0;
    oneShot += ThreadSeconds() - t1;
  }
  state.counters["ratio"] = oneShot / lines;
}
BENCHMARK(BM_MD5LinesVsOneShot)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
