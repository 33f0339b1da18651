// Processing error records: code names, conversion from every kind of exception, the memory code and refusals.

#include <stdexcept>
#include <string>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <boost/exception/diagnostic_information.hpp>

#include "Proc/Interfaces/ProcessingError.h"

namespace Tivrel::Proc {
namespace {

using std::make_exception_ptr;

// The text form of a record without a throw location.
std::string Text(int code, const std::string& description) {
  return "ProcessingError: \n[code]: " + std::to_string(code) + "\n[description]: " + description +
         "\n[code filename]: \n[code function]: \n[code line]: -1\n";
}

TEST(ProcessingErrorTest, CodeNames) {
  const std::pair<int, const char*> cases[] = {
      {0, "NoErrors"},         {12, "NeedToDisableIMAcceleration"}, {21, "TranscodingException"}, {23, "IPCError"},
      {34, "NotEnoughMemory"}, {43, "IncorrectFilePath"},           {44, "MaxErrorValue"},        {45, "UnknownError"},
      {-1, "UnknownError"},
  };
  for (const auto& [value, name] : cases) EXPECT_EQ(TranscodingErrorToString(TranscodingErrors(value)), name);
}

// An exception thrown the way the library throws, with a location.
template <class E>
ExceptionPtr ThrownAt77(const std::string& description) {
  try {
    ThrowError<E>(description, TIVREL_THROW_SITE("void Tivrel::Proc::Reader()", 77));
  } catch (...) {
    return std::current_exception();
  }
}

TEST(ProcessingErrorTest, ExceptionsConvertToTheirRecords) {
  const ExceptionPtr thrown = ThrownAt77<FilterException>("Object was initialized with incorrect class (X)!");
  Exception tagged;
  tagged << TagDescription("disk full") << TagTranscodingErrorCode(NotEnoughDiskSpace) << TagCodecID("C");
  Core::MemoryException memoryForFilter;
  memoryForFilter << TagTranscodingErrorCode(NotEnoughMemoryForFilter);
  const std::tuple<ExceptionPtr, std::string, const char*> cases[] = {
      // exception, text, codec
      {thrown,
       "ProcessingError: \n[code]: 21\n[description]: Object was initialized with incorrect class (X)!\n"
       "[code filename]: tests/ProcessingErrorTest.cc\n[code function]: void Tivrel::Proc::Reader()\n"
       "[code line]: 77\n",
       ""},
      {make_exception_ptr(tagged), Text(22, "disk full"), "C"},
      {make_exception_ptr(std::runtime_error("M")), Text(21, "M"), ""},
      {make_exception_ptr(Exception()), Text(21, ""), ""},
      {make_exception_ptr(DecoderException()), Text(21, ""), ""},
      {make_exception_ptr(Core::MemoryException()), Text(34, ""), ""},
      {make_exception_ptr(memoryForFilter), Text(34, ""), ""},
  };
  for (const auto& [stored, text, codec] : cases) {
    const ProcessingError error = ProcessingError::MakeProcessingErrorFromException(stored);
    EXPECT_EQ(ProcessingErrorToString(error), text);
    EXPECT_EQ(error.GetCodecID(), codec);
  }
  EXPECT_THROW(ProcessingError::MakeProcessingErrorFromException(make_exception_ptr(42)), int);

  // A standard exception keeps only its message, although the library's throw recorded a location.
  const ProcessingError standard =
      ProcessingError::MakeProcessingErrorFromException(ThrownAt77<std::invalid_argument>("bad"));
  EXPECT_THAT(standard.GetErrorDescription(), ::testing::StartsWith("bad\n"));
  EXPECT_EQ(std::make_tuple(standard.GetSourceCodeFileName(), standard.GetSourceCodeFunction(),
                            standard.GetSourceCodeLine(), standard.GetErrorCode()),
            std::make_tuple("", "", -1, TranscodingException));
}

TEST(ProcessingErrorTest, MemoryCodeIsAttachedForEveryHolder) {
  Core::MemoryException memoryForFilter;
  memoryForFilter << TagTranscodingErrorCode(NotEnoughMemoryForFilter);
  const ExceptionPtr stored = make_exception_ptr(memoryForFilter);
  const ExceptionPtr otherHolder = stored;
  ProcessingError::MakeProcessingErrorFromException(stored);
  try {
    RethrowException(otherHolder);
  } catch (const Core::MemoryException& e) {
    // The replaced code, printed as a number in diagnostics.
    EXPECT_NE(boost::diagnostic_information(e).find("] = 34\n"), std::string::npos) << boost::diagnostic_information(e);
  }
}

// Exported functions appear in the call stack by their demangled names.
TEST(ProcessingErrorTest, NullPointerIsRefusedWithACallStack) {
  const auto convertNull = [] { ProcessingError::MakeProcessingErrorFromException(nullptr); };
  EXPECT_THAT(convertNull, ::testing::ThrowsMessage<std::invalid_argument>(::testing::HasSubstr(
                               " Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(")));
}

}  // namespace
}  // namespace Tivrel::Proc
