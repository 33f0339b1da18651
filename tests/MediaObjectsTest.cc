// Media frames and audio blocks: plane layout and fill per format, views, deep copies, copy-on-write, flat release.
#include <pthread.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>
#include <boost/exception/exception.hpp>

#include "Media/AudioBlock.h"
#include "Media/VideoFrame.h"

namespace Tivrel::Media {
namespace {

using Proc::Color;
using Proc::FrameInfo;
using Proc::IDataVideo;
using Proc::Plane;

// Planes start on 64-byte boundaries with the shortest stride that keeps the next line
// there; a fill reaches every byte of every line.
TEST(MediaObjectsTest, EveryFormatHasTightlyAlignedPlanesAndTakesAColourInEveryPlane) {
  // Red with alpha 33: limited-range BT.601 Y 82, U 90, V 240; full-range luma 77.
  using Planes = std::vector<std::vector<unsigned char>>;
  const Planes yuv{{82}, {90}, {240}}, yuva{{82}, {90}, {240}, {33}}, nv12{{82}, {90, 240}}, nv21{{82}, {240, 90}};
  const Planes gray{{77}}, gray16{{77, 77}}, rgb{{255, 0, 0}}, bgr{{0, 0, 255}}, rgba{{255, 0, 0, 33}};
  const Planes bgra{{0, 0, 255, 33}}, argb{{33, 255, 0, 0}}, abgr{{33, 0, 0, 255}};
  const Planes expected[PIX_FMT_COUNT] = {yuv,  yuv,    yuv, yuv, yuva, yuva, nv12, nv21,
                                          gray, gray16, rgb, bgr, rgba, bgra, argb, abgr};  // in PixFmt order
  for (int f = 0; f < PIX_FMT_COUNT; ++f) {
    const PixFmtDescription* d = PixFmtDescription::Find(static_cast<PixFmt>(f));
    ASSERT_EQ(d->planes, expected[f].size());
    for (const int width : {16, 37, 64}) {  // 16: fewer columns than lines; 64: whole alignments
      SCOPED_TRACE(testing::Message() << d->name << " " << width);
      const SP<VideoFrame> frame = VideoFrame::Create(d->format, width, 23);
      for (unsigned char p = 0; p < d->planes; ++p) {
        const Plane plane = frame->GetPlane(p);
        EXPECT_EQ(plane.width, static_cast<unsigned long>(d->GetPlanWidthSize(width, p)));
        EXPECT_EQ(plane.height, static_cast<unsigned long>(d->GetPlaneHeight(23, p)));
        EXPECT_EQ(reinterpret_cast<uintptr_t>(plane.data) % 64 + plane.stride % 64, 0u);
        EXPECT_LT(plane.stride - static_cast<long>(plane.width), 64);
        for (unsigned long y = 0; y < plane.height; ++y) std::memset(plane.GetOffsetPtr(0, y), 0xEE, plane.width);
      }
      frame->Fill(Color{255, 0, 0, 33});
      for (unsigned char p = 0; p < d->planes; ++p) {
        const Plane plane = frame->GetPlane(p);
        std::vector<unsigned char> line;
        while (line.size() < plane.width) line.insert(line.end(), expected[f][p].begin(), expected[f][p].end());
        for (unsigned long y = 0; y < plane.height; ++y) {
          ASSERT_EQ(std::vector<unsigned char>(plane.GetOffsetPtr(0, y), plane.GetOffsetPtr(0, y) + plane.width), line)
              << "plane " << int(p) << ", line " << y;
        }
      }
    }
  }
}

// A view shares the pixels but has its own area and time; a deep copy has its own pixels
// and keeps everything else.
TEST(MediaObjectsTest, ViewsShareThePixelsAndDeepCopiesKeepEverythingButThem) {
  const SP<VideoFrame> frame = VideoFrame::Create(PIX_FMT_YUV420P, 16, 8, 4, 3);
  frame->SetTime(5);
  frame->SetDuration(40);
  frame->SetEmptyTransparentFrameFlag(true);
  const SP<VideoFrame> alpha = VideoFrame::Create(PIX_FMT_GRAY8, 16, 8);
  frame->SetAlphaPlane(1, alpha->GetPlane(0));
  const SP<IDataVideo> view = frame->Clone(false);
  view->SetTime(9);
  view->Crop(3, 3, 10, 4);
  EXPECT_EQ(view->GetFrameInfo(), (FrameInfo{10, 4, 4, 3}));
  EXPECT_EQ(view->GetPlane(1).data, frame->GetPlane(1).GetOffsetPtr(1, 1));  // offsets round down
  EXPECT_EQ(view->GetPlane(1).width, 5u);
  EXPECT_EQ(frame->GetFrameInfo(), (FrameInfo{16, 8, 4, 3}));
  EXPECT_EQ(frame->GetTime(), 5);
  view->Fill(Color{255, 255, 255, 0});
  EXPECT_EQ(*frame->GetPlane(0).GetOffsetPtr(3, 3), 235);  // the same memory
  SP<IDataVideo> writable = frame->Clone(false);           // its only holder, but the pixels are shared
  EXPECT_TRUE(MakeWritable(writable));
  EXPECT_FALSE(MakeWritable(writable));  // now a copy of its own

  for (const SP<IDataVideo>& original : {SP<IDataVideo>(frame), view}) {
    const SP<IDataVideo> copy = original->Clone(true);
    EXPECT_TRUE(Proc::IsDataVideoEqual(copy, original));
    EXPECT_EQ(copy->GetTime(), original->GetTime());
    EXPECT_EQ(copy->GetDuration(), 40);
    EXPECT_TRUE(copy->IsEmptyTransparentFrame());
    EXPECT_EQ(copy->GetAlphaPlane(1).data, alpha->GetPlane(0).data);
    copy->Fill(Color{});
    EXPECT_FALSE(Proc::IsDataVideoEqual(copy, original));  // its own memory
  }

  const int outside[][4] = {{-1, 0, 4, 4}, {0, 0, 11, 4}, {2, 1, 8, 4}, {0, 0, -1, 1}};
  for (const auto& r : outside) EXPECT_THROW(view->Crop(r[0], r[1], r[2], r[3]), std::invalid_argument);
  EXPECT_EQ(view->GetFrameInfo().width, 10u);
  EXPECT_THROW(view->GetPlane(3), std::invalid_argument);
  EXPECT_THROW(view->SetAlphaPlane(2, alpha->GetPlane(0)), std::invalid_argument);
}

// Releasing a long chain of views must not recurse: the last release runs on a 256 KiB stack.
TEST(MediaObjectsTest, LongChainsOfViewsReleaseFlat) {
  SP<IDataVideo> view = VideoFrame::Create(PIX_FMT_GRAY8, 64, 2);
  for (int i = 0; i < 50000; ++i) view = view->Clone(false);
  view->Fill(Color{255, 255, 255, 255});  // the pixels outlive every earlier view
  EXPECT_EQ(*view->GetPlane(0).GetOffsetPtr(63, 1), 255);
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t thread;
  const auto release = [](void* v) -> void* { return static_cast<SP<IDataVideo>*>(v)->reset(), nullptr; };
  ASSERT_EQ(pthread_create(&thread, &attr, release, &view), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  EXPECT_EQ(view, nullptr);
}

TEST(MediaObjectsTest, AudioBlocksAreInterleavedOrPlanarAfterTheirFormat) {
  const SP<AudioBlock> interleaved = AudioBlock::Create({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 1024);
  EXPECT_EQ(Proc::GetAudioDataSize(interleaved), 4096u);
  EXPECT_THROW(interleaved->GetPlaneBuffer(1), std::invalid_argument);
  const SP<AudioBlock> planar = AudioBlock::Create({44100, Conf::SAMPLE_FMT_FLTP, Conf::CH_LAYOUT_5POINT1}, 1000);
  EXPECT_EQ(planar->GetPlaneBuffer(5).size, 4000u);
  EXPECT_EQ(planar->GetPlaneBuffer(5).data - planar->GetPlaneBuffer(4).data, 4032);  // 64-byte aligned planes
  EXPECT_EQ(Proc::GetAudioDataSize(planar), 24000u);
  EXPECT_EQ(Proc::GetAudioDataSize(AudioBlock::Create({8000, Conf::SAMPLE_FMT_U8P, Conf::CH_LAYOUT_NONE}, 10)), 0u);
  try {
    Proc::GetAudioDataSize(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Empty Frame");
    EXPECT_EQ(dynamic_cast<const boost::exception*>(&e), nullptr);  // plain: no stack, no location
  }
}

}  // namespace
}  // namespace Tivrel::Media
