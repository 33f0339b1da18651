// Unit tests of the example's video effects: every pixel format at an odd and an even size,
// each effect against a per-sample reference, on frames it owns and on shared ones.
#include <cstring>
#include <functional>
#include <string>
#include <typeinfo>
#include <utility>

#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/CalculateMD5.h"
#include "Proc/Interfaces/FrameUtils.h"
#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Interfaces/Stub.h"
#include "Proc/Settings/SettingsDeinterlace.h"
#include "examples/effects/CropEffect.h"
#include "examples/effects/FlipEffect.h"
#include "examples/effects/TransposeEffect.h"

namespace {

using namespace Tivrel;
using Proc::IDataVideo;
using Proc::PlaneConst;

SP<IDataVideo> PatternFrame(PixFmt format, int width, int height) {
  const SP<IDataVideo> frame = Media::VideoFrame::Create(format, width, height, 4, 3);
  unsigned state = 12345;
  for (unsigned char p = 0; p < Proc::GetPlanesCount(*frame); ++p) {
    const Proc::Plane plane = frame->GetPlane(p);
    for (unsigned long y = 0; y < plane.height; ++y) {
      for (unsigned long x = 0; x < plane.width; ++x) *plane.GetOffsetPtr(x, y) = (state = state * 69069 + 1) >> 24;
    }
  }
  frame->SetTime(40000);
  frame->SetDuration(40000);
  return frame;
}

// The source sample, in samples of its plane, that output sample (x, y) of plane p shows.
using SourceOf = std::function<std::pair<long, long>(unsigned char p, long x, long y)>;

void ExpectSamples(const IDataVideo& src, const IDataVideo& out, const SourceOf& sourceOf) {
  const PixFmtDescription& format = *PixFmtDescription::Find(src.GetPixFmt());
  for (unsigned char p = 0; p < format.planes; ++p) {
    const unsigned long bytes = static_cast<unsigned long>(format.GetPlanWidthSize(1, p));
    const PlaneConst s = src.GetPlane(p), o = out.GetPlane(p);
    for (unsigned long y = 0; y < o.height; ++y) {
      for (unsigned long x = 0; x < o.width / bytes; ++x) {
        const auto [sx, sy] = sourceOf(p, static_cast<long>(x), static_cast<long>(y));
        ASSERT_TRUE(sx >= 0 && sy >= 0 && sx * bytes < s.width && static_cast<unsigned long>(sy) < s.height);
        ASSERT_EQ(std::memcmp(o.GetOffsetPtr(x * bytes, y), s.GetOffsetPtr(sx * bytes, sy), bytes), 0)
            << "plane " << int(p) << " sample " << x << "," << y;
      }
    }
  }
}

bool SubsampledOneWay(const PixFmtDescription& d) { return d.shiftW != d.shiftH; }

TEST(ExampleEffects, FlipsAndTurnsMoveWholeSamplesInEveryFormat) {
  for (int f = 0; f < PIX_FMT_COUNT; ++f) {
    const PixFmtDescription& d = *PixFmtDescription::Find(static_cast<PixFmt>(f));
    for (const auto& [width, height] : {std::pair{7, 5}, std::pair{6, 4}}) {
      SCOPED_TRACE(d.name + " " + std::to_string(width) + "x" + std::to_string(height));
      const SP<IDataVideo> src = PatternFrame(d.format, width, height);
      const std::string digest = Proc::CalculateVideoDataMD5(src);
      const auto samples = [&](unsigned char p) {
        const PlaneConst s = static_cast<const IDataVideo&>(*src).GetPlane(p);
        return std::pair<long, long>(s.width / d.GetPlanWidthSize(1, p), s.height);
      };
      // A frame the effect is the only holder of, or a view sharing the source's pixels.
      for (const bool owned : {true, false}) {
        SCOPED_TRACE(owned ? "owned" : "shared");
        const auto input = [&] { return src->Clone(owned); };
        for (const auto& [h, v] : {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
          const SP<Effects::FlipEffect> flip = Effects::FlipEffect::Create({h, v});
          SP<IDataVideo> frame = input();
          flip->ProcessVideoData(frame);
          ExpectSamples(*src, *frame, [&](unsigned char p, long x, long y) {
            const auto [w, hh] = samples(p);
            return std::pair(h ? w - 1 - x : x, v ? hh - 1 - y : y);
          });
          flip->ProcessVideoData(frame);
          EXPECT_TRUE(Proc::IsDataVideoEqual(src, frame)) << "flipped twice " << h << v;
        }
        for (int turns = 1; turns <= 3; ++turns) {
          Proc::SettingsEffectTranspose settings;
          settings.quarterTurns = turns;
          const SP<Effects::TransposeEffect> turn = Effects::TransposeEffect::Create(settings);
          SP<IDataVideo> frame = input();
          turn->ProcessVideoData(frame);
          EXPECT_EQ(Effects::ShapeOf(*frame), turn->OutputShape(Effects::ShapeOf(*src)));
          EXPECT_EQ(frame->GetTime(), 40000);
          ExpectSamples(*src, *frame, [&](unsigned char p, long x, long y) {
            const auto [w, h] = samples(p);
            if (turns == 2) return std::pair(w - 1 - x, h - 1 - y);
            if (!(d.IsChromaPlane(p) && SubsampledOneWay(d))) {
              return turns == 1 ? std::pair(y, h - 1 - x) : std::pair(w - 1 - y, x);
            }
            // Full-size chroma after the turn: each pixel shows the sample that covered it.
            return turns == 1 ? std::pair<long, long>(y >> d.shiftW, (height - 1 - x) >> d.shiftH)
                              : std::pair<long, long>((width - 1 - y) >> d.shiftW, x >> d.shiftH);
          });
        }
        if (!SubsampledOneWay(d)) {
          Proc::SettingsEffectTranspose one;
          one.quarterTurns = 1;
          const SP<Effects::TransposeEffect> turn = Effects::TransposeEffect::Create(one);
          SP<IDataVideo> frame = input();
          for (int i = 0; i < 4; ++i) turn->ProcessVideoData(frame);
          EXPECT_TRUE(Proc::IsDataVideoEqual(src, frame)) << "four quarter turns";
        }
      }
      EXPECT_EQ(Proc::CalculateVideoDataMD5(src), digest) << "a shared source was written";
    }
  }
}

TEST(ExampleEffects, CropIsAViewThatPlacesLikeItsSource) {
  for (const PixFmt format : {PIX_FMT_YUV420P, PIX_FMT_YUV422P, PIX_FMT_NV12, PIX_FMT_GRAY16, PIX_FMT_RGB24}) {
    SCOPED_TRACE(PixFmtDescription::Find(format)->name);
    const SP<IDataVideo> src = PatternFrame(format, 9, 7);
    const std::string digest = Proc::CalculateVideoDataMD5(src);
    const SP<Effects::CropEffect> crop = Effects::CropEffect::Create({1, 2, 5, 0});  // down to the bottom edge
    for (const bool owned : {true, false}) {
      SP<IDataVideo> frame = src->Clone(false);
      const SP<IDataVideo> other = owned ? nullptr : frame;
      const IDataVideo* object = frame.get();
      crop->ProcessVideoData(frame);
      EXPECT_EQ(frame.get() == object, owned) << "narrowed in place only when owned";
      EXPECT_EQ(frame->GetFrameInfo().width, 5u);
      EXPECT_EQ(frame->GetFrameInfo().height, 5u);
      EXPECT_EQ(static_cast<const IDataVideo&>(*frame).GetPlane(0).data,
                static_cast<const IDataVideo&>(*src).GetPlane(0).GetOffsetPtr(src->GetPlane(0).width / 9, 2))
          << "a view, not a copy";
      if (other) {
        EXPECT_EQ(other->GetFrameInfo().width, 9u);
      }
      // On a canvas of its size the crop shows what the source placed 1,2 up-left shows.
      const SP<IDataVideo> placedCrop = Media::VideoFrame::Create(format, 5, 5);
      const SP<IDataVideo> placedSource = Media::VideoFrame::Create(format, 5, 5);
      Proc::CopyDataVideo(frame, placedCrop, 0, 0);
      Proc::CopyDataVideo(src, placedSource, -1, -2);
      EXPECT_TRUE(Proc::IsDataVideoEqual(placedCrop, placedSource));
    }
    EXPECT_EQ(Proc::CalculateVideoDataMD5(src), digest);
    const SP<Effects::CropEffect> outside = Effects::CropEffect::Create({8, 0, 2, 0});
    SP<IDataVideo> frame = src;
    EXPECT_THROW(outside->OutputShape(Effects::ShapeOf(*src)), std::invalid_argument);
    EXPECT_THROW(outside->ProcessVideoData(frame), std::invalid_argument);
    EXPECT_EQ(frame, src);
  }
}

TEST(ExampleEffects, ConfiguredThroughTheirRecordsTreesAndProgress) {
  const Core::Property flipTree = Proc::Settings2Property(Proc::SettingsEffectFlip{false, true});
  const Core::Property cropTree = Proc::Settings2Property(Proc::SettingsEffectCrop{2, 4, 6, 8});
  Core::Property turnTree = Proc::Settings2Property(Proc::SettingsEffectTranspose());
  turnTree.SetChildT<long long>("effectTransposeAngle", 270);
  const SP<Effects::FlipEffect> flip = Effects::FlipEffect::Create();
  const SP<Effects::CropEffect> crop = Effects::CropEffect::Create();
  const SP<Effects::TransposeEffect> turn = Effects::TransposeEffect::Create();
  flip->Initialize(flipTree);
  crop->Initialize(cropTree);
  turn->Initialize(turnTree);
  EXPECT_EQ(flip->GetSettings(), flipTree);
  EXPECT_EQ(crop->GetSettings(), cropTree);
  EXPECT_EQ(turn->GetSettings(), turnTree);
  EXPECT_EQ(flip->Describe(), "flip top-bottom");
  EXPECT_EQ(crop->Describe(), "crop at 2,4 to 6x8");
  EXPECT_EQ(turn->Describe(), "turn 90 degrees anticlockwise");
  EXPECT_THROW(crop->Initialize(flipTree), Proc::FilterException);

  Proc::SettingsEffectTranspose half;
  half.quarterTurns = -2;
  turn->SetSettings(half);
  EXPECT_TRUE(turn->GetSettingsBase().IsEqualTo(half));
  EXPECT_THROW(turn->SetSettings(Proc::SettingsDeinterlace()), std::bad_cast);
  EXPECT_THROW(flip->GetSettingsBase(), std::logic_error);

  // Progress: the mapped end of the last frame, in the effect's statistic.
  turn->SetProgress(Proc::TimeToProgress(0, 160000, [](const long long& t, const long long& b, const long long& e) {
    return 100.0 * static_cast<double>(t - b) / static_cast<double>(e - b);
  }));
  SP<IDataVideo> frame = PatternFrame(PIX_FMT_YUV420P, 4, 4);
  turn->ProcessVideoData(frame);
  const Core::Property statistic = turn->GetStatistic();
  EXPECT_EQ(statistic["frames"].GetValue<long long>(), 1);
  EXPECT_DOUBLE_EQ(statistic["progress"].GetValue<double>(), 50.0);
}

}  // namespace
