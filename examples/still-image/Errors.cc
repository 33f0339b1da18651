#include "examples/still-image/Errors.h"

#include <cerrno>
#include <cstring>

#include "Proc/Interfaces/Exceptions.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/Stub.h"

namespace StillImage {

std::string ProcessingErrorText(const std::exception_ptr& error) {
  try {
    return Tivrel::Proc::ProcessingErrorToString(
        Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(error));
  } catch (...) {  // not a std::exception: nothing more to say about it
    return "ProcessingError: an unknown exception left the job\n";
  }
}

void ThrowWriteFailure(const std::string& description, int error, const Tivrel::ThrowSite& site) {
  Tivrel::Proc::MuxerException e;
  e << Tivrel::TagDescription(description + ": " + std::strerror(error));
  if (error == ENOSPC) e << Tivrel::Proc::TagTranscodingErrorCode(Tivrel::Proc::NotEnoughDiskSpace);
  Tivrel::ThrowWithStack(e, site);
}

}  // namespace StillImage
