#include "examples/still-image/ColourBars.h"

#include <cstdint>

#include "Proc/Interfaces/Color.h"

namespace StillImage {

Tivrel::SP<Tivrel::Media::VideoFrame> MakeColourBars(Tivrel::PixFmt format, int width, int height) {
  using Tivrel::Proc::Color;
  constexpr uint8_t kHigh = 191;  // 75% of full scale
  const Color bars[7] = {{kHigh, kHigh, kHigh, 255}, {kHigh, kHigh, 0, 255}, {0, kHigh, kHigh, 255}, {0, kHigh, 0, 255},
                         {kHigh, 0, kHigh, 255},     {kHigh, 0, 0, 255},     {0, 0, kHigh, 255}};
  const Color black{0, 0, 0, 255};

  Tivrel::SP<Tivrel::Media::VideoFrame> frame = Tivrel::Media::VideoFrame::Create(format, width, height);
  const int barsBottom = height * 2 / 3;
  const int stripBottom = height * 3 / 4;
  for (int i = 0; i < 7; ++i) {
    const int left = width * i / 7;
    const int right = width * (i + 1) / 7;
    if (right == left) continue;  // narrower than seven pixels: some bars vanish
    frame->FillArea(barsBottom, left, 0, right - left, bars[i]);
    // The strip below shows the bars in reverse order, every other one black.
    frame->FillArea(stripBottom - barsBottom, left, barsBottom, right - left, i % 2 == 0 ? bars[6 - i] : black);
  }
  for (int x = 0; x < width; ++x) {
    const auto level = static_cast<uint8_t>(width > 1 ? x * 255 / (width - 1) : 0);
    frame->FillArea(height - stripBottom, x, stripBottom, 1, Color{level, level, level, 255});
  }
  return frame;
}

}  // namespace StillImage
