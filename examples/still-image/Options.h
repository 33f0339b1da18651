#pragma once

// The command line of still-image: what to show, for how long, where, and where the results go.

#include <optional>
#include <string>
#include <vector>

#include <boost/rational.hpp>

#include "Platform/Conf/PixFmt.h"
#include "examples/still-image/EffectChain.h"

namespace StillImage {

using Rate = boost::rational<long long>;  // frames per second

struct Size {
  int width = 0;
  int height = 0;
};

struct Offset {
  int x = 0;
  int y = 0;
};

// What --duration asked for: microseconds, or a frame count (suffix "f") that only the
// frame rate turns into time.
struct RequestedDuration {
  long long value = 10'000'000;
  bool inFrames = false;
};

// The longest duration the program accepts, in microseconds (100 hours).
constexpr long long kMaxDuration = 100LL * 3600 * 1'000'000;

enum class ProgressStyle { kAuto, kBar, kLines, kNone };

struct Options {
  std::string input;         // .y4m path, "-" for standard input; empty: colour bars
  Size barsSize{1280, 720};  // colour bars only
  Tivrel::PixFmt barsFormat = Tivrel::PIX_FMT_YUV420P;
  std::string barsColourTag = "420jpeg";  // the stream's colour space name for barsFormat
  std::optional<Rate> fps;                // unset: the input's rate, else 25
  RequestedDuration duration;
  std::optional<Size> canvas;
  Offset at;  // top-left of the frame on the canvas
  bool atGiven = false;
  std::string output;         // .y4m to write; empty: none
  std::string listing = "-";  // digest listing; "-" is standard output
  bool stages = false;        // render + verify stages
  bool realtime = false;      // pace the frames at their rate
  ProgressStyle progress = ProgressStyle::kAuto;
  std::vector<EffectStep> effects;  // --effect and --settings, applied to every frame in order
  std::string saveSettings;         // file to keep the chain in; empty: none
  int jobs = 1;                     // processing jobs sharing the stream
  bool help = false;
};

// The most processing jobs --jobs accepts.
constexpr int kMaxJobs = 16;

// Reads argv[1..argc-1]. Options take their value as the next argument or after "=";
// the one free argument is the input file. Throws UsageError naming the bad argument.
Options ParseOptions(int argc, const char* const* argv);

// The --help text.
std::string UsageText();

// Microseconds of one frame at `rate`, rounded to the nearest. Throws UsageError when
// that is below 1 microsecond.
long long FrameDurationOf(const Rate& rate);

}  // namespace StillImage
