#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IFilterResize.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/Stub.h"
#include "Testing/Assertions.h"

namespace Tivrel::Proc {
namespace {

using Core::Property;
using R = SettingsResizer;
using Video = Conf::IFormatCodecVideo;

// An interface of another video effect: an object implementing both it and IResize must
// have one effect base, which only virtual inheritance gives.
class IOtherVideoEffect : public virtual IOneInputEffectVideo {};
class ResizeAndMore : public IResize, public IOtherVideoEffect {};
static_assert(std::is_convertible_v<ResizeAndMore*, IOneInputEffectVideo*>,
              "IResize must derive virtually from IOneInputEffectVideo");

// A tree named `name` with `children`, then `more`.
Property Tree(const std::string& name, std::initializer_list<Property> children,
              std::initializer_list<Property> more = {}) {
  Property tree(name);
  for (const Property& child : children) tree.Add(child);
  for (const Property& child : more) tree.Add(child);
  return tree;
}

// A resizer tree with the required keys for `sizeMode`, then `more`.
Property ResizerTree(const char* sizeMode, std::initializer_list<Property> more) {
  return Tree(IResize::CLASS_ID, {Property("frameSize", sizeMode), Property("resizeMethod", "bicubic")}, more);
}

constexpr const char* kFile = "Proc/Interfaces/IResize.cc";
constexpr const char* kReader =
    "static Tivrel::Proc::SettingsResizer Tivrel::Proc::IResize::Property2Settings(const Core::Property &)";

// Each enumerator i has texts[i], both ways.
template <class Enum, size_t N>
void ExpectTexts(const char* const (&texts)[N], const std::string& (*toText)(Enum),
                 Enum (*toEnum)(const std::string&)) {
  for (size_t i = 0; i < N; ++i) {
    EXPECT_EQ(toText(static_cast<Enum>(i)), texts[i]);
    EXPECT_EQ(toEnum(texts[i]), static_cast<Enum>(i)) << texts[i];
  }
}

TEST(ResizeSettingsTest, EveryEnumeratorHasItsTextBothWays) {
  const char* const sizes[] = {"original", "halfOriginal", "quarterOriginal", "customOriginalScale", "custom"};
  const char* const customs[] = {"auto", "stretch", "smartFit", "letterbox", "crop", "upToSize"};
  const char* const methods[] = {"fast_bilinear", "bilinear", "bicubic", "x",       "point", "area",
                                 "bicublin",      "gauss",    "sinc",    "lanczos", "spline"};
  ExpectTexts(sizes, IResize::SizeModes2String, IResize::String2SizeModes);
  ExpectTexts(customs, IResize::CustomModes2String, IResize::String2CustomModes);
  ExpectTexts(methods, IResize::ResizeMethods2String, IResize::String2ResizeMethods);
}

TEST(ResizeSettingsTest, UnknownTextsAndValuesAreRefused) {
  const std::string prefix = "static SettingsResizer::";
  const std::string args = "(const std::string &)";
  EXPECT_THAT([] { IResize::String2SizeModes("Original"); },
              ::testing::Throws<std::logic_error>(Testing::ThrownAt(
                  "Unexpected size mode Original", kFile,
                  (prefix + "SizeModes Tivrel::Proc::IResize::String2SizeModes" + args).c_str(), 118)));
  EXPECT_THAT([] { IResize::String2CustomModes(""); },
              ::testing::Throws<std::logic_error>(Testing::ThrownAt(
                  "Unexpected custom mode ", kFile,
                  (prefix + "CustomModes Tivrel::Proc::IResize::String2CustomModes" + args).c_str(), 132)));
  EXPECT_THAT([] { IResize::String2ResizeMethods("Lanczos"); },
              ::testing::Throws<std::logic_error>(Testing::ThrownAt(
                  "Unexpected resize method Lanczos", kFile,
                  (prefix + "ResizeMethods Tivrel::Proc::IResize::String2ResizeMethods" + args).c_str(), 146)));
  // Values outside an enumeration are refused rather than read past the table.
  EXPECT_THROW(IResize::CustomModes2String(static_cast<R::CustomModes>(-1)), std::logic_error);
  R settings;
  settings.resizeMethod = static_cast<R::ResizeMethods>(11);
  EXPECT_THROW(IResize::Settings2Property(settings), std::logic_error);
}

TEST(ResizeSettingsTest, EachSizeModeWritesExactlyItsKeysAndReadsBack) {
  R original;
  original.SetCustomMode(R::CUSTOM_MODE_CROP, {1280, 720, 1, 1});  // not written outside size mode 4
  original.SetCustomScale(2.0);
  original.maxFrameWidth = 1920;  // without a height: not written
  R scaled = original;
  scaled.SetSizeMode(R::SIZE_MODE_CUSTOM_SCALE);
  scaled.resizeMethod = R::RESIZE_METHOD_SPLINE;
  scaled.cropBottom = 2;  // one margin brings all four
  R custom;
  custom.SetSizeMode(R::SIZE_MODE_CUSTOM);
  custom.SetImplName("gpu");
  custom.SetCustomMode(R::CUSTOM_MODE_LETTERBOX, {0xFFFFFFFEu, 720, 4, 3});
  custom.cropLeft = 10;
  custom.cropRight = 3;
  custom.maxFrameWidth = 1920;
  custom.maxFrameHeight = 1080;

  const auto common = [](const char* impl, const char* size, double scale, const char* mode, const char* method,
                         long long w, long long h, long long ax, long long ay, std::initializer_list<Property> more) {
    return Tree(
        IResize::CLASS_ID,
        {Property(Conf::IPreset::KEY_TYPE_ID, impl), Property("frameSize", size), Property("scaleFactor", scale),
         Property("resizeMode", mode), Property("resizeMethod", method), Property(Video::TAG_WIDTH, w),
         Property(Video::TAG_HEIGHT, h), Property(Video::TAG_ASPECTX, ax), Property(Video::TAG_ASPECTY, ay)},
        more);
  };
  EXPECT_EQ(IResize::Settings2Property(original), common("", "original", 0.0, "smartFit", "bicubic", 0, 0, 0, 0, {}));
  EXPECT_EQ(IResize::Settings2Property(scaled), common("", "customOriginalScale", 2.0, "smartFit", "spline", 0, 0, 0, 0,
                                                       {Property("cropTop", 0), Property("cropBottom", 2),
                                                        Property("cropLeft", 0), Property("cropRight", 0)}));
  const Property expectCustom =
      common("gpu", "custom", 0.0, "letterbox", "bicubic", 4294967294LL, 720, 4, 3,
             {Property("cropTop", 0), Property("cropBottom", 0), Property("cropLeft", 10), Property("cropRight", 3),
              Property("frameSizeMaxWidth", 1920), Property("frameSizeMaxHight", 1080)});
  EXPECT_EQ(IResize::Settings2Property(custom), expectCustom);

  // The filter tree wraps the resizer tree after an empty implementation name.
  EXPECT_EQ(IFilterResize::Settings2Property(custom),
            Tree("$$VIDEO_RESIZE$$", {Property(Conf::IPreset::KEY_TYPE_ID, ""), expectCustom}));

  // Size mode 4 with an even frame reads back exactly, through both trees.
  EXPECT_EQ(IResize::Property2Settings(IResize::Settings2Property(custom)), custom);
  EXPECT_EQ(IFilterResize::Property2Settings(IFilterResize::Settings2Property(custom)), custom);
}

TEST(ResizeSettingsTest, ReaderNormalisesWhatItReads) {
  // Margins: left and top rounded down to even, the others as read, all from their low bits.
  const R margins = IResize::Property2Settings(
      ResizerTree("original", {Property("cropLeft", 3), Property("cropTop", 5), Property("cropRight", 3),
                               Property("cropBottom", 0x100000001LL), Property("frameSizeMaxWidth", 640)}));
  EXPECT_EQ(margins.cropLeft, 2u);
  EXPECT_EQ(margins.cropTop, 4u);
  EXPECT_EQ(margins.cropRight, 3u);
  EXPECT_EQ(margins.cropBottom, 1u);
  EXPECT_EQ(margins.maxFrameWidth, 0u) << "a maximum needs both keys";
  EXPECT_EQ(margins.GetImplName(), ImplNames::DEFAULT);
  EXPECT_EQ(margins.GetScaleFactor(), R().GetScaleFactor()) << "scaleFactor is read for size mode 3 only";

  // Frame aspect: (fx * height) : (fy * width), not reduced.
  const R fromFrameAspect = IResize::Property2Settings(ResizerTree(
      "custom", {Property("resizeMode", "stretch"), Property(Video::TAG_WIDTH, 640), Property(Video::TAG_HEIGHT, 480),
                 Property(Video::TAG_FRAME_ASPECTX, 4), Property(Video::TAG_FRAME_ASPECTY, 3)}));
  EXPECT_EQ(fromFrameAspect.GetFrameInfo(), (Conf::FrameInfo{640, 480, 1920, 1920}));
  EXPECT_EQ(fromFrameAspect.GetCustomMode(), R::CUSTOM_MODE_STRETCH);

  // Products beyond 64 bits keep their low 32 bits; nothing overflows.
  const R wrapped = IResize::Property2Settings(ResizerTree(
      "custom",
      {Property("resizeMode", "auto"), Property(Video::TAG_WIDTH, 0x100000002LL), Property(Video::TAG_HEIGHT, -2),
       Property(Video::TAG_FRAME_ASPECTX, INT64_MAX), Property(Video::TAG_FRAME_ASPECTY, INT64_MIN + 3)}));
  EXPECT_EQ(wrapped.GetFrameInfo(), (Conf::FrameInfo{2, 0xFFFFFFFEu, 2, 6}));
}

TEST(ResizeSettingsTest, ReaderRefusesBadTreesInItsOrder) {
  const auto custom = [](std::initializer_list<Property> more) {
    Property tree = ResizerTree("custom", more);
    tree.CreateChildT<std::string>("resizeMode", "auto");
    return tree;
  };
  const Property size(Video::TAG_WIDTH, 640), odd(Video::TAG_WIDTH, 641), height(Video::TAG_HEIGHT, 480);
  const Property ax(Video::TAG_ASPECTX, 1), ay(Video::TAG_ASPECTY, 1);
  const Property fx(Video::TAG_FRAME_ASPECTX, 4), fy(Video::TAG_FRAME_ASPECTY, 3);
  const struct {
    Property tree;
    int line;
    std::string description;
  } refused[] = {
      {Property("SettingsResizer "), 193, "Object was initialized with incorrect class (SettingsResizer )!"},
      {custom({size, height, ax, ay, fx, fy}), 225, "Either frame aspect or pixel aspect has to be specified"},
      {custom({size, height, ax, fy}), 228, "Aspect is not specified"},
      {custom({odd, height, ax, ay}), 232, "Frame width and height have to be even, got 641x480"},
      {custom({size, Property(Video::TAG_HEIGHT, 3), fx, fy}), 232,
       "Frame width and height have to be even, got 640x3"},
  };
  for (const auto& c : refused) {
    EXPECT_THAT([&] { IResize::Property2Settings(c.tree); },
                ::testing::Throws<FilterException>(Testing::ThrownAt(c.description, kFile, kReader, c.line)));
  }
  // An unknown custom mode fails before the missing aspect is noticed.
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("custom", {Property("resizeMode", "zoom"), size, height})),
               std::logic_error);
  // Required keys fail in the tree.
  EXPECT_THROW(IResize::Property2Settings(ResizerTree("customOriginalScale", {})), Core::PropertyException);
  EXPECT_THROW(IResize::Property2Settings(custom({ax, ay})), Core::PropertyException);

  EXPECT_THAT(
      [] { IFilterResize::Property2Settings(Property(IResize::CLASS_ID)); },
      ::testing::Throws<FilterException>(Testing::ThrownAt(
          "Filter was initialized with incorrect class (" + IResize::CLASS_ID + ")!",
          "Proc/Interfaces/IFilterResize.cc",
          "static Tivrel::Proc::SettingsResizer Tivrel::Proc::IFilterResize::Property2Settings(const Core::Property &)",
          20)));
}

}  // namespace
}  // namespace Tivrel::Proc
