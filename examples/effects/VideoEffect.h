#pragma once

// The common part of the example's video effects (flip, crop, transpose): frame ownership,
// the frame shape an effect turns its input into, and progress reporting.
//
// Ownership: an effect never writes the pixels it is given. A mirror or a turn reads every
// pixel once and writes it once, so writing into another frame costs no more than working
// in place (and measured less: in place needs a second pass through a line buffer), and
// the given frame may be shared or not alike; the result replaces the caller's pointer. The
// frames it writes are its own: one of its earlier results that nobody else holds any more
// (it keeps the last few), else a new one, so a steady stream allocates no pixels.
// Cropping writes no pixels: it narrows the frame object itself when the caller's pointer is
// its only reference, else a view of it (Clone(false)). Called through the generic
// ProcessData, a frame is also held by the call's own pointers, so it counts as shared
// there; callers that own their frames call ProcessVideoData with their only pointer.
//
// Progress: SetProgress hands an effect the mapping from timestamps to progress. After each
// frame the effect maps the frame's end (time + duration) through it, keeps the value for
// GetStatistic and passes it, rounded, to the progress controller when one was set.
//
// Odd sizes and subsampled chroma: pixels move, chroma samples move whole and are not
// resampled (a quarter turn of yuv422p or yuv411p repeats them, see TransposeEffect). On
// an odd side of a subsampled format the last chroma sample covers one luma column (or
// line) instead of two; a mirror or a turn moves it to the opposite edge, so the chroma of
// that side shifts by one luma pixel. Applying the inverse gives the source back exactly.
//
// Threads: an effect serves one thread at a time; distinct effects may run in parallel.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Platform/Conf/FrameInfo.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/IOneInputEffect.h"

namespace Effects {

// The format and size of frames, before or after an effect.
struct FrameShape {
  Tivrel::PixFmt format = Tivrel::PIX_FMT_YUV420P;
  Tivrel::Proc::FrameInfo info;

  bool operator==(const FrameShape& o) const { return format == o.format && info == o.info; }
};

// The shape of `frame`.
FrameShape ShapeOf(const Tivrel::Proc::IDataVideo& frame);

class VideoEffect : public Tivrel::Proc::IOneInputEffectVideo, public Tivrel::RefCountImpl {
public:
  // The shape this effect makes of frames of `input`. Throws std::invalid_argument, naming
  // the effect and the frame size, when it cannot take them (so a caller can check a chain
  // before the first frame).
  virtual FrameShape OutputShape(const FrameShape& input) const = 0;
  // The configuration in a few words, for listings and messages ("flip left-right").
  virtual std::string Describe() const = 0;

  // Applies the effect (see the ownership rule above); `frame` is not null.
  void ProcessVideoData(Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) final;

  // Nothing is held back between frames: Reset and Flush have nothing to do.
  void Reset() override {}
  Tivrel::SP<Tivrel::Proc::IData> Flush() override { return nullptr; }

  // "frames" (long long): frames processed; "progress" (double): the mapped progress of the
  // last one (0 before the first).
  Tivrel::Core::Property GetStatistic() const override;
  void SetProgressController(const Tivrel::SP<Tivrel::Core::IProgressController>& controller) override;

protected:
  VideoEffect() = default;
  ~VideoEffect() override = default;

  // The effect proper, on a frame of any shape OutputShape accepts.
  virtual void Apply(Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) = 0;

  // A frame of `shape` for the effect to write its result into, stamped with the time,
  // duration and flags of `like`: an earlier result that only this effect still holds,
  // else a new frame (kept for later when fewer than kKeptResults are).
  Tivrel::SP<Tivrel::Proc::IDataVideo> ResultFrame(const Tivrel::Proc::IDataVideo& like, const FrameShape& shape);

private:
  static constexpr size_t kKeptResults = 4;

  std::vector<Tivrel::SP<Tivrel::Proc::IDataVideo>> results_;
  Tivrel::SP<Tivrel::Core::IProgressController> controller_;
  long long frames_ = 0;
  double lastProgress_ = 0.0;
};

// Bytes per sample of `plane` of `format` (1 to 4).
unsigned BytesPerSample(const Tivrel::PixFmtDescription& format, unsigned char plane);

}  // namespace Effects
