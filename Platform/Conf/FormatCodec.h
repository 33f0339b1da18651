#pragma once

// Format records of media streams: a property tree per stream describing its codec and
// format, with typed setters and getters for the common keys.
//
// Protocol: Create a record, fill it with the setters (or write its tree directly through
// GetProperty with the TAG_* keys), then hand it out as SP<const ...> or share it. Each
// setter replaces the keys it owns and leaves every other key alone. Getters read the
// tree; a key that was never set makes them throw Core::PropertyException from the tree.
// Records are shared by reference counting and are not synchronised: one thread may write
// a record at a time, and const calls may run concurrently only while nobody writes.

#include <string>

#include <boost/rational.hpp>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"

namespace Tivrel::Conf {

// Base of every format record: owns the record's tree. The video and audio records derive
// from it non-virtually as their first base, so a record and its IFormatCodec share one
// address.
class TIVREL_PLATFORM_API IFormatCodec : public virtual IRefCountable {
public:
  static const std::string TAG_CODEC_ID;          // key, string: the codec identifier
  static const std::string TAG_BITRATE_MODE;      // key, string: the bitrate mode
  static const std::string TAG_BITRATE_MODE_VBR;  // value of TAG_BITRATE_MODE: variable bitrate
  static const std::string CODEC_ID_NONE;         // value of TAG_CODEC_ID: no codec (raw data)

  IFormatCodec(const IFormatCodec&) = delete;
  IFormatCodec& operator=(const IFormatCodec&) = delete;

  // The record's tree, a node named after the record's kind. The reference lives as long
  // as the record.
  Core::Property& GetProperty() { return tree_; }
  const Core::Property& GetProperty() const { return tree_; }

protected:
  explicit IFormatCodec(const std::string& rootName) : tree_(rootName) {}
  ~IFormatCodec() override = default;

private:
  Core::Property tree_;
};

// Video stream format. InitByPixelAspect owns TAG_WIDTH, TAG_HEIGHT, TAG_ASPECTX/Y and
// TAG_FRAME_ASPECTX/Y (all long long); SetFrameRate owns TAG_FPS (boost::rational<long long>);
// SetPixelFormat owns TAG_PIX_FMT (the format's name). TAG_IMAGE_FLAG (bool) marks a
// stream made of one still image; it is written by callers through the tree.
class TIVREL_PLATFORM_API IFormatCodecVideo : public IFormatCodec {
public:
  static const std::string TAG_WIDTH;
  static const std::string TAG_HEIGHT;
  static const std::string TAG_ASPECTX;        // pixel aspect, horizontal term
  static const std::string TAG_ASPECTY;        // pixel aspect, vertical term
  static const std::string TAG_FRAME_ASPECTX;  // frame (display) aspect, reduced, horizontal term
  static const std::string TAG_FRAME_ASPECTY;  // frame (display) aspect, reduced, vertical term
  static const std::string TAG_FPS;
  static const std::string TAG_IMAGE_FLAG;
  static const std::string TAG_PIX_FMT;

  // A new, empty record (its tree has no children).
  static SP<IFormatCodecVideo> Create();

  // Frame rate num/den frames per second. Throws std::invalid_argument when den is 0.
  void SetFrameRate(unsigned num, unsigned den);
  boost::rational<long long> GetFrameRate() const;

  // Throws std::invalid_argument for a format without a description (PIX_FMT_NONE included).
  void SetPixelFormat(PixFmt format);
  PixFmt GetPixelFormat() const;

  // Frame size in pixels and pixel aspect aspectX:aspectY as given, plus the frame aspect
  // (width * aspectX) : (height * aspectY) reduced to lowest terms. A pixel aspect with a
  // zero term is unknown and recorded as square pixels (1:1). Throws std::invalid_argument
  // when width or height is 0 or the reduced frame aspect exceeds the range of long long.
  void InitByPixelAspect(unsigned width, unsigned height, unsigned aspectX, unsigned aspectY);
  unsigned GetWidth() const;
  unsigned GetHeight() const;
  boost::rational<long long> GetPixelAspect() const;
  boost::rational<long long> GetFrameAspect() const;

protected:
  IFormatCodecVideo() : IFormatCodec("videoFormat") {}
  ~IFormatCodecVideo() override = default;
};

// Audio stream format. Layout and sample format are stored by name (LayoutRecord and
// SampleFmtRecord names), the sample rate as long long.
class TIVREL_PLATFORM_API IFormatCodecAudio : public IFormatCodec {
public:
  static const std::string TAG_SAMPLE_RATE;
  static const std::string TAG_LAYOUT;
  static const std::string TAG_SAMPLE_FORMAT;

  // A new, empty record (its tree has no children).
  static SP<IFormatCodecAudio> Create();

  // Samples per second per channel. Throws std::invalid_argument when rate <= 0.
  void SetSampleRate(int rate);
  int GetSampleRate() const;
  // Throw std::invalid_argument for a value without a record (see AudioFormat.h).
  void SetLayout(ChannelLayout layout);
  ChannelLayout GetLayout() const;
  void SetSampleFormat(SampleFormats format);
  SampleFormats GetSampleFormat() const;

  // All three at once; throws like the getters.
  AudioFormat GetAudioFormat() const;

protected:
  IFormatCodecAudio() : IFormatCodec("audioFormat") {}
  ~IFormatCodecAudio() override = default;
};

}  // namespace Tivrel::Conf
