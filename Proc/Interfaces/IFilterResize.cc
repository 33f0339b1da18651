#include "Proc/Interfaces/IFilterResize.h"

namespace Tivrel::Proc {

const std::string IFilterResize::CLASS_ID = "$$VIDEO_RESIZE$$";

}  // namespace Tivrel::Proc
