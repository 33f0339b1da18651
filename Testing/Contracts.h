#pragma once

// Contract tests: GoogleTest suites, compiled into this library, that check an
// implementation of a stream, an effect or a job against the rules every implementation
// must keep. Instantiate a suite with a factory of your own class, one line at global
// namespace scope of a test program that links Tivrel::proc_testing:
//
//   TIVREL_INSTANTIATE_CONTRACT(StreamContract, MyReader, [] { return My::Reader::Create(); });
//   TIVREL_INSTANTIATE_CONTRACT(EffectContract, MyBlur, [] { return My::MakeConfiguredBlur(); });
//   TIVREL_INSTANTIATE_CONTRACT(JobContract, MyJob, [] { return SP<Proc::IStreamProcessor>(new My::Job); });
//
// The factory is compiled inside namespace Tivrel::Testing (so Proc::, SP and the kit's
// names need no qualification, your own names do). The cases are named
// Name/Suite.Case/contract, and each runs under a Watchdog: an implementation that hangs
// fails its case instead of stalling the run.

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Interfaces/IStream.h"
#include "Proc/Interfaces/StreamProcessorBase.h"
#include "Testing/Watchdog.h"

#define TIVREL_INSTANTIATE_CONTRACT(Suite, Name, ...)                                                       \
  namespace Tivrel::Testing {                                                                               \
  INSTANTIATE_TEST_SUITE_P(Name, Suite, ::testing::Values(Suite::ParamType{__VA_ARGS__}), Suite::CaseName); \
  }

namespace Tivrel::Testing {

// Shared by the suites: the watchdog of every case.
template <class Param>
class Contract : public ::testing::TestWithParam<Param> {
protected:
  Watchdog watchdog_{std::chrono::seconds(120), "the contract case"};
};

// A stream of any kind, seen as IStream (the typed Read of video, audio and packet streams
// is used as well). Checked: timestamps follow GetPosition and the durations; the end of a
// stream stays the end; a seek to 0 replays the same data; data handed out never change
// afterwards; Terminate may be repeated; a video or audio stream can be shared by several
// threads through the lockable decorator. The factory gives a new stream, configured and
// positioned at 0; a stream whose duration is not DURATION_ENDLESS must end within 10,000
// reads.
class StreamContract : public Contract<std::function<SP<Proc::IStream>()>> {
public:
  // Referring to it links the suite's cases into the test program.
  static std::string CaseName(const ::testing::TestParamInfo<ParamType>& info);
};

// What EffectContract is instantiated with: the effect and a frame it accepts.
struct EffectUnderTest {
  // A new effect, configured and ready for ProcessData.
  std::function<SP<Proc::IOneInputEffectVideo>()> create;
  // A new input frame; by default 64 x 48 yuv420p bars stamped at 0, lasting 40 ms.
  std::function<SP<Proc::IDataVideo>()> input = DefaultEffectInput;

  static SP<Proc::IDataVideo> DefaultEffectInput();
};

// A one-input video effect. Checked: the defaults of the effect interfaces (data count,
// kind and null refusals, the progress mapping, the statistic); GetSettings gives a tree
// with which Initialize configures a new effect to the same settings and output; Reset
// makes the effect repeat its output; a frame the caller still holds is never written.
class EffectContract : public Contract<EffectUnderTest> {
public:
  static std::string CaseName(const ::testing::TestParamInfo<ParamType>& info);
};

// A processing job. Checked: a run reports started, progress, at most one error and
// finished in that order; start, pause, resume and stop cycles and the destruction of a
// running job end the worker; Stop and WaitUntilStopped called from the job's own event
// handler are refused with std::logic_error instead of deadlocking. The factory gives a
// new job that, once started, ends by itself within a few seconds.
class JobContract : public Contract<std::function<SP<Proc::IStreamProcessor>()>> {
public:
  static std::string CaseName(const ::testing::TestParamInfo<ParamType>& info);
};

}  // namespace Tivrel::Testing
