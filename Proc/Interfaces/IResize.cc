#include "Proc/Interfaces/IResize.h"

#include "Platform/Settings/SettingsResizer.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IResize::CLASS_ID = SettingsResizer::CLASS_ID;
const std::string IResize::FRAME_SIZE_MODE = "frameSize";
const std::string IResize::FRAME_SIZE_ORIGINAL = "original";
const std::string IResize::FRAME_SIZE_HALF_ORIGINAL = "halfOriginal";
const std::string IResize::FRAME_SIZE_QUARTER_ORIGINAL = "quarterOriginal";
const std::string IResize::FRAME_SIZE_CUSTOM_SCALE = "customOriginalScale";
const std::string IResize::FRAME_SIZE_CUSTOM = "custom";
const std::string IResize::SCALE_FACTOR = "scaleFactor";
const std::string IResize::FRAME_SIZE_MAX_WIDTH = "frameSizeMaxWidth";
const std::string IResize::FRAME_SIZE_MAX_HEIGHT = "frameSizeMaxHight";
const std::string IResize::CROP_TOP = "cropTop";
const std::string IResize::CROP_BOTTOM = "cropBottom";
const std::string IResize::CROP_LEFT = "cropLeft";
const std::string IResize::CROP_RIGHT = "cropRight";
const std::string IResize::MODE = "resizeMode";
const std::string IResize::MODE_AUTO = "auto";
const std::string IResize::MODE_STRETCH = "stretch";
const std::string IResize::MODE_SMART_FIT = "smartFit";
const std::string IResize::MODE_LETTERBOX = "letterbox";
const std::string IResize::MODE_CROP = "crop";
const std::string IResize::MODE_UP_TO = "upToSize";
const std::string IResize::METHOD = "resizeMethod";
const std::string IResize::METHOD_FAST_BILINEAR = "fast_bilinear";
const std::string IResize::METHOD_BILINEAR = "bilinear";
const std::string IResize::METHOD_BICUBIC = "bicubic";
const std::string IResize::METHOD_X = "x";
const std::string IResize::METHOD_POINT = "point";
const std::string IResize::METHOD_AREA = "area";
const std::string IResize::METHOD_BICUBLIN = "bicublin";
const std::string IResize::METHOD_GAUSS = "gauss";
const std::string IResize::METHOD_SINC = "sinc";
const std::string IResize::METHOD_LANCZOS = "lanczos";
const std::string IResize::METHOD_SPLINE = "spline";

}  // namespace Tivrel::Proc
