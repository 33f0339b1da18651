#include "Proc/Interfaces/FrameUtils.h"

#include <stdexcept>

#include "Platform/Core/Exception.h"

namespace Tivrel::Proc::FrameUtils {

void CopyFrameMemory(const SP<const IDataVideo>& src, const SP<IDataVideo>& dst) {
  if (!src) return;
  const char* const function =
      "void Tivrel::Proc::FrameUtils::CopyFrameMemory(const SP<const Tivrel::Proc::IDataVideo> &, const "
      "SP<Tivrel::Proc::IDataVideo> &)";
  if (!dst) ThrowError<std::invalid_argument>("Destination frame is NULL", TIVREL_THROW_SITE(function, __LINE__));
  const IDataVideo& from = *src;
  const unsigned char planes = GetPlanesCount(from);
  for (unsigned char p = 0; p < planes; ++p) CopyPlane(from.GetPlane(p), dst->GetPlane(p));
}

}  // namespace Tivrel::Proc::FrameUtils
