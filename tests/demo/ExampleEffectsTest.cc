// The example's flip, crop and transpose: every sample of every pixel format, settings trees, progress, the contract.
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "Proc/Interfaces/SettingsConversion.h"
#include "Testing/Contracts.h"
#include "Testing/Frames.h"
#include "examples/effects/CropEffect.h"
#include "examples/effects/FlipEffect.h"
#include "examples/effects/TransposeEffect.h"

namespace {

using namespace Tivrel;
using Proc::IDataVideo;

// Odd sizes, beyond whole blocks of the one-byte kernels (64 bytes by 16 lines) both ways.
constexpr long kWidth = 263, kHeight = 35;

// A new effect configured through the tree of its settings record, as a settings file does it.
template <class Effect, class Record>
SP<Effects::VideoEffect> FromTree(const Record& record) {
  const SP<Effect> effect = Effect::Create();
  effect->Initialize(Proc::Settings2Property(record));
  return effect;
}

SP<Effects::VideoEffect> Flip(bool h, bool v) { return FromTree<Effects::FlipEffect>(Proc::SettingsEffectFlip{h, v}); }

SP<Effects::VideoEffect> Crop(uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
  return FromTree<Effects::CropEffect>(Proc::SettingsEffectCrop{x, y, width, height});
}

SP<Effects::VideoEffect> Turn(int quarterTurns) {
  Proc::SettingsEffectTranspose settings;
  settings.quarterTurns = quarterTurns;
  return FromTree<Effects::TransposeEffect>(settings);
}

// Output sample (x, y) of a plane of w x h samples, subsampled by sw, sh (0 but for chroma),
// in one direction only or not.
struct Sample {
  long x, y, w, h;
  int sw, sh;
  bool oneWay;
};

struct Case {
  const char* name;
  SP<Effects::VideoEffect> (*create)();
  long width, height;  // of the output frame
  bool odd;            // an odd turn: formats subsampled one way only come out as yuv444p
  bool view;           // shares the source's pixels
  std::pair<long, long> (*sourceOf)(const Sample&);
};

const Case kCases[] = {
    {"flip:h", [] { return Flip(true, false); }, kWidth, kHeight, false, false,
     [](const Sample& s) { return std::pair(s.w - 1 - s.x, s.y); }},
    {"flip:v", [] { return Flip(false, true); }, kWidth, kHeight, false, false,
     [](const Sample& s) { return std::pair(s.x, s.h - 1 - s.y); }},
    // A one-way subsampled chroma plane turns into a full-size one: each pixel shows the
    // sample that covered it.
    {"transpose:1", [] { return Turn(1); }, kHeight, kWidth, true, false,
     [](const Sample& s) {
       return s.oneWay ? std::pair(s.y >> s.sw, (kHeight - 1 - s.x) >> s.sh) : std::pair(s.y, s.h - 1 - s.x);
     }},
    {"transpose:2", [] { return Turn(2); }, kWidth, kHeight, false, false,
     [](const Sample& s) { return std::pair(s.w - 1 - s.x, s.h - 1 - s.y); }},
    {"transpose:3", [] { return Turn(3); }, kHeight, kWidth, true, false,
     [](const Sample& s) {
       return s.oneWay ? std::pair((kWidth - 1 - s.y) >> s.sw, s.x >> s.sh) : std::pair(s.w - 1 - s.y, s.x);
     }},
    // Down to the bottom edge; chroma from the sample covering the first pixel.
    {"crop:5,1,9,0", [] { return Crop(5, 1, 9, 0); }, 9, kHeight - 1, false, true,
     [](const Sample& s) { return std::pair(s.x + (5 >> s.sw), s.y + (1 >> s.sh)); }},
};

// On a frame of every pixel format, given as the only pointer to a view of the source: the
// output's format and size, what each of its samples shows, its timestamps and the progress
// the effect reports for it.
TEST(ExampleEffects, EverySampleLandsWhereItShould) {
  for (const Case& c : kCases) {
    for (int f = 0; f < PIX_FMT_COUNT; ++f) {
      const PixFmtDescription& d = *PixFmtDescription::Find(static_cast<PixFmt>(f));
      SCOPED_TRACE(c.name + (" " + d.name));
      const SP<IDataVideo> src = Testing::MakeRandomFrame(d.format, kWidth, kHeight, f);
      src->SetTime(40000);
      src->SetDuration(20000);
      const SP<Effects::VideoEffect> effect = c.create();
      effect->SetProgress({0, 0, [](const long long& t, auto&, auto&) { return static_cast<double>(t); }});
      SP<IDataVideo> out = src->Clone(false);
      effect->ProcessVideoData(out);
      const bool oneWay = d.shiftW != d.shiftH;
      EXPECT_EQ(out->GetPixFmt(), c.odd && oneWay ? PIX_FMT_YUV444P : d.format);
      EXPECT_EQ(out->GetFrameInfo().width, c.width);
      EXPECT_EQ(out->GetFrameInfo().height, c.height);
      EXPECT_EQ(Effects::ShapeOf(*out), effect->OutputShape(Effects::ShapeOf(*src)));
      EXPECT_EQ(effect->GetStatistic()["progress"].GetValue<double>(), 60000.0)
          << "the end of the output frame: time and duration kept";
      EXPECT_EQ(Media::ArePixelsShared(*src), c.view);
      for (unsigned char p = 0; p < d.planes; ++p) {
        const long bytes = d.GetPlanWidthSize(1, p);
        const Proc::PlaneConst s = std::as_const(*src).GetPlane(p), o = std::as_const(*out).GetPlane(p);
        const bool chroma = d.IsChromaPlane(p);
        const long w = static_cast<long>(s.width) / bytes, h = static_cast<long>(s.height);
        for (long y = 0; y < static_cast<long>(o.height); ++y) {
          for (long x = 0; x < static_cast<long>(o.width) / bytes; ++x) {
            const auto [sx, sy] =
                c.sourceOf({x, y, w, h, chroma ? d.shiftW : 0, chroma ? d.shiftH : 0, chroma && oneWay});
            ASSERT_TRUE(sx >= 0 && sy >= 0 && sx < w && sy < h) << x << "," << y;
            ASSERT_EQ(std::memcmp(o.GetOffsetPtr(x * bytes, y), s.GetOffsetPtr(sx * bytes, sy), bytes), 0)
                << "plane " << int(p) << " sample " << x << "," << y;
          }
        }
      }
    }
  }
}

SP<Proc::IDataVideo> OddFrame() { return Testing::MakeRandomFrame(PIX_FMT_YUV422P, 7, 5, 9); }

}  // namespace

// The contract on an odd-sized yuv422p frame.
TIVREL_INSTANTIATE_CONTRACT(
    EffectContract, ExampleFlip, [] { return ::Flip(true, true); }, OddFrame);
TIVREL_INSTANTIATE_CONTRACT(
    EffectContract, ExampleCrop, [] { return ::Crop(1, 1, 4, 0); }, OddFrame);
TIVREL_INSTANTIATE_CONTRACT(
    EffectContract, ExampleTranspose, [] { return ::Turn(1); }, OddFrame);
