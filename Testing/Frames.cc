#include "Testing/Frames.h"

#include <algorithm>
#include <functional>
#include <random>

namespace Tivrel::Testing {
namespace {

// Calls fill(line start, width in bytes, plane, line) for every line of every plane.
void ForEachLine(Media::VideoFrame& frame,
                 const std::function<void(unsigned char*, unsigned long, unsigned char, unsigned long)>& fill) {
  for (unsigned char p = 0; p < Proc::GetPlanesCount(frame); ++p) {
    const Proc::Plane plane = frame.GetPlane(p);
    for (unsigned long y = 0; y < plane.height; ++y) fill(plane.GetOffsetPtr(0, y), plane.width, p, y);
  }
}

}  // namespace

SP<Media::VideoFrame> MakeBars(PixFmt format, int width, int height) {
  static const Proc::Color kBars[] = {{255, 255, 255, 255}, {255, 255, 0, 255}, {0, 255, 255, 255}, {0, 255, 0, 255},
                                      {255, 0, 255, 255},   {255, 0, 0, 255},   {0, 0, 255, 255},   {0, 0, 0, 255}};
  SP<Media::VideoFrame> frame = Media::VideoFrame::Create(format, width, height);
  for (int i = 0; i < 8; ++i) {
    const int left = width * i / 8, right = width * (i + 1) / 8;
    if (right > left) frame->FillArea(height, left, 0, right - left, kBars[i]);
  }
  return frame;
}

SP<Media::VideoFrame> MakeGradient(PixFmt format, int width, int height, int phase) {
  SP<Media::VideoFrame> frame = Media::VideoFrame::Create(format, width, height);
  ForEachLine(*frame, [phase](unsigned char* line, unsigned long bytes, unsigned char p, unsigned long y) {
    for (unsigned long x = 0; x < bytes; ++x) line[x] = static_cast<unsigned char>(x + y + 64u * p + phase);
  });
  return frame;
}

SP<Media::VideoFrame> MakeRandomFrame(PixFmt format, int width, int height, unsigned seed) {
  SP<Media::VideoFrame> frame = Media::VideoFrame::Create(format, width, height);
  std::independent_bits_engine<std::mt19937, 8, unsigned> random(seed);
  ForEachLine(*frame, [&random](unsigned char* line, unsigned long bytes, unsigned char, unsigned long) {
    std::generate_n(line, bytes, std::ref(random));
  });
  return frame;
}

}  // namespace Tivrel::Testing
