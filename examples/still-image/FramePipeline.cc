#include "examples/still-image/FramePipeline.h"

#include <cstring>
#include <utility>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/FrameUtils.h"

namespace StillImage {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;

void FillBlack(IDataVideo& frame, bool fullRange) {
  for (unsigned char p = 0; p < Tivrel::Proc::GetPlanesCount(frame); ++p) {
    const Tivrel::Proc::Plane plane = frame.GetPlane(p);
    const int value = p != 0 ? 128 : fullRange ? 0 : 16;
    for (unsigned long y = 0; y < plane.height; ++y) std::memset(plane.GetOffsetPtr(0, y), value, plane.width);
  }
}

FramePipeline::FramePipeline(const std::vector<Tivrel::Core::Property>& effects,
                             const std::optional<CanvasSpec>& canvas)
    : chain_(MakeChain(effects)), canvas_(canvas) {}

SP<IDataVideo> FramePipeline::Make(SP<IDataVideo> frame) {
  ApplyChain(chain_, frame);
  if (!canvas_) return frame;
  SP<IDataVideo> canvas = FreeCanvas();
  Tivrel::Proc::CopyDataVideo(frame, canvas, canvas_->at.x, canvas_->at.y);
  canvas->SetTime(frame->GetTime());
  canvas->SetDuration(frame->GetDuration());
  return canvas;
}

SP<IDataVideo> FramePipeline::FreeCanvas() {
  for (const SP<IDataVideo>& canvas : canvases_) {
    if (!Tivrel::Media::ArePixelsShared(*canvas)) return canvas;  // only this pool holds it
  }
  const Effects::FrameShape& shape = canvas_->shape;
  SP<IDataVideo> canvas =
      Tivrel::Media::VideoFrame::Create(shape.format, static_cast<int>(shape.info.width),
                                        static_cast<int>(shape.info.height), shape.info.aspectX, shape.info.aspectY);
  FillBlack(*canvas, canvas_->fullRange);
  canvases_.push_back(canvas);
  return canvas;
}

}  // namespace StillImage
