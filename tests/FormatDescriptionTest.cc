#include <bitset>
#include <climits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Conf/Preset.h"

namespace Tivrel {
namespace {

using ::testing::StartsWith;
using Ratio = boost::rational<long long>;

// Expected layout of a pixel format, with the bytes and lines of a 5x5 frame per plane
// (odd sizes exercise the rounding of subsampled planes).
struct PixFmtCase {
  PixFmt format;
  const char* name;
  unsigned char planes, shiftW, shiftH;
  std::vector<int> bytesPerPixel;  // GetPlanWidthSize(1, p)
  std::vector<int> widthOf5;       // GetPlanWidthSize(5, p)
  std::vector<int> heightOf5;      // GetPlaneHeight(5, p)
  bool hasAlpha;
};

const PixFmtCase kPixFmtCases[] = {
    {PIX_FMT_YUV420P, "yuv420p", 3, 1, 1, {1, 1, 1}, {5, 3, 3}, {5, 3, 3}, false},
    {PIX_FMT_YUV422P, "yuv422p", 3, 1, 0, {1, 1, 1}, {5, 3, 3}, {5, 5, 5}, false},
    {PIX_FMT_YUV444P, "yuv444p", 3, 0, 0, {1, 1, 1}, {5, 5, 5}, {5, 5, 5}, false},
    {PIX_FMT_YUV411P, "yuv411p", 3, 2, 0, {1, 1, 1}, {5, 2, 2}, {5, 5, 5}, false},
    {PIX_FMT_YUVA420P, "yuva420p", 4, 1, 1, {1, 1, 1, 1}, {5, 3, 3, 5}, {5, 3, 3, 5}, true},
    {PIX_FMT_NV12, "nv12", 2, 1, 1, {1, 2}, {5, 6}, {5, 3}, false},
    {PIX_FMT_GRAY8, "gray8", 1, 0, 0, {1}, {5}, {5}, false},
    {PIX_FMT_GRAY16, "gray16", 1, 0, 0, {2}, {10}, {5}, false},
    {PIX_FMT_RGB24, "rgb24", 1, 0, 0, {3}, {15}, {5}, false},
    {PIX_FMT_BGR24, "bgr24", 1, 0, 0, {3}, {15}, {5}, false},
    {PIX_FMT_RGBA, "rgba", 1, 0, 0, {4}, {20}, {5}, true},
    {PIX_FMT_BGRA, "bgra", 1, 0, 0, {4}, {20}, {5}, true},
};

TEST(PixFmtDescriptionTest, DescribesPlanesShiftsAndPlaneSizes) {
  for (const PixFmtCase& c : kPixFmtCases) {
    SCOPED_TRACE(c.name);
    const PixFmtDescription* d = PixFmtDescription::Find(c.format);
    EXPECT_EQ(d->format, c.format);
    EXPECT_EQ(d->name, c.name);
    EXPECT_EQ(d->planes, c.planes);
    EXPECT_EQ(d->shiftW, c.shiftW);
    EXPECT_EQ(d->shiftH, c.shiftH);
    EXPECT_EQ(d->hasAlpha, c.hasAlpha);
    for (unsigned char p = 0; p < c.planes; ++p) {
      EXPECT_EQ(d->GetPlanWidthSize(1, p), c.bytesPerPixel[p]) << "plane " << int(p);
      EXPECT_EQ(d->GetPlanWidthSize(5, p), c.widthOf5[p]) << "plane " << int(p);
      EXPECT_EQ(d->GetPlaneHeight(5, p), c.heightOf5[p]) << "plane " << int(p);
      EXPECT_EQ(d->GetPlanWidthSize(0, p), 0);
    }
  }
}

TEST(PixFmtDescriptionTest, EveryFormatIsFoundByValueAndByItsUniqueName) {
  std::set<std::string> names;
  for (int v = 0; v < PIX_FMT_COUNT; ++v) {
    const PixFmtDescription* d = PixFmtDescription::Find(static_cast<PixFmt>(v));
    SCOPED_TRACE(d->name);
    EXPECT_EQ(d->format, v);
    EXPECT_TRUE(names.insert(d->name).second) << "duplicate name";
    EXPECT_EQ(PixFmtDescription::Find(d->name), d);
    ASSERT_GE(d->planes, 1);
    ASSERT_LE(d->planes, PixFmtDescription::MAX_PLANES);
    for (unsigned char p = 0; p < PixFmtDescription::MAX_PLANES; ++p) {
      EXPECT_EQ(d->bytesPerSample[p] != 0, p < d->planes) << "plane " << int(p);
    }
    if (d->alphaPlane != PixFmtDescription::NO_ALPHA_PLANE) {
      EXPECT_TRUE(d->hasAlpha);
      EXPECT_LT(d->alphaPlane, d->planes);
    }
  }
}

TEST(PixFmtDescriptionTest, RefusesUnknownFormatsPlanesAndSizes) {
  for (int v : {int(PIX_FMT_NONE), int(PIX_FMT_COUNT), 1000, INT_MIN}) {
    try {
      PixFmtDescription::Find(static_cast<PixFmt>(v));
      ADD_FAILURE() << "no throw for " << v;
    } catch (const std::invalid_argument& e) {
      EXPECT_THAT(e.what(), StartsWith("Unknown pixel format " + std::to_string(v) + "\n"));
    }
  }
  EXPECT_THROW(PixFmtDescription::Find(std::string("YUV420P")), std::invalid_argument);
  EXPECT_THROW(PixFmtDescription::Find(std::string()), std::invalid_argument);

  const PixFmtDescription* yuv = PixFmtDescription::Find(PIX_FMT_YUV420P);
  EXPECT_THROW(yuv->GetPlanWidthSize(1, 3), std::invalid_argument);
  EXPECT_THROW(yuv->GetPlaneHeight(1, 3), std::invalid_argument);
  EXPECT_THROW(yuv->GetPlanWidthSize(-1, 0), std::invalid_argument);
  EXPECT_THROW(yuv->GetPlaneHeight(-1, 1), std::invalid_argument);
  EXPECT_EQ(yuv->GetPlanWidthSize(INT_MAX, 1), INT_MAX / 2 + 1);  // rounding must not overflow
  EXPECT_THROW(PixFmtDescription::Find(PIX_FMT_RGBA)->GetPlanWidthSize(INT_MAX / 2, 0), std::invalid_argument);
}

}  // namespace

namespace Conf {
namespace {

TEST(AudioRecordTest, LayoutsAreFoundBothWaysAndCountTheirSpeakers) {
  const std::pair<ChannelLayout, const char*> expected[] = {
      {CH_LAYOUT_NONE, "none"}, {CH_LAYOUT_MONO, "mono"},   {CH_LAYOUT_STEREO, "stereo"}, {CH_LAYOUT_2POINT1, "2.1"},
      {CH_LAYOUT_QUAD, "quad"}, {CH_LAYOUT_5POINT1, "5.1"}, {CH_LAYOUT_7POINT1, "7.1"},
  };
  for (const auto& [value, name] : expected) {
    SCOPED_TRACE(name);
    const LayoutRecord* byValue = LayoutRecord::Find(value);
    EXPECT_EQ(byValue->name, name);
    EXPECT_EQ(byValue->channels, std::bitset<32>(value).count());
    EXPECT_EQ(LayoutRecord::Find(std::string(name)), byValue);
  }
}

TEST(AudioRecordTest, SampleFormatsAreFoundBothWaysWithPlanarFlagAndSize) {
  struct Case {
    SampleFormats value;
    const char* name;
    bool planar;
    unsigned char bytes;
  };
  const Case cases[] = {
      {SAMPLE_FMT_U8, "u8", false, 1},    {SAMPLE_FMT_S16, "s16", false, 2},   {SAMPLE_FMT_S32, "s32", false, 4},
      {SAMPLE_FMT_FLT, "flt", false, 4},  {SAMPLE_FMT_DBL, "dbl", false, 8},   {SAMPLE_FMT_U8P, "u8p", true, 1},
      {SAMPLE_FMT_S16P, "s16p", true, 2}, {SAMPLE_FMT_S32P, "s32p", true, 4},  {SAMPLE_FMT_FLTP, "fltp", true, 4},
      {SAMPLE_FMT_DBLP, "dblp", true, 8}, {SAMPLE_FMT_NONE, "none", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleFmtRecord* byValue = SampleFmtRecord::Find(c.value);
    EXPECT_EQ(byValue->name, c.name);
    EXPECT_EQ(byValue->planar, c.planar);
    EXPECT_EQ(byValue->bytesPerSample, c.bytes);
    EXPECT_EQ(SampleFmtRecord::Find(std::string(c.name)), byValue);
  }
}

TEST(AudioRecordTest, LookupMissesThrowNamingTheKey) {
  auto message = [](auto lookup) -> std::string {
    try {
      lookup();
    } catch (const std::invalid_argument& e) {
      return e.what();
    }
    return "no throw";
  };
  EXPECT_THAT(message([] { LayoutRecord::Find(static_cast<ChannelLayout>(0x1000)); }),
              StartsWith("Unknown channel layout 4096\n"));
  EXPECT_THAT(message([] { LayoutRecord::Find(std::string("Stereo")); }),
              StartsWith("Unknown channel layout name 'Stereo'\n"));
  EXPECT_THAT(message([] { SampleFmtRecord::Find(static_cast<SampleFormats>(-2)); }),
              StartsWith("Unknown sample format -2\n"));
  EXPECT_THAT(message([] { SampleFmtRecord::Find(std::string("s24")); }),
              StartsWith("Unknown sample format name 's24'\n"));
}

TEST(AudioRecordTest, AudioFormatCountsPlanes) {
  EXPECT_EQ(AudioFormat(48000, SAMPLE_FMT_FLTP, CH_LAYOUT_5POINT1).GetPlanesCount(), 6);
  EXPECT_EQ(AudioFormat(48000, SAMPLE_FMT_S16, CH_LAYOUT_5POINT1).GetPlanesCount(), 1);
  EXPECT_EQ(AudioFormat(48000, SAMPLE_FMT_S16P, CH_LAYOUT_NONE).GetPlanesCount(), 0);
  EXPECT_THROW(AudioFormat(48000, SAMPLE_FMT_S16, static_cast<ChannelLayout>(3000)), std::invalid_argument);
}

TEST(FormatCodecVideoTest, SettersWriteTheTreeAndGettersReadIt) {
  SP<IFormatCodecVideo> v = IFormatCodecVideo::Create();
  EXPECT_EQ(v->GetRefCount(), 1);
  EXPECT_EQ(v->GetProperty().Count(), 0u);
  // A record and its base share one address, so a base pointer may be handed on as is.
  EXPECT_EQ(static_cast<const void*>(static_cast<IFormatCodec*>(v.get())), static_cast<const void*>(v.get()));

  v->SetFrameRate(30000, 1001);
  v->SetPixelFormat(PIX_FMT_NV12);
  v->InitByPixelAspect(720, 576, 16, 15);  // 720*16 : 576*15 = 4:3

  const Core::Property& tree = v->GetProperty();
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_FPS].GetRatio(), Ratio(30000, 1001));
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_WIDTH].GetInt64(), 720);
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_HEIGHT].GetInt64(), 576);
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_ASPECTX].GetInt64(), 16);
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_ASPECTY].GetInt64(), 15);
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_FRAME_ASPECTX].GetInt64(), 4);
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_FRAME_ASPECTY].GetInt64(), 3);
  EXPECT_EQ(v->GetFrameRate(), Ratio(30000, 1001));
  EXPECT_EQ(v->GetPixelFormat(), PIX_FMT_NV12);
  EXPECT_EQ(v->GetWidth(), 720u);
  EXPECT_EQ(v->GetHeight(), 576u);
  EXPECT_EQ(v->GetPixelAspect(), Ratio(16, 15));
  EXPECT_EQ(v->GetFrameAspect(), Ratio(4, 3));

  // Setting again replaces the keys instead of adding more.
  const size_t count = tree.Count();
  v->InitByPixelAspect(1920, 1080, 0, 0);  // unknown pixel aspect: square
  v->SetFrameRate(25, 1);
  v->SetPixelFormat(PIX_FMT_YUV420P);
  EXPECT_EQ(tree.Count(), count);
  EXPECT_EQ(v->GetPixelAspect(), Ratio(1, 1));
  EXPECT_EQ(v->GetFrameAspect(), Ratio(16, 9));
  EXPECT_EQ(v->GetFrameRate(), Ratio(25, 1));
  EXPECT_EQ(v->GetPixelFormat(), PIX_FMT_YUV420P);
}

TEST(FormatCodecVideoTest, RefusesBadInputAndKeepsTheTree) {
  SP<IFormatCodecVideo> v = IFormatCodecVideo::Create();
  EXPECT_THROW(v->GetWidth(), Core::PropertyException);  // never set
  v->InitByPixelAspect(640, 480, 1, 1);
  const Core::Property before = v->GetProperty();

  EXPECT_THROW(v->SetFrameRate(30, 0), std::invalid_argument);
  EXPECT_THROW(v->SetPixelFormat(PIX_FMT_NONE), std::invalid_argument);
  EXPECT_THROW(v->InitByPixelAspect(0, 480, 1, 1), std::invalid_argument);
  EXPECT_THROW(v->InitByPixelAspect(640, 0, 1, 1), std::invalid_argument);
  EXPECT_THROW(v->InitByPixelAspect(UINT_MAX, 1, UINT_MAX, 1), std::invalid_argument);  // frame aspect overflows
  EXPECT_EQ(v->GetProperty(), before);

  v->InitByPixelAspect(UINT_MAX, UINT_MAX, UINT_MAX, UINT_MAX);  // large terms that reduce
  EXPECT_EQ(v->GetFrameAspect(), Ratio(1, 1));
  EXPECT_EQ(v->GetWidth(), UINT_MAX);
}

TEST(FormatCodecAudioTest, SettersWriteNamesAndRate) {
  SP<IFormatCodecAudio> a = IFormatCodecAudio::Create();
  a->SetSampleRate(44100);
  a->SetLayout(CH_LAYOUT_5POINT1);
  a->SetSampleFormat(SAMPLE_FMT_FLTP);
  const Core::Property& tree = a->GetProperty();
  EXPECT_EQ(tree[IFormatCodecAudio::TAG_SAMPLE_RATE].GetInt64(), 44100);
  EXPECT_EQ(tree[IFormatCodecAudio::TAG_LAYOUT].GetString(), "5.1");
  EXPECT_EQ(tree[IFormatCodecAudio::TAG_SAMPLE_FORMAT].GetString(), "fltp");
  const AudioFormat f = a->GetAudioFormat();
  EXPECT_EQ(f.sampleRate, 44100);
  EXPECT_EQ(f.layout->value, CH_LAYOUT_5POINT1);
  EXPECT_EQ(f.sampleFormat->value, SAMPLE_FMT_FLTP);

  EXPECT_THROW(a->SetSampleRate(0), std::invalid_argument);
  EXPECT_THROW(a->SetLayout(static_cast<ChannelLayout>(0x100)), std::invalid_argument);
  EXPECT_THROW(a->SetSampleFormat(static_cast<SampleFormats>(99)), std::invalid_argument);
  EXPECT_EQ(a->GetSampleRate(), 44100);
  EXPECT_EQ(tree.Count(), 3u);
}

TEST(FormatKeysTest, ConstantsAreNonEmptyAndDistinct) {
  const std::string* all[] = {
      &IFormatCodec::TAG_CODEC_ID,
      &IFormatCodec::TAG_BITRATE_MODE,
      &IFormatCodec::TAG_BITRATE_MODE_VBR,
      &IFormatCodec::CODEC_ID_NONE,
      &IFormatCodecAudio::TAG_SAMPLE_RATE,
      &IFormatCodecAudio::TAG_LAYOUT,
      &IFormatCodecAudio::TAG_SAMPLE_FORMAT,
      &IFormatCodecVideo::TAG_WIDTH,
      &IFormatCodecVideo::TAG_HEIGHT,
      &IFormatCodecVideo::TAG_ASPECTX,
      &IFormatCodecVideo::TAG_ASPECTY,
      &IFormatCodecVideo::TAG_FRAME_ASPECTX,
      &IFormatCodecVideo::TAG_FRAME_ASPECTY,
      &IFormatCodecVideo::TAG_FPS,
      &IFormatCodecVideo::TAG_IMAGE_FLAG,
      &IFormatCodecVideo::TAG_PIX_FMT,
      &IPreset::KEY_TYPE_ID,
      &Proc::ImplNames::DEFAULT,
  };
  std::set<std::string> seen;
  for (const std::string* s : all) {
    EXPECT_FALSE(s->empty());
    EXPECT_TRUE(seen.insert(*s).second) << "duplicate " << *s;
  }
}

}  // namespace
}  // namespace Conf
}  // namespace Tivrel
