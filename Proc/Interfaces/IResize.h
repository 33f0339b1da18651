#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Platform/Settings/SettingsResizer.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IOneInputEffect.h"

namespace Tivrel::Proc {

/// The resize effect: a one-input video effect configured with a SettingsResizer record, which
/// travels as the resizer tree below. Effect protocol and threads as for IOneInputEffectVideo.
///
/// The static members convert the record's three enumerations to and from their texts and the
/// record to and from its tree; they keep no state and may run on any thread. The text tables
/// are built when the library loads and are read-only afterwards; lookups are exact and
/// case-sensitive.
///
/// Resizer tree, in writing order (root named CLASS_ID):
/// @code{.unparsed}
///   Conf::IPreset::KEY_TYPE_ID  string  implementation name     optional: ImplNames::DEFAULT
///   "frameSize"                 string  size mode text          required
///   "scaleFactor"               double  scale (size mode 3), else 0.0; read for size mode 3 only
///   "resizeMode"                string  custom mode text (size mode 4), else "smartFit";
///                                       read for size mode 4 only
///   "resizeMethod"              string  resize method text      required
///   TAG_WIDTH, TAG_HEIGHT       long long  frame size (size mode 4), else 0
///   TAG_ASPECTX, TAG_ASPECTY    long long  pixel aspect (size mode 4), else 0
///   "cropTop", "cropBottom", "cropLeft", "cropRight"  long long, all four written only when one
///                                       is non-zero; each optional, default 0
///   "frameSizeMaxWidth", "frameSizeMaxHight"  long long, written only when both are non-zero;
///                                       read only when both are present
/// @endcode
/// The reader also takes a frame aspect (TAG_FRAME_ASPECTX/Y) in place of the pixel aspect.
class TIVREL_PROC_API IResize : public virtual IOneInputEffectVideo {
public:
  static const std::string CLASS_ID;                     ///< root name of a resizer tree: SettingsResizer::CLASS_ID
  static const std::string FRAME_SIZE_MODE;              ///< string: one of the five size texts below
  static const std::string FRAME_SIZE_ORIGINAL;          ///< text of SettingsResizer::SIZE_MODE_ORIGINAL
  static const std::string FRAME_SIZE_HALF_ORIGINAL;     ///< text of SettingsResizer::SIZE_MODE_HALF_ORIGINAL
  static const std::string FRAME_SIZE_QUARTER_ORIGINAL;  ///< text of SettingsResizer::SIZE_MODE_QUARTER_ORIGINAL
  static const std::string FRAME_SIZE_CUSTOM_SCALE;      ///< text of SettingsResizer::SIZE_MODE_CUSTOM_SCALE
  static const std::string FRAME_SIZE_CUSTOM;            ///< text of SettingsResizer::SIZE_MODE_CUSTOM
  static const std::string SCALE_FACTOR;                 ///< double: scale of size mode 3
  static const std::string FRAME_SIZE_MAX_WIDTH;         ///< long long: maximum frame width
  /// long long: maximum frame height; "Hight", as stored trees spell it.
  static const std::string FRAME_SIZE_MAX_HEIGHT;
  static const std::string CROP_TOP;              ///< long long: top margin
  static const std::string CROP_BOTTOM;           ///< long long: bottom margin
  static const std::string CROP_LEFT;             ///< long long: left margin
  static const std::string CROP_RIGHT;            ///< long long: right margin
  static const std::string MODE;                  ///< string: one of the six custom-mode texts below
  static const std::string MODE_AUTO;             ///< text of SettingsResizer::CUSTOM_MODE_AUTO
  static const std::string MODE_STRETCH;          ///< text of SettingsResizer::CUSTOM_MODE_STRETCH
  static const std::string MODE_SMART_FIT;        ///< text of SettingsResizer::CUSTOM_MODE_SMART_FIT
  static const std::string MODE_LETTERBOX;        ///< text of SettingsResizer::CUSTOM_MODE_LETTERBOX
  static const std::string MODE_CROP;             ///< text of SettingsResizer::CUSTOM_MODE_CROP
  static const std::string MODE_UP_TO;            ///< text of SettingsResizer::CUSTOM_MODE_UP_TO
  static const std::string METHOD;                ///< string: one of the eleven method texts below
  static const std::string METHOD_FAST_BILINEAR;  ///< text of SettingsResizer::RESIZE_METHOD_FAST_BILINEAR
  static const std::string METHOD_BILINEAR;       ///< text of SettingsResizer::RESIZE_METHOD_BILINEAR
  static const std::string METHOD_BICUBIC;        ///< text of SettingsResizer::RESIZE_METHOD_BICUBIC
  static const std::string METHOD_X;              ///< text of SettingsResizer::RESIZE_METHOD_X
  static const std::string METHOD_POINT;          ///< text of SettingsResizer::RESIZE_METHOD_POINT
  static const std::string METHOD_AREA;           ///< text of SettingsResizer::RESIZE_METHOD_AREA
  static const std::string METHOD_BICUBLIN;       ///< text of SettingsResizer::RESIZE_METHOD_BICUBLIN
  static const std::string METHOD_GAUSS;          ///< text of SettingsResizer::RESIZE_METHOD_GAUSS
  static const std::string METHOD_SINC;           ///< text of SettingsResizer::RESIZE_METHOD_SINC
  static const std::string METHOD_LANCZOS;        ///< text of SettingsResizer::RESIZE_METHOD_LANCZOS
  static const std::string METHOD_SPLINE;         ///< text of SettingsResizer::RESIZE_METHOD_SPLINE

  /// Texts of the enumerators. The library's own guard against reading outside the table: a
  /// value outside the enumeration throws std::logic_error
  /// "Unexpected <size mode|custom mode|resize method> value <n>" (call stack appended).
  ///@{
  static const std::string& SizeModes2String(SettingsResizer::SizeModes mode);
  static const std::string& CustomModes2String(SettingsResizer::CustomModes mode);
  static const std::string& ResizeMethods2String(SettingsResizer::ResizeMethods method);
  ///@}

  /// Enumerators of the texts. An unknown text throws std::logic_error "Unexpected size mode
  /// <text>", "Unexpected custom mode <text>" or "Unexpected resize method <text>" (call stack
  /// appended).
  ///@{
  static SettingsResizer::SizeModes String2SizeModes(const std::string& text);
  static SettingsResizer::CustomModes String2CustomModes(const std::string& text);
  static SettingsResizer::ResizeMethods String2ResizeMethods(const std::string& text);
  ///@}

  /// The resizer tree of `settings`. Throws std::logic_error when the size mode, the resize
  /// method or (in size mode 4) the custom mode is not one of the enumerators.
  static Core::Property Settings2Property(const SettingsResizer& settings);

  /// Reads a resizer tree into a default record. Margins, maximum sizes and dimensions keep
  /// the low 32 bits of the values read; the left and top margins are rounded down to even.
  /// In size mode 4 the pixel aspect is TAG_ASPECTX:TAG_ASPECTY, or, from a frame aspect,
  /// (frame aspect x * height) : (frame aspect y * width), each product cut to 32 bits.
  /// Throws, in this order of checks:
  /// - FilterException "Object was initialized with incorrect class (<name>)!" for another root;
  /// - Core::PropertyException from the tree for a missing required key or a leaf of another kind;
  /// - std::logic_error for an unknown size mode, resize method or custom mode text;
  /// - FilterException in size mode 4 when both aspect pairs are complete ("Either frame aspect
  ///   or pixel aspect has to be specified"), when neither is ("Aspect is not specified"), or
  ///   when the width or height is odd.
  static SettingsResizer Property2Settings(const Core::Property& tree);

protected:
  ~IResize() override = default;
};

}  // namespace Tivrel::Proc
