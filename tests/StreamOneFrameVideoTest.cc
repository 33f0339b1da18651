// StreamOneFrameVideo: once or endless, seeks, format description, settings; the stream contract in both modes.
#include <limits>
#include <stdexcept>
#include <tuple>
#include <typeinfo>

#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Settings/SettingsDeinterlace.h"
#include "Testing/Contracts.h"
#include "Testing/Frames.h"

namespace Tivrel::Proc {
namespace {

constexpr long long kDuration = 40000;
constexpr long long kEndless = std::numeric_limits<long long>::max();

SP<IStreamVideoEx> MakeStream(int endless, long long duration = kDuration, SP<Media::VideoFrame> frame = nullptr) {
  if (!frame) frame = Testing::MakeBars(PIX_FMT_YUV420P, 64, 48);
  frame->SetDuration(duration);
  const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(frame);
  SettingsStreamOneFrame settings;
  settings.endless = endless;
  stream->Initialize(static_cast<const Settings&>(settings));
  return stream;
}

TEST(StreamOneFrameVideoTest, ServesViewsOfTheFrameOnceOrWithoutEndAsConfigured) {
  const SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_YUV420P, 64, 48);
  frame->SetTime(777);
  const SP<IStreamVideoEx> stream = MakeStream(0, kDuration, frame);
  const SP<IDataVideo> first = stream->Read();
  ASSERT_TRUE(first);
  EXPECT_NE(first.get(), frame.get());
  EXPECT_EQ(first->GetDuration(), kDuration);
  EXPECT_EQ(first->GetPlane(0).data, frame->GetPlane(0).data);
  EXPECT_EQ(frame->GetTime(), 777);
  EXPECT_THROW(stream->Initialize(SettingsDeinterlace()), std::bad_cast);  // nothing changes
  EXPECT_EQ(stream->GetDuration(), kDuration);

  SettingsStreamOneFrame endless;  // any value but 0; the stream goes on from its position
  endless.endless = -3;
  dynamic_cast<StreamOneFrameVideo&>(*stream).Initialize(endless);
  EXPECT_EQ(stream->GetDuration(), kEndless);
  EXPECT_EQ(stream->ReadStream()->GetTime(), kDuration);
  const SP<IStreamVideoEx> still = MakeStream(0, 0);  // the position stays 0: served on every read
  still->Terminate();                                 // only a flag
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(still->Read());
}

TEST(StreamOneFrameVideoTest, SeeksClampToTheDurationAndOnlyPositionZeroServesTheDefaultMode) {
  const std::tuple<int, long long, long long, long long, bool> cases[] = {
      // endless, duration, request, position, served
      {0, kDuration, -5, 0, true},
      {0, kDuration, 1, 1, false},
      {0, kDuration, kDuration, kDuration - 1, false},
      {0, 1, 7, 0, true},
      {1, kDuration, 123456, 123456, true},
      {1, kDuration, kEndless, kEndless - 1, false},  // the read would overflow: refused
  };
  for (const auto& [endless, duration, request, position, served] : cases) {
    SCOPED_TRACE(testing::Message() << "endless " << endless << ", duration " << duration << ", seek to " << request);
    const SP<IStreamVideoEx> stream = MakeStream(endless, duration);
    ASSERT_TRUE(stream->Read());
    stream->RequestSeek(request, stream);
    stream->DoSeek();
    EXPECT_TRUE(stream->GetSeekResult());
    EXPECT_EQ(stream->GetPosition(), position);
    if (served) {
      EXPECT_EQ(stream->Read()->GetTime(), position);
    } else if (endless == 0) {
      EXPECT_FALSE(stream->Read());
    } else {
      EXPECT_THROW(stream->Read(), std::overflow_error);
      EXPECT_EQ(stream->GetPosition(), position);
    }
  }
}

TEST(StreamOneFrameVideoTest, FormatDescriptionIsBuiltOnceFromTheFrame) {
  const SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_NV12, 720, 576, 16, 15);
  const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(frame);
  const SP<Conf::IFormatCodecVideo> format = stream->GetFormatCodec();
  EXPECT_EQ(format->GetFrameRate(), boost::rational<long long>(30, 1));
  EXPECT_EQ(format->GetPixelFormat(), PIX_FMT_NV12);
  EXPECT_EQ(format->GetFrameAspect(), boost::rational<long long>(720 * 16, 576 * 15));
  const Core::Property& tree = format->GetProperty();
  EXPECT_EQ(tree[Conf::IFormatCodec::TAG_BITRATE_MODE].GetString(), Conf::IFormatCodec::TAG_BITRATE_MODE_VBR);
  EXPECT_TRUE(tree[Conf::IFormatCodecVideo::TAG_IMAGE_FLAG].GetBool());
  EXPECT_EQ(tree[Conf::IFormatCodec::TAG_CODEC_ID].GetString(), Conf::IFormatCodec::CODEC_ID_NONE);
  frame->Crop(0, 0, 360, 288);  // cached: later changes of the frame do not reach it
  EXPECT_EQ(stream->GetFormatCodec().get(), format.get());
  EXPECT_EQ(stream->GetFormatCodecBase().get(), static_cast<Conf::IFormatCodec*>(format.get()));
}

}  // namespace
}  // namespace Tivrel::Proc

TIVREL_INSTANTIATE_CONTRACT(StreamContract, StreamOneFrameVideo, [] { return Proc::MakeStream(0); });
TIVREL_INSTANTIATE_CONTRACT(StreamContract, StreamOneFrameVideoEndless, [] { return Proc::MakeStream(1); });
