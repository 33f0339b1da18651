#pragma once

// Mirroring and quarter turns of single pixel planes: the pixel work behind the flip and
// transpose effects. A plane is handled as a grid of samples of 1 to 4 bytes (a luma or
// chroma byte, an interleaved U,V pair, a 16-bit gray value, a packed RGB(A) pixel); a
// sample moves as a whole. Planes of one-byte samples go through the AVX-512 kernels of
// ByteKernels.h where the CPU has them; the rest, and every plane on other CPUs, through
// libyuv's vectorised rows; 3-byte samples (packed RGB) take a plain loop.
//
// Sizes are in samples: `width` samples of `bytesPerSample` bytes per line. Strides may be
// negative. Nothing here allocates.

#include "Proc/Interfaces/IDataVideo.h"

namespace Effects {

// dst = src mirrored left-right (horizontal) and/or top-bottom (vertical); with neither, a
// copy. Precondition: equal sizes, no overlap.
void MirrorPlane(const Tivrel::Proc::PlaneConst& src, const Tivrel::Proc::Plane& dst, unsigned bytesPerSample,
                 bool horizontal, bool vertical);

// dst = src turned clockwise by `quarterTurns` (1, 2 or 3). For 1 and 3, dst has src's
// height in samples as its width and src's width as its height. Precondition: no overlap.
void RotatePlane(const Tivrel::Proc::PlaneConst& src, const Tivrel::Proc::Plane& dst, unsigned bytesPerSample,
                 int quarterTurns);

}  // namespace Effects
