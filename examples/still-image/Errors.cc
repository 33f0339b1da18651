#include "examples/still-image/Errors.h"

#include <cerrno>
#include <cstring>

#include "Proc/Interfaces/Exceptions.h"
#include "Proc/Interfaces/Stub.h"

namespace StillImage {

void ThrowWriteFailure(const std::string& description, int error, const Tivrel::ThrowSite& site) {
  Tivrel::Proc::MuxerException e;
  e << Tivrel::TagDescription(description + ": " + std::strerror(error));
  if (error == ENOSPC) e << Tivrel::Proc::TagTranscodingErrorCode(Tivrel::Proc::NotEnoughDiskSpace);
  Tivrel::ThrowWithStack(e, site);
}

}  // namespace StillImage
