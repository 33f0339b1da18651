#include "Testing/Assertions.h"

#include <algorithm>
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

template <class Tag, class Value>
Value InfoOf(const std::exception& e, Value none) {
  const auto* located = dynamic_cast<const boost::exception*>(&e);
  const auto* value = located ? boost::get_error_info<Tag>(*located) : nullptr;
  return value ? *value : none;
}

// An empty file or function text matches any.
MATCHER_P4(ThrownAtImpl, description, file, function, line,
           "is described as \"" + description + "\"" +
               (file.empty() ? ""
                             : " and thrown at " + file + ":" + std::to_string(line) + " in \"" + function + "\"")) {
  const std::string text = InfoOf<TagDescription>(arg, FirstLine(arg.what()));
  const std::string at = InfoOf<boost::throw_file, const char*>(arg, "(no file)");
  const std::string in = InfoOf<boost::throw_function, const char*>(arg, "(no function)");
  const int number = InfoOf<boost::throw_line>(arg, -1);
  *result_listener << "described as \"" << text << "\", thrown at " << at << ":" << number << " in \"" << in << "\"";
  return text == description && (file.empty() || (file == at && function == in && (line < 0 || number == line)));
}

MATCHER_P(ErrorIsImpl, expected, "converts to\n" + Proc::ProcessingErrorToString(expected)) {
  if (!arg) return *result_listener << "which holds no exception", false;
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
  if (!a != !b) return ::testing::AssertionFailure() << (a ? bText : aText) << " is null, the other frame is not";
  if (!a) return ::testing::AssertionSuccess();
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
      const unsigned char *la = pa.GetOffsetPtr(0, y), *lb = pb.GetOffsetPtr(0, y);
      const unsigned long x = std::mismatch(la, la + pa.width, lb).first - la;
      if (x == pa.width) continue;
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

::testing::Matcher<const std::exception&> Described(const std::string& description) {
  return ThrownAtImpl(description, std::string(), std::string(), -1);
}

::testing::Matcher<const ExceptionPtr&> ErrorIs(const Proc::ProcessingError& expected) { return ErrorIsImpl(expected); }

}  // namespace Tivrel::Testing
