#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"

namespace Tivrel::Testing {

std::string StreamContract::CaseName(const ::testing::TestParamInfo<ParamType>&) { return "contract"; }
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(StreamContract);

namespace {

using Proc::IData;
using Proc::IStream;

constexpr int kReadLimit = 10000;  // reads within which a stream that is not endless must end
constexpr int kReplayUnits = 8;
constexpr int kThreads = 3;
constexpr int kRounds = 50;

// One unit as it was handed out: the data, the stream's position before the read, and
// its time and digest at that moment.
struct Unit {
  SP<IData> data;
  long long position;
  std::string snapshot;
};

std::string Snapshot(const SP<IData>& data) { return std::to_string(data->GetTime()) + " " + Digest(data); }

// The next unit, through the typed Read of video, audio and packet streams when `typed`.
SP<IData> ReadUnit(IStream& stream, bool typed) {
  if (!typed) return stream.ReadStream();
  if (auto* video = dynamic_cast<Proc::IStreamVideo*>(&stream)) return video->Read();
  if (auto* audio = dynamic_cast<Proc::IStreamAudio*>(&stream)) return audio->Read();
  if (auto* raw = dynamic_cast<Proc::IStreamRaw*>(&stream)) return raw->Read();
  return stream.ReadStream();
}

// Up to `limit` units, typed reads and ReadStream taking turns.
std::vector<Unit> ReadUnits(IStream& stream, int limit) {
  std::vector<Unit> units;
  for (int i = 0; i < limit; ++i) {
    const long long position = stream.GetPosition();
    SP<IData> data = ReadUnit(stream, i % 2 == 0);
    if (!data) break;
    units.push_back({data, position, Snapshot(data)});
  }
  return units;
}

// The snapshots the units had when handed out, or (`now`) have at present.
std::vector<std::string> Snapshots(const std::vector<Unit>& units, bool now = false) {
  std::vector<std::string> snapshots;
  for (const Unit& unit : units) snapshots.push_back(now ? Snapshot(unit.data) : unit.snapshot);
  return snapshots;
}

void SeekToZero(IStream& stream) {
  stream.RequestSeek(0, nullptr);
  stream.DoSeek();
  EXPECT_TRUE(stream.GetSeekResult()) << "a seek to 0 failed";
}

bool IsEndless(const IStream& stream) { return stream.GetDuration() == IStream::DURATION_ENDLESS; }

}  // namespace

// Each unit's time is the position before its read; it lasts a duration of at least 0 (an
// audio block that of its samples), ends before the next unit and the stream; after the
// last unit, reads find the end and leave the position.
TEST_P(StreamContract, TimesFollowThePositionAndTheEndStaysTheEnd) {
  const SP<IStream> stream = GetParam()();
  const bool endless = IsEndless(*stream);
  const std::vector<Unit> units = ReadUnits(*stream, endless ? kReplayUnits : kReadLimit + 1);
  ASSERT_FALSE(units.empty()) << "the stream yields no data";
  for (size_t i = 0; i < units.size() && !HasFailure(); ++i) {
    const IData& unit = *units[i].data;
    const long long end = unit.GetTime() + unit.GetDuration();
    SCOPED_TRACE(::testing::Message() << "unit " << i << " at position " << units[i].position << ", time "
                                      << unit.GetTime() << ", duration " << unit.GetDuration());
    EXPECT_EQ(unit.GetTime(), units[i].position);
    EXPECT_GE(unit.GetDuration(), 0);
    const long long next = i + 1 < units.size() ? units[i + 1].data->GetTime() : end;
    EXPECT_LE(end, next) << "it overlaps the next unit";
    EXPECT_LE(end, endless ? end : stream->GetDuration()) << "it ends after the stream";
    if (const auto* audio = dynamic_cast<const Proc::IDataAudio*>(&unit)) {
      EXPECT_NEAR(
          Proc::FrameSampleCount2Duration(uint64_t(audio->GetSamplesCount()), audio->GetAudioFormat().sampleRate),
          unit.GetDuration(), 1)
          << "its duration is not that of its samples";
    }
  }
  if (endless) return;
  ASSERT_LE(units.size(), size_t(kReadLimit)) << "no end within " << kReadLimit << " reads";
  const long long end = stream->GetPosition();
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(ReadUnit(*stream, i % 2 == 0)) << "read " << i << " after the end";
    EXPECT_EQ(stream->GetPosition(), end);
  }
}

TEST_P(StreamContract, SeekToZeroReplaysAndHandedOutDataNeverChange) {
  const SP<IStream> stream = GetParam()();
  const std::vector<Unit> first = ReadUnits(*stream, kReplayUnits);
  ASSERT_FALSE(first.empty()) << "the stream yields no data";
  SeekToZero(*stream);
  EXPECT_EQ(Snapshots(ReadUnits(*stream, int(first.size()))), Snapshots(first))
      << "times and digests after a seek to 0";
  EXPECT_EQ(Snapshots(first, true), Snapshots(first)) << "data handed out were changed by later reads";
}

TEST_P(StreamContract, DescribesItselfAndTerminateMayBeRepeated) {
  const SP<IStream> stream = GetParam()();
  Proc::Visitors::InfoCollector info;
  stream->Accept(info);
  EXPECT_FALSE(info.names.empty()) << "Accept does not report the stream";
  EXPECT_TRUE(stream->GetFormatCodecBase()) << "no format description";
  EXPECT_FALSE(stream->IsTerminated());
  stream->Terminate();
  stream->Terminate();
  EXPECT_TRUE(stream->IsTerminated());
}

// Readers take the decorator's lock for a seek to 0 and two reads; another thread makes
// the calls the decorator does not lock, Terminate among them. Every reader must see the
// first units (fewer only once terminated), and what it was handed must not change.
TEST_P(StreamContract, TheLockableDecoratorSharesItBetweenThreads) {
  const SP<IStream> stream = GetParam()();
  SP<IStream> shared;
  if (auto* video = dynamic_cast<Proc::IStreamVideo*>(stream.get())) shared = Proc::IStreamVideoLockable::Create(video);
  if (auto* audio = dynamic_cast<Proc::IStreamAudio*>(stream.get())) shared = Proc::IStreamAudioLockable::Create(audio);
  if (!shared) GTEST_SKIP() << "only video and audio streams have a lockable decorator";
  ILockable& lock = dynamic_cast<ILockable&>(*shared);
  const std::vector<std::string> expected = Snapshots(ReadUnits(*shared, 2));

  std::atomic<int> faults{0}, readersDone{0}, rounds{0};
  auto reader = [&] {
    std::vector<Unit> kept;
    for (int round = 0; round < kRounds; ++round, ++rounds) {
      lock.Lock();
      SeekToZero(*shared);
      const std::vector<Unit> units = ReadUnits(*shared, 2);
      lock.Unlock();
      const std::vector<std::string> seen = Snapshots(units);
      const bool prefix = seen.size() <= expected.size() && std::equal(seen.begin(), seen.end(), expected.begin());
      if (!prefix || (seen.size() < expected.size() && !stream->IsTerminated())) ++faults;
      if (round == 0 || round + 1 == kRounds) kept.insert(kept.end(), units.begin(), units.end());
    }
    if (Snapshots(kept, true) != Snapshots(kept)) ++faults;
    ++readersDone;
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) threads.emplace_back(reader);
  threads.emplace_back([&] {
    for (bool terminated = false; readersDone < kThreads; std::this_thread::yield()) {
      shared->GetDuration();
      shared->IsTerminated();
      shared->GetFormatCodecBase();
      shared->GetStatistic();
      if (!terminated && rounds >= kThreads * kRounds / 2) {
        shared->Terminate();
        terminated = true;
      }
    }
  });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(faults.load(), 0) << "rounds that saw other data than the first units, or data that changed later";
}

}  // namespace Tivrel::Testing
