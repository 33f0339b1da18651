#include <chrono>
#include <future>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Media/VideoFrame.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Interfaces/Stub.h"
#include "StreamTestSupport.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using ::testing::StartsWith;
using ::testing::StrictMock;
using ::testing::ThrowsMessage;
using Testing::MockAudioStream;
using Testing::MockVideoStream;

constexpr auto kBlocked = std::chrono::milliseconds(100);
constexpr auto kPatience = std::chrono::seconds(10);

// Whether a new thread finds the lock taken.
bool HeldElsewhere(ILockable& lock) {
  return std::async(std::launch::async, [&lock] {
           if (!lock.TryLock()) return true;
           lock.Unlock();
           return false;
         })
      .get();
}

// An action for the wrapped stream: notes whether another thread finds the wrapper's lock
// taken at that moment, then returns `value` (nothing when none is given).
template <class... Value>
auto Note(bool& held, ILockable& lock, Value... value) {
  return [&held, &lock, value...](auto&&...) {
    held = HeldElsewhere(lock);
    return (value, ...);
  };
}

TEST(StreamLockableTest, ForwardsEveryOperationAndLocksThoseThatMoveOrReadTheStream) {
  const SP<MockVideoStream> mock(new StrictMock<MockVideoStream>);
  const SP<IStreamVideoLockable> wrapper = IStreamVideoLockable::Create(mock);
  const SP<IDataVideo> frame = Media::VideoFrame::Create(PIX_FMT_GRAY8, 4, 4);
  const SP<Conf::IFormatCodecVideo> format = Conf::IFormatCodecVideo::Create();
  const SP<IStream> seekArgument(new StrictMock<MockVideoStream>);
  std::map<std::string, bool> held;
  ILockable& lock = *wrapper;

  EXPECT_CALL(*mock, GetDuration()).WillOnce(Note(held["GetDuration"], lock, 11LL));
  EXPECT_CALL(*mock, GetPosition()).WillOnce(Note(held["GetPosition"], lock, 12LL));
  EXPECT_CALL(*mock, Read())
      .WillOnce(Note(held["ReadStream"], lock, frame))
      .WillOnce(Note(held["Read"], lock, frame));
  EXPECT_CALL(*mock, RequestSeek(13, seekArgument)).WillOnce(Note(held["RequestSeek"], lock));
  EXPECT_CALL(*mock, DoSeek()).WillOnce(Note(held["DoSeek"], lock));
  EXPECT_CALL(*mock, GetSeekResult()).WillOnce(Note(held["GetSeekResult"], lock, true));
  EXPECT_CALL(*mock, GetStatistic()).WillOnce(Note(held["GetStatistic"], lock, Core::Property("s")));
  EXPECT_CALL(*mock, Terminate()).WillOnce(Note(held["Terminate"], lock));
  EXPECT_CALL(*mock, IsTerminated()).WillOnce(Note(held["IsTerminated"], lock, true));
  EXPECT_CALL(*mock, ReleaseInternalData()).WillOnce(Note(held["ReleaseInternalData"], lock));
  EXPECT_CALL(*mock, Accept(_)).WillOnce(Note(held["Accept"], lock));
  EXPECT_CALL(*mock, GetFormatCodec())
      .WillOnce(Note(held["GetFormatCodec"], lock, format))
      .WillOnce(Note(held["GetFormatCodecBase"], lock, format));

  EXPECT_EQ(wrapper->GetDuration(), 11);
  EXPECT_EQ(wrapper->GetPosition(), 12);
  EXPECT_EQ(wrapper->ReadStream().get(), frame.get());
  EXPECT_EQ(wrapper->Read().get(), frame.get());
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

  const std::map<std::string, bool> locked = {
      {"GetDuration", false}, {"GetPosition", true},    {"ReadStream", true},          {"Read", true},
      {"RequestSeek", true},  {"DoSeek", true},         {"GetSeekResult", true},       {"GetStatistic", false},
      {"Terminate", false},   {"IsTerminated", false},  {"ReleaseInternalData", true}, {"Accept", true},
      {"GetFormatCodec", false}, {"GetFormatCodecBase", false}};
  EXPECT_EQ(held, locked);
  EXPECT_FALSE(HeldElsewhere(lock));
}

template <class Wrapper, class Mock>
void ExpectRefusals(const char* kind) {
  const SP<Mock> mock(new StrictMock<Mock>);  // any call into it fails the test
  const SP<Wrapper> wrapper = Wrapper::Create(mock);
  const std::string base = std::string("StreamLockable<Tivrel::Proc::IStream") + kind + "Lockable>::";
  const std::string suffix = std::string(" [Base = Tivrel::Proc::IStream") + kind + "Lockable]";
  const std::string initialize = "virtual void " + base + "Initialize(const Tivrel::Core::Property &)" + suffix;
  const std::string settings = "virtual Tivrel::Core::Property " + base + "GetSettings() const" + suffix;
  Testing::ExpectThrowSite<FilterException>([&] { wrapper->Initialize(Core::Property("x")); }, "Method not implemented",
                                            "Proc/Interfaces/IStreamLockable.cc", initialize.c_str(), 36);
  Testing::ExpectThrowSite<FilterException>([&] { wrapper->GetSettings(); }, "Method not implemented",
                                            "Proc/Interfaces/IStreamLockable.cc", settings.c_str(), 37);
  EXPECT_THAT([] { Wrapper::Create(nullptr); },
              ThrowsMessage<std::invalid_argument>(StartsWith("Empty stream passed\n")));
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
