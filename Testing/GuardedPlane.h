#pragma once

// A plane of seeded random bytes alone in its mapping, ending at a page whose successor is
// PROT_NONE: any access past the plane's last byte faults at once. A window's memory ends
// with its last line's width, a full plane's with its last line's stride. Throws
// std::runtime_error when the mapping fails.

#include <cstddef>
#include <vector>

#include "Proc/Interfaces/Plane.h"

namespace Tivrel::Testing {

class GuardedPlane {
public:
  GuardedPlane(long stride, unsigned long width, unsigned long height, bool isSubplane, unsigned seed);
  ~GuardedPlane();
  GuardedPlane(const GuardedPlane&) = delete;
  GuardedPlane& operator=(const GuardedPlane&) = delete;

  // The plane's memory, lowest address first.
  std::vector<unsigned char> Bytes() const;
  // Index of byte x of line y in Bytes().
  size_t Offset(unsigned long x, unsigned long y) const { return plane.GetOffsetPtr(x, y) - begin(); }

  Proc::Plane plane;

private:
  unsigned char* begin() const;

  size_t size_;
  size_t mapped_;
  unsigned char* base_;
};

}  // namespace Tivrel::Testing
