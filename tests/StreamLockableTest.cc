#include <chrono>
#include <future>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/AudioBlock.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/Assertions.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using Testing::MockAudioStream;
using Testing::MockVideoStream;
using ::testing::StrictMock;

constexpr auto kBlocked = std::chrono::milliseconds(100);
constexpr auto kPatience = std::chrono::seconds(10);

// Whether a new thread finds the lock taken.
bool HeldElsewhere(ILockable& lock) {
  return std::async(std::launch::async,
                    [&lock] {
                      if (!lock.TryLock()) return true;
                      lock.Unlock();
                      return false;
                    })
      .get();
}

// An action for the wrapped stream: notes `name` in `locked` if another thread finds the
// wrapper's lock taken at that moment, then returns `value` (nothing when none is given).
template <class... Value>
auto Note(std::set<std::string>& locked, ILockable& lock, const char* name, Value... value) {
  return [&locked, &lock, name, value...](auto&&...) {
    if (HeldElsewhere(lock)) locked.insert(name);
    return (value, ...);
  };
}

// Both wrappers, over a stream whose reads return `data` and whose format is `format`.
template <class Wrapper, class Mock, class Data, class Format>
void ExpectForwardingAndLocking(const SP<Data>& data, const SP<Format>& format) {
  const SP<Mock> mock(new StrictMock<Mock>);
  const SP<Wrapper> wrapper = Wrapper::Create(mock);
  const SP<IStream> seekArgument(new StrictMock<Mock>);
  std::set<std::string> locked;
  ILockable& lock = *wrapper;

  EXPECT_CALL(*mock, GetDuration()).WillOnce(Note(locked, lock, "GetDuration", 11LL));
  EXPECT_CALL(*mock, GetPosition()).WillOnce(Note(locked, lock, "GetPosition", 12LL));
  EXPECT_CALL(*mock, Read())
      .WillOnce(Note(locked, lock, "ReadStream", data))
      .WillOnce(Note(locked, lock, "Read", data))
      .WillOnce(::testing::Throw(std::runtime_error("read failed")));
  EXPECT_CALL(*mock, RequestSeek(13, seekArgument)).WillOnce(Note(locked, lock, "RequestSeek"));
  EXPECT_CALL(*mock, DoSeek()).WillOnce(Note(locked, lock, "DoSeek"));
  EXPECT_CALL(*mock, GetSeekResult()).WillOnce(Note(locked, lock, "GetSeekResult", true));
  EXPECT_CALL(*mock, GetStatistic()).WillOnce(Note(locked, lock, "GetStatistic", Core::Property("s")));
  EXPECT_CALL(*mock, Terminate()).WillOnce(Note(locked, lock, "Terminate"));
  EXPECT_CALL(*mock, IsTerminated()).WillOnce(Note(locked, lock, "IsTerminated", true));
  EXPECT_CALL(*mock, ReleaseInternalData()).WillOnce(Note(locked, lock, "ReleaseInternalData"));
  EXPECT_CALL(*mock, Accept(_)).WillOnce(Note(locked, lock, "Accept"));
  EXPECT_CALL(*mock, GetFormatCodec())
      .WillOnce(Note(locked, lock, "GetFormatCodec", format))
      .WillOnce(Note(locked, lock, "GetFormatCodecBase", format));

  EXPECT_EQ(wrapper->GetDuration(), 11);
  EXPECT_EQ(wrapper->GetPosition(), 12);
  EXPECT_EQ(wrapper->ReadStream().get(), data.get());
  EXPECT_EQ(wrapper->Read().get(), data.get());
  EXPECT_THROW(wrapper->Read(), std::runtime_error);
  EXPECT_FALSE(HeldElsewhere(lock));  // released on the way out
  wrapper->RequestSeek(13, seekArgument);
  wrapper->DoSeek();
  EXPECT_TRUE(wrapper->GetSeekResult());
  EXPECT_EQ(wrapper->GetStatistic().GetName(), "s");
  wrapper->Terminate();
  EXPECT_TRUE(wrapper->IsTerminated());
  wrapper->ReleaseInternalData();
  Visitors::InfoCollector info;
  wrapper->Accept(info);
  EXPECT_EQ(info.names, std::vector<std::string>{"StreamLockable"});
  EXPECT_EQ(wrapper->GetFormatCodec(), format);
  EXPECT_EQ(wrapper->GetFormatCodecBase().get(), static_cast<Conf::IFormatCodec*>(format.get()));

  // GetDuration, GetStatistic, Terminate, IsTerminated and both format queries go straight through.
  EXPECT_EQ(locked, (std::set<std::string>{"GetPosition", "ReadStream", "Read", "RequestSeek", "DoSeek",
                                           "GetSeekResult", "ReleaseInternalData", "Accept"}));
  EXPECT_FALSE(HeldElsewhere(lock));
}

TEST(StreamLockableTest, ForwardsEveryOperationAndLocksThoseThatMoveOrReadTheStream) {
  ExpectForwardingAndLocking<IStreamVideoLockable, MockVideoStream>(Media::VideoFrame::Create(PIX_FMT_GRAY8, 4, 4),
                                                                    Conf::IFormatCodecVideo::Create());
  ExpectForwardingAndLocking<IStreamAudioLockable, MockAudioStream>(
      Media::AudioBlock::Create({8000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 4),
      Conf::IFormatCodecAudio::Create());
}

template <class Wrapper, class Mock>
void ExpectRefusals(const char* kind) {
  const SP<Mock> mock(new StrictMock<Mock>);  // any call into it fails the test
  const SP<Wrapper> wrapper = Wrapper::Create(mock);
  const std::string base = std::string("StreamLockable<Tivrel::Proc::IStream") + kind + "Lockable>::";
  const std::string suffix = std::string(" [Base = Tivrel::Proc::IStream") + kind + "Lockable]";
  const std::string initialize = "virtual void " + base + "Initialize(const Tivrel::Core::Property &)" + suffix;
  const std::string settings = "virtual Tivrel::Core::Property " + base + "GetSettings() const" + suffix;
  EXPECT_THAT([&] { wrapper->Initialize(Core::Property("x")); },
              ::testing::Throws<FilterException>(Testing::ThrownAt(
                  "Method not implemented", "Proc/Interfaces/IStreamLockable.cc", initialize.c_str(), 36)));
  EXPECT_THAT([&] { wrapper->GetSettings(); },
              ::testing::Throws<FilterException>(Testing::ThrownAt(
                  "Method not implemented", "Proc/Interfaces/IStreamLockable.cc", settings.c_str(), 37)));
  EXPECT_THAT([] { Wrapper::Create(nullptr); },
              ::testing::ThrowsMessage<std::invalid_argument>(::testing::StartsWith("Empty stream passed\n")));
}

TEST(StreamLockableTest, PropertyConfigurationAndNullStreamsAreRefused) {
  ExpectRefusals<IStreamVideoLockable, MockVideoStream>("Video");
  ExpectRefusals<IStreamAudioLockable, MockAudioStream>("Audio");
}

TEST(StreamLockableTest, HeldLockBlocksOtherThreadsUntilItsLastRelease) {
  const SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_GRAY8, 4, 4);
  frame->SetDuration(40000);
  const SP<IStreamVideoLockable> wrapper = IStreamVideoLockable::Create(StreamOneFrameVideo::Create(frame));
  wrapper->Lock();
  ASSERT_TRUE(wrapper->TryLock());  // recursive: two holds now
  EXPECT_TRUE(wrapper->Read());     // the owner goes on

  auto blockedRead = std::async(std::launch::async, [&] { return wrapper->ReadStream(); });
  EXPECT_EQ(blockedRead.wait_for(kBlocked), std::future_status::timeout);
  wrapper->Unlock();
  EXPECT_EQ(blockedRead.wait_for(kBlocked), std::future_status::timeout);
  wrapper->Unlock();
  ASSERT_EQ(blockedRead.wait_for(kPatience), std::future_status::ready);
  EXPECT_FALSE(blockedRead.get());  // default mode: the owner's read was the only one
}

TEST(StreamLockableTest, UnlockWithoutHoldingIsRefused) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the thread sanitizer reports the misuse itself";
#endif
  const SP<MockVideoStream> mock(new StrictMock<MockVideoStream>);
  const SP<IStreamVideoLockable> wrapper = IStreamVideoLockable::Create(mock);
  EXPECT_THROW(wrapper->Unlock(), std::logic_error);
  wrapper->Lock();
  EXPECT_THROW(std::async(std::launch::async, [&] { wrapper->Unlock(); }).get(), std::logic_error);
  wrapper->Unlock();
}

}  // namespace
}  // namespace Tivrel::Proc
