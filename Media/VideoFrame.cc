#include "Media/VideoFrame.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include "Media/PixelColor.h"
#include "Platform/Core/Exception.h"

namespace Tivrel::Media {
namespace {

constexpr unsigned long kAlignment = 64;

unsigned long AlignUp(unsigned long v) { return (v + kAlignment - 1) / kAlignment * kAlignment; }

#define THROW_INVALID(message) \
  ThrowError<std::invalid_argument>((message), TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__))

// Bytes per sample position of `plane`, and its subsampling: chroma planes are subsampled,
// luma and alpha planes are not.
struct PlaneGeometry {
  unsigned char bytesPerPixel;
  unsigned char shiftX;
  unsigned char shiftY;
};

PlaneGeometry GeometryOf(const PixFmtDescription& d, unsigned char plane) {
  const bool chroma = d.IsChromaPlane(plane);
  return {static_cast<unsigned char>(d.GetPlanWidthSize(1, plane) & 0xff), chroma ? d.shiftW : (unsigned char)0,
          chroma ? d.shiftH : (unsigned char)0};
}

// Writes `pattern` (count bytes) over every line of `plane`: the first line is built
// sample by sample, the others are copies of it.
void FillPlane(const Proc::Plane& plane, const unsigned char* pattern, unsigned char count) {
  if (plane.height == 0 || plane.width == 0) return;
  unsigned char* first = plane.data;
  if (count == 1) {
    std::memset(first, pattern[0], plane.width);
  } else {
    for (unsigned long i = 0; i + count <= plane.width; i += count) std::memcpy(first + i, pattern, count);
  }
  for (unsigned long i = 1; i < plane.height; ++i) std::memcpy(plane.GetOffsetPtr(0, i), first, plane.width);
}

}  // namespace

SP<VideoFrame> VideoFrame::Create(PixFmt format, int width, int height, uint32_t aspectX, uint32_t aspectY) {
  return SP<VideoFrame>(new VideoFrame(PixFmtDescription::Find(format), width, height, aspectX, aspectY, true));
}

SP<VideoFrame> VideoFrame::CreateForOverwrite(PixFmt format, int width, int height, uint32_t aspectX,
                                              uint32_t aspectY) {
  return SP<VideoFrame>(new VideoFrame(PixFmtDescription::Find(format), width, height, aspectX, aspectY, false));
}

VideoFrame::VideoFrame(const PixFmtDescription* description, int width, int height, uint32_t aspectX, uint32_t aspectY,
                       bool zeroed)
    : description_(description) {
  if (width < 0 || height < 0) {
    THROW_INVALID("Negative frame size " + std::to_string(width) + "x" + std::to_string(height));
  }
  if (aspectX == 0 || aspectY == 0) THROW_INVALID("Zero pixel aspect term");
  info_ = {static_cast<uint32_t>(width), static_cast<uint32_t>(height), aspectX, aspectY};

  unsigned long offsets[PixFmtDescription::MAX_PLANES] = {};
  unsigned long total = 0;
  for (unsigned char p = 0; p < description->planes; ++p) {
    const auto lineBytes = static_cast<unsigned long>(description->GetPlanWidthSize(width, p));
    const auto lines = static_cast<unsigned long>(description->GetPlaneHeight(height, p));
    const unsigned long stride = AlignUp(lineBytes);
    if (lines != 0 && stride > (std::numeric_limits<long>::max() / 2 - total) / lines) {
      THROW_INVALID("Frame size " + std::to_string(width) + "x" + std::to_string(height) + " is too large");
    }
    offsets[p] = total;
    planes_[p] = Proc::Plane(nullptr, static_cast<long>(stride), lineBytes, lines, stride * lines, false);
    total += stride * lines;
  }
  auto* memory =
      static_cast<unsigned char*>(::operator new (std::max(total, kAlignment), std::align_val_t{kAlignment}));
  buffer_.reset(memory, [](unsigned char* p) { ::operator delete (p, std::align_val_t{kAlignment}); });
  if (zeroed) std::memset(memory, 0, total);
  for (unsigned char p = 0; p < description->planes; ++p) planes_[p].data = memory + offsets[p];
}

unsigned char VideoFrame::CheckPlane(unsigned char plane) const {
  if (plane >= description_->planes) {
    THROW_INVALID("Plane " + std::to_string(plane) + " does not exist in pixel format " + description_->name);
  }
  return plane;
}

Proc::Plane VideoFrame::GetPlane(unsigned char plane) { return planes_[CheckPlane(plane)]; }

Proc::PlaneConst VideoFrame::GetPlane(unsigned char plane) const { return planes_[CheckPlane(plane)]; }

bool VideoFrame::ArePixelsShared() const { return GetRefCount() > 1 || buffer_.use_count() > 1; }

bool ArePixelsShared(const Proc::IDataVideo& frame) {
  const auto* own = dynamic_cast<const VideoFrame*>(&frame);
  return own == nullptr || own->ArePixelsShared();
}

bool MakeWritable(SP<Proc::IDataVideo>& frame) {
  if (!frame) THROW_INVALID("MakeWritable of a null frame");
  if (!ArePixelsShared(*frame)) return false;
  frame = frame->Clone(true);
  return true;
}

SP<Proc::IDataVideo> VideoFrame::Clone(bool deep) const {
  if (!deep) return SP<Proc::IDataVideo>(new VideoFrame(*this));
  SP<VideoFrame> copy(new VideoFrame(description_, static_cast<int>(info_.width), static_cast<int>(info_.height),
                                     info_.aspectX, info_.aspectY, true));
  for (unsigned char p = 0; p < description_->planes; ++p) {
    const Proc::PlaneConst& from = planes_[p];
    const Proc::Plane& to = copy->planes_[p];
    for (unsigned long i = 0; i < from.height; ++i) {
      std::memcpy(to.GetOffsetPtr(0, i), from.GetOffsetPtr(0, i), from.width);
    }
  }
  std::copy(std::begin(alphaPlanes_), std::end(alphaPlanes_), std::begin(copy->alphaPlanes_));
  copy->time_ = time_;
  copy->duration_ = duration_;
  copy->SetEmptyTransparentFrameFlag(IsEmptyTransparentFrame());
  return copy;
}

void VideoFrame::SetAlphaPlane(unsigned char index, const Proc::PlaneConst& plane) {
  if (index > 1) THROW_INVALID("Alpha plane index " + std::to_string(index) + " is not 0 or 1");
  alphaPlanes_[index] = plane;
}

Proc::PlaneConst VideoFrame::GetAlphaPlane(unsigned char index) const {
  if (index > 1) THROW_INVALID("Alpha plane index " + std::to_string(index) + " is not 0 or 1");
  return alphaPlanes_[index];
}

void VideoFrame::Crop(int left, int top, int width, int height) {
  const long long right = static_cast<long long>(left) + width;
  const long long bottom = static_cast<long long>(top) + height;
  if (left < 0 || top < 0 || width < 0 || height < 0 || right > info_.width || bottom > info_.height) {
    THROW_INVALID("Crop rectangle " + std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) +
                  "x" + std::to_string(height) + " is outside the frame area " + std::to_string(info_.width) + "x" +
                  std::to_string(info_.height));
  }
  for (unsigned char p = 0; p < description_->planes; ++p) {
    const PlaneGeometry g = GeometryOf(*description_, p);
    planes_[p] = planes_[p].MakeSubplane(left, top, width, height, g.bytesPerPixel, g.shiftX, g.shiftY);
  }
  info_.width = static_cast<uint32_t>(width);
  info_.height = static_cast<uint32_t>(height);
}

void VideoFrame::FillArea(int height, int left, int top, int width, const Proc::Color& color) {
  // Clip [left, right) x [top, bottom) to the area; width 0 reaches the right edge.
  const long long areaW = info_.width, areaH = info_.height;
  const long long x = std::clamp<long long>(left, 0, areaW);
  const long long y = std::clamp<long long>(top, 0, areaH);
  const long long right = std::clamp<long long>(width == 0 ? areaW : static_cast<long long>(left) + width, 0, areaW);
  const long long bottom = std::clamp<long long>(static_cast<long long>(top) + height, 0, areaH);
  const long long w = right - x, h = bottom - y;
  if (w <= 0 || h <= 0) return;
  for (unsigned char p = 0; p < description_->planes; ++p) {
    unsigned char pattern[4];
    const unsigned char count = GetPlaneColorBytes(*description_, p, color, pattern);
    const PlaneGeometry g = GeometryOf(*description_, p);
    FillPlane(planes_[p].MakeSubplane(static_cast<unsigned>(x), static_cast<unsigned>(y), static_cast<unsigned>(w),
                                      static_cast<unsigned>(h), g.bytesPerPixel, g.shiftX, g.shiftY),
              pattern, count);
  }
}

#undef THROW_INVALID

}  // namespace Tivrel::Media
