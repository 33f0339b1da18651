#pragma once

// Pixel formats and their plane layout.
//
// A decoded frame stores its pixels in one to four planes. Plane 0 is luma (or the packed
// pixels); the chroma planes of a subsampled format are narrower and shorter by 2^shiftW and
// 2^shiftH, rounded up. An alpha plane of its own (plane 3 of yuva420p and yuva444p) is
// full size, never subsampled: it has the width and height of plane 0, IsChromaPlane is
// false for it, and whatever places planes at a pixel offset (the frame copy, for one)
// offsets it exactly like plane 0. This is the table's own choice for yuva420p, whose
// alpha could as well have been stored at chroma size. The descriptions are immutable
// tables built on first use; every function here may be called from any thread.

#include <cstdint>
#include <string>

#include "Platform/Export.h"

namespace Tivrel {

// 32-bit pixel format identifier. PIX_FMT_NONE is the "no format" sentinel and has no
// description; PIX_FMT_COUNT is one past the last described format and is not a format.
enum PixFmt : int32_t {
  PIX_FMT_NONE = -1,
  PIX_FMT_YUV420P = 0,  // 3 planes, chroma halved both ways
  PIX_FMT_YUV422P,      // 3 planes, chroma halved horizontally
  PIX_FMT_YUV444P,      // 3 planes, full-size chroma
  PIX_FMT_YUV411P,      // 3 planes, chroma quartered horizontally
  PIX_FMT_YUVA420P,     // yuv420p plus a full-size alpha plane 3
  PIX_FMT_YUVA444P,     // yuv444p plus a full-size alpha plane 3
  PIX_FMT_NV12,         // luma plane, then one plane of interleaved U,V samples (4:2:0)
  PIX_FMT_NV21,         // as nv12 with V,U order
  PIX_FMT_GRAY8,        // one 8-bit plane
  PIX_FMT_GRAY16,       // one 16-bit plane, native byte order
  PIX_FMT_RGB24,        // packed, 3 bytes per pixel
  PIX_FMT_BGR24,
  PIX_FMT_RGBA,  // packed, 4 bytes per pixel, alpha last
  PIX_FMT_BGRA,
  PIX_FMT_ARGB,  // packed, 4 bytes per pixel, alpha first
  PIX_FMT_ABGR,
  PIX_FMT_COUNT
};

// Layout of one pixel format. Instances exist only in the library's table; callers get
// them from Find and never copy or free them.
struct TIVREL_PLATFORM_API PixFmtDescription {
  static constexpr unsigned char MAX_PLANES = 4;
  static constexpr signed char NO_ALPHA_PLANE = -1;

  PixFmt format;
  std::string name;                          // lower-case short name, e.g. "yuv420p"; unique
  unsigned char planes;                      // number of planes, 1..MAX_PLANES
  unsigned char shiftW;                      // log2 of horizontal chroma subsampling (planes other than 0)
  unsigned char shiftH;                      // log2 of vertical chroma subsampling (planes other than 0)
  unsigned char bytesPerSample[MAX_PLANES];  // bytes of one sample position per plane; 0 past `planes`
  bool hasAlpha;                             // alpha in a plane of its own or packed into the pixels
  signed char alphaPlane;                    // index of the alpha plane, NO_ALPHA_PLANE if none or packed

  // The description of `format`. Never null: an unknown format (PIX_FMT_NONE included)
  // throws std::invalid_argument.
  static const PixFmtDescription* Find(PixFmt format);
  // The description named `name` (exact, case-sensitive). Never null: an unknown name
  // throws std::invalid_argument.
  static const PixFmtDescription* Find(const std::string& name);

  // Whether `plane` is subsampled by shiftW/shiftH: every plane but plane 0 and the alpha plane.
  // Precondition: plane < planes (not checked here).
  bool IsChromaPlane(unsigned char plane) const {
    return plane != 0 && static_cast<int>(plane) != static_cast<int>(alphaPlane);
  }

  // Bytes that `width` pixels of the frame occupy in `plane`: the subsampled width rounded
  // up for chroma planes, times that plane's bytes per sample (nv12's plane 1 holds U and V
  // side by side, 2 bytes per chroma sample). Throws std::invalid_argument when plane >= planes,
  // when width < 0, or when the result does not fit an int.
  int GetPlanWidthSize(int width, unsigned char plane) const;

  // Lines that `height` frame lines occupy in `plane` (rounded up for chroma planes). Throws
  // std::invalid_argument when plane >= planes or height < 0.
  int GetPlaneHeight(int height, unsigned char plane) const;
};

}  // namespace Tivrel
