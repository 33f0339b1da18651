#pragma once

#include <cstdint>
#include <string>

#include "Platform/Conf/FrameInfo.h"
#include "Platform/Export.h"

namespace Tivrel::Proc {

// Resizing of the picture: how the output size is chosen, how the picture is fitted into a
// custom size, which scaling method is used, and margins cropped from the input first.
//
// Output size by size mode: the input size (ORIGINAL), half or a quarter of it, the input
// size times the scale factor (CUSTOM_SCALE), or the frame information of SetCustomMode
// (CUSTOM), fitted by the custom mode. A maximum width and height, when both are non-zero,
// bound the result. The enumerations are 32-bit; the setters store any value unchecked.
class TIVREL_PLATFORM_API SettingsResizer {
public:
  static const std::string CLASS_ID;

  enum SizeModes : int32_t {
    SIZE_MODE_ORIGINAL = 0,
    SIZE_MODE_HALF_ORIGINAL = 1,
    SIZE_MODE_QUARTER_ORIGINAL = 2,
    SIZE_MODE_CUSTOM_SCALE = 3,
    SIZE_MODE_CUSTOM = 4,
  };

  // How the input is fitted into a custom size.
  enum CustomModes : int32_t {
    CUSTOM_MODE_AUTO = 0,       // the resizer chooses
    CUSTOM_MODE_STRETCH = 1,    // fill, ignoring the aspect
    CUSTOM_MODE_SMART_FIT = 2,  // keep the aspect, crop a little and pad a little
    CUSTOM_MODE_LETTERBOX = 3,  // keep the aspect, pad
    CUSTOM_MODE_CROP = 4,       // keep the aspect, crop
    CUSTOM_MODE_UP_TO = 5,      // keep the aspect, never exceed the size, never enlarge
  };

  enum ResizeMethods : int32_t {
    RESIZE_METHOD_FAST_BILINEAR = 0,
    RESIZE_METHOD_BILINEAR = 1,
    RESIZE_METHOD_BICUBIC = 2,
    RESIZE_METHOD_X = 3,
    RESIZE_METHOD_POINT = 4,
    RESIZE_METHOD_AREA = 5,
    RESIZE_METHOD_BICUBLIN = 6,
    RESIZE_METHOD_GAUSS = 7,
    RESIZE_METHOD_SINC = 8,
    RESIZE_METHOD_LANCZOS = 9,
    RESIZE_METHOD_SPLINE = 10,
  };

  SizeModes GetSizeMode() const { return sizeMode_; }
  void SetSizeMode(SizeModes mode) { sizeMode_ = mode; }

  // The custom mode and the target frame (size and pixel aspect), set together; they apply in
  // size mode CUSTOM.
  CustomModes GetCustomMode() const { return customMode_; }
  const Conf::FrameInfo& GetFrameInfo() const { return frameInfo_; }
  void SetCustomMode(CustomModes mode, const Conf::FrameInfo& frame) {
    customMode_ = mode;
    frameInfo_ = frame;
  }

  // The factor of size mode CUSTOM_SCALE.
  double GetScaleFactor() const { return scaleFactor_; }
  void SetCustomScale(double factor) { scaleFactor_ = factor; }

  // Which resizer implementation to use; empty: the standard one.
  const std::string& GetImplName() const { return implName_; }
  void SetImplName(const std::string& name) { implName_ = name; }

  // Margins cropped from the input before resizing, in pixels.
  uint32_t cropLeft = 0;
  uint32_t cropRight = 0;
  uint32_t cropTop = 0;
  uint32_t cropBottom = 0;
  // Bounds of the output size; they apply only when both are non-zero.
  uint32_t maxFrameWidth = 0;
  uint32_t maxFrameHeight = 0;
  ResizeMethods resizeMethod = RESIZE_METHOD_BICUBIC;

  bool operator==(const SettingsResizer& o) const {
    return sizeMode_ == o.sizeMode_ && customMode_ == o.customMode_ && frameInfo_ == o.frameInfo_ &&
           scaleFactor_ == o.scaleFactor_ && implName_ == o.implName_ && cropLeft == o.cropLeft &&
           cropRight == o.cropRight && cropTop == o.cropTop && cropBottom == o.cropBottom &&
           maxFrameWidth == o.maxFrameWidth && maxFrameHeight == o.maxFrameHeight && resizeMethod == o.resizeMethod;
  }
  bool operator!=(const SettingsResizer& o) const { return !(*this == o); }

private:
  SizeModes sizeMode_ = SIZE_MODE_ORIGINAL;
  CustomModes customMode_ = CUSTOM_MODE_SMART_FIT;
  Conf::FrameInfo frameInfo_;
  double scaleFactor_ = 1.0;
  std::string implName_;
};

}  // namespace Tivrel::Proc
