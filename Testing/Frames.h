#pragma once

// Frames with known content for tests: colour bars, a gradient and seeded random bytes.
// Every builder returns a new Media::VideoFrame (time not set, duration 0) of `width` x
// `height` pixels of `format`; the content depends on nothing but the arguments. Throws
// what Media::VideoFrame::Create throws for a bad format or size.

#include "Media/VideoFrame.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/RefCount.h"

namespace Tivrel::Testing {

// Eight vertical bars of full intensity: white, yellow, cyan, green, magenta, red, blue,
// black (through FillArea, so every format with a colour layout works).
SP<Media::VideoFrame> MakeBars(PixFmt format, int width, int height);

// Byte x of line y of plane p holds (x + y + 64 * p + phase) mod 256: smooth, different
// in every plane, and shifted by `phase` (frame number, say).
SP<Media::VideoFrame> MakeGradient(PixFmt format, int width, int height, int phase = 0);

// Every byte of every plane from a generator seeded with `seed`.
SP<Media::VideoFrame> MakeRandomFrame(PixFmt format, int width, int height, unsigned seed);

}  // namespace Tivrel::Testing
