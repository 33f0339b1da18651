#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Encoders. Two-pass encoding settings travel as property trees whose keys belong to
// IEncoder.cc alone.
class TIVREL_PROC_API IEncoder {};

}  // namespace Tivrel::Proc
