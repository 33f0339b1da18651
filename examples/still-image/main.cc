// still-image: one still frame shown for a duration and checked, the way a conversion
// engine serves a picture in a timeline. The frame (from a .y4m file or colour bars made
// in memory) becomes a single-frame stream, shared through a lockable wrapper; a job on its
// own worker thread pulls a copy per frame time, places it on a canvas, digests it, lists
// the digest and writes the frame to a .y4m file, while the main thread shows the job's
// progress and waits for the end or for Ctrl-C.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Media/VideoFrame.h"
#include "Platform/Conf/PixFmt.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/DebugHelpers.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "examples/still-image/ColourBars.h"
#include "examples/still-image/DigestListing.h"
#include "examples/still-image/EffectChain.h"
#include "examples/still-image/Errors.h"
#include "examples/still-image/FramePipeline.h"
#include "examples/still-image/Jobs.h"
#include "examples/still-image/Options.h"
#include "examples/still-image/OrderedWriter.h"
#include "examples/still-image/ProgressDisplay.h"
#include "examples/still-image/SettingsFile.h"
#include "examples/still-image/Wakeup.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {
namespace {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;
using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

const Rate kDefaultRate{25};

// The still frame and how it is stored in a .y4m stream (rate 0 when unknown).
struct Source {
  SP<Tivrel::Media::VideoFrame> frame;
  Y4mFormat format;
  std::string description;
};

// Closes the descriptor it holds (-1: none).
struct FileDescriptor {
  int fd = -1;
  FileDescriptor() = default;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd >= 0) close(fd);
  }
};

FilePtr Open(const std::string& path, const char* mode, const char* verb) {
  FilePtr file(std::fopen(path.c_str(), mode), &std::fclose);
  if (!file) throw InputError(std::string("cannot ") + verb + " '" + path + "': " + std::strerror(errno));
  return file;
}

const char* FormatName(Tivrel::PixFmt format) { return Tivrel::PixFmtDescription::Find(format)->name.c_str(); }

Source LoadSource(const Options& o) {
  Source s;
  if (o.input.empty()) {
    s.format.width = o.barsSize.width;
    s.format.height = o.barsSize.height;
    s.format.pixFmt = o.barsFormat;
    s.format.colourTag = o.barsColourTag;
    s.frame = MakeColourBars(o.barsFormat, s.format.width, s.format.height);
    s.description = "colour bars";
  } else {
    FilePtr owned(nullptr, &std::fclose);
    std::FILE* in = stdin;
    if (o.input != "-") {
      owned = Open(o.input, "rb", "open");
      in = owned.get();
    }
    Y4mReader reader(in, o.input == "-" ? "standard input" : o.input);
    s.format = reader.Format();
    s.frame = Tivrel::Media::VideoFrame::Create(s.format.pixFmt, s.format.width, s.format.height, s.format.aspectX,
                                                s.format.aspectY);
    reader.ReadFrame(*s.frame);  // the first frame; the rest of the file is not read
    s.description = "first frame of C" + s.format.colourTag;
  }
  s.description +=
      " " + std::to_string(s.format.width) + "x" + std::to_string(s.format.height) + " " + FormatName(s.format.pixFmt);
  return s;
}

// A canvas must hold at least one whole chroma sample of the frame's format.
void CheckCanvas(const Size& canvas, Tivrel::PixFmt format) {
  const Tivrel::PixFmtDescription* d = Tivrel::PixFmtDescription::Find(format);
  const int minWidth = 1 << d->shiftW, minHeight = 1 << d->shiftH;
  if (canvas.width < minWidth || canvas.height < minHeight) {
    throw UsageError("canvas " + std::to_string(canvas.width) + "x" + std::to_string(canvas.height) +
                     " is smaller than " + d->name + " allows (at least " + std::to_string(minWidth) + "x" +
                     std::to_string(minHeight) + ")");
  }
}

// The canvas that --canvas asks for, of the format the effects leave the frames in.
std::optional<CanvasSpec> CanvasFor(const Options& o, const Source& source, const ChainPlan& chain) {
  if (!o.canvas) return std::nullopt;
  CheckCanvas(*o.canvas, chain.output.format);
  CanvasSpec canvas{chain.output, source.format.fullRange, o.at};
  canvas.shape.info.width = static_cast<uint32_t>(o.canvas->width);
  canvas.shape.info.height = static_cast<uint32_t>(o.canvas->height);
  return canvas;
}

// The output stream: the frames as the effects leave them, or the canvas, at `rate`.
Y4mFormat OutputFormat(const Source& source, const ChainPlan& chain, const Rate& rate,
                       const std::optional<CanvasSpec>& canvas) {
  const Effects::FrameShape& shape = canvas ? canvas->shape : chain.output;
  Y4mFormat format = source.format;
  format.rate = rate;
  format.pixFmt = shape.format;
  if (format.pixFmt != source.format.pixFmt) format.colourTag = ColourSpaceOf(format.pixFmt)->tag;
  format.width = static_cast<int>(shape.info.width);
  format.height = static_cast<int>(shape.info.height);
  format.aspectX = shape.info.aspectX;
  format.aspectY = shape.info.aspectY;
  return format;
}

// T2S's text ends with a NUL of its own; c_str() drops it.
std::string TimeText(long long microseconds) {
  return Tivrel::Proc::T2S(microseconds).c_str();  // NOLINT(readability-redundant-string-cstr)
}

// The listing's comment lines: what was shown, at which rate, through which effects, where
// on which canvas.
void WriteListingHeader(DigestListing& listing, const Source& source, const Options& o, const ChainPlan& chain,
                        const Rate& rate, long long frameDuration, long long frames) {
  const std::string rateText = std::to_string(rate.numerator()) + "/" + std::to_string(rate.denominator());
  listing.WriteComment("still-image digest listing");
  listing.WriteComment("source: " + source.description + ", " + rateText + " frames/s, " +
                       std::to_string(frameDuration) + " us per frame, " + std::to_string(frames) + " frames");
  if (!chain.names.empty()) {
    std::string names;
    for (const std::string& name : chain.names) names += (names.empty() ? "" : ", ") + name;
    listing.WriteComment("effects: " + names);
  }
  if (o.canvas) {
    listing.WriteComment("canvas: " + std::to_string(o.canvas->width) + "x" + std::to_string(o.canvas->height) +
                         " at " + std::to_string(o.at.x) + "," + std::to_string(o.at.y));
  }
  listing.WriteComment("index, time (us), duration (us), digest (md5:width:height:pixel format)");
}

// Starts the jobs and waits until all have ended. A Ctrl-C or a job's failure meanwhile
// closes the writer (which wakes jobs waiting for it) and stops every job. True when
// interrupted.
template <class Job>
bool RunJobs(const std::vector<SP<Job>>& jobs, ProgressDisplay& display, Wakeup& wakeup, OrderedWriter& writer) {
  for (const SP<Job>& job : jobs) job->SetEventsHandler(&display);
  wakeup.CatchInterrupt();
  {
    const InterruptBlocker blocker;  // the jobs' threads leave SIGINT to this one
    for (const SP<Job>& job : jobs) job->Start();
  }
  bool interrupted = false;
  const auto anyRunning = [&jobs] {
    return std::any_of(jobs.begin(), jobs.end(), [](const SP<Job>& job) { return job->IsRunning(); });
  };
  while (anyRunning()) {
    if (wakeup.Wait() == Wakeup::Event::kInterrupted) {
      display.ClearLine();
      std::fputs("still-image: interrupted, stopping the job\n", stderr);
      interrupted = true;
      break;
    }
    if (!display.ErrorText().empty()) break;  // one failed: the others stop too
  }
  writer.Close();
  for (const SP<Job>& job : jobs) job->Stop();  // joins; at once for a job that ended
  for (const SP<Job>& job : jobs) job->SetEventsHandler(nullptr);
  return interrupted;
}

// The written frames digested again by one verify job; true when interrupted.
bool Verify(const ChainPlan& chain, const std::optional<CanvasSpec>& canvas, const Options& o,
            const SP<Tivrel::Proc::IStreamVideoLockable>& stream, OrderedWriter& writer, SharedProgress& progress,
            ProgressDisplay& display, Wakeup& wakeup) {
  progress.EnterStage("verify");
  display.SetStage("verify");
  VerifyJob::Setup setup;
  setup.stream = stream;
  setup.pipeline = std::make_unique<FramePipeline>(chain.settings, canvas);
  setup.outputPath = o.output;
  setup.frames = writer.Written();
  setup.fold = writer.WrittenFold();
  setup.progress = &progress;
  const std::vector<SP<VerifyJob>> jobs{VerifyJob::Create(std::move(setup))};
  return RunJobs(jobs, display, wakeup, writer);
}

int Run(int argc, const char* const* argv) {
  const Options o = ParseOptions(argc, argv);
  if (o.help) {
    std::fputs(UsageText().c_str(), stdout);
    return kExitOk;
  }

  Source source = LoadSource(o);
  const Rate rate = o.fps ? *o.fps : (source.format.rate != 0 ? source.format.rate : kDefaultRate);
  const long long frameDuration = FrameDurationOf(rate);
  long long duration = o.duration.value;
  if (o.duration.inFrames &&
      (__builtin_mul_overflow(o.duration.value, frameDuration, &duration) || duration > kMaxDuration)) {
    throw UsageError("--duration of " + std::to_string(o.duration.value) + " frames is longer than 100 hours");
  }
  // The stream stamps each copy with the frame's duration; served once unless the
  // requested time is longer than one frame.
  source.frame->SetDuration(frameDuration);
  const bool endless = duration > frameDuration;
  const long long frames = endless ? (duration + frameDuration - 1) / frameDuration : 1;

  // What the effects make of the frame decides what the output holds.
  const ChainPlan chain = PlanChain(ReadSettingsFiles(o.effects), Effects::ShapeOf(*source.frame));
  if (!o.saveSettings.empty()) WriteSettingsFile(o.saveSettings, chain.settings);
  const std::optional<CanvasSpec> canvas = CanvasFor(o, source, chain);
  const Y4mFormat outFormat = OutputFormat(source, chain, rate, canvas);

  FileDescriptor outputFile;
  std::unique_ptr<Y4mWriter> writer;
  if (!o.output.empty()) {
    outputFile.fd = open(o.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (outputFile.fd < 0) throw InputError("cannot create '" + o.output + "': " + std::strerror(errno));
    writer = std::make_unique<Y4mWriter>(outputFile.fd, o.output, outFormat);
  }
  FilePtr listingFile(nullptr, &std::fclose);
  std::FILE* listingOut = stdout;
  if (o.listing != "-") {
    listingFile = Open(o.listing, "w", "create");
    listingOut = listingFile.get();
  }

  Wakeup wakeup;
  ProgressDisplay display(stderr, o.progress, [&wakeup] { wakeup.NotifyFinished(); });
  // A bar and listing lines on one terminal: the bar steps aside for every line.
  const bool sharedTerminal = display.DrawsBar() && listingOut == stdout && isatty(STDOUT_FILENO);
  DigestListing listing(listingOut, o.listing == "-" ? "standard output" : o.listing,
                        sharedTerminal ? std::function<void()>([&display] { display.ClearLine(); }) : nullptr);

  const std::string jobsText = o.jobs > 1 ? ", " + std::to_string(o.jobs) + " jobs" : "";
  std::fprintf(stderr, "still-image: %s, %lld frames of %s s%s%s%s\n", source.description.c_str(), frames,
               TimeText(frameDuration).c_str(), jobsText.c_str(), o.output.empty() ? "" : " to ", o.output.c_str());
  WriteListingHeader(listing, source, o, chain, rate, frameDuration, frames);

  // The road of the frame: a single-frame stream, served without end when the duration
  // asks for more than one frame, shared by the jobs through the lockable wrapper.
  const SP<Tivrel::Proc::IStreamVideoEx> oneFrame = Tivrel::Proc::StreamOneFrameVideo::Create(source.frame);
  Tivrel::Proc::SettingsStreamOneFrame settings;
  settings.endless = endless ? 1 : 0;
  oneFrame->Initialize(settings);
  const SP<Tivrel::Proc::IStreamVideoLockable> stream = Tivrel::Proc::IStreamVideoLockable::Create(oneFrame);

  // Each job may be a frame ahead of the writer, and one more waits in the queue.
  OrderedWriter ordered(listing, writer.get(), 2LL * o.jobs);
  SharedProgress progress(o.stages, frames);
  if (o.stages) display.SetStage("render");
  progress.EnterStage("render");
  RenderRun run;
  run.stream = stream;
  run.duration = duration;
  run.writer = &ordered;
  run.progress = &progress;
  run.realtime = o.realtime;
  std::vector<SP<RenderJob>> jobs;
  for (int i = 0; i < o.jobs; ++i) {
    jobs.push_back(RenderJob::Create(run, std::make_unique<FramePipeline>(chain.settings, canvas)));
  }
  // Digest texts are formatted with boost::format, whose first use on a locale fills a
  // cache of character conversions without a lock (ThreadSanitizer reports the jobs racing
  // there); one digest on this thread before the jobs start fills it.
  Tivrel::Proc::CalculateVideoDataMD5(source.frame);
  display.StartClock();
  run.start = std::chrono::steady_clock::now();
  bool interrupted = RunJobs(jobs, display, wakeup, ordered);
  std::string error = display.ErrorText();
  try {
    ordered.Finish();  // also when stopped: the listing and the file hold the same whole frames
  } catch (const std::exception&) {
    if (error.empty()) error = ProcessingErrorText(std::current_exception());
  }
  const bool rendered = !interrupted && error.empty() && ordered.Written() == frames;
  if (rendered && o.stages) {
    interrupted = Verify(chain, canvas, o, stream, ordered, progress, display, wakeup);
    error = display.ErrorText();
  }
  if (!error.empty()) {
    display.ClearLine();
    std::fprintf(stderr, "still-image: the job failed\n%s", error.c_str());
    return kExitJobFailed;
  }
  if (interrupted || !rendered) {
    std::fprintf(stderr, "still-image: stopped after %lld of %lld frames\n", ordered.Written(), frames);
    return kExitInterrupted;
  }
  if (outputFile.fd >= 0 && close(std::exchange(outputFile.fd, -1)) != 0) {
    throw InputError("cannot write '" + o.output + "': " + std::strerror(errno));
  }
  display.Complete();
  const double seconds = static_cast<double>(display.ElapsedMicroseconds()) / 1e6;
  std::fprintf(stderr, "still-image: %lld frames in %.3f s, %.1f frames/s\n", frames, seconds,
               seconds > 0 ? static_cast<double>(frames) / seconds : 0.0);
  return kExitOk;
}

// The first line of a message: exceptions raised with the library's helper append the
// call stack, which is for developers, not for this program's users.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace
}  // namespace StillImage

int main(int argc, char** argv) {
  using namespace StillImage;
  try {
    return Run(argc, argv);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "still-image: %s\n", e.what());
    return kExitUsage;
  } catch (const InputError& e) {
    std::fprintf(stderr, "still-image: %s\n", e.what());
    return kExitInput;
  } catch (const std::exception&) {
    // Exceptions of the library's family keep their text in a tag; the error record reads
    // it from every kind of exception alike.
    const Tivrel::Proc::ProcessingError error =
        Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(std::current_exception());
    std::fprintf(stderr, "still-image: %s\n", FirstLine(error.GetErrorDescription()).c_str());
    return kExitJobFailed;
  }
}
