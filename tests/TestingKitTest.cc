// The library's own streams and the kit's fakes against the contract suites, and the
// failure texts of the kit's assertions.
#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
#include "Testing/FakeStreams.h"
#include "Testing/Frames.h"

namespace {

using namespace Tivrel;

SP<Proc::IStreamVideoEx> Still(int endless) {
  const SP<Media::VideoFrame> frame = Testing::MakeBars(PIX_FMT_YUV420P, 64, 48);
  frame->SetDuration(40000);
  const SP<Proc::IStreamVideoEx> stream = Proc::StreamOneFrameVideo::Create(frame);
  Proc::SettingsStreamOneFrame settings;
  settings.endless = endless;
  stream->Initialize(settings);
  return stream;
}

SP<Proc::IStreamVideo> Video() { return Testing::MakeVideoStream(12, PIX_FMT_YUV420P, 64, 48, 30000, 1001); }
SP<Proc::IStreamAudio> Audio() {
  return Testing::MakeAudioStream({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 10, 1024);
}

}  // namespace

TIVREL_INSTANTIATE_CONTRACT(StreamContract, StreamOneFrameVideo, [] { return Still(0); });
TIVREL_INSTANTIATE_CONTRACT(StreamContract, StreamOneFrameVideoEndless, [] { return Still(1); });
TIVREL_INSTANTIATE_CONTRACT(StreamContract, LockableVideo, [] { return Proc::IStreamVideoLockable::Create(Video()); });
TIVREL_INSTANTIATE_CONTRACT(StreamContract, LockableAudio, [] { return Proc::IStreamAudioLockable::Create(Audio()); });
TIVREL_INSTANTIATE_CONTRACT(StreamContract, FakeVideo, Video);
TIVREL_INSTANTIATE_CONTRACT(StreamContract, FakeAudio, Audio);
TIVREL_INSTANTIATE_CONTRACT(StreamContract, FakeAudioPlanarNoise, [] {
  return MakeAudioStream({44100, Conf::SAMPLE_FMT_FLTP, Conf::CH_LAYOUT_5POINT1}, 6, 441, Signal::Noise);
});
TIVREL_INSTANTIATE_CONTRACT(StreamContract, FakeAudioU8Silence, [] {
  return MakeAudioStream({8000, Conf::SAMPLE_FMT_U8, Conf::CH_LAYOUT_MONO}, 4, 160, Signal::Silence);
});

namespace Tivrel::Testing {
namespace {

TEST(TestingKitTest, AssertionsNameWhatDiffers) {
  const SP<Media::VideoFrame> a = MakeGradient(PIX_FMT_YUV420P, 16, 8);
  const SP<Proc::IDataVideo> b = a->Clone(true);
  EXPECT_PRED_FORMAT2(FramesEqual, a, b);
  b->GetPlane(1).GetOffsetPtr(3, 2)[0] ^= 1;
  EXPECT_THAT(FramesEqual("a", "b", a, b).message(), ::testing::HasSubstr("plane 1, line 2, byte 3: 69 vs 68"));
  EXPECT_THAT(FramesEqual("a", "b", a, MakeGradient(PIX_FMT_YUV420P, 16, 6)).message(),
              ::testing::HasSubstr("yuv420p 16x8 aspect 1:1, b is yuv420p 16x6"));
  EXPECT_THAT(b, ::testing::Not(HasDigest(Digest(a))));

  const auto throwing = [] { ThrowError<Proc::ProcException>("broken", TIVREL_THROW_SITE("void f()", 7)); };
  const std::string file = "tests/TestingKitTest.cc";
  EXPECT_THAT(throwing, ::testing::Throws<Proc::ProcException>(ThrownAt("broken", file, "void f()", 7)));
  EXPECT_THAT(throwing,
              ::testing::Not(::testing::Throws<Proc::ProcException>(ThrownAt("broken", file, "void f()", 8))));
  ExceptionPtr error;
  try {
    throwing();
  } catch (...) {
    error = std::current_exception();
  }
  const Proc::ProcessingError expected(Proc::TranscodingException, file, "void f()", 7, "broken", "");
  EXPECT_THAT(error, ErrorIs(expected));
  EXPECT_THAT(std::make_exception_ptr(std::runtime_error("broken")), ::testing::Not(ErrorIs(expected)));
}

}  // namespace
}  // namespace Tivrel::Testing
