#pragma once

// GoogleMock mocks of the interfaces an implementer calls or is called by.
//
// Reference-counted mocks count with RefCountImpl: create them with new and hold them in
// an SP, e.g. `SP<MockVideoStream> stream(new StrictMock<MockVideoStream>)`. Only what an
// interface leaves abstract is mocked, plus IEffect::SetSettings (which effects are
// configured through); every other operation keeps the library's default behaviour.

#include <cstdint>
#include <string>

#include <gmock/gmock.h>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IEffectFactory.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Interfaces/IStream.h"
#include "Proc/Interfaces/IStreamVideoDecoder.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Proc/Interfaces/ProgressControllerStages.h"
#include "Proc/Interfaces/StreamProcessorBase.h"

namespace Tivrel::Testing {

// A stream of `Interface` whose Read gives `Data` and whose format description is `Format`.
template <class Interface, class Data, class Format>
class MockStream : public Interface, public RefCountImpl {
public:
  MOCK_METHOD(void, Initialize, (const Core::Property&), (override));
  MOCK_METHOD(Core::Property, GetSettings, (), (const, override));
  MOCK_METHOD(long long, GetDuration, (), (const, override));
  MOCK_METHOD(long long, GetPosition, (), (override));
  MOCK_METHOD(SP<Proc::IData>, ReadStream, (), (override));
  MOCK_METHOD(void, RequestSeek, (long long, SP<Proc::IStream>), (override));
  MOCK_METHOD(void, DoSeek, (), (override));
  MOCK_METHOD(bool, GetSeekResult, (), (override));
  MOCK_METHOD(Core::Property, GetStatistic, (), (const, override));
  MOCK_METHOD(void, Terminate, (), (override));
  MOCK_METHOD(bool, IsTerminated, (), (const, override));
  MOCK_METHOD(void, ReleaseInternalData, (), (override));
  MOCK_METHOD(void, Accept, (Proc::IStreamVisitor&), (override));
  MOCK_METHOD(SP<Data>, Read, (), (override));
  MOCK_METHOD(SP<Format>, GetFormatCodec, (), (const, override));
};

using MockVideoStream = MockStream<Proc::IStreamVideo, Proc::IDataVideo, Conf::IFormatCodecVideo>;
using MockAudioStream = MockStream<Proc::IStreamAudio, Proc::IDataAudio, Conf::IFormatCodecAudio>;
using MockVideoDecoder = MockStream<Proc::IStreamVideoDecoder, Proc::IDataVideo, Conf::IFormatCodecVideo>;

// The inherited defaults stay reachable as IEffect::SetSettings and so on.
class MockVideoEffect : public Proc::IOneInputEffectVideo, public RefCountImpl {
public:
  MOCK_METHOD(void, Initialize, (const Core::Property&), (override));
  MOCK_METHOD(Core::Property, GetSettings, (), (const, override));
  MOCK_METHOD(void, Reset, (), (override));
  MOCK_METHOD(SP<Proc::IData>, Flush, (), (override));
  MOCK_METHOD(void, SetSettings, (const Proc::Settings&), (override));
  MOCK_METHOD(void, ProcessVideoData, (SP<Proc::IDataVideo>&), (override));
};

class MockEffectFactory : public Proc::IEffectFactory, public RefCountImpl {
public:
  MOCK_METHOD(SP<Proc::IOneInputEffectVideo>, CreateVideoEffect,
              (const std::string&, const std::string&, const SP<IRefCountable>&), (const, override));
};

// Called under the job's mutex: an action must not call back into the same job.
class MockProcessingEvents : public Proc::IProcessingEvents {
public:
  MOCK_METHOD(void, OnError, (const ExceptionPtr&), (override));
  MOCK_METHOD(void, OnProgress, (int, long long, long long, int, int), (override));
  MOCK_METHOD(void, OnStarted, (), (override));
  MOCK_METHOD(void, OnPaused, (), (override));
  MOCK_METHOD(void, OnResumed, (), (override));
  MOCK_METHOD(void, OnFinished, (), (override));
};

class MockProgressController : public virtual Core::IProgressController, public RefCountImpl {
public:
  MOCK_METHOD(void, Notify, (NotifyEvent), (override));
  MOCK_METHOD(void, SetMaximum, (long long), (override));
  MOCK_METHOD(void, SetProgress, (long long), (override));
  MOCK_METHOD(void, IncProgress, (long long), (override));
  MOCK_METHOD(bool, CheckForStop, (), (const, override));
};

class MockProgressObserver : public Core::IProgressObserver {
public:
  MOCK_METHOD(void, OnProgressChanged, (long long, long long), (override));
  MOCK_METHOD(void, OnNotify, (int), (override));
};

class MockStreamVisitor : public Proc::IStreamVisitor {
public:
  MOCK_METHOD(int32_t, GetType, (), (const, override));
};

}  // namespace Tivrel::Testing
