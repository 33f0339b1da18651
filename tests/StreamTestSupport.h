#pragma once

// Mocked streams and a check of the library's throw sequence, shared by several tests.

#include <functional>
#include <string>
#include <type_traits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>

#include "Platform/Core/Exception.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IStream.h"
#include "Proc/Interfaces/IStreamVideoDecoder.h"
#include "Proc/Interfaces/IStreamVisitor.h"

namespace Tivrel::Testing {

// The operations every stream has, for the mocks below.
#define TIVREL_MOCK_STREAM_OPERATIONS                                         \
  MOCK_METHOD(void, Initialize, (const Core::Property&), (override));         \
  MOCK_METHOD(Core::Property, GetSettings, (), (const, override));            \
  MOCK_METHOD(long long, GetDuration, (), (const, override));                 \
  MOCK_METHOD(long long, GetPosition, (), (override));                        \
  MOCK_METHOD(SP<Proc::IData>, ReadStream, (), (override));                   \
  MOCK_METHOD(void, RequestSeek, (long long, SP<Proc::IStream>), (override)); \
  MOCK_METHOD(void, DoSeek, (), (override));                                  \
  MOCK_METHOD(bool, GetSeekResult, (), (override));                           \
  MOCK_METHOD(Core::Property, GetStatistic, (), (const, override));           \
  MOCK_METHOD(void, Terminate, (), (override));                               \
  MOCK_METHOD(bool, IsTerminated, (), (const, override));                     \
  MOCK_METHOD(void, ReleaseInternalData, (), (override));                     \
  MOCK_METHOD(void, Accept, (Proc::IStreamVisitor&), (override))

class MockVideoStream : public Proc::IStreamVideo, public RefCountImpl {
public:
  TIVREL_MOCK_STREAM_OPERATIONS;
  MOCK_METHOD(SP<Proc::IDataVideo>, Read, (), (override));
  MOCK_METHOD(SP<Conf::IFormatCodecVideo>, GetFormatCodec, (), (const, override));
};

class MockAudioStream : public Proc::IStreamAudio, public RefCountImpl {
public:
  TIVREL_MOCK_STREAM_OPERATIONS;
  MOCK_METHOD(SP<Proc::IDataAudio>, Read, (), (override));
  MOCK_METHOD(SP<Conf::IFormatCodecAudio>, GetFormatCodec, (), (const, override));
};

class MockVideoDecoder : public Proc::IStreamVideoDecoder, public RefCountImpl {
public:
  TIVREL_MOCK_STREAM_OPERATIONS;
  MOCK_METHOD(SP<Proc::IDataVideo>, Read, (), (override));
  MOCK_METHOD(SP<Conf::IFormatCodecVideo>, GetFormatCodec, (), (const, override));
};

#undef TIVREL_MOCK_STREAM_OPERATIONS

// Expects `call` to throw E through the library's throw sequence: the description (family
// members) or the message followed by the call stack (standard exceptions), and the
// recorded location (the line only when one is given).
template <class E>
void ExpectThrowSite(const std::function<void()>& call, const std::string& message, const char* file,
                     const char* function, int line = -1) {
  try {
    call();
    ADD_FAILURE() << "no exception from " << function;
  } catch (const E& e) {
    if constexpr (std::is_base_of_v<Exception, E>) {
      const std::string* description = boost::get_error_info<TagDescription>(e);
      ASSERT_NE(description, nullptr);
      EXPECT_EQ(*description, message);
    } else {
      EXPECT_THAT(e.what(), ::testing::StartsWith(message + "\n"));
    }
    const auto* located = dynamic_cast<const boost::exception*>(&e);
    ASSERT_NE(located, nullptr);
    EXPECT_STREQ(*boost::get_error_info<boost::throw_file>(*located), file);
    EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(*located), function);
    if (line >= 0) {
      EXPECT_EQ(*boost::get_error_info<boost::throw_line>(*located), line);
    }
  }
}

}  // namespace Tivrel::Testing
