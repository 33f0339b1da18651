#pragma once

// What happens to each frame a job reads before it is digested: the effect chain, then
// the placement on a black canvas when one is asked for. One pipeline per job.

#include <optional>
#include <vector>

#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "examples/effects/VideoEffect.h"
#include "examples/still-image/EffectChain.h"
#include "examples/still-image/Options.h"

namespace StillImage {

// A canvas to place the frames on: its shape and the luma of its black.
struct CanvasSpec {
  Effects::FrameShape shape;
  bool fullRange = false;  // black is luma 0 instead of 16
  Offset at;               // the frame's top-left corner on it
};

// Protocol: Make per frame, on one thread at a time. Canvases: a canvas handed out is the
// caller's to read until it drops its references (the ordered writer holds one until the
// frame is written); Make takes one that nobody else holds any more, or makes a new one,
// so a canvas is never written while it is being read.
class FramePipeline {
public:
  FramePipeline(const std::vector<Tivrel::Core::Property>& effects, const std::optional<CanvasSpec>& canvas);

  // The frame as it goes out: `frame` passed through the effects (the caller's pointer
  // should be its only one), then placed on a canvas stamped with its time and duration.
  Tivrel::SP<Tivrel::Proc::IDataVideo> Make(Tivrel::SP<Tivrel::Proc::IDataVideo> frame);

private:
  Tivrel::SP<Tivrel::Proc::IDataVideo> FreeCanvas();

  Chain chain_;
  std::optional<CanvasSpec> canvas_;
  std::vector<Tivrel::SP<Tivrel::Proc::IDataVideo>> canvases_;  // black but for the frame's area
};

// Fills every plane of `frame` with black: luma 16 (0 when `fullRange`), chroma 128.
// For the 8-bit planar YUV and gray formats the program writes.
void FillBlack(Tivrel::Proc::IDataVideo& frame, bool fullRange);

}  // namespace StillImage
