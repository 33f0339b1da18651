// Exceptions: one stored object behind every base class with its tags and stack, standard exceptions, and the
// processing error records made of them (code names, every kind of exception, the memory code).

#include <stdexcept>
#include <string>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <boost/exception/diagnostic_information.hpp>

#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

using std::make_exception_ptr;

// An exception thrown the way the library throws, with a location, as a worker thread hands it over.
template <class E>
ExceptionPtr ThrownAt77(const std::string& description) {
  try {
    ThrowError<E>(description, TIVREL_THROW_SITE("void Tivrel::Proc::Reader()", 77));
  } catch (...) {
    return std::current_exception();
  }
}

// The object a handler for Handler receives, as boost::exception.
template <class Handler>
const boost::exception* CatchAs(const ExceptionPtr& stored) {
  try {
    RethrowException(stored);
  } catch (const Handler& e) {
    return dynamic_cast<const boost::exception*>(&e);
  }
  return nullptr;
}

// The text form of a record without a throw location.
std::string Text(int code, const std::string& description) {
  return "ProcessingError: \n[code]: " + std::to_string(code) + "\n[description]: " + description +
         "\n[code filename]: \n[code function]: \n[code line]: -1\n";
}

TEST(ExceptionFrameTest, EveryBaseCatchesTheStoredObjectWithItsTagsAndLocation) {
  const ExceptionPtr stored = ThrownAt77<FilterException>("Filter was initialized with incorrect class (X)!");
  // One object behind every view, hence one set of tags.
  const boost::exception* views[] = {CatchAs<FilterException>(stored), CatchAs<ProcException>(stored),
                                     CatchAs<Exception>(stored), CatchAs<std::exception>(stored),
                                     CatchAs<boost::exception>(stored)};
  for (const auto* view : views) EXPECT_TRUE(view != nullptr && view == views[0]);
  ASSERT_NE(views[0], nullptr);  // its description and location: see the records below
  ASSERT_NE(boost::get_error_info<TagCallStack>(*views[0]), nullptr);
  EXPECT_EQ(boost::get_error_info<TagCallStack>(*views[0])->rfind("#0 0x", 0), 0u);
  // what() is the generic text, never the description.
  EXPECT_STREQ(dynamic_cast<const std::exception&>(*views[0]).what(), std::exception().what());
}

TEST(ExceptionFrameTest, StandardExceptionsGetTheirStackAppendedAndNullPointersAreRefused) {
  const std::invalid_argument original("data is NULL");
  const std::string message = AddStack(original).what();
  EXPECT_STREQ(original.what(), "data is NULL");
  EXPECT_EQ(message.rfind("data is NULL\n#0 0x", 0), 0u) << message;
  EXPECT_THROW(RethrowException(ExceptionPtr()), std::invalid_argument);
  // Exported functions appear in the call stack by their demangled names.
  EXPECT_THAT([] { ProcessingError::MakeProcessingErrorFromException(nullptr); },
              ::testing::ThrowsMessage<std::invalid_argument>(
                  ::testing::HasSubstr(" Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(")));
}

TEST(ProcessingErrorTest, CodeNames) {
  const std::pair<int, const char*> cases[] = {
      {0, "NoErrors"},         {12, "NeedToDisableIMAcceleration"}, {21, "TranscodingException"}, {23, "IPCError"},
      {34, "NotEnoughMemory"}, {43, "IncorrectFilePath"},           {44, "MaxErrorValue"},        {45, "UnknownError"},
      {-1, "UnknownError"},
  };
  for (const auto& [value, name] : cases) EXPECT_EQ(TranscodingErrorToString(TranscodingErrors(value)), name);
}

TEST(ProcessingErrorTest, ExceptionsConvertToTheirRecords) {
  const ExceptionPtr thrown = ThrownAt77<FilterException>("Object was initialized with incorrect class (X)!");
  Exception tagged;
  tagged << TagDescription("disk full") << TagTranscodingErrorCode(NotEnoughDiskSpace) << TagCodecID("C");
  Core::MemoryException memoryForFilter;
  memoryForFilter << TagTranscodingErrorCode(NotEnoughMemoryForFilter);
  const ExceptionPtr storedMemory = make_exception_ptr(memoryForFilter), otherHolder = storedMemory;
  const std::tuple<ExceptionPtr, std::string, const char*> cases[] = {
      // exception, text, codec
      {thrown,
       "ProcessingError: \n[code]: 21\n[description]: Object was initialized with incorrect class (X)!\n"
       "[code filename]: tests/ExceptionsTest.cc\n[code function]: void Tivrel::Proc::Reader()\n"
       "[code line]: 77\n",
       ""},
      {make_exception_ptr(tagged), Text(22, "disk full"), "C"},
      {make_exception_ptr(std::runtime_error("M")), Text(21, "M"), ""},
      {make_exception_ptr(Exception()), Text(21, ""), ""},
      {make_exception_ptr(DecoderException()), Text(21, ""), ""},
      {make_exception_ptr(Core::MemoryException()), Text(34, ""), ""},  // never thrown: no location, line -1
      {storedMemory, Text(34, ""), ""},
  };
  for (const auto& [stored, text, codec] : cases) {
    const ProcessingError error = ProcessingError::MakeProcessingErrorFromException(stored);
    EXPECT_EQ(ProcessingErrorToString(error), text);
    EXPECT_EQ(error.GetCodecID(), codec);
  }
  EXPECT_THROW(ProcessingError::MakeProcessingErrorFromException(make_exception_ptr(42)), int);
  // The memory code is attached to the stored object, so every holder sees it, printed as a number.
  try {
    RethrowException(otherHolder);
  } catch (const Core::MemoryException& e) {
    EXPECT_NE(boost::diagnostic_information(e).find("] = 34\n"), std::string::npos) << boost::diagnostic_information(e);
  }

  // A standard exception keeps only its message, although the library's throw recorded a location.
  const ProcessingError standard =
      ProcessingError::MakeProcessingErrorFromException(ThrownAt77<std::invalid_argument>("bad"));
  EXPECT_THAT(standard.GetErrorDescription(), ::testing::StartsWith("bad\n"));
  EXPECT_EQ(std::make_tuple(standard.GetSourceCodeFileName(), standard.GetSourceCodeFunction(),
                            standard.GetSourceCodeLine(), standard.GetErrorCode()),
            std::make_tuple("", "", -1, TranscodingException));
}

}  // namespace
}  // namespace Tivrel::Proc
