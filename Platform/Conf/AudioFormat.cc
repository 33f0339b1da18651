#include "Platform/Conf/AudioFormat.h"

#include <stdexcept>

#include "Platform/Core/Exception.h"

namespace Tivrel::Conf {
namespace {

// The tables are built on first use so that static initialisers elsewhere may look up.
const auto& Layouts() {
  static const LayoutRecord table[] = {
      {CH_LAYOUT_NONE, "none", 0},   {CH_LAYOUT_MONO, "mono", 1},    {CH_LAYOUT_STEREO, "stereo", 2},
      {CH_LAYOUT_2POINT1, "2.1", 3}, {CH_LAYOUT_SURROUND, "3.0", 3}, {CH_LAYOUT_QUAD, "quad", 4},
      {CH_LAYOUT_5POINT0, "5.0", 5}, {CH_LAYOUT_5POINT1, "5.1", 6},  {CH_LAYOUT_7POINT1, "7.1", 8},
  };
  return table;
}

const auto& SampleFormatTable() {
  static const SampleFmtRecord table[] = {
      {SAMPLE_FMT_NONE, "none", false, 0}, {SAMPLE_FMT_U8, "u8", false, 1},    {SAMPLE_FMT_S16, "s16", false, 2},
      {SAMPLE_FMT_S32, "s32", false, 4},   {SAMPLE_FMT_FLT, "flt", false, 4},  {SAMPLE_FMT_DBL, "dbl", false, 8},
      {SAMPLE_FMT_U8P, "u8p", true, 1},    {SAMPLE_FMT_S16P, "s16p", true, 2}, {SAMPLE_FMT_S32P, "s32p", true, 4},
      {SAMPLE_FMT_FLTP, "fltp", true, 4},  {SAMPLE_FMT_DBLP, "dblp", true, 8},
  };
  return table;
}

// Linear search: the tables hold about ten entries. Null when nothing matches.
template <class Record, size_t N, class Match>
const Record* Search(const Record (&table)[N], Match match) {
  for (const Record& r : table) {
    if (match(r)) return &r;
  }
  return nullptr;
}

}  // namespace

const LayoutRecord* LayoutRecord::Find(ChannelLayout layout) {
  if (const LayoutRecord* r = Search(Layouts(), [&](const LayoutRecord& x) { return x.value == layout; })) return r;
  ThrowError<std::invalid_argument>("Unknown channel layout " + std::to_string(static_cast<int32_t>(layout)),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
}

const LayoutRecord* LayoutRecord::Find(const std::string& name) {
  if (const LayoutRecord* r = Search(Layouts(), [&](const LayoutRecord& x) { return x.name == name; })) return r;
  ThrowError<std::invalid_argument>("Unknown channel layout name '" + name + "'",
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
}

const SampleFmtRecord* SampleFmtRecord::Find(SampleFormats format) {
  if (const SampleFmtRecord* r =
          Search(SampleFormatTable(), [&](const SampleFmtRecord& x) { return x.value == format; })) {
    return r;
  }
  ThrowError<std::invalid_argument>("Unknown sample format " + std::to_string(static_cast<int32_t>(format)),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
}

const SampleFmtRecord* SampleFmtRecord::Find(const std::string& name) {
  if (const SampleFmtRecord* r =
          Search(SampleFormatTable(), [&](const SampleFmtRecord& x) { return x.name == name; })) {
    return r;
  }
  ThrowError<std::invalid_argument>("Unknown sample format name '" + name + "'",
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
}

AudioFormat::AudioFormat(int rate, SampleFormats format, ChannelLayout channelLayout)
    : sampleRate(rate), sampleFormat(SampleFmtRecord::Find(format)), layout(LayoutRecord::Find(channelLayout)) {}

}  // namespace Tivrel::Conf
