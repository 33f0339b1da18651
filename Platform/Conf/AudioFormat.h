#pragma once

// Channel layouts and sample formats with their names, and the audio format of a block.
//
// The records are immutable tables built on first use; lookups may run on any thread.
// Names are the texts stored in property trees, so they are stable.

#include <cstdint>
#include <string>

#include "Platform/Export.h"

namespace Tivrel::Conf {

// 32-bit channel layout: a mask of speaker positions, one bit each (front left 0x1, front
// right 0x2, front centre 0x4, low frequency 0x8, back left 0x10, back right 0x20, side
// left 0x40, side right 0x80). CH_LAYOUT_NONE (0, no channels) means "not set".
enum ChannelLayout : int32_t {
  CH_LAYOUT_NONE = 0,
  CH_LAYOUT_MONO = 0x4,
  CH_LAYOUT_STEREO = 0x3,
  CH_LAYOUT_2POINT1 = 0xB,
  CH_LAYOUT_SURROUND = 0x7,  // 3.0: left, right, centre
  CH_LAYOUT_QUAD = 0x33,
  CH_LAYOUT_5POINT0 = 0x37,
  CH_LAYOUT_5POINT1 = 0x3F,
  CH_LAYOUT_7POINT1 = 0xFF,
};

// 32-bit sample format. The planar forms keep each channel in a plane of its own, the
// others interleave the channels in one plane. SAMPLE_FMT_NONE (-1) means "not set".
enum SampleFormats : int32_t {
  SAMPLE_FMT_NONE = -1,
  SAMPLE_FMT_U8 = 0,
  SAMPLE_FMT_S16,
  SAMPLE_FMT_S32,
  SAMPLE_FMT_FLT,
  SAMPLE_FMT_DBL,
  SAMPLE_FMT_U8P,
  SAMPLE_FMT_S16P,
  SAMPLE_FMT_S32P,
  SAMPLE_FMT_FLTP,
  SAMPLE_FMT_DBLP,
};

// One channel layout. Lookups return pointers into the library's table, never null, valid
// for the library's lifetime.
struct TIVREL_PLATFORM_API LayoutRecord {
  ChannelLayout value;
  std::string name;        // "none", "mono", "stereo", "2.1", "3.0", "quad", "5.0", "5.1", "7.1"
  unsigned char channels;  // number of channels, 0 for CH_LAYOUT_NONE

  // Throws std::invalid_argument naming the value or name when it is not in the table.
  static const LayoutRecord* Find(ChannelLayout layout);
  static const LayoutRecord* Find(const std::string& name);
};

// One sample format; same lookup rules as LayoutRecord.
struct TIVREL_PLATFORM_API SampleFmtRecord {
  SampleFormats value;
  std::string name;              // "none", "u8", "s16", "s32", "flt", "dbl", "u8p", ... "dblp"
  bool planar;                   // one plane per channel
  unsigned char bytesPerSample;  // bytes of one sample of one channel, 0 for SAMPLE_FMT_NONE

  static const SampleFmtRecord* Find(SampleFormats format);
  static const SampleFmtRecord* Find(const std::string& name);
};

// Format of an audio block: a plain value. The record pointers are never null once
// constructed (the constructor looks both up and throws like Find).
struct TIVREL_PLATFORM_API AudioFormat {
  AudioFormat(int sampleRate, SampleFormats format, ChannelLayout layout);

  // Planes of a block in this format: one per channel when planar, otherwise one.
  unsigned char GetPlanesCount() const { return sampleFormat->planar ? layout->channels : 1; }

  int sampleRate;  // samples per second per channel
  const SampleFmtRecord* sampleFormat;
  const LayoutRecord* layout;
};

}  // namespace Tivrel::Conf
