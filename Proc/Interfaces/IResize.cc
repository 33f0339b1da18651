#include "Proc/Interfaces/IResize.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/FrameInfo.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Platform/Core/Exception.h"
#include "Platform/Settings/SettingsResizer.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"
#include "Proc/Interfaces/Stub.h"

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

namespace {

using Core::Property;
using SizeModes = SettingsResizer::SizeModes;
using CustomModes = SettingsResizer::CustomModes;
using ResizeMethods = SettingsResizer::ResizeMethods;
using Text = std::reference_wrapper<const std::string>;
using Video = Conf::IFormatCodecVideo;

// Enumerator -> text, indexed by the enumerator.
const Text g_convSizeModes2String[] = {
    IResize::FRAME_SIZE_ORIGINAL,     IResize::FRAME_SIZE_HALF_ORIGINAL, IResize::FRAME_SIZE_QUARTER_ORIGINAL,
    IResize::FRAME_SIZE_CUSTOM_SCALE, IResize::FRAME_SIZE_CUSTOM,
};
const Text g_convCustomModes2String[] = {
    IResize::MODE_AUTO,      IResize::MODE_STRETCH, IResize::MODE_SMART_FIT,
    IResize::MODE_LETTERBOX, IResize::MODE_CROP,    IResize::MODE_UP_TO,
};
const Text g_convResizeMethods2String[] = {
    IResize::METHOD_FAST_BILINEAR, IResize::METHOD_BILINEAR, IResize::METHOD_BICUBIC,  IResize::METHOD_X,
    IResize::METHOD_POINT,         IResize::METHOD_AREA,     IResize::METHOD_BICUBLIN, IResize::METHOD_GAUSS,
    IResize::METHOD_SINC,          IResize::METHOD_LANCZOS,  IResize::METHOD_SPLINE,
};

// Text -> enumerator: the reverse of one of the arrays above.
template <class Enum, std::size_t N>
std::map<std::string, Enum> Reverse(const Text (&texts)[N]) {
  std::map<std::string, Enum> map;
  for (std::size_t i = 0; i < N; ++i) map.emplace(texts[i].get(), static_cast<Enum>(i));
  return map;
}

// Built by this file's load-time initialiser after the key constants above.
const std::map<std::string, SizeModes> g_convString2SizeModes = Reverse<SizeModes>(g_convSizeModes2String);
const std::map<std::string, CustomModes> g_convString2CustomModes = Reverse<CustomModes>(g_convCustomModes2String);
const std::map<std::string, ResizeMethods> g_convString2ResizeMethods =
    Reverse<ResizeMethods>(g_convResizeMethods2String);

// The text of `value`; an index outside the table is refused rather than read.
template <class Enum, std::size_t N>
const std::string& ToText(const Text (&texts)[N], Enum value, const char* what, const ThrowSite& site) {
  const long long index = static_cast<long long>(value);
  if (index < 0 || index >= static_cast<long long>(N)) {
    ThrowError<std::logic_error>(std::string("Unexpected ") + what + " value " + std::to_string(index), site);
  }
  return texts[index];
}

template <class Enum>
Enum FromText(const std::map<std::string, Enum>& map, const std::string& text, const char* what,
              const ThrowSite& site) {
  const auto found = map.find(text);
  if (found == map.end()) ThrowError<std::logic_error>(std::string("Unexpected ") + what + " " + text, site);
  return found->second;
}

uint32_t Low32(long long value) { return static_cast<uint32_t>(value); }

// The low 32 bits of an optional long long child, 0 when absent.
uint32_t OptionalLow32(const Property& tree, const std::string& key) {
  const std::size_t position = tree.FindChild(key);
  return position == tree.Count() ? 0 : Low32(tree[position].GetInt64());
}

// frameAspect * dimension cut to 32 bits. Unsigned arithmetic wraps where a signed product
// could overflow, and the low 32 bits of the product are the same either way.
uint32_t AspectProduct(long long frameAspect, long long dimension) {
  return static_cast<uint32_t>(static_cast<uint64_t>(frameAspect) * Low32(dimension));
}

}  // namespace

const std::string& IResize::SizeModes2String(SizeModes mode) {
  return ToText(g_convSizeModes2String, mode, "size mode",
                TIVREL_THROW_SITE("static const std::string &Tivrel::Proc::IResize::SizeModes2String("
                                  "SettingsResizer::SizeModes)",
                                  __LINE__));
}

const std::string& IResize::CustomModes2String(CustomModes mode) {
  return ToText(g_convCustomModes2String, mode, "custom mode",
                TIVREL_THROW_SITE("static const std::string &Tivrel::Proc::IResize::CustomModes2String("
                                  "SettingsResizer::CustomModes)",
                                  __LINE__));
}

const std::string& IResize::ResizeMethods2String(ResizeMethods method) {
  return ToText(g_convResizeMethods2String, method, "resize method",
                TIVREL_THROW_SITE("static const std::string &Tivrel::Proc::IResize::ResizeMethods2String("
                                  "SettingsResizer::ResizeMethods)",
                                  __LINE__));
}

SizeModes IResize::String2SizeModes(const std::string& text) {
  return FromText(g_convString2SizeModes, text, "size mode",
                  TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kString2SizeModes));
}

CustomModes IResize::String2CustomModes(const std::string& text) {
  return FromText(g_convString2CustomModes, text, "custom mode",
                  TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kString2CustomModes));
}

ResizeMethods IResize::String2ResizeMethods(const std::string& text) {
  return FromText(g_convString2ResizeMethods, text, "resize method",
                  TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kString2ResizeMethods));
}

Property IResize::Settings2Property(const SettingsResizer& settings) {
  const SizeModes sizeMode = settings.GetSizeMode();
  const bool custom = sizeMode == SettingsResizer::SIZE_MODE_CUSTOM;
  const CustomModes customMode = custom ? settings.GetCustomMode() : SettingsResizer::CUSTOM_MODE_SMART_FIT;
  const double scale = sizeMode == SettingsResizer::SIZE_MODE_CUSTOM_SCALE ? settings.GetScaleFactor() : 0.0;
  const Conf::FrameInfo frame = custom ? settings.GetFrameInfo() : Conf::FrameInfo{0, 0, 0, 0};

  Property root(CLASS_ID);
  root.SetChildT<std::string>(Conf::IPreset::KEY_TYPE_ID, settings.GetImplName());
  root.SetChildT<std::string>(FRAME_SIZE_MODE, SizeModes2String(sizeMode));
  root.SetChildT<double>(SCALE_FACTOR, scale);
  root.SetChildT<std::string>(MODE, CustomModes2String(customMode));
  root.SetChildT<std::string>(METHOD, ResizeMethods2String(settings.resizeMethod));
  root.SetChildT<long long>(Video::TAG_WIDTH, frame.width);
  root.SetChildT<long long>(Video::TAG_HEIGHT, frame.height);
  root.SetChildT<long long>(Video::TAG_ASPECTX, frame.aspectX);
  root.SetChildT<long long>(Video::TAG_ASPECTY, frame.aspectY);
  if (settings.cropTop != 0 || settings.cropBottom != 0 || settings.cropLeft != 0 || settings.cropRight != 0) {
    root.SetChildT<long long>(CROP_TOP, settings.cropTop);
    root.SetChildT<long long>(CROP_BOTTOM, settings.cropBottom);
    root.SetChildT<long long>(CROP_LEFT, settings.cropLeft);
    root.SetChildT<long long>(CROP_RIGHT, settings.cropRight);
  }
  if (settings.maxFrameWidth != 0 && settings.maxFrameHeight != 0) {
    root.SetChildT<long long>(FRAME_SIZE_MAX_WIDTH, settings.maxFrameWidth);
    root.SetChildT<long long>(FRAME_SIZE_MAX_HEIGHT, settings.maxFrameHeight);
  }
  return root;
}

SettingsResizer IResize::Property2Settings(const Property& tree) {
  SettingsTreeDetail::CheckClass(tree, CLASS_ID, SettingsTreeDetail::Mismatch::kObject,
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kResizeWrongClass));
  const uint32_t cropLeft = OptionalLow32(tree, CROP_LEFT);
  const uint32_t cropRight = OptionalLow32(tree, CROP_RIGHT);
  const uint32_t cropTop = OptionalLow32(tree, CROP_TOP);
  const uint32_t cropBottom = OptionalLow32(tree, CROP_BOTTOM);
  const SizeModes sizeMode = String2SizeModes(tree[FRAME_SIZE_MODE].GetString());
  const ResizeMethods method = String2ResizeMethods(tree[METHOD].GetString());
  const std::size_t implPosition = tree.FindChild(Conf::IPreset::KEY_TYPE_ID);
  const std::string& implName = implPosition == tree.Count() ? ImplNames::DEFAULT : tree[implPosition].GetString();

  SettingsResizer settings;
  if (tree.ChildExists(FRAME_SIZE_MAX_WIDTH) && tree.ChildExists(FRAME_SIZE_MAX_HEIGHT)) {
    settings.maxFrameWidth = Low32(tree[FRAME_SIZE_MAX_WIDTH].GetInt64());
    settings.maxFrameHeight = Low32(tree[FRAME_SIZE_MAX_HEIGHT].GetInt64());
  }
  settings.SetImplName(implName);
  settings.cropLeft = cropLeft & ~1u;  // the left and top margins are kept even
  settings.cropRight = cropRight;
  settings.cropTop = cropTop & ~1u;
  settings.cropBottom = cropBottom;
  settings.SetSizeMode(sizeMode);
  settings.resizeMethod = method;

  if (sizeMode == SettingsResizer::SIZE_MODE_CUSTOM_SCALE) {
    settings.SetCustomScale(tree[SCALE_FACTOR].GetDouble());
    return settings;
  }
  if (sizeMode != SettingsResizer::SIZE_MODE_CUSTOM) return settings;

  const CustomModes customMode = String2CustomModes(tree[MODE].GetString());
  const bool pixelAspect = tree.ChildExists(Video::TAG_ASPECTX) && tree.ChildExists(Video::TAG_ASPECTY);
  const bool frameAspect = tree.ChildExists(Video::TAG_FRAME_ASPECTX) && tree.ChildExists(Video::TAG_FRAME_ASPECTY);
  if (pixelAspect && frameAspect) {
    ThrowError<FilterException>("Either frame aspect or pixel aspect has to be specified",
                                TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kResizeBothAspects));
  }
  if (!pixelAspect && !frameAspect) {
    ThrowError<FilterException>("Aspect is not specified",
                                TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kResizeNoAspect));
  }
  const long long width = tree[Video::TAG_WIDTH].GetInt64();
  const long long height = tree[Video::TAG_HEIGHT].GetInt64();
  if (((static_cast<uint64_t>(width) | static_cast<uint64_t>(height)) & 1u) != 0) {
    ThrowError<FilterException>(
        "Frame width and height have to be even, got " + std::to_string(width) + "x" + std::to_string(height),
        TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kResizeOddSize));
  }
  uint32_t aspectX;
  uint32_t aspectY;
  if (pixelAspect) {
    aspectX = Low32(tree[Video::TAG_ASPECTX].GetInt64());
    aspectY = Low32(tree[Video::TAG_ASPECTY].GetInt64());
  } else {
    // Pixel aspect of a frame aspect: (fx * height) : (fy * width), not reduced.
    aspectX = AspectProduct(tree[Video::TAG_FRAME_ASPECTX].GetInt64(), height);
    aspectY = AspectProduct(tree[Video::TAG_FRAME_ASPECTY].GetInt64(), width);
  }
  settings.SetCustomMode(customMode, Conf::FrameInfo{Low32(width), Low32(height), aspectX, aspectY});
  return settings;
}

}  // namespace Tivrel::Proc
