// still-image: one still frame shown for a duration and checked, the way a conversion
// engine serves a picture in a timeline. The frame (from a .y4m file or colour bars made
// in memory) becomes a single-frame stream, shared through a lockable wrapper; a job on its
// own worker thread pulls a copy per frame time, places it on a canvas, digests it, lists
// the digest and writes the frame to a .y4m file, while the main thread shows the job's
// progress and waits for the end or for Ctrl-C.
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "Platform/Conf/PixFmt.h"
#include "Media/VideoFrame.h"
#include "Proc/Interfaces/DebugHelpers.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Settings/SettingsStreamOneFrame.h"
#include "examples/still-image/ColourBars.h"
#include "examples/still-image/DigestListing.h"
#include "examples/still-image/Errors.h"
#include "examples/still-image/Options.h"
#include "examples/still-image/ProgressDisplay.h"
#include "examples/still-image/StillImageJob.h"
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
    if (s.format.width < 1 || s.format.height < 1) throw UsageError("--bars needs a size of at least 1x1");
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

// T2S's text ends with a NUL of its own; c_str() drops it.
std::string TimeText(long long microseconds) {
  return Tivrel::Proc::T2S(microseconds).c_str();  // NOLINT(readability-redundant-string-cstr)
}

// The listing's comment lines: what was shown, at which rate, where on which canvas.
void WriteListingHeader(DigestListing& listing, const Source& source, const Options& o, const Rate& rate,
                        long long frameDuration, long long frames) {
  const std::string rateText = std::to_string(rate.numerator()) + "/" + std::to_string(rate.denominator());
  listing.WriteComment("still-image digest listing");
  listing.WriteComment("source: " + source.description + ", " + rateText + " frames/s, " +
                       std::to_string(frameDuration) + " us per frame, " + std::to_string(frames) + " frames");
  if (o.canvas) {
    listing.WriteComment("canvas: " + std::to_string(o.canvas->width) + "x" + std::to_string(o.canvas->height) +
                         " at " + std::to_string(o.at.x) + "," + std::to_string(o.at.y));
  }
  listing.WriteComment("index, time (us), duration (us), digest (md5:width:height:pixel format)");
}

// Starts the job and waits for its end; a Ctrl-C meanwhile stops it. Returns the seconds
// it ran.
double RunJob(StillImageJob& job, ProgressDisplay& display, Wakeup& wakeup) {
  job.SetEventsHandler(&display);
  const auto start = std::chrono::steady_clock::now();
  wakeup.CatchInterrupt();
  {
    const InterruptBlocker blocker;  // the job's threads leave SIGINT to this one
    job.Start();
  }
  if (wakeup.Wait() == Wakeup::Event::kInterrupted) {
    display.ClearLine();
    std::fputs("still-image: interrupted, stopping the job\n", stderr);
    job.Stop();
  } else {
    job.WaitUntilStopped();
  }
  job.SetEventsHandler(nullptr);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Run(int argc, const char* const* argv) {
  const Options o = ParseOptions(argc, argv);
  if (o.help) {
    std::fputs(UsageText(), stdout);
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

  Y4mFormat outFormat = source.format;
  outFormat.rate = rate;
  SP<IDataVideo> canvas;
  if (o.canvas) {
    CheckCanvas(*o.canvas, source.format.pixFmt);
    canvas = Tivrel::Media::VideoFrame::Create(source.format.pixFmt, o.canvas->width, o.canvas->height,
                                               source.format.aspectX, source.format.aspectY);
    canvas->Fill(Tivrel::Proc::Color{0, 0, 0, 255});
    outFormat.width = o.canvas->width;
    outFormat.height = o.canvas->height;
  }

  FilePtr outputFile(nullptr, &std::fclose);
  std::unique_ptr<Y4mWriter> writer;
  if (!o.output.empty()) {
    outputFile = Open(o.output, "wb", "create");
    writer = std::make_unique<Y4mWriter>(outputFile.get(), o.output, outFormat);
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

  std::fprintf(stderr, "still-image: %s, %lld frames of %s s%s%s\n", source.description.c_str(), frames,
               TimeText(frameDuration).c_str(), o.output.empty() ? "" : " to ", o.output.c_str());
  WriteListingHeader(listing, source, o, rate, frameDuration, frames);

  // The road of the frame: a single-frame stream, served without end when the duration
  // asks for more than one frame, shared through the lockable wrapper.
  const SP<Tivrel::Proc::IStreamVideoEx> oneFrame = Tivrel::Proc::StreamOneFrameVideo::Create(source.frame);
  Tivrel::Proc::SettingsStreamOneFrame settings;
  settings.endless = endless ? 1 : 0;
  oneFrame->Initialize(settings);

  JobSetup setup;
  setup.stream = Tivrel::Proc::IStreamVideoLockable::Create(oneFrame);
  setup.duration = duration;
  setup.frames = frames;
  setup.canvas = canvas;
  setup.at = o.at;
  setup.listing = &listing;
  setup.output = writer.get();
  setup.outputPath = o.output;
  setup.stages = o.stages;
  setup.realtime = o.realtime;
  setup.onStage = [&display](const std::string& name) { display.SetStage(name); };
  const SP<StillImageJob> job = StillImageJob::Create(std::move(setup));
  const double seconds = RunJob(*job, display, wakeup);

  const std::string error = display.ErrorText();
  if (!error.empty()) {
    display.ClearLine();
    std::fprintf(stderr, "still-image: the job failed\n%s", error.c_str());
    return kExitJobFailed;
  }
  if (!job->Completed()) {
    std::fprintf(stderr, "still-image: stopped after %lld of %lld frames\n", job->FramesRendered(), frames);
    return kExitInterrupted;
  }
  if (outputFile && std::fclose(outputFile.release()) != 0) {
    throw InputError("cannot write '" + o.output + "': " + std::strerror(errno));
  }
  display.Complete(static_cast<long long>(seconds * 1e6));
  std::fprintf(stderr, "still-image: %lld frames in %.3f s, %.1f frames/s\n", job->FramesRendered(), seconds,
               seconds > 0 ? static_cast<double>(job->FramesRendered()) / seconds : 0.0);
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
