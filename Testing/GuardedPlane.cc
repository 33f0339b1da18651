#include "Testing/GuardedPlane.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <stdexcept>

namespace Tivrel::Testing {
namespace {

size_t PageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

}  // namespace

GuardedPlane::GuardedPlane(long stride, unsigned long width, unsigned long height, bool isSubplane, unsigned seed) {
  const unsigned long abs = static_cast<unsigned long>(std::labs(stride));
  size_ = isSubplane ? abs * (height - 1) + width : abs * height;
  const size_t page = PageSize();
  mapped_ = (size_ + page - 1) / page * page + page;
  base_ =
      static_cast<unsigned char*>(mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  if (base_ == MAP_FAILED || mprotect(base_ + mapped_ - page, page, PROT_NONE) != 0) {
    if (base_ != MAP_FAILED) munmap(base_, mapped_);
    throw std::runtime_error("GuardedPlane: the guarded mapping failed");
  }
  std::mt19937 random(seed);
  for (size_t i = 0; i < size_; ++i) begin()[i] = static_cast<unsigned char>(random());
  unsigned char* top = stride < 0 ? begin() + abs * (height - 1) : begin();
  plane = Proc::Plane(top, stride, width, height, 0, isSubplane);
}

GuardedPlane::~GuardedPlane() { munmap(base_, mapped_); }

std::vector<unsigned char> GuardedPlane::Bytes() const { return std::vector<unsigned char>(begin(), begin() + size_); }

unsigned char* GuardedPlane::begin() const { return base_ + mapped_ - PageSize() - size_; }

GuardedFrame::GuardedFrame(PixFmt format, int width, int height, long gap, bool bottomUp, unsigned seed)
    : format_(format), info_{uint32_t(width), uint32_t(height)} {
  const PixFmtDescription* d = PixFmtDescription::Find(format);
  for (unsigned char p = 0; p < d->planes; ++p) {
    const long line = d->GetPlanWidthSize(width, p);
    planes_.push_back(std::make_unique<GuardedPlane>((bottomUp ? -1 : 1) * (line + gap), line,
                                                     d->GetPlaneHeight(height, p), true, seed + p));
  }
}

void GuardedFrame::Unsupported() { throw std::logic_error("GuardedFrame: only the planes are there"); }

}  // namespace Tivrel::Testing
