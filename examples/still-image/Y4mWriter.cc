#include <cerrno>
#include <stdexcept>
#include <string>
#include <utility>

#include "examples/still-image/Errors.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {

Y4mWriter::Y4mWriter(std::FILE* out, std::string name, const Y4mFormat& format)
    : out_(out), name_(std::move(name)), format_(format) {}

void Y4mWriter::Fail(int error) const {
  ThrowWriteFailure("Cannot write '" + name_ + "'", error,
                    TIVREL_THROW_SITE("void StillImage::Y4mWriter::Fail(int) const", __LINE__));
}

void Y4mWriter::Write(const void* data, size_t size) {
  if (std::fwrite(data, 1, size, out_) != size) Fail(errno);
}

void Y4mWriter::WriteFrame(const Tivrel::Proc::IDataVideo& frame) {
  const Tivrel::Proc::FrameInfo& info = frame.GetFrameInfo();
  if (frame.GetPixFmt() != format_.pixFmt || info.width != static_cast<uint32_t>(format_.width) ||
      info.height != static_cast<uint32_t>(format_.height)) {
    throw std::invalid_argument("Y4mWriter::WriteFrame: the frame does not have the stream's size and pixel format");
  }
  if (!headerWritten_) {
    const Rate& rate = format_.rate;
    const std::string header = "YUV4MPEG2 W" + std::to_string(format_.width) + " H" + std::to_string(format_.height) +
                               " F" + std::to_string(rate.numerator()) + ":" + std::to_string(rate.denominator()) +
                               " Ip A" + std::to_string(format_.aspectX) + ":" + std::to_string(format_.aspectY) +
                               " C" + format_.colourTag + (format_.fullRange ? " XCOLORRANGE=FULL" : "") + "\n";
    Write(header.data(), header.size());
    headerWritten_ = true;
  }
  static constexpr char kMarker[] = "FRAME\n";
  Write(kMarker, sizeof(kMarker) - 1);
  const unsigned char planes = Tivrel::Proc::GetPlanesCount(frame);
  for (unsigned char p = 0; p < planes; ++p) {
    const Tivrel::Proc::PlaneConst plane = frame.GetPlane(p);
    if (plane.stride == static_cast<long>(plane.width)) {
      Write(plane.data, plane.width * plane.height);  // lines without padding: one block
      continue;
    }
    for (unsigned long y = 0; y < plane.height; ++y) Write(plane.GetOffsetPtr(0, y), plane.width);
  }
  if (std::ferror(out_)) Fail(errno);
}

void Y4mWriter::Flush() {
  if (std::fflush(out_) != 0) Fail(errno);
}

}  // namespace StillImage
