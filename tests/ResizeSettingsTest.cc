// The resize settings: enumerator texts, the keys each size mode writes, and how the reader normalises and refuses.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/SettingsRegistry.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using P = Property;
using R = SettingsResizer;
using Testing::Tree;
using Video = Conf::IFormatCodecVideo;

// A resizer tree with the keys every size mode needs, then `more`.
Property ResizerTree(const char* sizeMode, std::initializer_list<Property> more) {
  Property tree = Tree(IResize::CLASS_ID, {P("frameSize", sizeMode), P("resizeMethod", "bicubic")});
  for (const Property& child : more) tree.Add(child);
  return tree;
}

// Every enumerator has a text of its own that reads back to it; lookups are exact and values
// outside an enumeration are refused.
TEST(ResizeSettingsTest, EnumeratorTextsReadBackAndNothingElseDoes) {
  for (int i = 0; i <= R::SIZE_MODE_CUSTOM; ++i) {
    EXPECT_EQ(IResize::String2SizeModes(IResize::SizeModes2String(R::SizeModes(i))), i);
  }
  for (int i = 0; i <= R::CUSTOM_MODE_UP_TO; ++i) {
    EXPECT_EQ(IResize::String2CustomModes(IResize::CustomModes2String(R::CustomModes(i))), i);
  }
  for (int i = 0; i <= R::RESIZE_METHOD_SPLINE; ++i) {
    EXPECT_EQ(IResize::String2ResizeMethods(IResize::ResizeMethods2String(R::ResizeMethods(i))), i);
  }
  EXPECT_THROW(IResize::String2ResizeMethods("Lanczos"), std::logic_error);
  EXPECT_THROW(IResize::String2SizeModes("original "), std::logic_error);
  EXPECT_THROW(IResize::CustomModes2String(static_cast<R::CustomModes>(-1)), std::logic_error);
  R settings;
  settings.resizeMethod = static_cast<R::ResizeMethods>(11);
  EXPECT_THROW(IResize::Settings2Property(settings), std::logic_error);
}

TEST(ResizeSettingsTest, EachSizeModeWritesExactlyItsKeys) {
  R original;
  original.SetCustomMode(R::CUSTOM_MODE_CROP, {1280, 720, 1, 1});  // not written outside size mode 4
  original.SetCustomScale(2.0);
  original.maxFrameWidth = 1920;  // without a height: not written
  R scaled = original;
  scaled.SetSizeMode(R::SIZE_MODE_CUSTOM_SCALE);
  scaled.cropBottom = 2;  // one margin brings all four
  const auto tree = [](const char* impl, const char* size, double scale, const char* mode, const char* method,
                       long long w, long long h, long long ax, long long ay, std::initializer_list<Property> more) {
    Property t =
        Tree(IResize::CLASS_ID, {P(Conf::IPreset::KEY_TYPE_ID, impl), P("frameSize", size), P("scaleFactor", scale),
                                 P("resizeMode", mode), P("resizeMethod", method), P(Video::TAG_WIDTH, w),
                                 P(Video::TAG_HEIGHT, h), P(Video::TAG_ASPECTX, ax), P(Video::TAG_ASPECTY, ay)});
    for (const Property& child : more) t.Add(child);
    return t;
  };
  EXPECT_EQ(IResize::Settings2Property(original), tree("", "original", 0.0, "smartFit", "bicubic", 0, 0, 0, 0, {}));
  EXPECT_EQ(IResize::Settings2Property(scaled),
            tree("", "customOriginalScale", 2.0, "smartFit", "bicubic", 0, 0, 0, 0,
                 {P("cropTop", 0), P("cropBottom", 2), P("cropLeft", 0), P("cropRight", 0)}));
  const Property custom = tree("gpu", "custom", 0.0, "letterbox", "spline", 1280, 720, 4, 3,
                               {P("cropTop", 2), P("cropBottom", 0), P("cropLeft", 10), P("cropRight", 3),
                                P("frameSizeMaxWidth", 1920), P("frameSizeMaxHight", 1080)});
  EXPECT_EQ(Testing::FindSettingsFamily("Resizer").sample(), custom);
  // The filter tree wraps the resizer tree after an empty implementation name.
  EXPECT_EQ(Testing::FindSettingsFamily("ResizeFilter").sample(),
            Tree("$$VIDEO_RESIZE$$", {P(Conf::IPreset::KEY_TYPE_ID, ""), custom}));
}

TEST(ResizeSettingsTest, ReaderNormalisesWhatItReads) {
  // Margins: left and top rounded down to even, the others as read, all from their low bits.
  const R margins = IResize::Property2Settings(
      ResizerTree("original", {P("cropLeft", 3), P("cropTop", 5), P("cropRight", 3), P("cropBottom", 0x100000001LL),
                               P("frameSizeMaxWidth", 640), P("scaleFactor", "not read")}));
  EXPECT_EQ(std::make_tuple(margins.cropLeft, margins.cropTop, margins.cropRight, margins.cropBottom),
            std::make_tuple(2u, 4u, 3u, 1u));
  EXPECT_EQ(margins.maxFrameWidth, 0u) << "a maximum needs both keys";
  EXPECT_EQ(margins.GetImplName(), ImplNames::DEFAULT);

  // Frame aspect: (fx * height) : (fy * width), not reduced; products keep their low 32 bits.
  const auto frame = [](long long w, long long h, long long fx, long long fy) {
    return IResize::Property2Settings(
        ResizerTree("custom", {P("resizeMode", "stretch"), P(Video::TAG_WIDTH, w), P(Video::TAG_HEIGHT, h),
                               P(Video::TAG_FRAME_ASPECTX, fx), P(Video::TAG_FRAME_ASPECTY, fy)}));
  };
  EXPECT_EQ(frame(640, 480, 4, 3).GetFrameInfo(), (Conf::FrameInfo{640, 480, 1920, 1920}));
  EXPECT_EQ(frame(640, 480, 4, 3).GetCustomMode(), R::CUSTOM_MODE_STRETCH);
  EXPECT_EQ(frame(0x100000002LL, -2, INT64_MAX, INT64_MIN + 3).GetFrameInfo(), (Conf::FrameInfo{2, 0xFFFFFFFEu, 2, 6}));
}

TEST(ResizeSettingsTest, ReaderRefusesInTheOrderItReads) {
  const Property w(Video::TAG_WIDTH, 640), h(Video::TAG_HEIGHT, 480), ax(Video::TAG_ASPECTX, 1);
  // An unknown custom mode fails before the missing aspect is noticed.
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("custom", {P("resizeMode", "zoom"), w, h})), std::logic_error);
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("custom", {P("resizeMode", "auto"), w, h})), FilterException);
  EXPECT_THROW(IResize::Property2Settings(
                   ResizerTree("custom", {P("resizeMode", "auto"), w, h, ax, P(Video::TAG_FRAME_ASPECTY, 3)})),
               FilterException);  // no complete pair
  EXPECT_THROW(IResize::Property2Settings(ResizerTree(
                   "custom", {P("resizeMode", "auto"), P(Video::TAG_WIDTH, 641), h, ax, P(Video::TAG_ASPECTY, 1)})),
               FilterException);
  // Required keys fail in the tree.
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("customOriginalScale", {})), Core::PropertyException);
  EXPECT_THROW(
      IResize::Property2Settings(ResizerTree("custom", {P("resizeMode", "auto"), ax, P(Video::TAG_ASPECTY, 1)})),
      Core::PropertyException);
}

}  // namespace
}  // namespace Tivrel::Proc
