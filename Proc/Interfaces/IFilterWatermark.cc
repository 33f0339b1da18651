#include "Proc/Interfaces/IFilterWatermark.h"

namespace Tivrel::Proc::CommonFilterParameters {

// Key of a watermark tree; only this file reads and writes it.
const std::string PLACE_AFTER_RESIZE = "placeAfterResize";

}  // namespace Tivrel::Proc::CommonFilterParameters

namespace Tivrel::Proc {

const std::string IFilterWatermark::IS_WATERMARK = "IsWatermark";
const std::string IFilterWatermark::IS_CAPTIONS = "IsCaptions";
const std::string IFilterWatermark::WATERMARK_SETTINGS = "watermarkSettings";
const std::string IFilterWatermark::FRAME_RECT_ASPECT_RATIO = "frameRectAspectRatio";

}  // namespace Tivrel::Proc
