// Planes and frames copied and compared: plane views, CopyPlane's block and line paths, IsPlaneDataEqual,
// CopyDataVideo clipped on every edge, CopyFrameMemory, IsDataVideoEqual.
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/FrameUtils.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Testing/Frames.h"
#include "Testing/GuardedPlane.h"

namespace Tivrel::Proc {
namespace {

using Media::VideoFrame;
using Testing::GuardedFrame;
using Testing::GuardedPlane;

TEST(PlaneTest, DerivedViews) {
  using View = std::tuple<unsigned char*, long, unsigned long, unsigned long, unsigned long, bool>;
  const auto view = [](const Plane& p) { return View(p.data, p.stride, p.width, p.height, p.size, p.isSubplane); };
  unsigned char* const d = reinterpret_cast<unsigned char*>(0x100000);
  EXPECT_EQ(view(Plane(d, -1920, 1920, 1080)), View(d, -1920, 1920, 1080, 2073600, false));
  const Plane revert = Plane(d, 1920, 1920, 3, 0, true).MakeRevert();
  EXPECT_EQ(view(revert), View(d + 3840, -1920, 1920, 3, 5760, false));
  EXPECT_EQ(view(revert.MakePositive()), View(d, 1920, 1920, 3, 5760, false));
  EXPECT_EQ(view(Plane(d, 960, 960, 540).MakeSubplane(3, 5, 7, 9, 1, 1, 1)),
            View(d + 2 * 960 + 1, 960, 4, 5, 4800, true));
  EXPECT_EQ(Plane(d, 400, 400, 10).MakeSubplane(2, 1, 3, 4, 4, 0, 0).GetOffsetPtr(0, 0), d + 400 + 8);
}

TEST(PlaneTest, CopyPlaneMovesOneBlockOnlyBetweenFullPlanesOfEqualStride) {
  struct Case {
    const char* name;
    long srcStride, dstStride;
    bool srcWindow, dstWindow, block;
  };
  const Case cases[] = {
      {"equal strides", 100, 100, false, false, true},      {"equal negative strides", -100, -100, false, false, true},
      {"destination window", 100, 100, false, true, false}, {"source window", 100, 100, true, false, false},
      {"different strides", 100, 120, false, false, false}, {"flip", 100, -100, false, false, false},
      {"negative window", -128, -128, false, true, false},
  };
  for (long scale : {1, 10}) {  // scaled up, the blocks take the string-move copy
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << " x" << scale);
      const unsigned long width = 80 * scale, height = 10;
      const GuardedPlane src(c.srcStride * scale, width, height, c.srcWindow, 1);
      const GuardedPlane dst(c.dstStride * scale, width, height, c.dstWindow, 2);
      std::vector<unsigned char> expected = c.block ? src.Bytes() : dst.Bytes();  // block: the gaps too
      for (unsigned long y = 0; y < height && !c.block; ++y) {
        std::memcpy(&expected[dst.Offset(0, y)], src.plane.GetOffsetPtr(0, y), width);
      }
      CopyPlane(src.plane, dst.plane);
      EXPECT_EQ(dst.Bytes(), expected);
    }
  }
  // Another width is refused before anything is written (another height: see the throw sites).
  const GuardedPlane src(100, 80, 10, false, 1), dst(100, 80, 10, false, 2);
  const std::vector<unsigned char> before = dst.Bytes();
  EXPECT_THROW(CopyPlane(src.plane, Plane(dst.plane.data, 100, 81, 10)), std::invalid_argument);
  EXPECT_EQ(dst.Bytes(), before);
}

// Only the bytes of the lines count, whatever the strides and the bytes between lines.
TEST(PlaneTest, PlanesAreEqualByTheBytesOfTheirLines) {
  const GuardedPlane a(64, 40, 3, true, 1), b(-50, 40, 3, true, 2);
  CopyPlane(a.plane, b.plane);
  EXPECT_TRUE(IsPlaneDataEqual(a.plane, b.plane));
  b.plane.GetOffsetPtr(39, 2)[0] ^= 1;
  EXPECT_FALSE(IsPlaneDataEqual(a.plane, b.plane));
  // The same memory seen one byte wider or one line shorter.
  EXPECT_FALSE(IsPlaneDataEqual(a.plane, Plane(a.plane.data, 64, 41, 3, 0, true)));
  EXPECT_FALSE(IsPlaneDataEqual(a.plane, Plane(a.plane.data, 64, 40, 2, 0, true)));
}

// What CopyDataVideo must leave in a destination plane: the part of the source that lies
// inside the destination at its place (chroma offsets rounded down, sizes up), the old
// bytes everywhere else.
std::vector<unsigned char> ExpectedPlane(const IDataVideo& src, const GuardedFrame& dst,
                                         const std::vector<unsigned char>& before, unsigned char p, int x, int y) {
  const PixFmtDescription* d = PixFmtDescription::Find(src.GetPixFmt());
  const long left = std::max(x, 0), top = std::max(y, 0);
  const long right = std::min<long>(x + src.GetFrameInfo().width, dst.GetFrameInfo().width);
  const long bottom = std::min<long>(y + src.GetFrameInfo().height, dst.GetFrameInfo().height);
  std::vector<unsigned char> expected = before;
  if (right <= left || bottom <= top) return expected;
  const int sx = d->IsChromaPlane(p) ? d->shiftW : 0, sy = d->IsChromaPlane(p) ? d->shiftH : 0;
  const long bpp = d->GetPlanWidthSize(1, p);
  const auto ceil = [](long v, int shift) { return (v + (1L << shift) - 1) >> shift; };
  for (long i = 0; i < ceil(bottom - top, sy); ++i) {
    std::copy_n(src.GetPlane(p).GetOffsetPtr(((left - x) >> sx) * bpp, ((top - y) >> sy) + i),
                ceil(right - left, sx) * bpp, &expected[dst.Memory(p).Offset((left >> sx) * bpp, (top >> sy) + i)]);
  }
  return expected;
}

TEST(FrameCopyTest, CopyDataVideoPlacesTheSourceClippedOnEveryEdge) {
  const std::tuple<const char*, int, int, int, int> placements[] = {
      // name, width, height, x, y
      {"inside, odd offsets", 21, 11, 5, 7},
      {"over the left edge", 20, 10, -7, 4},
      {"over the top edge", 20, 10, 3, -5},
      {"over the right edge", 20, 10, 51, 3},
      {"over the bottom edge", 20, 10, 3, 43},
      {"larger than the destination", 100, 80, -11, -9},
      {"exact fit", 64, 48, 0, 0},
      {"right of it", 20, 10, 64, 0},
      {"below it", 20, 10, 0, 48},
  };
  for (PixFmt format : {PIX_FMT_YUV420P, PIX_FMT_YUV411P, PIX_FMT_YUVA420P, PIX_FMT_NV12, PIX_FMT_RGB24}) {
    for (const auto& [name, width, height, x, y] : placements) {
      SCOPED_TRACE(testing::Message() << PixFmtDescription::Find(format)->name << ", " << name);
      const SP<VideoFrame> src = Testing::MakeRandomFrame(format, width, height, 7);
      const SP<GuardedFrame> dst(new GuardedFrame(format, 64, 48, 13, false, 0));
      std::vector<std::vector<unsigned char>> before;
      for (unsigned char p = 0; p < GetPlanesCount(*dst); ++p) before.push_back(dst->Memory(p).Bytes());
      CopyDataVideo(src, dst, x, y);
      for (unsigned char p = 0; p < GetPlanesCount(*dst); ++p) {
        EXPECT_EQ(dst->Memory(p).Bytes(), ExpectedPlane(*src, *dst, before[p], p, x, y)) << "plane " << int(p);
      }
      EXPECT_EQ(src->GetFrameInfo().width, uint32_t(width));  // the source itself is never cropped
    }
  }
  // Another pixel format is refused, but only for a source that reaches the destination.
  const SP<VideoFrame> rgba = Testing::MakeRandomFrame(PIX_FMT_RGBA, 8, 8, 1),
                       gray = VideoFrame::Create(PIX_FMT_GRAY8, 8, 8);
  EXPECT_THROW(CopyDataVideo(rgba, gray, 0, 0), std::invalid_argument);
  EXPECT_NO_THROW(CopyDataVideo(rgba, gray, 8, 0));
  // Pixels only: the empty-transparent flag stays with its frame.
  const SP<VideoFrame> gray2 = Testing::MakeRandomFrame(PIX_FMT_GRAY8, 8, 8, 2);
  gray2->SetEmptyTransparentFrameFlag(true);
  CopyDataVideo(gray2, gray, 0, 0);
  FrameUtils::CopyFrameMemory(gray2, gray);
  EXPECT_FALSE(gray->IsEmptyTransparentFrame());
}

TEST(FrameCopyTest, CopyFrameMemoryCopiesEveryPlaneWhateverTheStrides) {
  const SP<VideoFrame> src = Testing::MakeRandomFrame(PIX_FMT_YUVA420P, 33, 17, 3);
  // Into a window of a wider frame (the line path): restoring the window from a copy taken
  // before makes the whole frame equal to that copy again, so nothing around it was written.
  const SP<VideoFrame> wide = Testing::MakeRandomFrame(PIX_FMT_YUVA420P, 200, 40, 4);
  const SP<IDataVideo> before = wide->Clone(true);
  const SP<IDataVideo> window = wide->Clone(false);
  window->Crop(100, 20, 33, 17);
  FrameUtils::CopyFrameMemory(src, window);
  EXPECT_TRUE(IsDataVideoEqual(src, window));
  CopyDataVideo(before, window, -100, -20);
  EXPECT_TRUE(IsDataVideoEqual(wide, before));

  FrameUtils::CopyFrameMemory(nullptr, window);  // nothing to copy
  EXPECT_THROW(FrameUtils::CopyFrameMemory(src, nullptr), std::invalid_argument);
  EXPECT_THROW(FrameUtils::CopyFrameMemory(src, VideoFrame::Create(PIX_FMT_YUVA420P, 32, 17)), std::invalid_argument);
  // Only the plane sizes must agree, not the pixel formats.
  const SP<VideoFrame> nv12 = Testing::MakeRandomFrame(PIX_FMT_NV12, 30, 20, 6),
                       nv21 = VideoFrame::Create(PIX_FMT_NV21, 30, 20);
  FrameUtils::CopyFrameMemory(nv12, nv21);
  EXPECT_EQ(CalculateVideoDataMD5(nv12).substr(0, 32), CalculateVideoDataMD5(nv21).substr(0, 32));  // the lines
}

TEST(FrameCopyTest, FramesAreEqualByFormatFrameInfoAndLineBytes) {
  const SP<VideoFrame> a = Testing::MakeRandomFrame(PIX_FMT_NV12, 30, 20, 5);
  const SP<IDataVideo> sameStride = a->Clone(true), otherStride = VideoFrame::Create(PIX_FMT_NV12, 94, 20);
  otherStride->Crop(64, 0, 30, 20);
  CopyDataVideo(a, otherStride, 0, 0);
  a->GetPlane(0).GetOffsetPtr(30, 3)[0] ^= 1;  // bytes between lines do not count
  for (const SP<IDataVideo>& b : {sameStride, otherStride}) {
    EXPECT_TRUE(IsDataVideoEqual(a, b));
    for (unsigned char* byte : {b->GetPlane(0).GetOffsetPtr(0, 0), b->GetPlane(1).GetOffsetPtr(29, 9)}) {
      *byte ^= 1;
      EXPECT_FALSE(IsDataVideoEqual(a, b));
      *byte ^= 1;
    }
  }
  const SP<VideoFrame> zeros = VideoFrame::Create(PIX_FMT_NV12, 30, 20);
  EXPECT_FALSE(IsDataVideoEqual(zeros, VideoFrame::Create(PIX_FMT_NV12, 30, 20, 4, 3)));  // pixel aspect
  EXPECT_FALSE(IsDataVideoEqual(zeros, VideoFrame::Create(PIX_FMT_NV21, 30, 20)));
  EXPECT_FALSE(IsDataVideoEqual(zeros, VideoFrame::Create(PIX_FMT_NV12, 30, 21)));
}

}  // namespace
}  // namespace Tivrel::Proc
