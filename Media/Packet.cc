#include "Media/Packet.h"

#include <stdexcept>

#include "Platform/Core/Exception.h"

namespace Tivrel::Media {

SP<Blob> Blob::Create(unsigned long size) { return SP<Blob>(new Blob(std::vector<unsigned char>(size))); }

SP<Blob> Blob::Create(const void* data, unsigned long size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  return SP<Blob>(new Blob(size == 0 ? std::vector<unsigned char>() : std::vector<unsigned char>(bytes, bytes + size)));
}

SP<Packet> Packet::Create(const SP<IBlob>& blob) {
  if (!blob) {
    ThrowError<std::invalid_argument>("Packet without a blob", TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return SP<Packet>(new Packet(blob));
}

}  // namespace Tivrel::Media
