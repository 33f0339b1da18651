// Uses the installed headers and libraries from outside the project: an exception of
// the libraries' family, thrown here and rethrown inside them, must be caught by its
// exported types, an error record must come out of a stored exception, and a frame made by the
// data-object library must be filled and digested by the processing library.
#include <exception>
#include <iostream>
#include <string>
#include <utility>

#include "Media/PixelColor.h"
#include "Media/VideoFrame.h"
#include "Platform/Core/MD5.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/Stub.h"

namespace {

int failures = 0;

void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::cerr << "FAILED: " << what << '\n';
    ++failures;
  }
}

}  // namespace

int main() {
  using namespace Tivrel;

  Expect(Core::MD5("abc").hexdigest() == "900150983cd24fb0d6963f7d28e17f72", "MD5 of \"abc\"");

  ExceptionPtr stored;
  try {
    ThrowError<Proc::FilterException>("consumer failure", TIVREL_THROW_SITE("int main()", 42));
  } catch (const Proc::ProcException&) {
    stored = std::current_exception();
  }
  Expect(stored != nullptr, "FilterException caught as ProcException");

  const Proc::ProcessingError error = Proc::ProcessingError::MakeProcessingErrorFromException(stored);
  Expect(error.GetErrorCode() == Proc::TranscodingException, "error code");
  Expect(error.GetErrorDescription() == "consumer failure", "error description");
  Expect(error.GetSourceCodeFunction() == "int main()" && error.GetSourceCodeLine() == 42, "throw site");
  std::cout << Proc::ProcessingErrorToString(error);

  try {
    RethrowException(stored);
  } catch (const Proc::FilterException&) {
  } catch (...) {
    Expect(false, "stored exception rethrown as another type");
  }

  // A frame through all three libraries: filled in libtivrel_media, its bytes as
  // GetPlaneColorBytes says, digested in libtivrel_proc.
  const Proc::Color grey{128, 128, 128, 255};
  const SP<Media::VideoFrame> frame = Media::VideoFrame::Create(PIX_FMT_YUV420P, 16, 8);
  frame->FillArea(8, 0, 0, 16, grey);
  unsigned char luma[4] = {};
  Media::GetPlaneColorBytes(*PixFmtDescription::Find(PIX_FMT_YUV420P), 0, grey, luma);
  Expect(std::as_const(*frame).GetPlane(0).data[0] == luma[0], "filled luma");
  const std::string digest = Proc::CalculateVideoDataMD5(frame);
  Expect(digest.size() == 32 + 7 && digest.compare(32, 7, ":16:8:0") == 0, "frame digest " + digest);
  SP<Proc::IDataVideo> view = frame->Clone(false);
  Expect(Media::MakeWritable(view), "a view of shared pixels is copied on write");

  std::cout << (failures == 0 ? "consumer: ok" : "consumer: FAILED") << '\n';
  return failures == 0 ? 0 : 1;
}
