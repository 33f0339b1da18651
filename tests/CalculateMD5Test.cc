// The digests of video frames, audio blocks, packets and blobs.
#include <string>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>

#include "Media/AudioBlock.h"
#include "Media/Packet.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/FrameUtils.h"
#include "Testing/Frames.h"
#include "Testing/GuardedPlane.h"

namespace Tivrel::Proc {
namespace {

using Media::Blob;
using Media::VideoFrame;

// Expected digests were computed outside the library with Python's hashlib over the same
// bytes (header values packed as little-endian 32-bit integers).

TEST(CalculateMD5Test, VideoDigestHashesLineBytesAndAppendsSizeAndFormat) {
  const std::string expected = "d8c53e9ae1248b7438d3a0dc8bada885:6:4:0";
  const SP<VideoFrame> gradient = Testing::MakeGradient(PIX_FMT_YUV420P, 6, 4);
  EXPECT_EQ(CalculateVideoDataMD5(gradient), expected);
  // The same pixels with other strides, in a window, and with another pixel aspect.
  SP<IDataVideo> window = VideoFrame::Create(PIX_FMT_YUV420P, 300, 9, 16, 11);
  window->Fill(Color{9, 9, 9, 9});
  window->Crop(130, 4, 6, 4);
  FrameUtils::CopyFrameMemory(gradient, window);
  EXPECT_EQ(CalculateVideoDataMD5(window), expected);

  // Every byte of every line counts; the bytes between lines do not.
  for (unsigned char p = 0; p < 3; ++p) {
    const Plane plane = window->GetPlane(p);
    for (unsigned long y = 0; y < plane.height; ++y) {
      for (unsigned long x = 0; x < plane.width; ++x) {
        unsigned char& byte = *plane.GetOffsetPtr(x, y);
        byte ^= 0x40;
        EXPECT_NE(CalculateVideoDataMD5(window), expected) << int(p) << ":" << x << "," << y;
        byte ^= 0x40;
      }
      *plane.GetOffsetPtr(plane.width, y) ^= 0x40;
    }
  }
  EXPECT_EQ(CalculateVideoDataMD5(window), expected);

  // Lines are hashed from the top line down, also when they run toward lower addresses (and
  // touch each other: stride -64, width 64).
  const SP<IDataVideo> bottomUp(new Testing::GuardedFrame(PIX_FMT_GRAY8, 64, 3, 0, true, 1));
  const SP<VideoFrame> topDown = VideoFrame::Create(PIX_FMT_GRAY8, 64, 3);
  FrameUtils::CopyFrameMemory(bottomUp, topDown);
  EXPECT_EQ(CalculateVideoDataMD5(bottomUp), CalculateVideoDataMD5(topDown));
}

TEST(CalculateMD5Test, AudioDigestHashesFormatHeaderAndEveryPlane) {
  const std::tuple<int, Conf::SampleFormats, int, const char*> cases[] = {
      // rate, format, samples, digest
      {48000, Conf::SAMPLE_FMT_S16, 1024, "8f1b8d5e2e47152ceeb4e2e9910bc120:1024:21333"},
      {44100, Conf::SAMPLE_FMT_S16, 1024, "be9ab2866890671dc8beee1658a668c0:1024:21333"},
      {44100, Conf::SAMPLE_FMT_FLTP, 4, "070e5566fc463d8b1a8db9b85d18519e:4:21333"},
  };
  for (const auto& [rate, format, samples, digest] : cases) {
    const SP<Media::AudioBlock> block = Media::AudioBlock::Create({rate, format, Conf::CH_LAYOUT_STEREO}, samples);
    for (unsigned char p = 0; p < block->GetAudioFormat().GetPlanesCount(); ++p) {
      const AudioPlaneBuffer b = block->GetPlaneBuffer(p);
      for (unsigned long i = 0; i < b.size; ++i) b.data[i] = static_cast<unsigned char>(16 * p + i);
    }
    block->SetDuration(21333);
    EXPECT_EQ(CalculateAudioDataMD5(block), digest);
  }
}

TEST(CalculateMD5Test, PacketAndBlobDigests) {
  const SP<Media::Packet> packet = Media::Packet::Create(Blob::Create("tivrel", 6));
  packet->SetTime(1000);
  packet->SetDuration(40);
  packet->SetCorrupt(true);  // the second flag
  EXPECT_EQ(CalculatePacketDataMD5(packet), "2924d65787c11509749dcfe64020ae23:1000:-9223372036854775808:40:2");
  packet->SetKeyFrame(true);
  packet->SetDiscardable(true);
  packet->SetSecondaryTime(-3);
  EXPECT_EQ(CalculatePacketDataMD5(packet), "2924d65787c11509749dcfe64020ae23:1000:-3:40:7");
  EXPECT_EQ(CalculateBlobDataMD5(Blob::Create(0)), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(CalculateBlobDataMD5(Blob::Create("abc", 3)), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(CalculateSubtitleDataMD5(nullptr), "");
}

// Each test case runs in a process of its own, so these are the first digests of the
// process: under ThreadSanitizer this shows any lazily filled state of the formatting.
TEST(CalculateMD5Test, FirstDigestsMayComeFromSeveralThreadsAtOnce) {
  const SP<IDataVideo> frame = VideoFrame::Create(PixFmt(0), 16, 16);
  std::string digests[2];
  std::thread other([&] { digests[1] = CalculateVideoDataMD5(frame); });
  digests[0] = CalculateVideoDataMD5(frame);
  other.join();
  EXPECT_EQ(digests[0], digests[1]);
}

}  // namespace
}  // namespace Tivrel::Proc
