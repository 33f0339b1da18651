#include "Proc/Interfaces/CalculateMD5.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include <boost/format.hpp>

#include "Platform/Core/Exception.h"
#include "Platform/Core/MD5.h"

namespace Tivrel::Proc {
namespace {

void CheckNotNull(const void* p, const ThrowSite& site) {
  if (p == nullptr) ThrowError<std::invalid_argument>("data is NULL", site);
}

std::string Finish(Core::MD5& md5) {
  md5.finalize();
  return md5.hexdigest();
}

// Lines straight from the plane's memory; lines that touch (stride == width) go in one piece.
void HashPlane(Core::MD5& md5, const PlaneConst& plane) {
  if (plane.stride >= 0 && static_cast<unsigned long>(plane.stride) == plane.width) {
    md5.update(plane.data, plane.width * plane.height);
    return;
  }
  for (unsigned long i = 0; i < plane.height; ++i) md5.update(plane.GetOffsetPtr(0, i), plane.width);
}

// The first text formatted through a locale fills its ctype facet's character caches
// without a lock. Formatting one text while the library loads fills them before any caller
// can hash from several threads at once.
const bool kFormatCachesFilled = !(boost::format("%s:%d") % "" % 0).str().empty();

}  // namespace

std::string CalculateAudioDataMD5(const SP<IDataAudio>& data) {
  CheckNotNull(data.get(),
               TIVREL_THROW_SITE(
                   "std::string Tivrel::Proc::CalculateAudioDataMD5(const SP<Tivrel::Proc::IDataAudio> &)", __LINE__));
  const Conf::AudioFormat& format = data->GetAudioFormat();
  const int32_t samples = data->GetSamplesCount();
  const int32_t header[] = {format.sampleFormat->value, samples, format.layout->value, format.sampleRate};
  Core::MD5 md5;
  md5.update(header, sizeof(header));
  const unsigned char planes = format.GetPlanesCount();
  for (unsigned char p = 0; p < planes; ++p) {
    const AudioPlaneBuffer buffer = data->GetPlaneBuffer(p);
    md5.update(buffer.data, buffer.size);
  }
  return (boost::format("%s:%d:%d") % Finish(md5) % samples % data->GetDuration()).str();
}

std::string CalculateVideoDataMD5(const SP<IDataVideo>& frame) {
  CheckNotNull(frame.get(),
               TIVREL_THROW_SITE(
                   "std::string Tivrel::Proc::CalculateVideoDataMD5(const SP<Tivrel::Proc::IDataVideo> &)", __LINE__));
  const IDataVideo& video = *frame;
  const FrameInfo& info = video.GetFrameInfo();
  const PixFmt format = video.GetPixFmt();
  const unsigned char planes = PixFmtDescription::Find(format)->planes;
  Core::MD5 md5;
  for (unsigned char p = 0; p < planes; ++p) HashPlane(md5, video.GetPlane(p));
  return (boost::format("%s:%d:%d:%d") % Finish(md5) % info.width % info.height % static_cast<int32_t>(format)).str();
}

std::string CalculatePacketDataMD5(const SP<IDataPacket>& packet) {
  CheckNotNull(
      packet.get(),
      TIVREL_THROW_SITE("std::string Tivrel::Proc::CalculatePacketDataMD5(const SP<Tivrel::Proc::IDataPacket> &)",
                        __LINE__));
  const SP<IBlob> blob = packet->GetBlob();
  const int flags =
      (packet->IsKeyFrame() ? 1 : 0) + 2 * (packet->IsCorrupt() ? 1 : 0) + 4 * (packet->IsDiscardable() ? 1 : 0);
  const int64_t time = packet->GetTime();
  const int64_t secondaryTime = packet->GetSecondaryTime();
  const int64_t duration = packet->GetDuration();
  Core::MD5 md5;
  if (blob) md5.update(blob->GetData(), blob->GetSize());
  return (boost::format("%s:%d:%d:%d:%d") % Finish(md5) % time % secondaryTime % duration % flags).str();
}

std::string CalculateBlobDataMD5(const SP<IBlob>& blob) {
  CheckNotNull(blob.get(), TIVREL_THROW_SITE(
                               "std::string Tivrel::Proc::CalculateBlobDataMD5(const SP<Tivrel::IBlob> &)", __LINE__));
  Core::MD5 md5;
  md5.update(blob->GetData(), blob->GetSize());
  return Finish(md5);
}

std::string CalculateSubtitleDataMD5(const SP<IDataSubtitle>& /*data*/) { return std::string(); }

}  // namespace Tivrel::Proc
