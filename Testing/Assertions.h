#pragma once

// Assertions that explain their failures.
//
//   EXPECT_PRED_FORMAT2(FramesEqual, a, b);        first differing plane, line, column, values
//   EXPECT_THAT(frame, HasDigest("9a0...:64:48:0"));   the library's digest text of a datum
//   EXPECT_THAT([&] { f(); }, ::testing::Throws<std::logic_error>(Described("Use typed settings instead")));
//   EXPECT_THAT([&] { f(); }, ::testing::Throws<std::logic_error>(
//       ThrownAt("Use typed settings instead", "Proc/Interfaces/X.cc", "void f()", 74)));
//   EXPECT_THAT(errorPointer, ErrorIs(ProcessingError(code, file, function, line, description, "")));
//
// Descriptions are compared up to their first line feed: a standard exception thrown by
// the library carries its call stack after it.

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/ProcessingError.h"

namespace Tivrel::Testing {

// Same pixel format, frame info and line bytes in every plane (strides and the bytes
// between lines are not compared), as IsDataVideoEqual decides; the failure names the
// first difference. Two null frames are equal.
::testing::AssertionResult FramesEqual(const char* aText, const char* bText, const SP<const Proc::IDataVideo>& a,
                                       const SP<const Proc::IDataVideo>& b);

// The library's digest text of a video frame, audio block or packet (CalculateVideoDataMD5
// and its siblings). Throws std::invalid_argument for null or any other kind of datum.
std::string Digest(const SP<Proc::IData>& data);

MATCHER_P(HasDigest, digest, "has the digest " + ::testing::PrintToString(digest)) {
  const std::string actual = Digest(arg);
  *result_listener << "whose digest is " << actual;
  return actual == digest;
}

// Matches an exception with this description (TagDescription of the library's exception
// family, the first line of a standard exception's message) thrown at this site; a line of
// -1 matches any line.
::testing::Matcher<const std::exception&> ThrownAt(const std::string& description, const std::string& file,
                                                   const std::string& function, int line = -1);
// The same for the description alone, thrown anywhere.
::testing::Matcher<const std::exception&> Described(const std::string& description);

// Matches a stored exception that ProcessingError::MakeProcessingErrorFromException turns
// into `expected`: code, description, throw file, function and line (the codec ID is not
// compared).
::testing::Matcher<const ExceptionPtr&> ErrorIs(const Proc::ProcessingError& expected);

}  // namespace Tivrel::Testing
