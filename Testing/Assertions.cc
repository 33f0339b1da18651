#include "Testing/Assertions.h"

#include <cstring>
#include <ostream>
#include <stdexcept>

#include <boost/exception/get_error_info.hpp>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/IDataAudio.h"
#include "Proc/Interfaces/IDataPacket.h"

namespace Tivrel::Testing {
namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string Describe(const Proc::IDataVideo& frame) {
  const Proc::FrameInfo& info = frame.GetFrameInfo();
  const PixFmtDescription* format = PixFmtDescription::Find(frame.GetPixFmt());
  return (format ? format->name : "unknown format") + " " + std::to_string(info.width) + "x" +
         std::to_string(info.height) + " aspect " + std::to_string(info.aspectX) + ":" + std::to_string(info.aspectY);
}

MATCHER_P4(ThrownAtImpl, description, file, function, line,
           "is described as \"" + description + "\" and thrown at " + file + ":" + std::to_string(line) + " in \"" +
               function + "\"") {
  const auto* located = dynamic_cast<const boost::exception*>(&arg);
  const std::string* tagged = located ? boost::get_error_info<TagDescription>(*located) : nullptr;
  const std::string text = tagged ? *tagged : FirstLine(arg.what());
  const char* const* at = located ? boost::get_error_info<boost::throw_file>(*located) : nullptr;
  const char* const* in = located ? boost::get_error_info<boost::throw_function>(*located) : nullptr;
  const int* number = located ? boost::get_error_info<boost::throw_line>(*located) : nullptr;
  *result_listener << "described as \"" << text << "\", thrown at " << (at ? *at : "(no file)") << ":"
                   << (number ? *number : -1) << " in \"" << (in ? *in : "(no function)") << "\"";
  return text == description && at && file == *at && in && function == *in && (line < 0 || (number && *number == line));
}

MATCHER_P(ErrorIsImpl, expected, "converts to\n" + Proc::ProcessingErrorToString(expected)) {
  if (!arg) {
    *result_listener << "which holds no exception";
    return false;
  }
  const Proc::ProcessingError actual = Proc::ProcessingError::MakeProcessingErrorFromException(arg);
  *result_listener << "which converts to\n" << Proc::ProcessingErrorToString(actual);
  return actual.GetErrorCode() == expected.GetErrorCode() &&
         FirstLine(actual.GetErrorDescription()) == FirstLine(expected.GetErrorDescription()) &&
         actual.GetSourceCodeFileName() == expected.GetSourceCodeFileName() &&
         actual.GetSourceCodeFunction() == expected.GetSourceCodeFunction() &&
         actual.GetSourceCodeLine() == expected.GetSourceCodeLine();
}

}  // namespace

::testing::AssertionResult FramesEqual(const char* aText, const char* bText, const SP<const Proc::IDataVideo>& a,
                                       const SP<const Proc::IDataVideo>& b) {
  if (!a || !b) {
    if (!a && !b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (a ? bText : aText) << " is null, the other frame is not";
  }
  if (a->GetPixFmt() != b->GetPixFmt() || a->GetFrameInfo() != b->GetFrameInfo()) {
    return ::testing::AssertionFailure() << aText << " is " << Describe(*a) << ", " << bText << " is " << Describe(*b);
  }
  for (unsigned char p = 0; p < Proc::GetPlanesCount(*a); ++p) {
    const Proc::PlaneConst pa = a->GetPlane(p), pb = b->GetPlane(p);
    if (pa.width != pb.width || pa.height != pb.height) {
      return ::testing::AssertionFailure()
             << "plane " << int(p) << " is " << pa.width << " bytes x " << pa.height << " lines in " << aText << ", "
             << pb.width << " x " << pb.height << " in " << bText;
    }
    for (unsigned long y = 0; y < pa.height; ++y) {
      const unsigned char* la = pa.GetOffsetPtr(0, y);
      const unsigned char* lb = pb.GetOffsetPtr(0, y);
      if (std::memcmp(la, lb, pa.width) == 0) continue;
      unsigned long x = 0;
      while (la[x] == lb[x]) ++x;
      return ::testing::AssertionFailure()
             << aText << " and " << bText << " (" << Describe(*a) << ") first differ in plane " << int(p) << ", line "
             << y << ", byte " << x << ": " << int(la[x]) << " vs " << int(lb[x]);
    }
  }
  return ::testing::AssertionSuccess();
}

std::string Digest(const SP<Proc::IData>& data) {
  if (auto* video = dynamic_cast<Proc::IDataVideo*>(data.get())) return Proc::CalculateVideoDataMD5(video);
  if (auto* audio = dynamic_cast<Proc::IDataAudio*>(data.get())) return Proc::CalculateAudioDataMD5(audio);
  if (auto* packet = dynamic_cast<Proc::IDataPacket*>(data.get())) return Proc::CalculatePacketDataMD5(packet);
  throw std::invalid_argument(data ? "Digest: no digest for this kind of data" : "Digest: null data");
}

::testing::Matcher<const std::exception&> ThrownAt(const std::string& description, const std::string& file,
                                                   const std::string& function, int line) {
  return ThrownAtImpl(description, file, function, line);
}

::testing::Matcher<const ExceptionPtr&> ErrorIs(const Proc::ProcessingError& expected) { return ErrorIsImpl(expected); }

}  // namespace Tivrel::Testing
