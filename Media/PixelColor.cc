#include "Media/PixelColor.h"

#include <cstring>
#include <stdexcept>

#include "Platform/Core/Exception.h"

namespace Tivrel::Media {
namespace {

// Components of one sample position per plane, one letter per byte: Y, U, V (limited-range
// BT.601), L (full-range luma), R, G, B, A. Indexed by PixFmt.
struct Layout {
  PixFmt format;
  const char* planes[PixFmtDescription::MAX_PLANES];
};

constexpr Layout kLayouts[] = {
    {PIX_FMT_YUV420P, {"Y", "U", "V"}},
    {PIX_FMT_YUV422P, {"Y", "U", "V"}},
    {PIX_FMT_YUV444P, {"Y", "U", "V"}},
    {PIX_FMT_YUV411P, {"Y", "U", "V"}},
    {PIX_FMT_YUVA420P, {"Y", "U", "V", "A"}},
    {PIX_FMT_YUVA444P, {"Y", "U", "V", "A"}},
    {PIX_FMT_NV12, {"Y", "UV"}},
    {PIX_FMT_NV21, {"Y", "VU"}},
    {PIX_FMT_GRAY8, {"L"}},
    {PIX_FMT_GRAY16, {"LL"}},
    {PIX_FMT_RGB24, {"RGB"}},
    {PIX_FMT_BGR24, {"BGR"}},
    {PIX_FMT_RGBA, {"RGBA"}},
    {PIX_FMT_BGRA, {"BGRA"}},
    {PIX_FMT_ARGB, {"ARGB"}},
    {PIX_FMT_ABGR, {"ABGR"}},
};
static_assert(sizeof(kLayouts) / sizeof(kLayouts[0]) == PIX_FMT_COUNT, "one colour layout per pixel format");

unsigned char Component(char letter, const Proc::Color& c) {
  const int r = c.red, g = c.green, b = c.blue;
  switch (letter) {
    case 'Y':
      return static_cast<unsigned char>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
    case 'U':
      return static_cast<unsigned char>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
    case 'V':
      return static_cast<unsigned char>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
    case 'L':
      return static_cast<unsigned char>((77 * r + 150 * g + 29 * b + 128) >> 8);
    case 'R':
      return c.red;
    case 'G':
      return c.green;
    case 'B':
      return c.blue;
    default:
      return c.alpha;  // 'A'
  }
}

}  // namespace

unsigned char GetPlaneColorBytes(const PixFmtDescription& format, unsigned char plane, const Proc::Color& color,
                                 unsigned char out[4]) {
  const char* letters = nullptr;
  if (format.format >= 0 && format.format < PIX_FMT_COUNT && kLayouts[format.format].format == format.format &&
      plane < format.planes) {
    letters = kLayouts[format.format].planes[plane];
  }
  if (letters == nullptr) {
    ThrowError<std::invalid_argument>(
        "No colour layout for plane " + std::to_string(plane) + " of pixel format " + format.name,
        TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  const auto count = static_cast<unsigned char>(std::strlen(letters));
  for (unsigned char i = 0; i < count; ++i) out[i] = Component(letters[i], color);
  return count;
}

}  // namespace Tivrel::Media
