#pragma once

#include <string>

#include "Platform/Core/Types.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Detector of black borders. Intervals are avTime (microseconds).
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API ICropDetector {
public:
  static const std::string CLASS_ID;                    ///< class identifier of the detector
  static const std::string MAX_INTERVAL;                ///< key
  static const avTime DEFAULT_MAX_INTERVAL = 10000000;  ///< 10 s
  static const std::string SKIP_INTERVAL;               ///< key
  static const avTime DEFAULT_SKIP_INTERVAL = 500000;   ///< 0.5 s
  static const std::string SUCCESS_FRAME_COUNT;         ///< key
  static const int DEFAULT_SUCCESS_FRAME_COUNT = 2;     ///< default of SUCCESS_FRAME_COUNT
  static const std::string CALC_LIMIT;                  ///< key
  static const int DEFAULT_CALC_LIMIT = 10;             ///< default of CALC_LIMIT
  static const std::string CROP_PRECISION;              ///< key
  static const int DEFAULT_CROP_PRECISION = 5;          ///< default of CROP_PRECISION
};

}  // namespace Tivrel::Proc
