#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "Platform/Conf/PixFmt.h"
#include "examples/still-image/Errors.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {
namespace {

constexpr char kSignature[] = "YUV4MPEG2";
constexpr char kFrameMarker[] = "FRAME";
// Header and marker lines longer than this are not a stream of this kind.
constexpr size_t kMaxLine = 4096;

constexpr ColourSpace kColourSpaces[] = {
    {"420jpeg", Tivrel::PIX_FMT_YUV420P}, {"420paldv", Tivrel::PIX_FMT_YUV420P}, {"420mpeg2", Tivrel::PIX_FMT_YUV420P},
    {"420", Tivrel::PIX_FMT_YUV420P},     {"422", Tivrel::PIX_FMT_YUV422P},      {"444", Tivrel::PIX_FMT_YUV444P},
    {"mono", Tivrel::PIX_FMT_GRAY8},
};

// A whole decimal number within [min, max].
bool ParseNumber(const std::string& text, long long min, long long max, long long& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && value >= min && value <= max;
}

// "<num>:<den>" with both terms within [0, max].
bool ParseRatio(const std::string& text, long long max, long long& num, long long& den) {
  const size_t colon = text.find(':');
  return colon != std::string::npos && ParseNumber(text.substr(0, colon), 0, max, num) &&
         ParseNumber(text.substr(colon + 1), 0, max, den);
}

}  // namespace

const ColourSpace* FindColourSpace(const std::string& tag) {
  for (const ColourSpace& c : kColourSpaces) {
    if (tag == c.tag) return &c;
  }
  return nullptr;
}

const ColourSpace* ColourSpaceOf(Tivrel::PixFmt format) {
  for (const ColourSpace& c : kColourSpaces) {
    if (format == c.format) return &c;
  }
  return nullptr;
}

std::string SupportedColourSpaces() {
  std::string names;
  for (const ColourSpace& c : kColourSpaces) names += (names.empty() ? "" : ", ") + std::string(c.tag);
  return names;
}

Y4mReader::Y4mReader(std::FILE* in, std::string name) : in_(in), name_(std::move(name)) {
  std::string header;
  if (!ReadLine(header, "header")) Fail("empty file, not a YUV4MPEG2 stream");
  ParseHeader(header);
}

void Y4mReader::Fail(const std::string& message) const { throw InputError(name_ + ": " + message); }

bool Y4mReader::ReadLine(std::string& line, const char* what) {
  line.clear();
  for (;;) {
    const int c = std::getc(in_);
    if (c == '\n') return true;
    if (c == EOF) {
      if (std::ferror(in_)) Fail(std::string("read error: ") + std::strerror(errno));
      if (line.empty()) return false;
      Fail(std::string("truncated: the ") + what + " line has no end");
    }
    if (line.size() == kMaxLine) {
      Fail(std::string("the ") + what + " line is longer than " + std::to_string(kMaxLine) + " bytes");
    }
    line.push_back(static_cast<char>(c));
  }
}

void Y4mReader::ParseHeader(const std::string& line) {
  const size_t signatureLength = sizeof(kSignature) - 1;
  if (line.compare(0, signatureLength, kSignature) != 0 ||
      (line.size() > signatureLength && line[signatureLength] != ' ')) {
    Fail("not a YUV4MPEG2 stream (the file does not start with \"YUV4MPEG2 \")");
  }
  long long width = 0, height = 0;
  bool colourGiven = false;
  size_t pos = signatureLength;
  while (pos < line.size()) {
    const size_t start = line.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    const size_t end = std::min(line.find(' ', start), line.size());
    const char tag = line[start];
    const std::string value = line.substr(start + 1, end - start - 1);
    pos = end;
    long long num = 0, den = 0;
    switch (tag) {
      case 'W':
        if (!ParseNumber(value, 1, kMaxFrameDimension, width)) {
          Fail("bad width W" + value + " (expected 1.." + std::to_string(kMaxFrameDimension) + ")");
        }
        break;
      case 'H':
        if (!ParseNumber(value, 1, kMaxFrameDimension, height)) {
          Fail("bad height H" + value + " (expected 1.." + std::to_string(kMaxFrameDimension) + ")");
        }
        break;
      case 'F':
        if (!ParseRatio(value, 1'000'000'000, num, den) || (num == 0) != (den == 0)) {
          Fail("bad frame rate F" + value + " (expected <num>:<den>)");
        }
        format_.rate = num == 0 ? Rate(0) : Rate(num, den);
        break;
      case 'A':
        if (!ParseRatio(value, UINT32_MAX, num, den) || (num == 0) != (den == 0)) {
          Fail("bad pixel aspect A" + value + " (expected <num>:<den>)");
        }
        format_.aspectX = num == 0 ? 1 : static_cast<uint32_t>(num);
        format_.aspectY = num == 0 ? 1 : static_cast<uint32_t>(den);
        break;
      case 'C': {
        const ColourSpace* space = FindColourSpace(value);
        if (!space) Fail("unsupported colour space C" + value + " (supported: " + SupportedColourSpaces() + ")");
        format_.pixFmt = space->format;
        format_.colourTag = space->tag;
        colourGiven = true;
        break;
      }
      case 'X':  // extensions: of these only the colour range changes what the pixels mean
        if (value.rfind("COLORRANGE=", 0) == 0) format_.fullRange = value == "COLORRANGE=FULL";
        break;
      default:  // interlacing, comments and parameters of later revisions do not change the pixels
        break;
    }
  }
  if (width == 0) Fail("the header gives no width (W)");
  if (height == 0) Fail("the header gives no height (H)");
  format_.width = static_cast<int>(width);
  format_.height = static_cast<int>(height);
  if (!colourGiven) format_.colourTag = "420jpeg";  // the stream's default colour space
}

bool Y4mReader::ReadFrame(Tivrel::Proc::IDataVideo& frame) {
  if (!ReadLine(line_, "frame marker")) {
    if (frames_ == 0) Fail("no frame after the header");
    return false;
  }
  const size_t markerLength = sizeof(kFrameMarker) - 1;
  if (line_.compare(0, markerLength, kFrameMarker) != 0 ||
      (line_.size() > markerLength && line_[markerLength] != ' ')) {
    Fail("frame " + std::to_string(frames_) + " does not start with \"FRAME\"");
  }
  const Tivrel::Proc::FrameInfo& info = frame.GetFrameInfo();
  if (frame.GetPixFmt() != format_.pixFmt || info.width != static_cast<uint32_t>(format_.width) ||
      info.height != static_cast<uint32_t>(format_.height)) {
    throw std::invalid_argument("Y4mReader::ReadFrame: the frame does not have the stream's size and pixel format");
  }
  const Tivrel::PixFmtDescription* description = Tivrel::PixFmtDescription::Find(format_.pixFmt);
  long long expected = 0;
  for (unsigned char p = 0; p < description->planes; ++p) {
    expected += static_cast<long long>(description->GetPlanWidthSize(format_.width, p)) *
                description->GetPlaneHeight(format_.height, p);
  }
  long long got = 0;
  for (unsigned char p = 0; p < description->planes; ++p) {
    const Tivrel::Proc::Plane plane = frame.GetPlane(p);
    for (unsigned long y = 0; y < plane.height; ++y) {
      const size_t n = std::fread(plane.GetOffsetPtr(0, y), 1, plane.width, in_);
      got += static_cast<long long>(n);
      if (n != plane.width) {
        if (std::ferror(in_)) Fail(std::string("read error: ") + std::strerror(errno));
        Fail("truncated: frame " + std::to_string(frames_) + " needs " + std::to_string(expected) +
             " bytes but the file ends after " + std::to_string(got));
      }
    }
  }
  ++frames_;
  return true;
}

}  // namespace StillImage
