#pragma once

/// @file
/// Views of one plane of a decoded video frame. A view is a plain value: it points into
/// memory that the frame owns, never allocates and never frees. All pixel code works on
/// views, so that bottom-up and windowed planes need no special cases.

#include <cstdlib>
#include <type_traits>

namespace Tivrel::Proc {
namespace Details {

/// One plane: `height` lines of `width` bytes, line i starting at data + i * stride.
/// kReadOnly selects const bytes (PlaneConst) or writable bytes (Plane); a Plane
/// converts to a PlaneConst implicitly.
///
/// A window (isSubplane true) is a rectangle inside a larger plane: the bytes between
/// the end of one line's width and the start of the next belong to someone else and
/// are never written through it. A view with isSubplane false owns its full lines,
/// |stride| bytes each, so they may be written as one block.
///
/// Undefined: views whose lines do not lie inside memory the caller may access; a
/// negative stride whose bottom line lies below `data`. Nothing is checked here.
template <bool kReadOnly>
struct PlaneTemplate {
  /// The byte type: const for PlaneConst.
  using Byte = std::conditional_t<kReadOnly, const unsigned char, unsigned char>;

  Byte* data = nullptr;      ///< first byte of the first (top) line
  long stride = 0;           ///< bytes between line starts; negative for bottom-up memory
  unsigned long width = 0;   ///< bytes of each line that belong to the plane
  unsigned long height = 0;  ///< number of lines
  unsigned long size = 0;    ///< bytes the plane spans
  bool isSubplane = false;   ///< window into a larger plane (see above)

  PlaneTemplate() = default;

  /// A size of 0 stands for |stride| * height.
  PlaneTemplate(Byte* data_, long stride_, unsigned long width_, unsigned long height_, unsigned long size_ = 0,
                bool isSubplane_ = false)
      : data(data_),
        stride(stride_),
        width(width_),
        height(height_),
        size(size_ != 0 ? size_ : EffectiveSizeOf(stride_, height_)),
        isSubplane(isSubplane_) {}

  /// Plane -> PlaneConst.
  template <bool kOther, std::enable_if_t<kReadOnly && !kOther, int> = 0>
  PlaneTemplate(const PlaneTemplate<kOther>& other)  // NOLINT(google-explicit-constructor)
      : data(other.data),
        stride(other.stride),
        width(other.width),
        height(other.height),
        size(other.size),
        isSubplane(other.isSubplane) {}

  /// The same lines in reverse order (bottom line first). The result is never a window:
  /// reverting is how a bottom-up frame is addressed as a whole. An empty plane keeps
  /// its data pointer.
  PlaneTemplate MakeRevert() const {
    Byte* last = height == 0 ? data : data + static_cast<long>(height - 1) * stride;
    return PlaneTemplate(last, -stride, width, height, size, false);
  }

  /// A view with a non-negative stride over the same lines: MakeRevert() for a negative
  /// stride, otherwise this view unchanged.
  PlaneTemplate MakePositive() const { return stride < 0 ? MakeRevert() : *this; }

  /// The window of w x h pixels whose top-left pixel is (x, y), in a plane subsampled by
  /// 2^shiftX horizontally and 2^shiftY vertically with bytesPerPixel bytes per
  /// (subsampled) pixel. Offsets round down, sizes round up. Precondition: the window
  /// lies inside this plane and w, h < 2^31.
  PlaneTemplate MakeSubplane(unsigned int x, unsigned int y, unsigned int w, unsigned int h,
                             unsigned char bytesPerPixel, unsigned char shiftX, unsigned char shiftY) const {
    Byte* origin = data + static_cast<long>(y >> shiftY) * stride + static_cast<long>(x >> shiftX) * bytesPerPixel;
    const unsigned long lineBytes = CeilShift(w, shiftX) * bytesPerPixel;
    const unsigned long lines = CeilShift(h, shiftY);
    return PlaneTemplate(origin, stride, lineBytes, lines, EffectiveSizeOf(stride, lines), true);
  }

  /// Address of byte x of line y. Precondition: the byte lies inside the plane.
  Byte* GetOffsetPtr(unsigned long x, unsigned long y) const {
    return data + static_cast<long>(y) * stride + static_cast<long>(x);
  }

  /// Bytes from the first line's start to the end of the last line's stride.
  unsigned long EffectiveSize() const { return EffectiveSizeOf(stride, height); }

private:
  static unsigned long EffectiveSizeOf(long stride_, unsigned long height_) {
    return static_cast<unsigned long>(std::labs(stride_)) * height_;
  }
  // ceil(v / 2^shift) as -((-v) >> shift) with an arithmetic shift on 32 bits.
  static unsigned long CeilShift(unsigned int v, unsigned char shift) {
    return static_cast<unsigned long>(-((-static_cast<int>(v)) >> shift));
  }
};

}  // namespace Details

/// A view of a plane with read-only bytes.
using PlaneConst = Details::PlaneTemplate<true>;
/// A view of a plane with writable bytes; converts to PlaneConst.
using Plane = Details::PlaneTemplate<false>;

}  // namespace Tivrel::Proc
