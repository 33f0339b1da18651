#include "Proc/Interfaces/IFilterLosslessDetect.h"

namespace Tivrel::Proc {

const std::string IFilterLosslessDetect::CLASS_ID = "$$FILTER_LOSSLESS_DETECT$$";

}  // namespace Tivrel::Proc
