#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Watermarks and captions: video-mixer trees with a marker child.
class TIVREL_PROC_API IFilterWatermark {
public:
  static const std::string IS_WATERMARK;             // bool marker of a watermark tree
  static const std::string IS_CAPTIONS;              // bool marker of a captions tree
  static const std::string WATERMARK_SETTINGS;       // nested watermark settings
  static const std::string FRAME_RECT_ASPECT_RATIO;  // aspect ratio of the frame rectangle
};

}  // namespace Tivrel::Proc
