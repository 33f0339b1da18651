// The test-support kit itself: its fakes against the stream contract, its assertions, its event-order check.
#include <stdexcept>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
#include "Testing/FakeStreams.h"
#include "Testing/Frames.h"
#include "Testing/JobHarness.h"

TIVREL_INSTANTIATE_CONTRACT(StreamContract, FakeAudioPlanarNoise, [] {
  return MakeAudioStream({44100, Conf::SAMPLE_FMT_FLTP, Conf::CH_LAYOUT_5POINT1}, 6, 441, Signal::Noise);
});
TIVREL_INSTANTIATE_CONTRACT(StreamContract, FakeAudioU8Silence, [] {
  return MakeAudioStream({8000, Conf::SAMPLE_FMT_U8, Conf::CH_LAYOUT_MONO}, 4, 160, Signal::Silence);
});

namespace Tivrel::Testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::Throws;

TEST(TestingKitTest, AssertionsNameWhatDiffers) {
  const SP<Media::VideoFrame> a = MakeGradient(PIX_FMT_YUV420P, 16, 8);
  const SP<Proc::IDataVideo> b = a->Clone(true);
  EXPECT_PRED_FORMAT2(FramesEqual, a, b);
  b->GetPlane(1).GetOffsetPtr(3, 2)[0] ^= 1;
  EXPECT_THAT(FramesEqual("a", "b", a, b).message(), HasSubstr("plane 1, line 2, byte 3: 69 vs 68"));
  EXPECT_THAT(FramesEqual("a", "b", a, MakeGradient(PIX_FMT_YUV420P, 16, 6)).message(),
              HasSubstr("yuv420p 16x8 aspect 1:1, b is yuv420p 16x6"));
  EXPECT_THAT(b, Not(HasDigest(Digest(a))));

  const auto throwing = [] { ThrowError<Proc::ProcException>("broken", TIVREL_THROW_SITE("void f()", 7)); };
  const std::string file = "tests/TestingKitTest.cc";
  EXPECT_THAT(throwing, Throws<Proc::ProcException>(ThrownAt("broken", file, "void f()", 7)));
  EXPECT_THAT(throwing, Not(Throws<Proc::ProcException>(ThrownAt("broken", file, "void f()", 8))));
  EXPECT_THAT(throwing, Throws<Proc::ProcException>(Described("broken")));
  EXPECT_THAT([] { throw std::logic_error("plain\nstack"); }, Throws<std::logic_error>(Described("plain")));
  EXPECT_THAT(throwing, Not(Throws<Proc::ProcException>(Described("broke"))));
  const Proc::ProcessingError expected(Proc::TranscodingException, file, "void f()", 7, "broken", "");
  try {
    throwing();
  } catch (...) {
    EXPECT_THAT(std::current_exception(), ErrorIs(expected));
  }
  EXPECT_THAT(std::make_exception_ptr(std::runtime_error("broken")), Not(ErrorIs(expected)));
}

TEST(TestingKitTest, TheEventOrderCheckFindsEventsOutOfOrder) {
  using K = JobEvent::Kind;
  const std::pair<std::vector<K>, bool> cases[] = {
      {{K::Paused, K::Started, K::Progress, K::Resumed, K::Error, K::Paused, K::Finished, K::Resumed}, true},
      {{K::Started, K::Started}, false},
      {{K::Progress}, false},
      {{K::Started, K::Error, K::Progress}, false},
      {{K::Started, K::Error, K::Error}, false},
      {{K::Started, K::Finished, K::Finished}, false},
      {{K::Started}, false},
  };
  for (const auto& [kinds, follows] : cases) {
    std::vector<JobEvent> events;
    for (K kind : kinds) events.push_back({kind, "event"});
    EXPECT_EQ(bool(FollowsTheEventProtocol(events)), follows) << ::testing::PrintToString(events);
  }
}

}  // namespace
}  // namespace Tivrel::Testing
