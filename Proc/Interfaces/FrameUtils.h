#pragma once

/// @file
/// Whole-frame pixel copies.

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IDataVideo.h"

namespace Tivrel::Proc::FrameUtils {

/// Copies every plane of src into the same plane of dst (CopyPlane, plane 0 first, as many
/// planes as src's format has); a null src copies nothing. Only pixels move: time, duration
/// and flags of dst stay. The pixel formats need not match, only the plane sizes: from the
/// plane at which they disagree CopyPlane throws std::invalid_argument (earlier planes are
/// copied by then). A plane index beyond dst's format is refused by dst's GetPlane.
/// The library's own guard: a null dst throws std::invalid_argument.
TIVREL_PROC_API void CopyFrameMemory(const SP<const IDataVideo>& src, const SP<IDataVideo>& dst);

}  // namespace Tivrel::Proc::FrameUtils
