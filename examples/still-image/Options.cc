#include "examples/still-image/Options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "examples/still-image/Errors.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {
namespace {

constexpr long long kMicroseconds = 1'000'000;
constexpr long long kMaxRateTerm = 1'000'000'000;
constexpr int kMaxOffset = 1'000'000;

[[noreturn]] void Bad(const std::string& option, const std::string& value, const std::string& expected) {
  throw UsageError("bad " + option + " '" + value + "': expected " + expected);
}

// A whole decimal number (optional sign) within [min, max].
bool ParseInt(const std::string& text, long long min, long long max, long long& value) {
  const char* begin = text.data();
  if (!text.empty() && text[0] == '+') ++begin;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(begin, end, value);
  return begin != end && result.ec == std::errc() && result.ptr == end && value >= min && value <= max;
}

// "<digits>[.<digits>]" as mantissa * 10^-decimals; false for anything else.
bool ParseDecimal(const std::string& text, long long& mantissa, int& decimals) {
  const size_t dot = text.find('.');
  const std::string digits = dot == std::string::npos ? text : text.substr(0, dot) + text.substr(dot + 1);
  decimals = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || decimals > 9) return false;
  return ParseInt(digits, 0, INT64_MAX, mantissa);
}

Size ParseSize(const std::string& option, const std::string& text) {
  const size_t x = text.find('x');
  long long w = 0, h = 0;
  if (x == std::string::npos || !ParseInt(text.substr(0, x), 1, kMaxFrameDimension, w) ||
      !ParseInt(text.substr(x + 1), 1, kMaxFrameDimension, h)) {
    Bad(option, text, "<width>x<height>, each 1.." + std::to_string(kMaxFrameDimension));
  }
  return {static_cast<int>(w), static_cast<int>(h)};
}

Offset ParseOffset(const std::string& option, const std::string& text) {
  const size_t comma = text.find(',');
  long long x = 0, y = 0;
  if (comma == std::string::npos || !ParseInt(text.substr(0, comma), -kMaxOffset, kMaxOffset, x) ||
      !ParseInt(text.substr(comma + 1), -kMaxOffset, kMaxOffset, y)) {
    Bad(option, text, "<x>,<y> (negative values clip the frame)");
  }
  return {static_cast<int>(x), static_cast<int>(y)};
}

// "25", "30000/1001", "30000:1001" or "29.97".
Rate ParseRate(const std::string& option, const std::string& text) {
  const char* expected = "a positive frame rate such as 25, 30000/1001 or 29.97";
  const size_t slash = text.find_first_of("/:");
  long long num = 0, den = 1;
  if (slash != std::string::npos) {
    if (!ParseInt(text.substr(0, slash), 1, kMaxRateTerm, num) ||
        !ParseInt(text.substr(slash + 1), 1, kMaxRateTerm, den)) {
      Bad(option, text, expected);
    }
  } else {
    int decimals = 0;
    if (!ParseDecimal(text, num, decimals) || num == 0 || num > kMaxRateTerm) Bad(option, text, expected);
    while (decimals-- > 0) den *= 10;
  }
  return Rate(num, den);
}

// "<number>[s|ms|us|f]": seconds without a unit; "f" counts frames.
RequestedDuration ParseDuration(const std::string& option, const std::string& text) {
  const char* expected =
      "a positive time up to 100 hours such as 10s, 2.5s, 500ms, 40000us, or a frame count such as 250f";
  struct Unit {
    const char* suffix;
    long long microseconds;  // 0: frames
  };
  static constexpr Unit kUnits[] = {{"ms", 1000}, {"us", 1}, {"s", kMicroseconds}, {"f", 0}};
  Unit unit{"", kMicroseconds};
  std::string number = text;
  for (const Unit& u : kUnits) {
    const size_t n = std::char_traits<char>::length(u.suffix);
    if (text.size() > n && text.compare(text.size() - n, n, u.suffix) == 0) {
      unit = u;
      number = text.substr(0, text.size() - n);
      break;
    }
  }
  long long mantissa = 0;
  int decimals = 0;
  if (!ParseDecimal(number, mantissa, decimals)) Bad(option, text, expected);
  if (unit.microseconds == 0) {
    if (decimals != 0 || mantissa == 0 || mantissa > kMaxDuration) Bad(option, text, expected);
    return {mantissa, true};
  }
  // mantissa * unit / 10^decimals microseconds, exactly; finer than a microsecond is refused.
  long long value = 0;
  long long scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  if (__builtin_mul_overflow(mantissa, unit.microseconds, &value) || value % scale != 0) Bad(option, text, expected);
  value /= scale;
  if (value <= 0 || value > kMaxDuration) Bad(option, text, expected);
  return {value, false};
}

const std::string& NonEmpty(const std::string& option, const std::string& value) {
  if (value.empty()) throw UsageError("option " + option + " needs a file name");
  return value;
}

ProgressStyle ParseProgress(const std::string& option, const std::string& text) {
  static const std::pair<const char*, ProgressStyle> kStyles[] = {{"auto", ProgressStyle::kAuto},
                                                                  {"bar", ProgressStyle::kBar},
                                                                  {"lines", ProgressStyle::kLines},
                                                                  {"none", ProgressStyle::kNone}};
  for (const auto& [name, style] : kStyles) {
    if (text == name) return style;
  }
  Bad(option, text, "auto, bar, lines or none");
}

}  // namespace

std::string UsageText() {
  std::string text = R"(Usage: still-image [options] [input.y4m | -]

Shows one still frame for a duration, as a stream of frames: each frame is optionally
placed on a larger canvas, digested (MD5) and written out. Without an input file the
frame is a set of colour bars made in memory.

Input:
  input.y4m             YUV4MPEG2 file whose first frame is shown (colour spaces 420, 422,
                        444, mono); "-" reads standard input
  --bars WxH            size of the colour bars (default 1280x720)
  --format NAME         colour space of the colour bars (default 420jpeg):
                        @FORMATS@
Timing:
  --duration TIME       how long to show the frame: 10s (default), 2.5s, 500ms, 40000us, 250f
  --fps RATE            frame rate: 25, 30000/1001, 29.97 (default: the file's rate, else 25)
  --realtime            deliver the frames at their rate instead of as fast as possible
Effects (applied to every frame in the order given; repeatable):
  --effect flip:h       mirror left-right (flip:v top-bottom, flip:hv both)
  --effect crop:L,T,R,B cut L, T, R and B pixels off the left, top, right and bottom
  --effect transpose:N  turn by N quarter turns clockwise (-3..3; odd turns of 422
                        give 444)
  --settings FILE       the effects kept in a settings file (JSON), in its place in the
                        chain
  --save-settings FILE  keep the whole chain in a settings file for --settings
Placement:
  --canvas WxH          place the frame on a black canvas of this size
  --at X,Y              top-left corner of the frame on the canvas (default 0,0; negative
                        values and frames larger than the canvas are clipped)
Output:
  -o, --output FILE     write the frames to a YUV4MPEG2 file
  --listing FILE        write the per-frame digest listing to FILE ("-": standard output,
                        the default)
  --stages              run in two weighted stages: render, then verify the frames again
                        (read back from the output file when there is one)
  --progress STYLE      auto (a bar on a terminal, plain lines otherwise), bar, lines, none
Processing:
  --jobs N              N jobs (1..@MAXJOBS@, default 1) share the stream, each applying the
                        effects to the frames it reads and digesting them; one writer puts
                        the listing and the output file in frame order, the same for every N
  -h, --help            show this text

Exit codes: 0 done, 1 the job failed, 2 bad command line, 3 bad input or output file,
130 interrupted (Ctrl-C).
)";
  text.replace(text.find("@FORMATS@"), 9, SupportedColourSpaces());
  text.replace(text.find("@MAXJOBS@"), 9, std::to_string(kMaxJobs));
  return text;
}

long long FrameDurationOf(const Rate& rate) {
  const long double us = static_cast<long double>(kMicroseconds) * rate.denominator() / rate.numerator();
  const long long rounded = std::llround(us);
  if (rounded < 1) throw UsageError("frame rate too high: a frame would last less than a microsecond");
  return rounded;
}

Options ParseOptions(int argc, const char* const* argv) {
  Options o;
  bool barsGiven = false;
  using Handler = std::function<void(const std::string& option, const std::string& value)>;
  struct Rule {
    const char* longName;
    const char* shortName;  // may be null
    bool takesValue;
    Handler apply;
  };
  const std::vector<Rule> rules = {
      {"--bars", nullptr, true,
       [&](auto& n, auto& v) {
         o.barsSize = ParseSize(n, v);
         barsGiven = true;
       }},
      {"--format", nullptr, true,
       [&](auto& n, auto& v) {
         const ColourSpace* space = FindColourSpace(v);
         if (!space) Bad(n, v, SupportedColourSpaces());
         o.barsFormat = space->format;
         o.barsColourTag = space->tag;
         barsGiven = true;
       }},
      {"--duration", nullptr, true, [&](auto& n, auto& v) { o.duration = ParseDuration(n, v); }},
      {"--fps", nullptr, true, [&](auto& n, auto& v) { o.fps = ParseRate(n, v); }},
      {"--realtime", nullptr, false, [&](auto&, auto&) { o.realtime = true; }},
      {"--canvas", nullptr, true, [&](auto& n, auto& v) { o.canvas = ParseSize(n, v); }},
      {"--at", nullptr, true,
       [&](auto& n, auto& v) {
         o.at = ParseOffset(n, v);
         o.atGiven = true;
       }},
      {"--output", "-o", true, [&](auto& n, auto& v) { o.output = NonEmpty(n, v); }},
      {"--listing", nullptr, true, [&](auto& n, auto& v) { o.listing = NonEmpty(n, v); }},
      {"--stages", nullptr, false, [&](auto&, auto&) { o.stages = true; }},
      {"--progress", nullptr, true, [&](auto& n, auto& v) { o.progress = ParseProgress(n, v); }},
      {"--effect", nullptr, true, [&](auto&, auto& v) { o.effects.push_back(ParseEffect(v)); }},
      {"--settings", nullptr, true,
       [&](auto& n, auto& v) {
         EffectStep file;
         file.kind = EffectStep::Kind::kSettingsFile;
         file.text = NonEmpty(n, v);
         o.effects.push_back(file);
       }},
      {"--save-settings", nullptr, true, [&](auto& n, auto& v) { o.saveSettings = NonEmpty(n, v); }},
      {"--jobs", nullptr, true,
       [&](auto& n, auto& v) {
         long long jobs = 0;
         if (!ParseInt(v, 1, kMaxJobs, jobs)) Bad(n, v, "a number of jobs, 1.." + std::to_string(kMaxJobs));
         o.jobs = static_cast<int>(jobs);
       }},
      {"--help", "-h", false, [&](auto&, auto&) { o.help = true; }},
  };

  bool inputGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (arg.empty()) throw UsageError("empty input file name");
      if (inputGiven) throw UsageError("more than one input file ('" + o.input + "' and '" + arg + "')");
      o.input = arg;
      inputGiven = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const Rule* rule = nullptr;
    for (const Rule& s : rules) {
      if (name == s.longName || (s.shortName && name == s.shortName)) rule = &s;
    }
    if (!rule) throw UsageError("unknown option '" + name + "' (see --help)");
    std::string value;
    if (equals != std::string::npos) {
      if (!rule->takesValue) throw UsageError("option " + name + " takes no value");
      value = arg.substr(equals + 1);
    } else if (rule->takesValue) {
      if (i + 1 >= argc || std::string(argv[i + 1]).rfind("--", 0) == 0) {
        throw UsageError("option " + name + " needs a value (see --help)");
      }
      value = argv[++i];
    }
    rule->apply(name, value);
  }
  if (barsGiven && !o.input.empty())
    throw UsageError("--bars and --format describe the colour bars: drop them or the input file");
  if (o.atGiven && !o.canvas) throw UsageError("--at places the frame on a canvas: give --canvas too");
  return o;
}

}  // namespace StillImage
