#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// The resize effect: its tree keys and the texts of the resizer's size modes, custom modes and
// resize methods.
class TIVREL_PROC_API IResize {
public:
  static const std::string CLASS_ID;         // root name of a resizer tree: SettingsResizer::CLASS_ID
  static const std::string FRAME_SIZE_MODE;  // string: one of the five size texts below
  static const std::string FRAME_SIZE_ORIGINAL;
  static const std::string FRAME_SIZE_HALF_ORIGINAL;
  static const std::string FRAME_SIZE_QUARTER_ORIGINAL;
  static const std::string FRAME_SIZE_CUSTOM_SCALE;
  static const std::string FRAME_SIZE_CUSTOM;
  static const std::string SCALE_FACTOR;
  static const std::string FRAME_SIZE_MAX_WIDTH;
  static const std::string FRAME_SIZE_MAX_HEIGHT;  // "Hight", as stored trees spell it
  static const std::string CROP_TOP;
  static const std::string CROP_BOTTOM;
  static const std::string CROP_LEFT;
  static const std::string CROP_RIGHT;
  static const std::string MODE;  // string: one of the six custom-mode texts below
  static const std::string MODE_AUTO;
  static const std::string MODE_STRETCH;
  static const std::string MODE_SMART_FIT;
  static const std::string MODE_LETTERBOX;
  static const std::string MODE_CROP;
  static const std::string MODE_UP_TO;
  static const std::string METHOD;  // string: one of the eleven method texts below
  static const std::string METHOD_FAST_BILINEAR;
  static const std::string METHOD_BILINEAR;
  static const std::string METHOD_BICUBIC;
  static const std::string METHOD_X;
  static const std::string METHOD_POINT;
  static const std::string METHOD_AREA;
  static const std::string METHOD_BICUBLIN;
  static const std::string METHOD_GAUSS;
  static const std::string METHOD_SINC;
  static const std::string METHOD_LANCZOS;
  static const std::string METHOD_SPLINE;
};

}  // namespace Tivrel::Proc
