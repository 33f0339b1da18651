#pragma once

// Whole-frame pixel copies.

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IDataVideo.h"

namespace Tivrel::Proc::FrameUtils {

// Copies every plane of src into the same plane of dst (CopyPlane, plane 0 first); a null
// src copies nothing. Only pixels move: time, duration and flags of dst stay. Throws
// std::invalid_argument when dst is null or the pixel formats differ, and, from the plane
// at which they disagree, when the plane sizes differ (earlier planes are copied by then).
TIVREL_PROC_API void CopyFrameMemory(const SP<const IDataVideo>& src, const SP<IDataVideo>& dst);

}  // namespace Tivrel::Proc::FrameUtils
