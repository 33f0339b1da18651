// Under contention: first DVD path checks, and locked reads and seeks through the lockable decorator.
#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IDVDReader.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Testing/Watchdog.h"

namespace Tivrel::Proc {
namespace {

constexpr long long kFrameDuration = 40000;
constexpr int kReaders = 3;
constexpr int kRounds = 100000;
constexpr int kSeeks = 100000;

// Starts `count` threads running body(index) at the same moment and joins them.
template <class Body>
void RunTogether(int count, Body body) {
  std::atomic<int> waiting{count};
  std::vector<std::thread> threads;
  for (int i = 0; i < count; ++i) {
    threads.emplace_back([&, i] {
      for (--waiting; waiting > 0;) std::this_thread::yield();
      body(i);
    });
  }
  for (std::thread& thread : threads) thread.join();
}

// Each case runs in a process of its own: nothing has called IsDVDPath before.
TEST(StreamLockableStressTest, FirstDvdPathTestsFromSeveralThreadsAgree) {
  Testing::Watchdog watchdog(std::chrono::seconds(60), "the DVD path test");
  std::atomic<int> wrong{0};
  RunTogether(8, [&](int i) {
    const bool dvd = i % 2 == 0;
    if (IDVDReader::IsDVDPath(dvd ? "dvd:///media/disc:title=3" : "dvd:///media/disc") != dvd) ++wrong;
  });
  EXPECT_EQ(wrong.load(), 0);
}

// Readers take the lock for four reads in a row, a seeker for a seek and a read, a third
// thread makes the calls the decorator leaves unlocked, Terminate among them (a flag the
// single-frame stream ignores). Within one locked sequence the timestamps follow each
// other frame by frame, and a seek lands where it was asked to.
TEST(StreamLockableStressTest, LockedSequencesOfReadsAndSeeksStayConsistent) {
  Testing::Watchdog watchdog(std::chrono::seconds(120), "the stress test");
  SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_GRAY8, 32, 32);
  frame->SetDuration(kFrameDuration);
  const SP<IStreamVideoEx> inner = StreamOneFrameVideo::Create(frame);
  SettingsStreamOneFrame endless;
  endless.endless = 1;
  inner->Initialize(endless);
  const SP<IStreamVideoLockable> stream = IStreamVideoLockable::Create(inner);
  std::atomic<int> violations{0};
  std::atomic<bool> seeking{true};
  const auto expect = [&](bool condition) { violations += condition ? 0 : 1; };

  RunTogether(kReaders + 2, [&](int role) {
    if (role < kReaders) {
      for (int round = 0; round < kRounds; ++round) {
        stream->Lock();
        long long previous = stream->Read()->GetTime();
        for (int k = 1; k < 4; ++k) {
          const SP<IData> next = k % 2 != 0 ? stream->ReadStream() : SP<IData>(stream->Read());
          expect(next->GetTime() == previous + kFrameDuration && next->GetDuration() == kFrameDuration);
          previous = next->GetTime();
        }
        stream->Unlock();
      }
    } else if (role == kReaders) {
      std::mt19937_64 random(role);
      for (int seek = 0; seek < kSeeks; ++seek) {
        if (!stream->TryLock()) stream->Lock();
        const long long target = static_cast<long long>(random() % 1000000000);
        stream->RequestSeek(target, nullptr);
        stream->DoSeek();
        expect(stream->GetSeekResult() && stream->GetPosition() == target);
        expect(stream->Read()->GetTime() == target);
        stream->Unlock();
      }
      seeking = false;
    } else {
      for (; seeking; std::this_thread::yield()) {
        expect(stream->GetDuration() == IStream::DURATION_ENDLESS && stream->GetFormatCodec());
        stream->Terminate();
        expect(stream->IsTerminated());
      }
    }
  });
  EXPECT_EQ(violations.load(), 0);
}

}  // namespace
}  // namespace Tivrel::Proc
