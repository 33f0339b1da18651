#pragma once

// A plane of random bytes alone in its mapping, ending at a page whose successor is
// PROT_NONE: any access past the plane's last byte faults at once. A window's memory ends
// with its last line's width, a full plane's with its last line's stride.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <vector>

#include "Proc/Interfaces/Plane.h"

namespace Tivrel::Testing {

class GuardedPlane {
public:
  GuardedPlane(long stride, unsigned long width, unsigned long height, bool isSubplane, unsigned seed) {
    const unsigned long abs = static_cast<unsigned long>(std::labs(stride));
    size_ = isSubplane ? abs * (height - 1) + width : abs * height;
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    mapped_ = (size_ + page - 1) / page * page + page;
    void* p = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::runtime_error("mmap failed");
    base_ = static_cast<unsigned char*>(p);
    if (mprotect(base_ + mapped_ - page, page, PROT_NONE) != 0) throw std::runtime_error("mprotect failed");
    std::mt19937 random(seed);
    for (size_t i = 0; i < size_; ++i) begin()[i] = static_cast<unsigned char>(random());
    unsigned char* top = stride < 0 ? begin() + abs * (height - 1) : begin();
    plane = Proc::Plane(top, stride, width, height, 0, isSubplane);
  }
  ~GuardedPlane() { munmap(base_, mapped_); }
  GuardedPlane(const GuardedPlane&) = delete;
  GuardedPlane& operator=(const GuardedPlane&) = delete;

  // The plane's memory, lowest address first.
  std::vector<unsigned char> Bytes() const { return std::vector<unsigned char>(begin(), begin() + size_); }
  // Index of byte x of line y in Bytes().
  size_t Offset(unsigned long x, unsigned long y) const { return plane.GetOffsetPtr(x, y) - begin(); }

  Proc::Plane plane;

private:
  unsigned char* begin() const { return base_ + mapped_ - sysconf(_SC_PAGESIZE) - size_; }

  size_t size_;
  size_t mapped_;
  unsigned char* base_;
};

}  // namespace Tivrel::Testing
