#pragma once

// Memory that faults at once on any access past its end, for pixel code that must stay
// inside its planes.
//
// GuardedPlane: a plane of seeded random bytes alone in its mapping, ending at a page
// whose successor is PROT_NONE. A window's memory ends with its last line's width, a full
// plane's with its last line's stride. Throws std::runtime_error when the mapping fails.
//
// GuardedFrame: a frame whose planes are guarded windows (random bytes in the gaps between
// lines too). It keeps time and duration; Clone, SetAlphaPlane, Crop, FillArea and
// GetAlphaPlane throw std::logic_error.

#include <cstddef>
#include <memory>
#include <vector>

#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
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

class GuardedFrame : public RefCounted<Proc::IDataVideo> {
public:
  // `gap` bytes between the lines of every plane; lines run toward lower addresses when
  // `bottomUp`. Plane p is seeded with seed + p.
  GuardedFrame(PixFmt format, int width, int height, long gap, bool bottomUp, unsigned seed);

  const GuardedPlane& Memory(unsigned char p) const { return *planes_.at(p); }

  long long GetDuration() const override { return duration_; }
  void SetDuration(long long duration) override { duration_ = duration; }
  long long GetTime() const override { return time_; }
  void SetTime(long long time) override { time_ = time; }
  const Proc::FrameInfo& GetFrameInfo() const override { return info_; }
  PixFmt GetPixFmt() const override { return format_; }
  Proc::Plane GetPlane(unsigned char p) override { return Memory(p).plane; }
  Proc::PlaneConst GetPlane(unsigned char p) const override { return Memory(p).plane; }
  SP<Proc::IDataVideo> Clone(bool) const override { Unsupported(); }
  void SetAlphaPlane(unsigned char, const Proc::PlaneConst&) override { Unsupported(); }
  void Crop(int, int, int, int) override { Unsupported(); }
  void FillArea(int, int, int, int, const Proc::Color&) override { Unsupported(); }
  Proc::PlaneConst GetAlphaPlane(unsigned char) const override { Unsupported(); }

private:
  [[noreturn]] static void Unsupported();

  const PixFmt format_;
  const Proc::FrameInfo info_;
  long long time_ = 0, duration_ = 0;
  std::vector<std::unique_ptr<GuardedPlane>> planes_;
};

}  // namespace Tivrel::Testing
