#include "Proc/Interfaces/IFilterWatermark.h"

#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/IFilterVideoMixer.h"

namespace Tivrel::Proc::CommonFilterParameters {

// Key of a watermark tree; only this file reads and writes it.
const std::string PLACE_AFTER_RESIZE = "placeAfterResize";

}  // namespace Tivrel::Proc::CommonFilterParameters

namespace Tivrel::Proc {

const std::string IFilterWatermark::IS_WATERMARK = "IsWatermark";
const std::string IFilterWatermark::IS_CAPTIONS = "IsCaptions";
const std::string IFilterWatermark::WATERMARK_SETTINGS = "watermarkSettings";
const std::string IFilterWatermark::FRAME_RECT_ASPECT_RATIO = "frameRectAspectRatio";

namespace {

// A mixer tree marked with `marker`, placed after the resizer.
Core::Property MakeMarkedSettings(const std::string& marker) {
  Core::Property root = IFilterVideoMixer::MakeSettings();
  root.SetChildT<bool>(marker, true);
  root.SetChildT<bool>(CommonFilterParameters::PLACE_AFTER_RESIZE, true);
  return root;
}

}  // namespace

Core::Property IFilterWatermark::MakeWatermarkSettings() { return MakeMarkedSettings(IS_WATERMARK); }

Core::Property IFilterWatermark::MakeCaptionsSettings() { return MakeMarkedSettings(IS_CAPTIONS); }

Core::Property IFilterWatermark::MakeCombiningSettings(double relativeX, double relativeY, double relativeWidth,
                                                       double relativeHeight, int alpha) {
  Core::Property root =
      IFilterVideoMixer::MakeCombiningSettings(true, 0, 0, 0, IFilterVideoMixer::TRANSPARENCY_TYPE_FIXED_ALPHA, true);
  root.SetChildT<bool>(IFilterVideoMixer::ADD_RESIZE_TO_SLAVE, true);
  root.SetChildT<double>(IFilterVideoMixer::SLAVE_RELATIVE_X, relativeX);
  root.SetChildT<double>(IFilterVideoMixer::SLAVE_RELATIVE_Y, relativeY);
  root.SetChildT<double>(IFilterVideoMixer::SLAVE_RELATIVE_WIDTH, relativeWidth);
  root.SetChildT<double>(IFilterVideoMixer::SLAVE_RELATIVE_HEIGHT, relativeHeight);
  root.SetChildT<long long>(IBlend::BLENDING_ALPHA, alpha);
  return root;
}

}  // namespace Tivrel::Proc
