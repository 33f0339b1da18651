#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/AudioBlock.h"
#include "Proc/Interfaces/AudioTime.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Testing/Assertions.h"
#include "Testing/Contracts.h"
#include "Testing/Frames.h"
#include "Testing/JobHarness.h"
#include "Testing/Mocks.h"

namespace Tivrel::Testing {

// Referring to any suite's CaseName links all three suites into the test program.
std::string StreamContract::CaseName(const ::testing::TestParamInfo<ParamType>&) { return "contract"; }
std::string EffectContract::CaseName(const ::testing::TestParamInfo<ParamType>&) { return "contract"; }
std::string JobContract::CaseName(const ::testing::TestParamInfo<ParamType>&) { return "contract"; }
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(StreamContract);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EffectContract);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(JobContract);

SP<Proc::IDataVideo> EffectUnderTest::DefaultEffectInput() {
  SP<Media::VideoFrame> frame = MakeBars(PIX_FMT_YUV420P, 64, 48);
  frame->SetTime(0);
  frame->SetDuration(40000);
  return frame;
}

namespace {

using Proc::IData;
using Proc::IDataVideo;
using Proc::IStream;
using Effect = Proc::IOneInputEffectVideo;

constexpr int kReadLimit = 10000;  // reads within which a stream that is not endless must end
constexpr int kReplayUnits = 8;
constexpr int kThreads = 3;
constexpr int kRounds = 50;
constexpr int kInputs = 3;  // frames an effect is given in a row
constexpr size_t kFlushLimit = 1000;

// One unit as it was handed out: the data, the stream's position before the read, and
// its Snapshot at that moment.
struct Unit {
  SP<IData> data;
  long long position;
  std::string snapshot;
};

// A datum's time, duration and digest.
std::string Snapshot(const SP<IData>& data) {
  return std::to_string(data->GetTime()) + "+" + std::to_string(data->GetDuration()) + " " + Digest(data);
}

// The next unit, through the typed Read of video, audio and packet streams when `typed`.
SP<IData> ReadUnit(IStream& stream, bool typed) {
  if (auto* video = typed ? dynamic_cast<Proc::IStreamVideo*>(&stream) : nullptr) return video->Read();
  if (auto* audio = typed ? dynamic_cast<Proc::IStreamAudio*>(&stream) : nullptr) return audio->Read();
  if (auto* raw = typed ? dynamic_cast<Proc::IStreamRaw*>(&stream) : nullptr) return raw->Read();
  return stream.ReadStream();
}

// Up to `limit` units, typed reads and ReadStream taking turns; `seek` first seeks to 0.
std::vector<Unit> ReadUnits(IStream& stream, int limit, bool seek = false) {
  if (seek) {
    stream.RequestSeek(0, nullptr);
    stream.DoSeek();
    EXPECT_TRUE(stream.GetSeekResult()) << "a seek to 0 failed";
  }
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

// What Flush still holds, at most kFlushLimit data.
std::vector<SP<IData>> Drain(Effect& effect) {
  std::vector<SP<IData>> data;
  for (SP<IData> next; data.size() < kFlushLimit && (next = effect.Flush());) data.push_back(next);
  EXPECT_LT(data.size(), kFlushLimit) << "Flush still yields data after " << kFlushLimit << " calls";
  return data;
}

// The digests of what the effect makes of kInputs inputs (new frames from the input
// factory, stamped one after the other) and of what Flush still holds afterwards.
std::vector<std::string> Outputs(Effect& effect, const EffectUnderTest& subject) {
  std::vector<std::string> digests;
  for (int i = 0; i < kInputs; ++i) {
    const SP<IDataVideo> input = subject.input();
    input->SetTime(i * std::max(input->GetDuration(), 1LL));
    if (const SP<IData> output = effect.ProcessData(std::vector<SP<IData>>{input})) digests.push_back(Digest(output));
  }
  for (const SP<IData>& output : Drain(effect)) digests.push_back(Digest(output));
  return digests;
}

}  // namespace

// Each unit's time is the position before its read; it lasts a duration of at least 0 (an
// audio block that of its samples), ends before the next unit and the stream; after the
// last unit, reads find the end and leave the position.
TEST_P(StreamContract, TimesFollowThePositionAndTheEndStaysTheEnd) {
  const SP<IStream> stream = GetParam()();
  const bool endless = stream->GetDuration() == IStream::DURATION_ENDLESS;
  const std::vector<Unit> units = ReadUnits(*stream, endless ? kReplayUnits : kReadLimit + 1);
  ASSERT_FALSE(units.empty()) << "the stream yields no data";
  for (size_t i = 0; i < units.size() && !HasFailure(); ++i) {
    const IData& unit = *units[i].data;
    const long long end = unit.GetTime() + unit.GetDuration();
    SCOPED_TRACE(::testing::Message() << "unit " << i << " at position " << units[i].position << ", time "
                                      << unit.GetTime() << ", duration " << unit.GetDuration());
    EXPECT_EQ(unit.GetTime(), units[i].position);
    EXPECT_GE(unit.GetDuration(), 0);
    EXPECT_LE(end, i + 1 < units.size() ? units[i + 1].data->GetTime() : end) << "it overlaps the next unit";
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
  EXPECT_EQ(Snapshots(ReadUnits(*stream, int(first.size()), true)), Snapshots(first))
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
      const std::vector<Unit> units = ReadUnits(*shared, 2, true);
      lock.Unlock();
      const std::vector<std::string> seen = Snapshots(units);
      const bool prefix = seen.size() <= expected.size() && std::equal(seen.begin(), seen.end(), expected.begin());
      if (!prefix || (seen.size() < expected.size() && !stream->IsTerminated())) ++faults;
      if (round == 0 || round + 1 == kRounds) kept.insert(kept.end(), units.begin(), units.end());
    }
    if (Snapshots(kept, true) != Snapshots(kept)) ++faults;
    ++readersDone;
  };
  std::vector<std::thread> threads(kThreads);
  for (std::thread& thread : threads) thread = std::thread(reader);
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
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(faults.load(), 0) << "rounds that saw other data than the first units, or data that changed later";
}

TEST_P(EffectContract, DefaultBehavioursHold) {
  const SP<Effect> effect = GetParam().create();
  EXPECT_NO_THROW(effect->GetStatistic());
  const SP<IData> frame = GetParam().input();
  EXPECT_THROW(effect->ProcessData(std::vector<SP<IData>>{}), std::logic_error);
  EXPECT_THROW(effect->ProcessData(std::vector<SP<IData>>{frame, frame}), std::logic_error);
  const SP<IData> audio = Media::AudioBlock::Create({48000, Conf::SAMPLE_FMT_S16, Conf::CH_LAYOUT_STEREO}, 16);
  SP<IData> datum = audio;
  EXPECT_THROW(effect->ProcessData(datum), std::bad_cast);
  EXPECT_EQ(datum, audio);
  datum = nullptr;
  EXPECT_THROW(effect->ProcessData(datum), std::invalid_argument);
  Proc::TimeToProgress given(1000, 3000, nullptr);
  effect->SetProgress(given);
  given.begin = 0;
  EXPECT_EQ(effect->GetProgress().begin, 1000) << "the effect keeps the mapping it was given, as a copy";
  EXPECT_EQ(effect->GetProgress().end, 3000);
}

TEST_P(EffectContract, SettingsSurviveAPropertyTreeRoundTrip) {
  const SP<Effect> original = GetParam().create();
  const SP<Effect> reconfigured = GetParam().create();
  const Core::Property settings = original->GetSettings();
  reconfigured->Initialize(settings);
  EXPECT_EQ(reconfigured->GetSettings(), settings) << "Initialize did not take the tree GetSettings gave";
  EXPECT_EQ(Outputs(*reconfigured, GetParam()), Outputs(*original, GetParam()))
      << "the effect configured from its own tree works differently";
}

TEST_P(EffectContract, ResetRepeatsTheOutput) {
  const SP<Effect> effect = GetParam().create();
  const std::vector<std::string> first = Outputs(*effect, GetParam());
  effect->Reset();
  EXPECT_EQ(Outputs(*effect, GetParam()), first) << "the output after Reset differs";
}

// The caller keeps its frame (and a view of it) while the effect processes them through
// both ProcessData calls: pixels, time and duration must stay as they were.
TEST_P(EffectContract, NeverWritesAFrameTheCallerStillHolds) {
  const SP<Effect> effect = GetParam().create();
  const SP<IDataVideo> input = GetParam().input();
  const SP<IDataVideo> view = input->Clone(false);
  const std::string before = Snapshot(input);
  effect->ProcessData(std::vector<SP<IData>>{input});
  SP<IData> inPlace = view;
  effect->ProcessData(inPlace);
  Drain(*effect);
  EXPECT_EQ(Snapshot(input), before) << "the effect wrote or restamped the frame the caller still holds";
  EXPECT_EQ(Snapshot(view), before) << "the effect wrote or restamped the view the caller still holds";
}

TEST_P(JobContract, RunsReportStartedProgressAndFinishedInOrder) {
  const SP<Proc::IStreamProcessor> job = GetParam()();
  for (int run = 0; run < 2; ++run) {  // a joined job runs again
    const std::vector<JobEvent> events = RunJob(*job);
    EXPECT_TRUE(FollowsTheEventProtocol(events)) << "run " << run;
    EXPECT_THAT(ToStrings(events), ::testing::Contains("started").Times(1)) << "run " << run;
    EXPECT_FALSE(job->IsRunning());
  }
}

// The job runs three times under Pause, Resume and Stop, then once to its end; a second
// job is released while it runs. Stop must always release the worker, and every run
// must be reported whole.
TEST_P(JobContract, StartPauseResumeStopCyclesEndTheWorker) {
  const SP<Proc::IStreamProcessor> job = GetParam()();
  JobRecorder recorder;
  job->SetEventsHandler(&recorder);
  job->Pause();  // before Start: only the flag, which Start clears
  for (int cycle = 0; cycle < 3; ++cycle) {
    job->Start();
    EXPECT_THROW(job->Start(), Proc::ProcException) << "a second Start while a worker is held";
    job->Pause();
    if (cycle > 0) job->Resume();
    if (cycle > 1) job->Pause();
    job->Stop();
    EXPECT_FALSE(job->IsRunning()) << "cycle " << cycle;
  }
  job->Start();
  job->WaitUntilStopped();
  job->SetEventsHandler(nullptr);
  const std::vector<JobEvent> events = recorder.Take();
  EXPECT_TRUE(FollowsTheEventProtocol(events));
  EXPECT_THAT(ToStrings(events), ::testing::Contains("started").Times(4));

  const SP<Proc::IStreamProcessor> released = GetParam()();
  released->Start();
}

// The handler's calls come on the worker with the job's mutex held: Stop or
// WaitUntilStopped from there would wait for the worker itself.
TEST_P(JobContract, StopFromTheJobsOwnHandlerIsRefused) {
  const SP<Proc::IStreamProcessor> job = GetParam()();
  std::atomic<int> calls{0};
  const auto stopFromHandler = [&] {
    ++calls;
    EXPECT_THROW(job->Stop(), std::logic_error) << "Stop from the job's own handler";
    EXPECT_THROW(job->WaitUntilStopped(), std::logic_error) << "WaitUntilStopped from the job's own handler";
  };
  ::testing::NiceMock<MockProcessingEvents> events;
  ON_CALL(events, OnStarted()).WillByDefault(stopFromHandler);
  ON_CALL(events, OnProgress).WillByDefault(::testing::InvokeWithoutArgs(stopFromHandler));
  ON_CALL(events, OnError).WillByDefault(::testing::InvokeWithoutArgs(stopFromHandler));
  ON_CALL(events, OnFinished()).WillByDefault(stopFromHandler);
  job->SetEventsHandler(&events);
  {
    Watchdog watchdog(std::chrono::seconds(30), "Stop called from the job's own event handler");
    job->Start();
    job->WaitUntilStopped();
  }
  job->SetEventsHandler(nullptr);
  EXPECT_GE(calls.load(), 2) << "the handler was not called for the start and the end";
}

}  // namespace Tivrel::Testing
