#include "examples/effects/VideoEffect.h"

#include <cmath>

#include "Media/VideoFrame.h"
#include "Platform/Core/Types.h"

namespace Effects {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;

FrameShape ShapeOf(const IDataVideo& frame) { return {frame.GetPixFmt(), frame.GetFrameInfo()}; }

SP<IDataVideo> VideoEffect::ResultFrame(const IDataVideo& like, const FrameShape& shape) {
  SP<IDataVideo> frame;
  for (auto it = results_.begin(); it != results_.end() && !frame;) {
    if (Tivrel::Media::ArePixelsShared(**it)) {
      ++it;  // still read downstream
    } else if (ShapeOf(**it) == shape) {
      frame = *it;
    } else {
      it = results_.erase(it);  // of another shape: not needed any more
    }
  }
  if (!frame) {
    frame = Tivrel::Media::VideoFrame::CreateForOverwrite(shape.format, static_cast<int>(shape.info.width),
                                                          static_cast<int>(shape.info.height), shape.info.aspectX,
                                                          shape.info.aspectY);
    if (results_.size() < kKeptResults) results_.push_back(frame);
  }
  frame->SetTime(like.GetTime());
  frame->SetDuration(like.GetDuration());
  frame->SetEmptyTransparentFrameFlag(like.IsEmptyTransparentFrame());
  return frame;
}

unsigned BytesPerSample(const Tivrel::PixFmtDescription& format, unsigned char plane) {
  return static_cast<unsigned>(format.GetPlanWidthSize(1, plane));
}

void VideoEffect::ProcessVideoData(SP<IDataVideo>& frame) {
  Apply(frame);
  ++frames_;
  const long long time = frame->GetTime();
  lastProgress_ = progress.GetProgress(time == Tivrel::AV_TIME_NOT_SET ? time : time + frame->GetDuration());
  if (controller_) controller_->SetProgress(std::llround(lastProgress_));
}

Tivrel::Core::Property VideoEffect::GetStatistic() const {
  Tivrel::Core::Property tree;
  tree.SetChildT<long long>("frames", frames_);
  tree.SetChildT<double>("progress", lastProgress_);
  return tree;
}

void VideoEffect::SetProgressController(const SP<Tivrel::Core::IProgressController>& controller) {
  controller_ = controller;
}

}  // namespace Effects
