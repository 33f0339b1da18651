// End-to-end tests of the still-image program: it is started as a user starts it, and its
// exit code, messages, digest listing and output file are checked against pictures and
// digests worked out here independently.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Core/MD5.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// How a colour space lays out its planes, and its pixel format number in digest texts.
struct Layout {
  const char* tag;
  int pixFmt;
  int shiftW;
  int shiftH;
  int planes;
};
constexpr Layout k420{"420jpeg", 0, 1, 1, 3};
constexpr Layout k422{"422", 1, 1, 0, 3};
constexpr Layout k444{"444", 2, 0, 0, 3};
constexpr Layout kMono{"mono", 8, 0, 0, 1};

// A planar 8-bit picture.
struct Image {
  Layout layout;
  int width;
  int height;
  std::vector<std::string> planes;

  int PlaneWidth(int p) const { return p == 0 ? width : (width + (1 << layout.shiftW) - 1) >> layout.shiftW; }
  int PlaneHeight(int p) const { return p == 0 ? height : (height + (1 << layout.shiftH) - 1) >> layout.shiftH; }
  unsigned char& At(int p, int x, int y) {
    return reinterpret_cast<unsigned char&>(planes[p][static_cast<size_t>(y) * PlaneWidth(p) + x]);
  }
  std::string Bytes() const {
    std::string all;
    for (const std::string& plane : planes) all += plane;
    return all;
  }
  // The digest text the program lists for a frame of this picture.
  std::string Digest() const {
    Tivrel::Core::MD5 md5(Bytes());
    return md5.hexdigest() + ":" + std::to_string(width) + ":" + std::to_string(height) + ":" +
           std::to_string(layout.pixFmt);
  }
};

// Every plane filled with `value(plane)`.
template <class Value>
Image Filled(const Layout& layout, int width, int height, Value value) {
  Image image{layout, width, height, {}};
  for (int p = 0; p < layout.planes; ++p) {
    image.planes.emplace_back(static_cast<size_t>(image.PlaneWidth(p)) * image.PlaneHeight(p), '\0');
    for (int y = 0; y < image.PlaneHeight(p); ++y) {
      for (int x = 0; x < image.PlaneWidth(p); ++x) image.At(p, x, y) = value(p, x, y);
    }
  }
  return image;
}

Image Pattern(const Layout& layout, int width, int height, int seed) {
  return Filled(layout, width, height, [seed](int p, int x, int y) { return (seed + p * 71 + x * 7 + y * 13) & 0xff; });
}

// Black: limited-range YUV (16, 128, 128), full-range gray 0.
Image Black(const Layout& layout, int width, int height) {
  const bool gray = layout.planes == 1;
  return Filled(layout, width, height, [gray](int p, int, int) { return gray ? 0 : (p == 0 ? 16 : 128); });
}

// `src` placed on `dst` with its top-left corner at (x, y), clipped. Offsets must be
// multiples of the chroma subsampling, so that every plane moves by whole samples.
void Place(const Image& src, Image& dst, int x, int y) {
  for (int p = 0; p < src.layout.planes; ++p) {
    const int ox = p == 0 ? x : x >> src.layout.shiftW;
    const int oy = p == 0 ? y : y >> src.layout.shiftH;
    for (int sy = 0; sy < src.PlaneHeight(p); ++sy) {
      for (int sx = 0; sx < src.PlaneWidth(p); ++sx) {
        const int dx = sx + ox, dy = sy + oy;
        if (dx < 0 || dy < 0 || dx >= dst.PlaneWidth(p) || dy >= dst.PlaneHeight(p)) continue;
        dst.At(p, dx, dy) = static_cast<unsigned char>(src.planes[p][static_cast<size_t>(sy) * src.PlaneWidth(p) + sx]);
      }
    }
  }
}

std::string Y4mHeader(const Image& image, const std::string& rate) {
  return "YUV4MPEG2 W" + std::to_string(image.width) + " H" + std::to_string(image.height) + " F" + rate +
         " Ip A1:1 C" + image.layout.tag + "\n";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct ListingLine {
  long long index = 0;
  long long time = 0;
  long long duration = 0;
  std::string digest;
};

std::vector<ListingLine> ParseListing(const std::string& text) {
  std::vector<ListingLine> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    ListingLine l;
    char digest[128] = {};
    if (std::sscanf(line.c_str(), "%lld, %lld, %lld, %127s", &l.index, &l.time, &l.duration, digest) != 4) {
      ADD_FAILURE() << "malformed listing line: " << line;
      continue;
    }
    l.digest = digest;
    lines.push_back(l);
  }
  return lines;
}

// A written .y4m stream split into its header line and frames of `frameBytes` each.
struct Y4mFile {
  std::string header;
  std::vector<std::string> frames;
};

Y4mFile ParseY4m(const std::string& bytes, size_t frameBytes) {
  Y4mFile file;
  size_t pos = bytes.find('\n');
  if (pos == std::string::npos) {
    ADD_FAILURE() << "no header line";
    return file;
  }
  file.header = bytes.substr(0, pos);
  ++pos;
  while (pos < bytes.size()) {
    if (bytes.compare(pos, 6, "FRAME\n") != 0 || bytes.size() - pos - 6 < frameBytes) {
      ADD_FAILURE() << "frame " << file.frames.size() << " is malformed or cut short";
      break;
    }
    file.frames.push_back(bytes.substr(pos + 6, frameBytes));
    pos += 6 + frameBytes;
  }
  return file;
}

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class StillImageTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::path(::testing::TempDir()) / "still-image-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Path(const std::string& name) const { return dir_ / name; }

  // Starts the program with standard output and error going to files of the test folder.
  pid_t Spawn(const std::vector<std::string>& args) {
    std::vector<std::string> all{STILL_IMAGE_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, Path("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, Path("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // SIGINT as a terminal would deliver it, even when this test runs with it ignored or blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigaddset(&signals, SIGINT);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(error, 0) << "cannot start " << argv[0];
    return pid;
  }

  Outcome Wait(pid_t pid) {
    Outcome outcome;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) {
      outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    outcome.out = ReadFile(Path("stdout"));
    outcome.err = ReadFile(Path("stderr"));
    return outcome;
  }

  Outcome Run(const std::vector<std::string>& args) { return Wait(Spawn(args)); }

  fs::path dir_;
};

// Frame count, timestamps and durations follow from the duration and the rate; the
// embedded colour bars are one still picture, so every frame has the same digest.
TEST_F(StillImageTest, EmbeddedDefaultFrameTiming) {
  struct Case {
    std::vector<std::string> args;
    size_t frames;
    long long frameDuration;
  };
  const Case cases[] = {
      {{"--duration", "2s"}, 50, 40000},
      {{"--duration", "1s", "--fps", "30000/1001"}, 30, 33367},  // the last frame starts before 1 s
      {{"--duration", "10f", "--fps", "50"}, 10, 20000},
      {{"--duration", "10ms"}, 1, 40000},  // shorter than a frame: served once, whole
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--bars", "96x64", "--listing", Path("listing").string()});
    const Outcome outcome = Run(args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("100%"), std::string::npos) << outcome.err;
    const std::vector<ListingLine> lines = ParseListing(ReadFile(Path("listing")));
    ASSERT_EQ(lines.size(), c.frames) << c.args[1];
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].index, static_cast<long long>(i));
      EXPECT_EQ(lines[i].time, static_cast<long long>(i) * c.frameDuration);
      EXPECT_EQ(lines[i].duration, c.frameDuration);
      EXPECT_EQ(lines[i].digest, lines[0].digest);
    }
    EXPECT_NE(lines[0].digest.find(":96:64:0"), std::string::npos) << lines[0].digest;
  }
}

TEST_F(StillImageTest, TwoRunsListTheSameDigests) {
  const std::vector<std::string> args{"--duration", "1s", "--canvas", "320x240", "--at", "-8,10", "--format", "422"};
  const Outcome first = Run(args);
  const Outcome second = Run(args);
  ASSERT_EQ(first.exitCode, 0) << first.err;
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(ParseListing(first.out).size(), 25u);
  EXPECT_EQ(first.out, second.out);  // the listing goes to standard output by default
}

// A .y4m input of each colour space: only its first frame is shown, placed and clipped on
// the canvas; the output file holds exactly the expected pictures and the listing their digests.
TEST_F(StillImageTest, Y4mInputPlacedWrittenAndDigested) {
  struct Case {
    Layout layout;
    std::vector<std::string> placement;  // empty: no canvas
    int canvasWidth, canvasHeight, x, y;
  };
  const Case cases[] = {
      {k420, {"--canvas", "37x29", "--at", "-4,6"}, 37, 29, -4, 6},    // odd canvas, clipped left and bottom
      {k422, {"--canvas", "16x12", "--at", "10,-8"}, 16, 12, 10, -8},  // frame larger than the canvas
      {k444, {}, 24, 16, 0, 0},                                        // frames as read
      {kMono, {"--canvas", "64x64", "--at=100,0"}, 64, 64, 100, 0},    // entirely outside: background only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout.tag);
    const Image first = Pattern(c.layout, 24, 16, 1);
    WriteFile(Path("in.y4m"), Y4mHeader(first, "30000:1001") + "FRAME\n" + first.Bytes() + "FRAME Ixyz\n" +
                                  Pattern(c.layout, 24, 16, 2).Bytes());
    std::vector<std::string> args{
        Path("in.y4m").string(), "--duration", "4f", "-o", Path("out.y4m").string(), "--listing",
        Path("listing").string()};
    args.insert(args.end(), c.placement.begin(), c.placement.end());
    const Outcome outcome = Run(args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;

    Image expected = c.placement.empty() ? first : Black(c.layout, c.canvasWidth, c.canvasHeight);
    if (!c.placement.empty()) Place(first, expected, c.x, c.y);
    const Y4mFile out = ParseY4m(ReadFile(Path("out.y4m")), expected.Bytes().size());
    EXPECT_EQ(out.header, "YUV4MPEG2 W" + std::to_string(c.canvasWidth) + " H" + std::to_string(c.canvasHeight) +
                              " F30000:1001 Ip A1:1 C" + c.layout.tag);
    ASSERT_EQ(out.frames.size(), 4u);
    for (size_t i = 0; i < out.frames.size(); ++i) EXPECT_TRUE(out.frames[i] == expected.Bytes()) << "frame " << i;

    const std::vector<ListingLine> lines = ParseListing(ReadFile(Path("listing")));
    ASSERT_EQ(lines.size(), 4u);
    for (const ListingLine& line : lines) {
      EXPECT_EQ(line.digest, expected.Digest());
      EXPECT_EQ(line.duration, 33367);  // the file's rate
    }
  }
}

// Each bad input or option: one line naming the problem, and the exit code of its kind.
TEST_F(StillImageTest, BadInputsFailWithOneClearMessage) {
  const Image frame = Pattern(k420, 4, 4, 0);
  const std::string header = Y4mHeader(frame, "25:1");
  struct Case {
    const char* name;
    const char* file;  // written to in.y4m when not null
    std::string content;
    std::vector<std::string> args;
    int exitCode;
    const char* message;
  };
  const Case cases[] = {
      {"missing file", nullptr, "", {"missing.y4m"}, 3, "missing.y4m': No such file or directory"},
      {"not a stream", "in.y4m", "hello\n", {"in.y4m"}, 3, "not a YUV4MPEG2 stream"},
      {"empty file", "in.y4m", "", {"in.y4m"}, 3, "empty file"},
      {"no width", "in.y4m", "YUV4MPEG2 H4 F25:1\nFRAME\n" + frame.Bytes(), {"in.y4m"}, 3, "no width"},
      {"bad rate", "in.y4m", "YUV4MPEG2 W4 H4 F25\nFRAME\n" + frame.Bytes(), {"in.y4m"}, 3, "bad frame rate"},
      {"high bit depth", "in.y4m", "YUV4MPEG2 W4 H4 C420p10\n", {"in.y4m"}, 3, "unsupported colour space C420p10"},
      {"header only", "in.y4m", header, {"in.y4m"}, 3, "no frame after the header"},
      {"truncated frame",
       "in.y4m",
       header + "FRAME\n" + frame.Bytes().substr(3),
       {"in.y4m"},
       3,
       "truncated: frame 0 needs 24 bytes but the file ends after 21"},
      {"bad frame marker",
       "in.y4m",
       header + "FRAMX\n" + frame.Bytes(),
       {"in.y4m"},
       3,
       "does not start with \"FRAME\""},
      {"canvas below 4:2:0", nullptr, "", {"--canvas", "1x1"}, 2, "canvas 1x1 is smaller than yuv420p allows"},
      {"unknown option", nullptr, "", {"--bogus"}, 2, "unknown option '--bogus'"},
      {"bad rate option", nullptr, "", {"--fps", "0"}, 2, "bad --fps '0'"},
      {"bad duration", nullptr, "", {"--duration", "-2s"}, 2, "bad --duration '-2s'"},
      {"offset without canvas", nullptr, "", {"--at", "4,4"}, 2, "give --canvas too"},
      {"missing value", nullptr, "", {"-o"}, 2, "option -o needs a value"},
      {"bars and a file",
       "in.y4m",
       header + "FRAME\n" + frame.Bytes(),
       {"in.y4m", "--bars", "8x8"},
       2,
       "describe the colour bars"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file) WriteFile(Path(c.file), c.content);
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a.find(".y4m") != std::string::npos ? Path(a).string() : a);
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(LineCount(outcome.err), 1u) << outcome.err;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    EXPECT_TRUE(ParseListing(outcome.out).empty());
  }
}

TEST_F(StillImageTest, FailureInsideTheJobIsPrintedAsProcessingError) {
  const Outcome outcome = Run({"--bars", "64x48", "--duration", "1s", "-o", "/dev/full", "--listing", "/dev/null"});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("ProcessingError: \n[code]: 22\n[description]: Cannot write '/dev/full': No space left"),
            std::string::npos)
      << outcome.err;
}

// Ctrl-C: the job stops through the main thread, every listed frame is whole in the
// output file, and the exit code says that the run was interrupted.
TEST_F(StillImageTest, InterruptStopsTheJobCleanly) {
  const pid_t pid = Spawn({"--bars", "64x48", "--duration", "60s", "--realtime", "-o", Path("out.y4m").string(),
                           "--listing", Path("listing").string()});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (ParseListing(ReadFile(Path("listing"))).size() < 3 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_EQ(kill(pid, SIGINT), 0);
  const Outcome outcome = Wait(pid);
  EXPECT_EQ(outcome.exitCode, 130) << outcome.err;
  EXPECT_NE(outcome.err.find("stopped after"), std::string::npos) << outcome.err;

  const size_t frames = ParseListing(ReadFile(Path("listing"))).size();
  EXPECT_GE(frames, 3u);
  EXPECT_LT(frames, 1500u);
  const Y4mFile out = ParseY4m(ReadFile(Path("out.y4m")), 64 * 48 * 3 / 2);
  EXPECT_EQ(out.frames.size(), frames);
}

// With stages the frames are digested again after rendering, from the output file or
// from the rewound stream; the progress ends in the last stage.
TEST_F(StillImageTest, StagesRenderThenVerify) {
  for (const bool withOutput : {true, false}) {
    std::vector<std::string> args{"--bars", "64x48", "--duration", "20f", "--stages", "--listing", "/dev/null"};
    if (withOutput) args.insert(args.end(), {"-o", Path("out.y4m").string()});
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("verify 100%"), std::string::npos) << outcome.err;
  }
}

}  // namespace
