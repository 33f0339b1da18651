#pragma once

// Mirror and transpose of planes of one-byte samples (luma and chroma planes of the planar
// formats) with AVX-512 bodies. The libyuv of this platform has no AVX-512 path for either
// operation: its mirror is well above the cost of a frame copy and its transpose goes eight
// rows at a time. These kernels run only when the CPU has the instructions
// (HasByteKernels()); PlaneTransforms falls back to libyuv otherwise.
//
// Sizes are in bytes; strides may be negative; src and dst must not overlap. Nothing here
// allocates.

namespace Effects {

// Whether the CPU runs MirrorBytes and TransposeBytes (AVX-512 BW and VBMI); checked once.
bool HasByteKernels();

// dst line y = src line y reversed, for `rows` lines of `width` bytes.
// Precondition: HasByteKernels().
void MirrorBytes(const unsigned char* src, long srcStride, unsigned char* dst, long dstStride, int width, int rows);

// dst(x, y) = src(y, x): the `rows` lines of `width` bytes of src become `width` lines of
// `rows` bytes of dst. A quarter turn is a transpose of the source read bottom-up
// (clockwise) or written bottom-up (anticlockwise). Precondition: HasByteKernels().
void TransposeBytes(const unsigned char* src, long srcStride, unsigned char* dst, long dstStride, int width, int rows);

}  // namespace Effects
