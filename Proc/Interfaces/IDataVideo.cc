#include "Proc/Interfaces/IDataVideo.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include "Platform/Core/Exception.h"

namespace Tivrel::Proc {
namespace {

using BlockCopyFn = void (*)(void* dst, const void* src, size_t size);

void MemcpyBlock(void* dst, const void* src, size_t size) { std::memcpy(dst, src, size); }

#if defined(__x86_64__)
// On CPUs with enhanced rep movsb the microcoded string move is the fastest way to move
// a plane-sized block: it writes whole cache lines without reading them first. Its start-up
// cost only pays off from a few KiB on; smaller blocks go to memcpy.
void RepMovsbBlock(void* dst, const void* src, size_t size) {
  if (size < 4096) {
    std::memcpy(dst, src, size);
    return;
  }
  asm volatile("rep movsb" : "+D"(dst), "+S"(src), "+c"(size) : : "memory");
}

bool HasEnhancedRepMovsb() {
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
  return (ebx & (1u << 9)) != 0;  // CPUID.(EAX=7,ECX=0):EBX.ERMS[bit 9]
}
#endif

BlockCopyFn SelectBlockCopy() {
#if defined(__x86_64__)
  if (HasEnhancedRepMovsb()) return RepMovsbBlock;
#endif
  return MemcpyBlock;
}

// Chosen once, on first use (also safe from other modules' static initialisers).
void BlockCopy(void* dst, const void* src, size_t size) {
  static const BlockCopyFn copy = SelectBlockCopy();
  copy(dst, src, size);
}

// Both planes store their lines back to back (stride == width, top line lowest), so the
// whole plane is one run of width * height bytes and nothing lies between lines.
bool AreContiguous(const PlaneConst& a, const PlaneConst& b) {
  return a.stride == b.stride && a.stride >= 0 && static_cast<unsigned long>(a.stride) == a.width;
}

void CheckNotNull(const void* p, const char* what, const ThrowSite& site) {
  if (p == nullptr) ThrowError<std::invalid_argument>(std::string(what) + " is NULL", site);
}

}  // namespace

void CopyPlane(const PlaneConst& src, const Plane& dst) {
  if (src.height != dst.height || src.width != dst.width) {
    ThrowError<std::invalid_argument>(
        "Different size of source and destination planes",
        TIVREL_THROW_SITE("void Tivrel::Proc::CopyPlane(const Tivrel::Proc::PlaneConst &, const Tivrel::Proc::Plane &)",
                          __LINE__));
  }
  const unsigned long height = src.height;
  if (height == 0) return;
  const unsigned long absStride = static_cast<unsigned long>(std::labs(src.stride));
  // Whole lines (the bytes between them included) move as one block when both planes own
  // their full lines with the same layout. Overlapping lines (|stride| < width) would
  // lose bytes that way, so they take the line path.
  if (src.stride == dst.stride && !src.isSubplane && !dst.isSubplane && absStride >= src.width) {
    const PlaneConst from = src.MakePositive();
    const Plane to = src.stride < 0 ? dst.MakeRevert() : dst;
    BlockCopy(to.data, from.data, absStride * height);
    return;
  }
  if (AreContiguous(src, dst)) {  // windows whose lines happen to touch: still one run
    BlockCopy(dst.data, src.data, src.width * height);
    return;
  }
  for (unsigned long i = 0; i < height; ++i) {
    std::memcpy(dst.data + static_cast<long>(i) * dst.stride, src.data + static_cast<long>(i) * src.stride, src.width);
  }
}

bool IsPlaneDataEqual(const PlaneConst& a, const PlaneConst& b) {
  if (a.height != b.height || a.width != b.width) return false;
  if (a.height == 0 || a.width == 0) return true;
  if (AreContiguous(a, b)) return std::memcmp(a.data, b.data, a.width * a.height) == 0;
  for (unsigned long i = 0; i < a.height; ++i) {
    if (std::memcmp(a.data + static_cast<long>(i) * a.stride, b.data + static_cast<long>(i) * b.stride, a.width) != 0) {
      return false;
    }
  }
  return true;
}

unsigned char GetPlanesCount(const IDataVideo& frame) { return PixFmtDescription::Find(frame.GetPixFmt())->planes; }

void CopyDataVideo(const SP<const IDataVideo>& src, const SP<IDataVideo>& dst, int x, int y) {
  const char* const function =
      "void Tivrel::Proc::CopyDataVideo(const SP<const Tivrel::Proc::IDataVideo> &, const SP<Tivrel::Proc::IDataVideo> "
      "&, int, int)";
  CheckNotNull(src.get(), "Source frame", TIVREL_THROW_SITE(function, __LINE__));
  CheckNotNull(dst.get(), "Destination frame", TIVREL_THROW_SITE(function, __LINE__));
  const FrameInfo& s = src->GetFrameInfo();
  const FrameInfo& d = dst->GetFrameInfo();
  const auto sw = static_cast<int32_t>(s.width), sh = static_cast<int32_t>(s.height);
  const auto dw = static_cast<int32_t>(d.width), dh = static_cast<int32_t>(d.height);
  if (dw <= x || -sw >= x || dh <= y || -sh >= y) return;  // wholly outside: nothing to check or copy
  // A copy between formats would address the destination with the source's layout.
  if (src->GetPixFmt() != dst->GetPixFmt()) {
    ThrowError<std::invalid_argument>("Different pixel formats of source and destination frames",
                                      TIVREL_THROW_SITE(function, __LINE__));
  }

  const PixFmtDescription* desc = PixFmtDescription::Find(src->GetPixFmt());
  const SP<IDataVideo> view = src->Clone(false);
  FrameInfo v = view->GetFrameInfo();  // re-read after every crop
  if (x < 0) {
    view->Crop(-x, 0, x + static_cast<int32_t>(v.width), static_cast<int32_t>(v.height));
    v = view->GetFrameInfo();
    x = 0;
  }
  if (y < 0) {
    view->Crop(0, -y, static_cast<int32_t>(v.width), y + static_cast<int32_t>(v.height));
    v = view->GetFrameInfo();
    y = 0;
  }
  if (uint64_t{v.width} + static_cast<uint64_t>(x) > d.width) {
    view->Crop(0, 0, dw - x, static_cast<int32_t>(v.height));
    v = view->GetFrameInfo();
  }
  if (uint64_t{v.height} + static_cast<uint64_t>(y) > d.height) {
    view->Crop(0, 0, static_cast<int32_t>(v.width), dh - y);
    v = view->GetFrameInfo();
  }
  const IDataVideo& placed = *view;
  for (unsigned char p = 0; p < desc->planes; ++p) {
    const auto bytesPerPixel = static_cast<unsigned char>(desc->GetPlanWidthSize(1, p) & 0xff);
    // Alpha planes keep the luma size; only chroma planes are subsampled.
    const bool chroma = desc->IsChromaPlane(p);
    const unsigned char shiftX = chroma ? desc->shiftW : 0;
    const unsigned char shiftY = chroma ? desc->shiftH : 0;
    CopyPlane(placed.GetPlane(p), dst->GetPlane(p).MakeSubplane(static_cast<unsigned>(x), static_cast<unsigned>(y),
                                                                v.width, v.height, bytesPerPixel, shiftX, shiftY));
  }
}

bool IsDataVideoEqual(const SP<const IDataVideo>& a, const SP<const IDataVideo>& b) {
  const char* const function =
      "bool Tivrel::Proc::IsDataVideoEqual(const SP<const Tivrel::Proc::IDataVideo> &, const SP<const "
      "Tivrel::Proc::IDataVideo> &)";
  CheckNotNull(a.get(), "First frame", TIVREL_THROW_SITE(function, __LINE__));
  CheckNotNull(b.get(), "Second frame", TIVREL_THROW_SITE(function, __LINE__));
  if (a->GetPixFmt() != b->GetPixFmt()) return false;
  if (a->GetFrameInfo() != b->GetFrameInfo()) return false;
  const unsigned char planes = GetPlanesCount(*a);
  for (unsigned char p = 0; p < planes; ++p) {
    if (!IsPlaneDataEqual(a->GetPlane(p), b->GetPlane(p))) return false;
  }
  return true;
}

void IDataVideo::Fill(const Color& color) {
  const Color copy = color;  // the colour may live inside this frame's own storage
  FillArea(static_cast<int>(GetFrameInfo().height), 0, 0, 0, copy);
}

}  // namespace Tivrel::Proc
