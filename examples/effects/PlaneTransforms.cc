#include "examples/effects/PlaneTransforms.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include <libyuv/planar_functions.h>
#include <libyuv/rotate.h>
#include <libyuv/rotate_argb.h>

#include "Proc/Interfaces/IDataVideo.h"
#include "examples/effects/ByteKernels.h"

namespace Effects {
namespace {

using Tivrel::Proc::Plane;
using Tivrel::Proc::PlaneConst;

// Quarter turns of wide planes go in bands of this many source columns, so that the lines
// of the destination being filled stay in the first-level cache.
constexpr unsigned long kBandSamples = 256;

// A run of pixel rows: `samples` samples of `bytes` bytes on each of `rows` lines.
struct Rows {
  const unsigned char* src;
  long srcStride;
  unsigned char* dst;
  long dstStride;
  int samples;
  int rows;
  unsigned bytes;
};

[[noreturn]] void BadSampleSize(unsigned bytes) {
  throw std::invalid_argument("plane samples of " + std::to_string(bytes) + " bytes are not handled");
}

void MirrorRows(const Rows& r) {
  const int s = static_cast<int>(r.srcStride), d = static_cast<int>(r.dstStride);
  switch (r.bytes) {
    case 1:
      if (HasByteKernels()) {
        MirrorBytes(r.src, r.srcStride, r.dst, r.dstStride, r.samples, r.rows);
      } else {
        libyuv::MirrorPlane(r.src, s, r.dst, d, r.samples, r.rows);
      }
      return;
    case 2:
      libyuv::MirrorUVPlane(r.src, s, r.dst, d, r.samples, r.rows);
      return;
    case 3:
      libyuv::RGB24Mirror(r.src, s, r.dst, d, r.samples, r.rows);
      return;
    case 4:
      libyuv::ARGBMirror(r.src, s, r.dst, d, r.samples, r.rows);
      return;
    default:
      BadSampleSize(r.bytes);
  }
}

// The fallback for sample sizes that libyuv does not turn (3 bytes): dst(x, y) is
// src(y, H-1-x) for a clockwise turn and src(W-1-y, x) for an anticlockwise one.
template <unsigned B>
void TurnLoop(const Rows& r, bool clockwise) {
  const int width = r.samples, height = r.rows;
  for (int y = 0; y < width; ++y) {
    unsigned char* out = r.dst + y * r.dstStride;
    const int column = clockwise ? y : width - 1 - y;
    for (int x = 0; x < height; ++x, out += B) {
      const int row = clockwise ? height - 1 - x : x;
      std::memcpy(out, r.src + row * r.srcStride + static_cast<long>(column) * B, B);
    }
  }
}

// One quarter turn (clockwise or not) of a run of rows; dst has r.samples lines.
void TurnRows(const Rows& r, bool clockwise) {
  const int s = static_cast<int>(r.srcStride), d = static_cast<int>(r.dstStride);
  const libyuv::RotationMode mode = clockwise ? libyuv::kRotate90 : libyuv::kRotate270;
  switch (r.bytes) {
    case 1:
      libyuv::RotatePlane(r.src, s, r.dst, d, r.samples, r.rows, mode);
      return;
    case 2:  // strides are even: lines of 2-byte samples start on 2-byte boundaries
      libyuv::RotatePlane_16(reinterpret_cast<const uint16_t*>(r.src), s / 2, reinterpret_cast<uint16_t*>(r.dst), d / 2,
                             r.samples, r.rows, mode);
      return;
    case 3:
      TurnLoop<3>(r, clockwise);
      return;
    case 4:
      libyuv::ARGBRotate(r.src, s, r.dst, d, r.samples, r.rows, mode);
      return;
    default:
      BadSampleSize(r.bytes);
  }
}

}  // namespace

void MirrorPlane(const PlaneConst& src, const Plane& dst, unsigned bytesPerSample, bool horizontal, bool vertical) {
  if (src.width == 0 || src.height == 0) return;
  const PlaneConst from = vertical ? src.MakeRevert() : src;  // lines bottom-up
  if (!horizontal) {
    Tivrel::Proc::CopyPlane(from, dst);
    return;
  }
  MirrorRows({from.data, from.stride, dst.data, dst.stride, static_cast<int>(src.width / bytesPerSample),
              static_cast<int>(src.height), bytesPerSample});
}

void RotatePlane(const PlaneConst& src, const Plane& dst, unsigned bytesPerSample, int quarterTurns) {
  if (quarterTurns == 2) {
    MirrorPlane(src, dst, bytesPerSample, true, true);
    return;
  }
  if (src.width == 0 || src.height == 0) return;
  const bool clockwise = quarterTurns == 1;
  const unsigned long samples = src.width / bytesPerSample;
  if (bytesPerSample == 1 && HasByteKernels()) {
    // Clockwise, destination lines are the source columns read bottom-up; anticlockwise,
    // they are the source columns filled from the last destination line up.
    const int width = static_cast<int>(samples), rows = static_cast<int>(src.height);
    if (clockwise) {
      TransposeBytes(src.GetOffsetPtr(0, src.height - 1), -src.stride, dst.data, dst.stride, width, rows);
    } else {
      TransposeBytes(src.data, src.stride, dst.GetOffsetPtr(0, samples - 1), -dst.stride, width, rows);
    }
    return;
  }
  // Source columns [c, c + n) become destination lines [c, c + n) turning clockwise, and
  // the lines counted from the bottom turning the other way.
  for (unsigned long c = 0; c < samples; c += kBandSamples) {
    const unsigned long n = std::min(kBandSamples, samples - c);
    const unsigned long line = clockwise ? c : samples - c - n;
    TurnRows({src.data + c * bytesPerSample, src.stride, dst.GetOffsetPtr(0, line), dst.stride, static_cast<int>(n),
              static_cast<int>(src.height), bytesPerSample},
             clockwise);
  }
}

}  // namespace Effects
