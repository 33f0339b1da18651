#include <climits>
#include <numeric>
#include <stdexcept>

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Core/Exception.h"

namespace Tivrel::Conf {
namespace {

class FormatCodecVideo final : public IFormatCodecVideo, public RefCountImpl {};

}  // namespace

SP<IFormatCodecVideo> IFormatCodecVideo::Create() { return SP<IFormatCodecVideo>(new FormatCodecVideo); }

void IFormatCodecVideo::SetFrameRate(unsigned num, unsigned den) {
  if (den == 0) {
    ThrowError<std::invalid_argument>("Frame rate " + std::to_string(num) + "/0 has a zero denominator",
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  GetProperty().SetChildT(TAG_FPS, boost::rational<long long>(num, den));
}

boost::rational<long long> IFormatCodecVideo::GetFrameRate() const { return GetProperty()[TAG_FPS].GetRatio(); }

void IFormatCodecVideo::SetPixelFormat(PixFmt format) {
  GetProperty().SetChildT(TAG_PIX_FMT, PixFmtDescription::Find(format)->name);
}

PixFmt IFormatCodecVideo::GetPixelFormat() const {
  return PixFmtDescription::Find(GetProperty()[TAG_PIX_FMT].GetString())->format;
}

void IFormatCodecVideo::InitByPixelAspect(unsigned width, unsigned height, unsigned aspectX, unsigned aspectY) {
  if (width == 0 || height == 0) {
    ThrowError<std::invalid_argument>(
        "Frame size " + std::to_string(width) + "x" + std::to_string(height) + " has no area",
        TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  if (aspectX == 0 || aspectY == 0) aspectX = aspectY = 1;
  // Products of two 32-bit values fit 64 unsigned bits; only the reduced terms must fit long long.
  unsigned long long frameX = static_cast<unsigned long long>(width) * aspectX;
  unsigned long long frameY = static_cast<unsigned long long>(height) * aspectY;
  const unsigned long long divisor = std::gcd(frameX, frameY);
  frameX /= divisor;
  frameY /= divisor;
  if (frameX > LLONG_MAX || frameY > LLONG_MAX) {
    ThrowError<std::invalid_argument>(
        "Frame aspect " + std::to_string(frameX) + ":" + std::to_string(frameY) + " is out of range",
        TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  Core::Property& tree = GetProperty();
  tree.SetChildT<long long>(TAG_WIDTH, width);
  tree.SetChildT<long long>(TAG_HEIGHT, height);
  tree.SetChildT<long long>(TAG_ASPECTX, aspectX);
  tree.SetChildT<long long>(TAG_ASPECTY, aspectY);
  tree.SetChildT(TAG_FRAME_ASPECTX, static_cast<long long>(frameX));
  tree.SetChildT(TAG_FRAME_ASPECTY, static_cast<long long>(frameY));
}

unsigned IFormatCodecVideo::GetWidth() const { return GetProperty()[TAG_WIDTH].GetValue<unsigned int>(); }

unsigned IFormatCodecVideo::GetHeight() const { return GetProperty()[TAG_HEIGHT].GetValue<unsigned int>(); }

boost::rational<long long> IFormatCodecVideo::GetPixelAspect() const {
  const Core::Property& tree = GetProperty();
  return {tree[TAG_ASPECTX].GetInt64(), tree[TAG_ASPECTY].GetInt64()};
}

boost::rational<long long> IFormatCodecVideo::GetFrameAspect() const {
  const Core::Property& tree = GetProperty();
  return {tree[TAG_FRAME_ASPECTX].GetInt64(), tree[TAG_FRAME_ASPECTY].GetInt64()};
}

}  // namespace Tivrel::Conf
