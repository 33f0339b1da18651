#include "Proc/Interfaces/IDataAudio.h"

#include <stdexcept>

namespace Tivrel::Proc {

unsigned long GetAudioDataSize(const SP<IDataAudio>& data) {
  if (!data) throw std::invalid_argument("Empty Frame");
  const unsigned char planes = data->GetAudioFormat().GetPlanesCount();
  unsigned long size = 0;
  for (unsigned char p = 0; p < planes; ++p) size += data->GetPlaneBuffer(p).size;
  return size;
}

}  // namespace Tivrel::Proc
