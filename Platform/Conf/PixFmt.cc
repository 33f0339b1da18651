#include "Platform/Conf/PixFmt.h"

#include <climits>
#include <stdexcept>

#include "Platform/Core/Exception.h"

namespace Tivrel {
namespace {

constexpr signed char kNoAlpha = PixFmtDescription::NO_ALPHA_PLANE;

// Indexed by PixFmt value; built on first use so that callers in other modules' static
// initialisers see a complete table.
const PixFmtDescription* Table() {
  static const PixFmtDescription table[] = {
      // format, name, planes, shiftW, shiftH, bytes per sample per plane, alpha, alpha plane
      {PIX_FMT_YUV420P, "yuv420p", 3, 1, 1, {1, 1, 1, 0}, false, kNoAlpha},
      {PIX_FMT_YUV422P, "yuv422p", 3, 1, 0, {1, 1, 1, 0}, false, kNoAlpha},
      {PIX_FMT_YUV444P, "yuv444p", 3, 0, 0, {1, 1, 1, 0}, false, kNoAlpha},
      {PIX_FMT_YUV411P, "yuv411p", 3, 2, 0, {1, 1, 1, 0}, false, kNoAlpha},
      {PIX_FMT_YUVA420P, "yuva420p", 4, 1, 1, {1, 1, 1, 1}, true, 3},
      {PIX_FMT_YUVA444P, "yuva444p", 4, 0, 0, {1, 1, 1, 1}, true, 3},
      {PIX_FMT_NV12, "nv12", 2, 1, 1, {1, 2, 0, 0}, false, kNoAlpha},
      {PIX_FMT_NV21, "nv21", 2, 1, 1, {1, 2, 0, 0}, false, kNoAlpha},
      {PIX_FMT_GRAY8, "gray8", 1, 0, 0, {1, 0, 0, 0}, false, kNoAlpha},
      {PIX_FMT_GRAY16, "gray16", 1, 0, 0, {2, 0, 0, 0}, false, kNoAlpha},
      {PIX_FMT_RGB24, "rgb24", 1, 0, 0, {3, 0, 0, 0}, false, kNoAlpha},
      {PIX_FMT_BGR24, "bgr24", 1, 0, 0, {3, 0, 0, 0}, false, kNoAlpha},
      {PIX_FMT_RGBA, "rgba", 1, 0, 0, {4, 0, 0, 0}, true, kNoAlpha},
      {PIX_FMT_BGRA, "bgra", 1, 0, 0, {4, 0, 0, 0}, true, kNoAlpha},
      {PIX_FMT_ARGB, "argb", 1, 0, 0, {4, 0, 0, 0}, true, kNoAlpha},
      {PIX_FMT_ABGR, "abgr", 1, 0, 0, {4, 0, 0, 0}, true, kNoAlpha},
  };
  static_assert(sizeof(table) / sizeof(table[0]) == PIX_FMT_COUNT, "one description per PixFmt value");
  return table;
}

void CheckPlane(const PixFmtDescription& d, unsigned char plane, const ThrowSite& site) {
  if (plane >= d.planes) {
    ThrowError<std::invalid_argument>("Plane " + std::to_string(plane) + " does not exist in pixel format " + d.name +
                                          " (" + std::to_string(d.planes) + " planes)",
                                      site);
  }
}

// ceil(size / 2^shift) for size >= 0.
int Subsampled(int size, unsigned char shift) {
  return static_cast<int>((static_cast<long long>(size) + (1LL << shift) - 1) >> shift);
}

}  // namespace

const PixFmtDescription* PixFmtDescription::Find(PixFmt format) {
  if (format < 0 || format >= PIX_FMT_COUNT) {
    ThrowError<std::invalid_argument>("Unknown pixel format " + std::to_string(static_cast<int32_t>(format)),
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return Table() + format;
}

const PixFmtDescription* PixFmtDescription::Find(const std::string& name) {
  const PixFmtDescription* table = Table();
  for (int i = 0; i < PIX_FMT_COUNT; ++i) {
    if (table[i].name == name) return table + i;
  }
  ThrowError<std::invalid_argument>("Unknown pixel format name '" + name + "'",
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
}

int PixFmtDescription::GetPlanWidthSize(int width, unsigned char plane) const {
  CheckPlane(*this, plane, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  if (width < 0) {
    ThrowError<std::invalid_argument>("Negative width " + std::to_string(width),
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  const int samples = IsChromaPlane(plane) ? Subsampled(width, shiftW) : width;
  const long long bytes = static_cast<long long>(samples) * bytesPerSample[plane];
  if (bytes > INT_MAX) {
    ThrowError<std::invalid_argument>("Width " + std::to_string(width) + " is too large for pixel format " + name,
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return static_cast<int>(bytes);
}

int PixFmtDescription::GetPlaneHeight(int height, unsigned char plane) const {
  CheckPlane(*this, plane, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  if (height < 0) {
    ThrowError<std::invalid_argument>("Negative height " + std::to_string(height),
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return IsChromaPlane(plane) ? Subsampled(height, shiftH) : height;
}

}  // namespace Tivrel
