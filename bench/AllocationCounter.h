#pragma once

// Replaces the global operator new and delete of a benchmark program so that it can count
// what the code under test allocates. Include from exactly one source file of a program.
// None of the replacements is inlined, so that GCC does not see malloc paired with
// operator delete and warn.

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace Tivrel::Bench {

// Bytes and calls taken from operator new since the program started.
inline std::atomic<unsigned long> allocatedBytes{0};
inline std::atomic<unsigned long> allocations{0};

// What one call of `body` allocates.
struct Allocated {
  unsigned long bytes;
  unsigned long calls;
};

template <class Body>
Allocated MeasureAllocations(Body body) {
  const unsigned long bytes = allocatedBytes.load();
  const unsigned long calls = allocations.load();
  body();
  return {allocatedBytes.load() - bytes, allocations.load() - calls};
}

inline void CountAllocation(std::size_t size) {
  allocatedBytes.fetch_add(size, std::memory_order_relaxed);
  allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace Tivrel::Bench

__attribute__((noinline)) void* operator new(std::size_t size) {
  Tivrel::Bench::CountAllocation(size);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new(std::size_t size, std::align_val_t alignment) {
  Tivrel::Bench::CountAllocation(size);
  const auto a = static_cast<std::size_t>(alignment);
  if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a)) return p;
  throw std::bad_alloc();
}
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
