#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Watermarks and captions: video-mixer trees with a marker child. The makers keep no state
/// and may run on any thread.
class TIVREL_PROC_API IFilterWatermark {
public:
  static const std::string IS_WATERMARK;             ///< bool marker of a watermark tree
  static const std::string IS_CAPTIONS;              ///< bool marker of a captions tree
  static const std::string WATERMARK_SETTINGS;       ///< nested watermark settings
  static const std::string FRAME_RECT_ASPECT_RATIO;  ///< aspect ratio of the frame rectangle

  /// IFilterVideoMixer::MakeSettings() plus, in order, IS_WATERMARK (or IS_CAPTIONS) = true and
  /// "placeAfterResize" = true, both bool.
  ///@{
  static Core::Property MakeWatermarkSettings();
  static Core::Property MakeCaptionsSettings();
  ///@}

  /// A fixed-alpha overlay placed and sized relative to the frame:
  /// IFilterVideoMixer::MakeCombiningSettings(true, 0, 0, 0, TRANSPARENCY_TYPE_FIXED_ALPHA, true)
  /// followed, in order, by IFilterVideoMixer::ADD_RESIZE_TO_SLAVE = true (bool),
  /// IFilterVideoMixer::SLAVE_RELATIVE_X, SLAVE_RELATIVE_Y, SLAVE_RELATIVE_WIDTH and
  /// SLAVE_RELATIVE_HEIGHT (double) and IBlend::BLENDING_ALPHA = alpha (long long).
  static Core::Property MakeCombiningSettings(double relativeX, double relativeY, double relativeWidth,
                                              double relativeHeight, int alpha);
};

}  // namespace Tivrel::Proc
