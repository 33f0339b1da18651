#include "examples/still-image/DigestListing.h"

#include <cerrno>
#include <utility>

#include "examples/still-image/Errors.h"

namespace StillImage {

DigestListing::DigestListing(std::FILE* out, std::string name, std::function<void()> beforeWrite)
    : out_(out), name_(std::move(name)), beforeWrite_(std::move(beforeWrite)) {}

void DigestListing::WriteComment(const std::string& text) { Put(("# " + text + "\n").c_str()); }

void DigestListing::WriteFrame(long long index, long long time, long long duration, const std::string& digest) {
  char line[160];
  std::snprintf(line, sizeof(line), "%6lld, %12lld, %9lld, %s\n", index, time, duration, digest.c_str());
  Put(line);
}

void DigestListing::Put(const char* text) {
  if (beforeWrite_) beforeWrite_();
  if (std::fputs(text, out_) < 0 || std::fflush(out_) != 0) {
    ThrowWriteFailure("Cannot write the digest listing '" + name_ + "'", errno,
                      TIVREL_THROW_SITE("void StillImage::DigestListing::Put(const char *)", __LINE__));
  }
}

}  // namespace StillImage
