#pragma once

// The built-in still frame: colour bars drawn in memory, so that the program runs without
// any input file.

#include "Media/VideoFrame.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/RefCount.h"

namespace StillImage {

// A new width x height frame of `format`: seven 75% bars (grey, yellow, cyan, green,
// magenta, red, blue) over the top two thirds, a strip of the reversed bars with black
// between them, and a black-to-white ramp across the bottom quarter. The same arguments
// always give the same pixels. Precondition: width, height >= 1.
Tivrel::SP<Tivrel::Media::VideoFrame> MakeColourBars(Tivrel::PixFmt format, int width, int height);

}  // namespace StillImage
