#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

#include "examples/still-image/Errors.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {
namespace {

const char kMarker[] = "FRAME\n";
constexpr size_t kMarkerBytes = sizeof(kMarker) - 1;

[[noreturn]] void Fail(const std::string& name, int error) {
  ThrowWriteFailure("Cannot write '" + name + "'", error,
                    TIVREL_THROW_SITE("void StillImage::Y4mWriter::Fail(int) const", __LINE__));
}

// Pieces of one frame record gathered for vectored writes, written whenever the batch is
// full: a few system calls per frame when planes have padded lines.
class Gather {
public:
  // `offset` < 0: at the file's position (in order).
  Gather(int fd, long long offset, const std::string& name) : fd_(fd), offset_(offset), name_(name) {}

  void Add(const void* data, size_t size) {
    if (count_ == kBatch) Write();
    pieces_[count_++] = {const_cast<void*>(data), size};
  }

  // Writes what was gathered, retrying short writes and interrupted calls.
  void Write() {
    iovec* piece = pieces_;
    int count = count_;
    while (count > 0) {
      const ssize_t n = offset_ >= 0 ? pwritev(fd_, piece, count, offset_) : writev(fd_, piece, count);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) Fail(name_, n < 0 ? errno : EIO);
      if (offset_ >= 0) offset_ += n;
      size_t done = static_cast<size_t>(n);
      for (; count > 0 && done >= piece->iov_len; --count, ++piece) done -= piece->iov_len;
      if (count > 0) {
        piece->iov_base = static_cast<char*>(piece->iov_base) + done;
        piece->iov_len -= done;
      }
    }
    count_ = 0;
  }

private:
  static constexpr int kBatch = 64;

  int fd_;
  long long offset_;
  const std::string& name_;
  iovec pieces_[kBatch];
  int count_ = 0;
};

}  // namespace

Y4mWriter::Y4mWriter(int fd, std::string name, const Y4mFormat& format)
    : fd_(fd), name_(std::move(name)), format_(format) {
  const Rate& rate = format_.rate;
  header_ = "YUV4MPEG2 W" + std::to_string(format_.width) + " H" + std::to_string(format_.height) + " F" +
            std::to_string(rate.numerator()) + ":" + std::to_string(rate.denominator()) + " Ip A" +
            std::to_string(format_.aspectX) + ":" + std::to_string(format_.aspectY) + " C" + format_.colourTag +
            (format_.fullRange ? " XCOLORRANGE=FULL" : "") + "\n";
  const Tivrel::PixFmtDescription& d = *Tivrel::PixFmtDescription::Find(format_.pixFmt);
  recordBytes_ = kMarkerBytes;
  for (unsigned char p = 0; p < d.planes; ++p) {
    recordBytes_ += static_cast<long long>(d.GetPlanWidthSize(format_.width, p)) * d.GetPlaneHeight(format_.height, p);
  }
  struct stat status {};
  positioned_ = fstat(fd_, &status) == 0 && S_ISREG(status.st_mode);
}

void Y4mWriter::WriteFrame(long long index, const Tivrel::Proc::IDataVideo& frame) const {
  const Tivrel::Proc::FrameInfo& info = frame.GetFrameInfo();
  if (frame.GetPixFmt() != format_.pixFmt || info.width != static_cast<uint32_t>(format_.width) ||
      info.height != static_cast<uint32_t>(format_.height)) {
    throw std::invalid_argument("Y4mWriter::WriteFrame: the frame does not have the stream's size and pixel format");
  }
  const long long offset = !positioned_ ? -1
                           : index == 0 ? 0
                                        : static_cast<long long>(header_.size()) + index * recordBytes_;
  Gather out(fd_, offset, name_);
  if (index == 0) out.Add(header_.data(), header_.size());
  out.Add(kMarker, kMarkerBytes);
  const unsigned char planes = Tivrel::Proc::GetPlanesCount(frame);
  for (unsigned char p = 0; p < planes; ++p) {
    const Tivrel::Proc::PlaneConst plane = frame.GetPlane(p);
    if (plane.stride == static_cast<long>(plane.width)) {
      out.Add(plane.data, plane.width * plane.height);  // lines without padding: one block
      continue;
    }
    for (unsigned long y = 0; y < plane.height; ++y) out.Add(plane.GetOffsetPtr(0, y), plane.width);
  }
  out.Write();
}

void Y4mWriter::Truncate(long long frames) const {
  if (!positioned_) return;
  const long long size = frames == 0 ? 0 : static_cast<long long>(header_.size()) + frames * recordBytes_;
  if (ftruncate(fd_, size) != 0) Fail(name_, errno);
}

}  // namespace StillImage
