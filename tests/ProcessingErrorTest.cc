#include <stdexcept>
#include <string>

#include <boost/exception/diagnostic_information.hpp>
#include <gtest/gtest.h>

#include "Proc/Interfaces/ProcessingError.h"

namespace Tivrel::Proc {
namespace {

template <class E>
ExceptionPtr Store(const E& e) {
  return std::make_exception_ptr(e);
}

TEST(ProcessingErrorTest, CodeNames) {
  const std::pair<int, const char*> cases[] = {
      {0, "NoErrors"},          {12, "NeedToDisableIMAcceleration"}, {21, "TranscodingException"},
      {23, "IPCError"},         {34, "NotEnoughMemory"},             {43, "IncorrectFilePath"},
      {44, "MaxErrorValue"},    {45, "UnknownError"},                {-1, "UnknownError"},
  };
  for (const auto& [value, name] : cases) EXPECT_EQ(TranscodingErrorToString(TranscodingErrors(value)), name);
}

TEST(ProcessingErrorTest, FamilyMemberGivesThrowSiteDescriptionCodeAndCodec) {
  ExceptionPtr thrown;
  try {
    ThrowError<FilterException>("Object was initialized with incorrect class (X)!",
                                TIVREL_THROW_SITE("void Tivrel::Proc::Reader()", 77));
  } catch (...) {
    thrown = std::current_exception();
  }
  const ProcessingError fromThrow = ProcessingError::MakeProcessingErrorFromException(thrown);
  EXPECT_EQ(ProcessingErrorToString(fromThrow),
            "ProcessingError: \n[code]: 21\n[description]: Object was initialized with incorrect class (X)!\n"
            "[code filename]: tests/ProcessingErrorTest.cc\n[code function]: void Tivrel::Proc::Reader()\n"
            "[code line]: 77\n");
  EXPECT_EQ(fromThrow.GetCodecID(), "");

  Exception tagged;
  tagged << TagDescription("disk full") << TagTranscodingErrorCode(NotEnoughDiskSpace) << TagCodecID("C");
  const ProcessingError fromTags = ProcessingError::MakeProcessingErrorFromException(Store(tagged));
  EXPECT_EQ(fromTags.GetErrorCode(), NotEnoughDiskSpace);
  EXPECT_EQ(fromTags.GetCodecID(), "C");
  EXPECT_EQ(fromTags.GetErrorDescription(), "disk full");
}

TEST(ProcessingErrorTest, MemoryExceptionBecomesNotEnoughMemoryForEveryHolder) {
  Core::MemoryException tagged;
  tagged << TagTranscodingErrorCode(NotEnoughMemoryForFilter);
  for (const auto& original : {Core::MemoryException(), tagged}) {
    const ExceptionPtr stored = Store(original);
    const ExceptionPtr otherHolder = stored;
    const ProcessingError error = ProcessingError::MakeProcessingErrorFromException(stored);
    EXPECT_EQ(error.GetErrorCode(), NotEnoughMemory);
    EXPECT_EQ(error.GetErrorDescription(), "");
    try {
      RethrowException(otherHolder);
    } catch (const Core::MemoryException& e) {
      // Seen by the other holder, and printed as a number in diagnostics.
      EXPECT_NE(boost::diagnostic_information(e).find("] = 34\n"), std::string::npos)
          << boost::diagnostic_information(e);
    }
  }
}

TEST(ProcessingErrorTest, OtherExceptionsKeepTheDefaults) {
  const std::pair<ExceptionPtr, const char*> cases[] = {
      {Store(std::runtime_error("M")), "M"}, {Store(Exception()), ""}, {Store(DecoderException()), ""}};
  for (const auto& [stored, description] : cases) {
    const ProcessingError error = ProcessingError::MakeProcessingErrorFromException(stored);
    EXPECT_EQ(ProcessingErrorToString(error), "ProcessingError: \n[code]: 21\n[description]: " +
                                                  std::string(description) +
                                                  "\n[code filename]: \n[code function]: \n[code line]: -1\n");
    EXPECT_EQ(error.GetCodecID(), "");
  }
  EXPECT_THROW(ProcessingError::MakeProcessingErrorFromException(Store(42)), int);
}

TEST(ProcessingErrorTest, NullPointerIsRefusedWithStackAndThrowSite) {
  try {
    ProcessingError::MakeProcessingErrorFromException(nullptr);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("exception is NULL\n#0 0x", 0), 0u) << message;
    // Exported functions appear by their demangled names.
    EXPECT_NE(message.find(" Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException("), std::string::npos);
    const auto& location = dynamic_cast<const boost::exception&>(e);
    EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(location),
                 "static Tivrel::Proc::ProcessingError "
                 "Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(Tivrel::ExceptionPtr)");
    EXPECT_STREQ(*boost::get_error_info<boost::throw_file>(location), "Proc/Interfaces/ProcessingError.cc");
  }
}

}  // namespace
}  // namespace Tivrel::Proc
