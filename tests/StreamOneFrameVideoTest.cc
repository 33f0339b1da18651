#include <limits>
#include <stdexcept>
#include <tuple>
#include <typeinfo>

#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Settings/SettingsDeinterlace.h"
#include "Testing/Assertions.h"

namespace Tivrel::Proc {
namespace {

constexpr long long kDuration = 40000;
constexpr long long kEndless = std::numeric_limits<long long>::max();
constexpr long long kSourceTime = 777;

SP<Media::VideoFrame> MakeFrame(long long duration = kDuration, int width = 64, int height = 48) {
  SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_YUV420P, width, height, 16, 15);
  frame->SetDuration(duration);
  frame->SetTime(kSourceTime);
  return frame;
}

TEST(StreamOneFrameVideoTest, DefaultModeServesAViewOfTheFrameOnceThenEndlessModeContinues) {
  const SP<Media::VideoFrame> frame = MakeFrame();
  const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(frame);
  EXPECT_EQ(stream->GetDuration(), kDuration);
  const SP<IDataVideo> first = stream->Read();
  ASSERT_TRUE(first);
  EXPECT_NE(first.get(), frame.get());
  EXPECT_EQ(first->GetTime(), 0);
  EXPECT_EQ(first->GetDuration(), kDuration);
  EXPECT_EQ(static_cast<const IDataVideo&>(*first).GetPlane(0).data,
            static_cast<const IDataVideo&>(*frame).GetPlane(0).data);
  EXPECT_FALSE(stream->Read());
  EXPECT_FALSE(stream->ReadStream());
  EXPECT_EQ(stream->GetPosition(), kDuration);
  EXPECT_EQ(frame->GetTime(), kSourceTime);

  SettingsStreamOneFrame endless;
  endless.endless = -3;
  dynamic_cast<StreamOneFrameVideo&>(*stream).Initialize(endless);
  EXPECT_EQ(stream->GetDuration(), kEndless);
  for (long long n = 1; n <= 4; ++n) {
    const SP<IData> data = n % 2 != 0 ? stream->ReadStream() : SP<IData>(stream->Read());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->GetTime(), n * kDuration);
    EXPECT_EQ(data->GetDuration(), kDuration);
  }

  // A frame without duration leaves the position at 0: it is served on every read.
  const SP<IStreamVideoEx> still = StreamOneFrameVideo::Create(MakeFrame(0));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(still->Read());
}

TEST(StreamOneFrameVideoTest, SeeksClampToTheDurationAndOnlyPositionZeroServesTheDefaultMode) {
  const std::tuple<int, long long, long long, long long, bool> cases[] = {
      // endless, duration, request, position, served
      {0, kDuration, -5, 0, true},
      {0, kDuration, 0, 0, true},
      {0, kDuration, 1, 1, false},
      {0, kDuration, kDuration - 1, kDuration - 1, false},
      {0, kDuration, kDuration, kDuration - 1, false},
      {0, kDuration, kEndless, kDuration - 1, false},
      {0, 1, 7, 0, true},
      {1, kDuration, 123456, 123456, true},
      {1, kDuration, kEndless, kEndless - 1, false},  // the read would overflow: refused
  };
  for (const auto& [endless, duration, request, position, served] : cases) {
    SCOPED_TRACE(testing::Message() << "endless " << endless << ", duration " << duration << ", seek to " << request);
    const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(MakeFrame(duration));
    SettingsStreamOneFrame settings;
    settings.endless = endless;
    stream->Initialize(static_cast<const Settings&>(settings));
    ASSERT_TRUE(stream->Read());
    stream->RequestSeek(request, stream);
    stream->DoSeek();
    EXPECT_TRUE(stream->GetSeekResult());
    EXPECT_EQ(stream->GetPosition(), position);
    if (served) {
      const SP<IDataVideo> data = stream->Read();
      ASSERT_TRUE(data);
      EXPECT_EQ(data->GetTime(), position);
    } else if (endless == 0) {
      EXPECT_FALSE(stream->Read());
    } else {
      EXPECT_THROW(stream->Read(), std::overflow_error);
      EXPECT_EQ(stream->GetPosition(), position);
    }
  }
}

TEST(StreamOneFrameVideoTest, FormatDescriptionIsBuiltOnceFromTheFrame) {
  const SP<Media::VideoFrame> frame = MakeFrame(kDuration, 720, 576);
  const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(frame);
  const SP<Conf::IFormatCodecVideo> format = stream->GetFormatCodec();
  ASSERT_TRUE(format);

  EXPECT_EQ(format->GetFrameRate(), boost::rational<long long>(30, 1));
  EXPECT_EQ(format->GetPixelFormat(), PIX_FMT_YUV420P);
  EXPECT_EQ(format->GetFrameAspect(), boost::rational<long long>(720 * 16, 576 * 15));
  const Core::Property& tree = format->GetProperty();
  EXPECT_EQ(tree[Conf::IFormatCodec::TAG_BITRATE_MODE].GetString(), Conf::IFormatCodec::TAG_BITRATE_MODE_VBR);
  EXPECT_TRUE(tree[Conf::IFormatCodecVideo::TAG_IMAGE_FLAG].GetBool());
  EXPECT_EQ(tree[Conf::IFormatCodec::TAG_CODEC_ID].GetString(), Conf::IFormatCodec::CODEC_ID_NONE);

  // Cached: later changes of the frame do not reach it, and the base-type pointer is the
  // same object without a reference of its own beyond the returned one.
  frame->Crop(0, 0, 360, 288);
  EXPECT_EQ(stream->GetFormatCodec().get(), format.get());
  const SP<Conf::IFormatCodec> base = stream->GetFormatCodecBase();
  EXPECT_EQ(base.get(), static_cast<Conf::IFormatCodec*>(format.get()));
  EXPECT_EQ(format->GetRefCount(), 3);  // the cache, `format` and `base`
}

TEST(StreamOneFrameVideoTest, RefusalsLeaveTheStreamAsItWas) {
  EXPECT_THAT([] { StreamOneFrameVideo::Create(nullptr); },
              ::testing::Throws<std::invalid_argument>(Testing::ThrownAt(
                  "Empty frame passed", "Proc/Interfaces/StreamOneFrameVideo.cc",
                  "static SP<Tivrel::Proc::IStreamVideoEx> Tivrel::Proc::StreamOneFrameVideo::Create(const "
                  "SP<Tivrel::Proc::IDataVideo> &)",
                  135)));

  const SP<IStreamVideoEx> stream = StreamOneFrameVideo::Create(MakeFrame());
  EXPECT_THAT([&] { stream->Initialize(Core::Property("SettingsStreamOneFrame")); },
              ::testing::Throws<std::logic_error>(Testing::ThrownAt(
                  "Use typed settings instead", "Proc/Interfaces/StreamOneFrameVideo.cc",
                  "virtual void Tivrel::Proc::StreamOneFrameVideo::Initialize(const Core::Property &)", 74)));
  EXPECT_THROW(stream->Initialize(SettingsDeinterlace()), std::bad_cast);
  EXPECT_EQ(stream->GetDuration(), kDuration);
  EXPECT_EQ(stream->GetSettings(), Core::Property());  // configured by typed settings only
  EXPECT_EQ(stream->GetStatistic(), Core::GetRootItem());
  stream->Terminate();  // only a flag: reads go on
  EXPECT_TRUE(stream->IsTerminated());
  EXPECT_TRUE(stream->Read());
}

}  // namespace
}  // namespace Tivrel::Proc
