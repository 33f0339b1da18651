// The lockable stream decorators: what they forward and lock, null streams and foreign unlocks, the recursive lock, the
// stream contract.
#include <chrono>
#include <future>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
#include "Testing/FakeStreams.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using Testing::MockAudioStream;
using Testing::MockVideoStream;
using ::testing::StrictMock;

// Whether a new thread finds the lock taken.
bool HeldElsewhere(ILockable& lock) {
  return std::async(std::launch::async, [&lock] { return !lock.TryLock() || (lock.Unlock(), false); }).get();
}

// Every call reaches the wrapped stream, and those that move or read it hold the lock
// meanwhile (the audio decorator shares the code).
TEST(StreamLockableTest, ForwardsEveryOperationAndLocksThoseThatMoveOrReadTheStream) {
  const SP<MockVideoStream> mock(new StrictMock<MockVideoStream>);
  const SP<IStreamVideoLockable> wrapper = IStreamVideoLockable::Create(mock);
  const SP<IStream> seekArgument(new StrictMock<MockVideoStream>);
  const SP<IDataVideo> data = Media::VideoFrame::Create(PIX_FMT_GRAY8, 4, 4);
  const SP<Conf::IFormatCodecVideo> format = Conf::IFormatCodecVideo::Create();
  std::set<std::string> locked;
  // Notes `name` if another thread finds the lock taken, then returns `value...`.
  const auto note = [&](const char* name, auto... value) {
    return [&locked, &wrapper, name, value...](auto&&...) {
      if (HeldElsewhere(*wrapper)) locked.insert(name);
      return (value, ...);
    };
  };
  EXPECT_CALL(*mock, GetDuration()).WillOnce(note("GetDuration", 11LL));
  EXPECT_CALL(*mock, GetPosition()).WillOnce(note("GetPosition", 12LL));
  EXPECT_CALL(*mock, Read())
      .WillOnce(note("ReadStream", data))
      .WillOnce(note("Read", data))
      .WillOnce(::testing::Throw(std::runtime_error("read failed")));
  EXPECT_CALL(*mock, RequestSeek(13, seekArgument)).WillOnce(note("RequestSeek"));
  EXPECT_CALL(*mock, DoSeek()).WillOnce(note("DoSeek"));
  EXPECT_CALL(*mock, GetSeekResult()).WillOnce(note("GetSeekResult", true));
  EXPECT_CALL(*mock, GetStatistic()).WillOnce(note("GetStatistic", Core::Property("s")));
  EXPECT_CALL(*mock, Terminate()).WillOnce(note("Terminate"));
  EXPECT_CALL(*mock, IsTerminated()).WillOnce(note("IsTerminated", true));
  EXPECT_CALL(*mock, ReleaseInternalData()).WillOnce(note("ReleaseInternalData"));
  EXPECT_CALL(*mock, Accept).WillOnce(note("Accept"));
  EXPECT_CALL(*mock, GetFormatCodec()).Times(2).WillRepeatedly(note("GetFormatCodec", format));

  EXPECT_EQ(wrapper->GetDuration(), 11);
  EXPECT_EQ(wrapper->GetPosition(), 12);
  EXPECT_EQ(wrapper->ReadStream(), data);
  EXPECT_EQ(wrapper->Read(), data);
  EXPECT_THROW(wrapper->Read(), std::runtime_error);
  EXPECT_FALSE(HeldElsewhere(*wrapper));  // released on the way out
  wrapper->RequestSeek(13, seekArgument);
  wrapper->DoSeek();
  EXPECT_TRUE(wrapper->GetSeekResult());
  EXPECT_EQ(wrapper->GetStatistic().GetName(), "s");
  wrapper->Terminate();
  EXPECT_TRUE(wrapper->IsTerminated());
  wrapper->ReleaseInternalData();
  Visitors::InfoCollector info;
  wrapper->Accept(info);
  EXPECT_EQ(wrapper->GetFormatCodec(), format);
  EXPECT_EQ(wrapper->GetFormatCodecBase().get(), static_cast<Conf::IFormatCodec*>(format.get()));
  // GetDuration, GetStatistic, Terminate, IsTerminated and the format queries go straight through.
  EXPECT_EQ(locked, (std::set<std::string>{"GetPosition", "ReadStream", "Read", "RequestSeek", "DoSeek",
                                           "GetSeekResult", "ReleaseInternalData", "Accept"}));
}

TEST(StreamLockableTest, NullStreamsAndForeignUnlocksAreRefused) {
  for (const auto& create :
       {+[] { IStreamAudioLockable::Create(nullptr); }, +[] { IStreamVideoLockable::Create(nullptr); }}) {
    EXPECT_THAT(create, ::testing::Throws<std::invalid_argument>(Testing::Described("Empty stream passed")));
  }
#if !defined(__SANITIZE_THREAD__)  // the thread sanitizer reports the misuse itself
  const SP<IStreamAudioLockable> wrapper = IStreamAudioLockable::Create(new StrictMock<MockAudioStream>);
  EXPECT_THROW(wrapper->Unlock(), std::logic_error);
  wrapper->Lock();
  EXPECT_THROW(std::async(std::launch::async, [&] { wrapper->Unlock(); }).get(), std::logic_error);
  wrapper->Unlock();
#endif
}

TEST(StreamLockableTest, HeldLockBlocksOtherThreadsUntilItsLastRelease) {
  const SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_GRAY8, 4, 4);
  frame->SetDuration(40000);
  const SP<IStreamVideoLockable> wrapper = IStreamVideoLockable::Create(StreamOneFrameVideo::Create(frame));
  wrapper->Lock();
  ASSERT_TRUE(wrapper->TryLock());  // recursive: two holds now
  EXPECT_TRUE(wrapper->Read());     // the owner goes on
  auto blockedRead = std::async(std::launch::async, [&] { return wrapper->ReadStream(); });
  for (int hold = 2; hold > 0; --hold) {
    EXPECT_EQ(blockedRead.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    wrapper->Unlock();
  }
  ASSERT_EQ(blockedRead.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(blockedRead.get());  // default mode: the owner's read was the only one
}

}  // namespace
}  // namespace Tivrel::Proc

TIVREL_INSTANTIATE_CONTRACT(StreamContract, LockableVideo, [] {
  return Proc::IStreamVideoLockable::Create(MakeVideoStream(12, PIX_FMT_YUV420P, 64, 48, 30000, 1001));
});
TIVREL_INSTANTIATE_CONTRACT(StreamContract, LockableAudio, [] {
  return Proc::IStreamAudioLockable::Create(
      MakeAudioStream({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 10, 1024));
});
