// Pixel and sample format descriptions, audio records, the codec format trees and their keys.

#include <bitset>
#include <climits>
#include <set>
#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Conf/Preset.h"

namespace Tivrel::Conf {
namespace {

using ::testing::StartsWith;
using ::testing::ThrowsMessage;
using Ratio = boost::rational<long long>;

// Plane sizes of a 5x5 frame where subsampling rounds up, samples are wider than a byte,
// or planes interleave.
TEST(PixFmtDescriptionTest, PlaneSizesRoundUpSubsampledPlanes) {
  const struct {
    PixFmt format;
    unsigned char plane;
    int width, height;  // GetPlanWidthSize(5, plane), GetPlaneHeight(5, plane)
  } cases[] = {
      {PIX_FMT_YUV420P, 1, 3, 3}, {PIX_FMT_YUV422P, 2, 3, 5}, {PIX_FMT_YUV411P, 1, 2, 5}, {PIX_FMT_YUVA420P, 3, 5, 5},
      {PIX_FMT_NV12, 1, 6, 3},    {PIX_FMT_GRAY16, 0, 10, 5}, {PIX_FMT_RGB24, 0, 15, 5},  {PIX_FMT_BGRA, 0, 20, 5},
  };
  for (const auto& c : cases) {
    const PixFmtDescription* d = PixFmtDescription::Find(c.format);
    EXPECT_EQ(std::make_pair(d->GetPlanWidthSize(5, c.plane), d->GetPlaneHeight(5, c.plane)),
              std::make_pair(c.width, c.height))
        << d->name << " plane " << int(c.plane);
    EXPECT_EQ(d->GetPlanWidthSize(0, c.plane), 0);
  }
  EXPECT_TRUE(PixFmtDescription::Find(PIX_FMT_RGBA)->hasAlpha);
  EXPECT_FALSE(PixFmtDescription::Find(PIX_FMT_NV12)->hasAlpha);
}

// Every format: found by value and by a name of its own, with sample sizes exactly for its
// planes, so that loops over planes never read a plane the format does not have.
TEST(PixFmtDescriptionTest, EveryFormatIsConsistent) {
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
    EXPECT_TRUE(d->alphaPlane == PixFmtDescription::NO_ALPHA_PLANE || (d->hasAlpha && d->alphaPlane < d->planes));
  }
}

TEST(PixFmtDescriptionTest, RefusesUnknownFormatsPlanesAndSizes) {
  for (int v : {int(PIX_FMT_NONE), int(PIX_FMT_COUNT), INT_MIN}) {
    EXPECT_THAT([v] { PixFmtDescription::Find(static_cast<PixFmt>(v)); },
                ThrowsMessage<std::invalid_argument>(StartsWith("Unknown pixel format " + std::to_string(v) + "\n")));
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

// Names are found both ways; planar formats end in 'p'.
TEST(AudioRecordTest, LayoutsAndSampleFormatsAreFoundBothWays) {
  for (const auto& [value, name] : {std::pair{CH_LAYOUT_NONE, "none"},
                                    {CH_LAYOUT_STEREO, "stereo"},
                                    {CH_LAYOUT_2POINT1, "2.1"},
                                    {CH_LAYOUT_5POINT1, "5.1"},
                                    {CH_LAYOUT_7POINT1, "7.1"}}) {
    const LayoutRecord* byValue = LayoutRecord::Find(value);
    EXPECT_EQ(byValue->name, name);
    EXPECT_EQ(byValue->channels, std::bitset<32>(value).count()) << name;
    EXPECT_EQ(LayoutRecord::Find(std::string(name)), byValue);
  }
  const unsigned char bytes[] = {0, 1, 2, 4, 4, 8, 1, 2, 4, 4, 8};  // none, u8 .. dbl, u8p .. dblp
  for (int v = SAMPLE_FMT_NONE; v <= SAMPLE_FMT_DBLP; ++v) {
    const SampleFmtRecord* byValue = SampleFmtRecord::Find(static_cast<SampleFormats>(v));
    EXPECT_EQ(SampleFmtRecord::Find(byValue->name), byValue);
    EXPECT_EQ(byValue->planar, byValue->name.back() == 'p' && v != SAMPLE_FMT_NONE) << byValue->name;
    EXPECT_EQ(byValue->bytesPerSample, bytes[v - SAMPLE_FMT_NONE]) << byValue->name;
  }
  EXPECT_EQ(AudioFormat(48000, SAMPLE_FMT_FLTP, CH_LAYOUT_5POINT1).GetPlanesCount(), 6);
  EXPECT_EQ(AudioFormat(48000, SAMPLE_FMT_S16, CH_LAYOUT_5POINT1).GetPlanesCount(), 1);
  EXPECT_EQ(AudioFormat(48000, SAMPLE_FMT_S16P, CH_LAYOUT_NONE).GetPlanesCount(), 0);
}

TEST(AudioRecordTest, LookupMissesThrowNamingTheKey) {
  const auto refused = [](const char* message) { return ThrowsMessage<std::invalid_argument>(StartsWith(message)); };
  EXPECT_THAT([] { LayoutRecord::Find(static_cast<ChannelLayout>(0x1000)); }, refused("Unknown channel layout 4096\n"));
  EXPECT_THAT([] { LayoutRecord::Find(std::string("Stereo")); }, refused("Unknown channel layout name 'Stereo'\n"));
  EXPECT_THAT([] { SampleFmtRecord::Find(static_cast<SampleFormats>(-2)); }, refused("Unknown sample format -2\n"));
  EXPECT_THAT([] { SampleFmtRecord::Find(std::string("s24")); }, refused("Unknown sample format name 's24'\n"));
  EXPECT_THROW(AudioFormat(48000, SAMPLE_FMT_S16, static_cast<ChannelLayout>(3000)), std::invalid_argument);
}

TEST(FormatCodecVideoTest, SettersWriteTheTreeAndDeriveTheFrameAspect) {
  SP<IFormatCodecVideo> v = IFormatCodecVideo::Create();
  EXPECT_THROW(v->GetWidth(), Core::PropertyException);  // never set

  v->SetFrameRate(30000, 1001);
  v->SetPixelFormat(PIX_FMT_NV12);
  v->InitByPixelAspect(720, 576, 16, 15);  // 720*16 : 576*15 = 4:3
  const Core::Property& tree = v->GetProperty();
  EXPECT_EQ(tree[IFormatCodecVideo::TAG_FPS].GetRatio(), Ratio(30000, 1001));
  const std::pair<const std::string*, long long> values[] = {
      {&IFormatCodecVideo::TAG_WIDTH, 720},       {&IFormatCodecVideo::TAG_HEIGHT, 576},
      {&IFormatCodecVideo::TAG_ASPECTX, 16},      {&IFormatCodecVideo::TAG_ASPECTY, 15},
      {&IFormatCodecVideo::TAG_FRAME_ASPECTX, 4}, {&IFormatCodecVideo::TAG_FRAME_ASPECTY, 3}};
  for (const auto& [key, value] : values) EXPECT_EQ(tree[*key].GetInt64(), value) << *key;

  // Setting again replaces the keys instead of adding more; an unknown pixel aspect is square.
  const size_t count = tree.Count();
  v->InitByPixelAspect(1920, 1080, 0, 0);
  v->SetFrameRate(25, 1);
  EXPECT_EQ(tree.Count(), count);
  EXPECT_EQ(v->GetPixelAspect(), Ratio(1, 1));
  EXPECT_EQ(v->GetFrameAspect(), Ratio(16, 9));

  // Bad input is refused and leaves the tree as it was.
  const Core::Property before = tree;
  EXPECT_THROW(v->SetFrameRate(30, 0), std::invalid_argument);
  EXPECT_THROW(v->SetPixelFormat(PIX_FMT_NONE), std::invalid_argument);
  EXPECT_THROW(v->InitByPixelAspect(0, 480, 1, 1), std::invalid_argument);
  EXPECT_THROW(v->InitByPixelAspect(640, 0, 1, 1), std::invalid_argument);
  EXPECT_THROW(v->InitByPixelAspect(UINT_MAX, 1, UINT_MAX, 1), std::invalid_argument);  // frame aspect overflows
  EXPECT_EQ(tree, before);
  v->InitByPixelAspect(UINT_MAX, UINT_MAX, UINT_MAX, UINT_MAX);  // large terms that reduce
  EXPECT_EQ(v->GetFrameAspect(), Ratio(1, 1));
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
  EXPECT_EQ(a->GetAudioFormat().layout->value, CH_LAYOUT_5POINT1);
  EXPECT_EQ(a->GetAudioFormat().sampleFormat->value, SAMPLE_FMT_FLTP);

  EXPECT_THROW(a->SetSampleRate(0), std::invalid_argument);
  EXPECT_THROW(a->SetLayout(static_cast<ChannelLayout>(0x100)), std::invalid_argument);
  EXPECT_THROW(a->SetSampleFormat(static_cast<SampleFormats>(99)), std::invalid_argument);
  EXPECT_EQ(a->GetSampleRate(), 44100);
  EXPECT_EQ(tree.Count(), 3u);
}

// Trees are written and read back with these keys, so no two may share a text.
TEST(FormatKeysTest, ConstantsAreNonEmptyAndDistinct) {
  using Video = IFormatCodecVideo;
  // clang-format off
  const std::string* all[] = {
      &IFormatCodec::TAG_CODEC_ID, &IFormatCodec::TAG_BITRATE_MODE, &IFormatCodec::TAG_BITRATE_MODE_VBR,
      &IFormatCodec::CODEC_ID_NONE, &IFormatCodecAudio::TAG_SAMPLE_RATE, &IFormatCodecAudio::TAG_LAYOUT,
      &IFormatCodecAudio::TAG_SAMPLE_FORMAT, &Video::TAG_WIDTH, &Video::TAG_HEIGHT, &Video::TAG_ASPECTX,
      &Video::TAG_ASPECTY, &Video::TAG_FRAME_ASPECTX, &Video::TAG_FRAME_ASPECTY, &Video::TAG_FPS,
      &Video::TAG_IMAGE_FLAG, &Video::TAG_PIX_FMT, &IPreset::KEY_TYPE_ID, &Proc::ImplNames::DEFAULT};
  // clang-format on
  std::set<std::string> seen;
  for (const std::string* s : all) EXPECT_TRUE(!s->empty() && seen.insert(*s).second) << "'" << *s << "'";
}

}  // namespace
}  // namespace Tivrel::Conf
