#pragma once

// How a colour is stored in the pixels of each plane of a pixel format.

#include "Media/Export.h"
#include "Platform/Conf/PixFmt.h"
#include "Proc/Interfaces/Color.h"

namespace Tivrel::Media {

// The bytes of one sample position of `plane` of `format` in `color`: writes
// GetPlanWidthSize(1, plane) bytes (at most 4) to `out` and returns their count. Throws
// std::invalid_argument for a format without a colour layout or a plane it does not have.
TIVREL_MEDIA_API unsigned char GetPlaneColorBytes(const PixFmtDescription& format, unsigned char plane,
                                                  const Proc::Color& color, unsigned char out[4]);

}  // namespace Tivrel::Media
