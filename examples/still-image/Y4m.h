#pragma once

// Reading and writing YUV4MPEG2 (.y4m) streams: a text header line
// "YUV4MPEG2 W<width> H<height> F<num>:<den> I<interlace> A<num>:<den> C<colour space>"
// (optionally "XCOLORRANGE=FULL" or "=LIMITED", the default),
// then per frame a "FRAME" line followed by the planes (luma, then Cb and Cr), each line
// by line without padding. Only 8-bit planar colour spaces are handled: 420 (all siting
// variants), 422, 444 and mono.

#include <cstdint>
#include <cstdio>
#include <string>

#include "Platform/Conf/PixFmt.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "examples/still-image/Options.h"

namespace StillImage {

// Frames larger than this on either side are refused (options and file headers alike).
constexpr int kMaxFrameDimension = 16384;

// A colour space name of the stream header and the pixel format it is stored in.
struct ColourSpace {
  const char* tag;  // without the leading 'C'
  Tivrel::PixFmt format;
};

// The colour space named `tag`, or null when it is not supported.
const ColourSpace* FindColourSpace(const std::string& tag);

// The first colour space stored in `format`, or null.
const ColourSpace* ColourSpaceOf(Tivrel::PixFmt format);

// The supported names, comma separated, for messages.
std::string SupportedColourSpaces();

struct Y4mFormat {
  int width = 0;
  int height = 0;
  Tivrel::PixFmt pixFmt = Tivrel::PIX_FMT_YUV420P;
  std::string colourTag = "420jpeg";  // as found in the header (420 variants keep their siting)
  Rate rate{0};                       // 0 when the header gives none (or F0:0)
  uint32_t aspectX = 1;               // pixel aspect; 1:1 when the header gives none (or A0:0)
  uint32_t aspectY = 1;
  bool fullRange = false;  // "XCOLORRANGE=FULL": black is luma 0, not the usual 16
};

// Reads a stream frame by frame. The FILE is borrowed. Every failure throws InputError
// whose message starts with the stream's name.
class Y4mReader {
public:
  // Reads and checks the stream header.
  Y4mReader(std::FILE* in, std::string name);

  const Y4mFormat& Format() const { return format_; }

  // Reads the next frame into `frame`, which must have the stream's size and pixel format.
  // False when the stream ends before another frame begins; throws when a frame is cut
  // short or its marker line is malformed.
  bool ReadFrame(Tivrel::Proc::IDataVideo& frame);

private:
  // One header line without its '\n'; false at end of file before any byte.
  bool ReadLine(std::string& line, const char* what);
  [[noreturn]] void Fail(const std::string& message) const;
  void ParseHeader(const std::string& line);

  std::FILE* in_;
  std::string name_;
  Y4mFormat format_;
  std::string line_;  // reused for every marker line
  long long frames_ = 0;
};

// Writes a stream to a file descriptor it borrows. Every frame must have the size and pixel
// format given at construction; the stream header goes out with frame 0. Every frame record
// ("FRAME\n" and the planes) has the same size, so frame i lies at a known offset.
// Threads: on a regular file (Positioned) frames are written at their offsets, so any
// threads may write distinct frames at once, in any order. Other files (pipes, devices)
// take frames in order, from one thread at a time. Write failures throw MuxerException
// carrying the system's reason (and the NotEnoughDiskSpace code when the disk is full).
class Y4mWriter {
public:
  Y4mWriter(int fd, std::string name, const Y4mFormat& format);

  bool Positioned() const { return positioned_; }
  // Writes frame `index` (from 0), preceded by the header for frame 0. Allocates nothing.
  void WriteFrame(long long index, const Tivrel::Proc::IDataVideo& frame) const;
  // Positioned: cuts the file to the header and the first `frames` frames, dropping frames
  // written after a gap (an empty file for 0). Otherwise nothing.
  void Truncate(long long frames) const;

private:
  int fd_;
  std::string name_;
  Y4mFormat format_;
  std::string header_;
  long long recordBytes_ = 0;
  bool positioned_ = false;
};

}  // namespace StillImage
