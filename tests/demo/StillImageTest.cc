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

// A planar 8-bit picture: its planes back to back, as a .y4m frame holds them.
struct Image {
  Layout layout;
  int width, height;
  std::string bytes;

  // The digest text the program lists for a frame of this picture.
  std::string Digest() const {
    return Tivrel::Core::MD5(bytes).hexdigest() + ":" + std::to_string(width) + ":" + std::to_string(height) + ":" +
           std::to_string(layout.pixFmt);
  }
};

// Byte i of plane p is value(p, i).
template <class Value>
Image Filled(const Layout& layout, int width, int height, Value value) {
  Image image{layout, width, height, {}};
  for (int p = 0; p < layout.planes; ++p) {
    const int shiftW = p == 0 ? 0 : layout.shiftW, shiftH = p == 0 ? 0 : layout.shiftH;
    const int size = ((width + (1 << shiftW) - 1) >> shiftW) * ((height + (1 << shiftH) - 1) >> shiftH);
    for (int i = 0; i < size; ++i) image.bytes.push_back(static_cast<char>(value(p, i)));
  }
  return image;
}

Image Pattern(const Layout& layout, int width, int height, int seed) {
  return Filled(layout, width, height, [seed](int p, int i) { return (seed + p * 71 + i * 7) & 0xff; });
}

// Black as the stream's default limited range has it: luma 16, chroma 128.
Image Black(const Layout& layout, int width, int height) {
  return Filled(layout, width, height, [](int p, int) { return p == 0 ? 16 : 128; });
}

std::string Y4mHeader(const Layout& layout, int width, int height, const std::string& rate) {
  return "YUV4MPEG2 W" + std::to_string(width) + " H" + std::to_string(height) + " F" + rate + " Ip A1:1 C" +
         layout.tag + "\n";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct ListingLine {
  long long index = 0, time = 0, duration = 0;
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
    EXPECT_EQ(std::sscanf(line.c_str(), "%lld, %lld, %lld, %127s", &l.index, &l.time, &l.duration, digest), 4) << line;
    l.digest = digest;
    lines.push_back(l);
  }
  return lines;
}

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
// embedded colour bars are one still picture, so every frame has the same digest. The
// progress shows the program's own clock to the millisecond, ending where the summary does.
TEST_F(StillImageTest, EmbeddedDefaultFrameTiming) {
  struct Case {
    std::vector<std::string> args;
    size_t frames;
    long long frameDuration;
  };
  const Case cases[] = {
      {{"--duration", "1s", "--fps", "30000/1001"}, 30, 33367},  // the last frame starts before 1 s
      {{"--duration", "10ms"}, 1, 40000},                        // shorter than a frame: served once, whole
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--bars", "96x64", "--listing", Path("listing").string(), "--progress", "lines"});
    const Outcome outcome = Run(args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const std::vector<ListingLine> lines = ParseListing(ReadFile(Path("listing")));
    ASSERT_EQ(lines.size(), c.frames) << c.args[1];
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].index, static_cast<long long>(i));
      EXPECT_EQ(lines[i].time, static_cast<long long>(i) * c.frameDuration);
      EXPECT_EQ(lines[i].duration, c.frameDuration);
      EXPECT_EQ(lines[i].digest, lines[0].digest);
    }
    EXPECT_NE(lines[0].digest.find(":96:64:0"), std::string::npos) << lines[0].digest;
    double elapsed = -1, total = -2;
    ASSERT_NE(outcome.err.rfind("100%"), std::string::npos) << outcome.err;
    sscanf(outcome.err.c_str() + outcome.err.rfind("100%"), "100%%  elapsed %lf  remaining 0 s", &elapsed);
    sscanf(outcome.err.c_str() + outcome.err.find(" frames in "), " frames in %lf s", &total);
    EXPECT_NEAR(elapsed, total, 0.01) << outcome.err;
  }
}

// A .y4m input of each colour space: only its first frame is shown; the output file holds
// exactly the expected pictures and the listing their digests. A canvas is black in the
// stream's default limited range (luma 16), mono included.
TEST_F(StillImageTest, Y4mInputWrittenAndDigested) {
  struct Case {
    Layout layout;
    std::vector<std::string> canvas;  // empty: frames as read; else the frame lies outside it
  };
  for (const Case& c : {Case{k420, {"--canvas", "30x20", "--at", "-24,0"}}, Case{k422, {}}, Case{k444, {}},
                        Case{kMono, {"--canvas", "30x20", "--at=30,0"}}}) {
    SCOPED_TRACE(c.layout.tag);
    const Image first = Pattern(c.layout, 24, 16, 1);
    WriteFile(Path("in.y4m"), Y4mHeader(c.layout, 24, 16, "30000:1001") + "FRAME\n" + first.bytes + "FRAME Ixyz\n" +
                                  Pattern(c.layout, 24, 16, 2).bytes);
    std::vector<std::string> args{
        Path("in.y4m").string(), "--duration", "2f", "-o", Path("out.y4m").string(), "--listing",
        Path("listing").string()};
    args.insert(args.end(), c.canvas.begin(), c.canvas.end());
    const Outcome outcome = Run(args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const Image expected = c.canvas.empty() ? first : Black(c.layout, 30, 20);
    const std::string frame = "FRAME\n" + expected.bytes;
    EXPECT_TRUE(ReadFile(Path("out.y4m")) ==
                Y4mHeader(c.layout, expected.width, expected.height, "30000:1001") + frame + frame);
    const std::vector<ListingLine> lines = ParseListing(ReadFile(Path("listing")));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].digest, expected.Digest());
    EXPECT_EQ(lines[1].duration, 33367);  // the file's rate
  }
}

// Effects apply in the order given: what comes out (size, format, the listing's header)
// follows the chain, and a chain that undoes itself gives the plain frames back.
TEST_F(StillImageTest, EffectChainsApplyInOrder) {
  const auto digestOf = [&](const std::vector<std::string>& effects) {
    std::vector<std::string> args{"--bars",     "64x48", "--format",  "422",
                                  "--duration", "2f",    "--listing", Path("listing").string()};
    for (const std::string& e : effects) args.insert(args.end(), {"--effect", e});
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    const std::vector<ListingLine> lines = ParseListing(ReadFile(Path("listing")));
    return lines.size() == 2 ? lines[0].digest : "";
  };
  const std::string plain = digestOf({});
  EXPECT_EQ(digestOf({"flip:hv", "transpose:2"}), plain);
  EXPECT_EQ(digestOf({"flip:h", "flip:h", "transpose:-2", "transpose:2"}), plain);
  EXPECT_NE(digestOf({"flip:h"}), plain);
  // Crop then turn, or turn then crop; an odd turn of 422 gives 444 (pixel format 2).
  EXPECT_NE(digestOf({"crop:1,2,3,4", "transpose:1"}).find(":42:60:2"), std::string::npos);
  EXPECT_NE(digestOf({"transpose:1", "crop:1,2,3,4"}).find(":44:58:2"), std::string::npos);
  EXPECT_NE(ReadFile(Path("listing")).find("# effects: turn 90 degrees clockwise, crop at 1,2 to 44x58\n"),
            std::string::npos);
}

// A chain kept with --save-settings and read back with --settings gives the same listing;
// a settings file takes its place among the --effect options.
TEST_F(StillImageTest, SettingsFilesKeepTheChain) {
  const auto listing = [&](const std::vector<std::string>& chain) {
    std::vector<std::string> args{"--bars",     "64x48", "--format",  "422",
                                  "--duration", "2f",    "--listing", Path("listing").string()};
    args.insert(args.end(), chain.begin(), chain.end());
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    return ReadFile(Path("listing"));
  };
  const std::string whole = Path("whole.json").string(), crop = Path("crop.json").string();
  const std::string direct =
      listing({"--effect", "crop:1,2,3,4", "--effect", "transpose:1", "--effect", "flip:v", "--save-settings", whole});
  EXPECT_NE(direct.find("# effects: crop at 1,2 to 60x42, turn 90 degrees clockwise, flip top-bottom\n"),
            std::string::npos);
  EXPECT_EQ(listing({"--settings", whole}), direct);
  listing({"--effect", "crop:1,2,3,4", "--save-settings", crop});
  EXPECT_EQ(listing({"--settings", crop, "--effect", "transpose:1", "--effect", "flip:v"}), direct);
}

// However many jobs share the stream, the listing and the output file are the same bytes;
// with stages the frames are verified again, from the file or from the rewound stream.
TEST_F(StillImageTest, JobsGiveTheSameListingAndFile) {
  struct Case {
    const char* jobs;
    bool stages, output;
  };
  std::string listing, file;
  for (const Case& c :
       {Case{"1", false, true}, Case{"3", false, true}, Case{"2", true, true}, Case{"2", true, false}}) {
    SCOPED_TRACE(std::string(c.jobs) + " jobs" + (c.stages ? ", stages" : "") + (c.output ? ", output" : ""));
    std::vector<std::string> args{
        "--bars",     "160x90", "--duration", "40f",     "--jobs", c.jobs, "--effect",  "crop:2,0,5,1",
        "--effect",   "flip:v", "--canvas",   "200x120", "--at",   "3,4",  "--listing", Path("listing").string(),
        "--progress", "lines"};
    if (c.stages) args.push_back("--stages");
    if (c.output) args.insert(args.end(), {"-o", Path("out.y4m").string()});
    const Outcome outcome = Run(args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.err.find(c.stages ? "verify 100%" : "\n100%"), std::string::npos) << outcome.err;
    if (listing.empty()) listing = ReadFile(Path("listing")), file = ReadFile(Path("out.y4m"));
    EXPECT_EQ(ReadFile(Path("listing")), listing);
    if (c.output) {
      EXPECT_TRUE(ReadFile(Path("out.y4m")) == file);
    }
  }
  EXPECT_EQ(ParseListing(listing).size(), 40u);
}

// Each bad input or option: one line naming the problem, and the exit code of its kind.
TEST_F(StillImageTest, BadInputsFailWithOneClearMessage) {
  const std::string header = Y4mHeader(k420, 4, 4, "25:1");
  const auto effectList = [](const std::string& effect) {
    return R"({"name": "$$FILTER_APPLY_EFFECTS_VIDEO$$", "children": [{"name": "effectsList", "children": [)" + effect +
           "]}]}";
  };
  struct Case {
    std::string content;  // written to the last argument's file when not empty
    std::vector<std::string> args;
    int exitCode;
    const char* message;
  };
  const Case cases[] = {
      {"", {"missing.y4m"}, 3, "missing.y4m': No such file or directory"},
      {"YUV4MPEG2 W4 H4 C420p10\n", {"in.y4m"}, 3, "unsupported colour space C420p10"},
      {header + "FRAME\n" + std::string(21, 'x'), {"in.y4m"}, 3, "frame 0 needs 24 bytes but the file ends after 21"},
      {"", {"--canvas", "1x1"}, 2, "canvas 1x1 is smaller than yuv420p allows"},
      {"", {"--bars", "0x8"}, 2, "bad --bars '0x8': expected <width>x<height>, each 1..16384"},
      {"", {"--effect", "flip:x"}, 2, "bad --effect 'flip:x': expected flip:h"},
      {"", {"--effect", "crop:640,0,640,0"}, 2, "crop:640,0,640,0 leaves nothing of a 1280x720 frame"},
      {"", {"--jobs", "0"}, 2, "bad --jobs '0': expected a number of jobs, 1..16"},
      {R"({"name": "x", )", {"--settings", "s.json"}, 3, "s.json': Malformed JSON at line 1, column 14"},
      {effectList(R"({"name": "x", "children": [{"name": "classKey", "string": "Blur"}]})"),
       {"--settings", "s.json"},
       3,
       "s.json' at /children/0/children/0: no effect takes settings of class 'Blur'"},
      {effectList(R"({"name": "x", "children": [{"name": "classKey", "string": "SettingsEffectFlip"},
                                                  {"name": "effectFlipVert", "string": "yes"}]})"),
       {"--settings", "s.json"},
       3,
       "s.json' at /children/0/children/0/children/1: Property \"effectFlipVert\" holds string"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    if (!c.content.empty()) WriteFile(Path(c.args.back()), c.content);
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a.find('.') != std::string::npos ? Path(a).string() : a);
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    EXPECT_TRUE(outcome.out.empty());
  }
}

TEST_F(StillImageTest, FailureInsideTheJobIsPrintedAsProcessingError) {
  const Outcome outcome =
      Run({"--bars", "64x48", "--duration", "1s", "--jobs", "2", "-o", "/dev/full", "--listing", "/dev/null"});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("ProcessingError: \n[code]: 22\n[description]: Cannot write '/dev/full': No space left"),
            std::string::npos)
      << outcome.err;
}

// Ctrl-C: every job stops, every listed frame is whole in the output file, and the exit
// code says that the run was interrupted.
TEST_F(StillImageTest, InterruptStopsTheJobsCleanly) {
  const pid_t pid = Spawn({"--bars", "64x48", "--duration", "60s", "--realtime", "--jobs", "2", "-o",
                           Path("out.y4m").string(), "--listing", Path("listing").string()});
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
  const size_t header = Y4mHeader(k420, 64, 48, "25:1").size();
  EXPECT_EQ(ReadFile(Path("out.y4m")).size(), header + frames * (6 + 64 * 48 * 3 / 2));
}

}  // namespace
