// The still-image program run as a user runs it, checked against pictures and digests worked out here.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Core/MD5.h"

namespace {

namespace fs = std::filesystem;

// A .y4m colour space: its tag, its pixel format number in digest texts, how far its chroma
// is subsampled (both ways) and its planes.
struct Layout {
  const char* tag;
  int pixFmt, shift, planes;
};
constexpr Layout k420{"420jpeg", 0, 1, 3};
constexpr Layout k444{"444", 2, 0, 3};
constexpr Layout kMono{"mono", 8, 0, 1};

// A planar 8-bit picture: its planes back to back, as a .y4m frame holds them.
struct Image {
  Layout layout;
  int width, height;
  std::string bytes;

  // Samples of plane p across `n` pixels.
  int Size(int p, int n) const { return p == 0 ? n : (n + (1 << layout.shift) - 1) >> layout.shift; }
  // The digest text the program lists for a frame of this picture.
  std::string Digest() const {
    return Tivrel::Core::MD5(bytes).hexdigest() + ":" + std::to_string(width) + ":" + std::to_string(height) + ":" +
           std::to_string(layout.pixFmt);
  }
};

// A picture whose sample (x, y) of plane p is value(p, x, y).
template <class Value>
Image Make(const Layout& layout, int width, int height, Value value) {
  Image image{layout, width, height, {}};
  for (int p = 0; p < layout.planes; ++p) {
    for (int y = 0; y < image.Size(p, height); ++y) {
      for (int x = 0; x < image.Size(p, width); ++x) image.bytes.push_back(static_cast<char>(value(p, x, y)));
    }
  }
  return image;
}

// Sample (x, y) of plane p of the test pictures.
int PatternAt(int p, int x, int y) { return (p * 71 + x * 7 + y * 29) & 0xff; }

Image Pattern(const Layout& layout, int width, int height) { return Make(layout, width, height, PatternAt); }

// `source` placed at x, y on a black canvas (limited range: luma 16, chroma 128).
Image Placed(const Image& source, int width, int height, int x, int y) {
  const int s = source.layout.shift;
  return Make(source.layout, width, height, [&](int p, int cx, int cy) {
    const int fx = cx - (p ? x >> s : x), fy = cy - (p ? y >> s : y);
    const bool inside = fx >= 0 && fy >= 0 && fx < source.Size(p, source.width) && fy < source.Size(p, source.height);
    return inside ? PatternAt(p, fx, fy) : p ? 128 : 16;
  });
}

std::string Y4mFile(const Image& image, const std::string& rate, size_t frames, const std::string& aspect = "1:1") {
  std::string file = "YUV4MPEG2 W" + std::to_string(image.width) + " H" + std::to_string(image.height) + " F" + rate +
                     " Ip A" + aspect + " C" + image.layout.tag + "\n";
  for (size_t i = 0; i < frames; ++i) file += "FRAME\n" + image.bytes;
  return file;
}

// The number of frame lines of a listing (the others are comments, starting with '#').
long FrameCount(const std::string& listing) {
  std::istringstream in(listing);
  long frames = 0;
  for (std::string line; std::getline(in, line);) frames += !line.empty() && line[0] != '#';
  return frames;
}

struct Outcome {
  int exitCode = -1;
  std::string out, err;
};

class StillImageTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "still-image-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern + "/";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ + name, std::ios::binary) << bytes;
  }

  // Starts the program with the words of `line` ("@name" names a file of the test folder)
  // through the shell, which execs it; standard output and error go to files there.
  pid_t Spawn(std::string line) {
    for (size_t at; (at = line.find('@')) != std::string::npos;) line.replace(at, 1, dir_);
    line = "exec '" STILL_IMAGE_PROGRAM "' " + line + " </dev/null >'" + dir_ + "stdout' 2>'" + dir_ + "stderr'";
    std::fflush(nullptr);  // nothing buffered here is written twice
    const pid_t pid = fork();
    if (pid == 0) {
      signal(SIGINT, SIG_DFL);  // as a terminal delivers it, even when this test runs with it ignored
      execl("/bin/sh", "sh", "-c", line.c_str(), nullptr);
      _exit(127);
    }
    return pid;
  }

  Outcome Wait(pid_t pid) {
    int status = 0;
    const bool ended = pid > 0 && waitpid(pid, &status, 0) == pid;
    return {ended ? (WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) : -1, Read("stdout"),
            Read("stderr")};
  }

  Outcome Run(const std::string& line) { return Wait(Spawn(line)); }

  std::string dir_;
};

// The first frame of a .y4m file shown for a duration, as read, placed on a canvas or
// through a chain of effects: the output file's bytes and the listing's lines (timestamps
// and digests) against pictures worked out here; the progress runs on the program's own
// sub-second clock and ends where the summary does.
TEST_F(StillImageTest, FramesListedAndWritten) {
  const Image s420 = Pattern(k420, 24, 16), s444 = Pattern(k444, 24, 16), mono = Pattern(kMono, 24, 16);
  // Flipped left-right, cropped to 6x8 at 2,0, turned clockwise (the effects' pixels are
  // their own tests' business; this checks the chain's order and the turned aspect).
  const Image chained =
      Make(k420, 8, 6, [&](int p, int x, int y) { return PatternAt(p, (p ? 10 : 21) - y, (p ? 3 : 7) - x); });
  struct Case {
    const Image& source;
    const char* args;
    size_t frames;
    long long frameDuration;
    const Image& expected;
    const char* aspect;  // of the output's pixels, 4:3 in the input
    const char* header;  // a line of the listing's header
  };
  const Image placed420 = Placed(s420, 30, 20, -4, 6), placedMono = Placed(mono, 30, 20, 30, 0);
  const Case cases[] = {
      // The file's rate; the last frame starts before 1 s.
      {s420, "--duration 1s --realtime --canvas 30x20 --at=-4,6", 30, 33367, placed420, "4:3",
       "# canvas: 30x20 at -4,6\n"},
      {mono, "--canvas 30x20 --at 30,0", 2, 33367, placedMono, "4:3", "# canvas"},
      // Shorter than a frame: served once, whole.
      {s444, "--duration 10ms --fps 25", 1, 40000, s444, "4:3", "25/1 frames/s"},
      {s420, "--effect flip:h --effect crop:2,0,16,8 --effect transpose:1", 2, 33367, chained, "3:4",
       "# effects: flip left-right, crop at 2,0 to 6x8, turn 90 degrees clockwise\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    Write("in.y4m", Y4mFile(c.source, "30000:1001", 1, "4:3"));
    const Outcome outcome =
        Run(std::string("@in.y4m -o @out.y4m --listing @listing --progress lines --duration 2f ") + c.args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_TRUE(Read("out.y4m") ==
                Y4mFile(c.expected, c.frameDuration == 40000 ? "25:1" : "30000:1001", c.frames, c.aspect));
    std::string lines;
    for (size_t i = 0; i < c.frames; ++i) {
      char line[160];
      std::snprintf(line, sizeof(line), "%6zu, %12lld, %9lld, %s\n", i, c.frameDuration * static_cast<long long>(i),
                    c.frameDuration, c.expected.Digest().c_str());
      lines += line;
    }
    const std::string listing = Read("listing");
    EXPECT_EQ(FrameCount(listing), static_cast<long>(c.frames));
    EXPECT_EQ(listing.substr(listing.size() - std::min(lines.size(), listing.size())), lines) << "the frame lines";
    EXPECT_NE(listing.find(c.header), std::string::npos) << listing;
    std::istringstream progress(outcome.err);
    std::vector<double> elapsed;
    double total = -1, e = 0;
    for (std::string line; std::getline(progress, line);) {
      if (std::sscanf(line.c_str(), "%*d%%  elapsed %lf", &e) == 1) elapsed.push_back(e);
      std::sscanf(line.c_str(), "still-image: %*d frames in %lf s", &total);
    }
    ASSERT_FALSE(elapsed.empty()) << outcome.err;
    // The last line comes when the last frame is done, the summary after the output file is
    // closed: on a busy machine that can be a good part of a second later, never earlier.
    EXPECT_LE(elapsed.back(), total + 0.001) << outcome.err;
    EXPECT_LT(total - elapsed.back(), 0.5) << outcome.err;
    EXPECT_TRUE(c.frames < 30 || std::any_of(elapsed.begin(), elapsed.end() - 1, [](double t) { return t != int(t); }))
        << "a run of a second shows fractions of a second on the way\n"
        << outcome.err;
  }
}

// However many jobs share the stream, and whether the chain comes from options, a saved
// settings file or both (the file in its place in the chain), the listing and the output
// file are the same bytes; with stages the frames are verified again, from the file or from
// the rewound stream.
TEST_F(StillImageTest, JobsAndSettingsFilesGiveTheSameBytes) {
  ASSERT_EQ(Run("--bars 160x90 --duration 1f --effect crop:2,0,5,1 --save-settings @crop.json").exitCode, 0);
  std::string listing, file;
  for (const std::string args :
       {"--jobs 1 -o @out.y4m --effect flip:v --effect crop:2,0,5,1 --effect transpose:1 "
        "--save-settings @all.json",
        "--jobs 3 -o @out.y4m --settings @all.json",
        "--jobs 2 -o @out.y4m --stages --effect flip:v --settings @crop.json --effect transpose:1",
        "--jobs 2 --stages --settings @all.json"}) {
    SCOPED_TRACE(args);
    const bool stages = args.find("--stages") != std::string::npos, output = args.find("-o ") != std::string::npos;
    const Outcome outcome =
        Run("--bars 160x90 --duration 40f --canvas 200x120 --at 3,4 --listing @listing --progress lines " + args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.err.find(stages ? "verify 100%" : "\n100%"), std::string::npos) << outcome.err;
    if (listing.empty()) listing = Read("listing"), file = Read("out.y4m");
    EXPECT_EQ(Read("listing"), listing);
    EXPECT_TRUE(!output || Read("out.y4m") == file);
  }
  EXPECT_NE(listing.find("# effects: flip top-bottom, crop at 2,0 to 153x89, turn 90 degrees clockwise\n"),
            std::string::npos)
      << listing;
  EXPECT_EQ(FrameCount(listing), 40);
}

// Each bad input: the exit code of its kind and a message naming the fault, on one line
// unless the job failed (its error record follows).
TEST_F(StillImageTest, BadInputsFailWithAClearMessage) {
  struct Case {
    std::string content;  // written to the last argument's file when not empty
    const char* args;
    int exitCode;
    const char* message;
  };
  const Case cases[] = {
      {"", "@missing.y4m", 3, "missing.y4m': No such file or directory"},
      {"YUV4MPEG2 W4 H4 C420p10\n", "@in.y4m", 3, "unsupported colour space C420p10"},
      {"YUV4MPEG2 W4 H4 C420jpeg\nFRAME\n" + std::string(21, 'x'), "@in.y4m", 3,
       "frame 0 needs 24 bytes but the file ends after 21"},
      {"", "--canvas 1x1", 2, "canvas 1x1 is smaller than yuv420p allows"},
      {"", "--bars 0x8", 2, "bad --bars '0x8': expected <width>x<height>, each 1..16384"},
      {"", "--effect flip:x", 2, "bad --effect 'flip:x': expected flip:h"},
      {"", "--effect crop:640,0,640,0", 2, "crop:640,0,640,0 leaves nothing of a 1280x720 frame"},
      {"", "--jobs 0", 2, "bad --jobs '0': expected a number of jobs, 1..16"},
      {R"({"name": "x", )", "--settings @s.json", 3, "s.json': Malformed JSON at line 1, column 14"},
      {R"({"name": "$$FILTER_APPLY_EFFECTS_VIDEO$$", "children": [{"name": "effectsList", "children": [)"
       R"({"name": "x", "children": [{"name": "classKey", "string": "Blur"}]}]}]})",
       "--settings @s.json", 3, "s.json' at /children/0/children/0: no effect takes settings of class 'Blur'"},
      {"", "--bars 64x48 --duration 1s --jobs 2 -o /dev/full --listing /dev/null", 1,
       "ProcessingError: \n[code]: 22\n[description]: Cannot write '/dev/full': No space left"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string args = c.args;
    if (!c.content.empty()) Write(args.substr(args.rfind('@') + 1), c.content);
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_TRUE(c.exitCode == 1 || std::count(outcome.err.begin(), outcome.err.end(), '\n') == 1) << outcome.err;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    EXPECT_TRUE(outcome.out.empty());
  }
}

// Ctrl-C: every job stops, every listed frame is whole in the output file, and the exit
// code says that the run was interrupted.
TEST_F(StillImageTest, InterruptStopsTheJobsCleanly) {
  const pid_t pid = Spawn("--bars 64x48 --duration 60s --realtime --jobs 2 -o @out.y4m --listing @listing");
  const auto frames = [&] { return FrameCount(Read("listing")); };
  for (int i = 0; i < 1500 && frames() < 3; ++i) usleep(20000);
  ASSERT_EQ(kill(pid, SIGINT), 0);
  const Outcome outcome = Wait(pid);
  EXPECT_EQ(outcome.exitCode, 130) << outcome.err;
  EXPECT_NE(outcome.err.find("stopped after"), std::string::npos) << outcome.err;
  EXPECT_GE(frames(), 3);
  EXPECT_LT(frames(), 1500);
  EXPECT_EQ(Read("out.y4m").size(),
            Y4mFile(Pattern(k420, 64, 48), "25:1", 0).size() + frames() * (6 + 64 * 48 * 3 / 2));
}

}  // namespace
