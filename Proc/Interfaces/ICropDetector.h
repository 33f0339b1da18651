#pragma once

#include <string>

#include "Platform/Core/Types.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

// Detector of black borders. Intervals are avTime (microseconds).
class TIVREL_PROC_API ICropDetector {
public:
  static const std::string CLASS_ID;
  static const std::string MAX_INTERVAL;                // key
  static const avTime DEFAULT_MAX_INTERVAL = 10000000;  // 10 s
  static const std::string SKIP_INTERVAL;               // key
  static const avTime DEFAULT_SKIP_INTERVAL = 500000;   // 0.5 s
  static const std::string SUCCESS_FRAME_COUNT;         // key
  static const int DEFAULT_SUCCESS_FRAME_COUNT = 2;
  static const std::string CALC_LIMIT;  // key
  static const int DEFAULT_CALC_LIMIT = 10;
  static const std::string CROP_PRECISION;  // key
  static const int DEFAULT_CROP_PRECISION = 5;
};

}  // namespace Tivrel::Proc
