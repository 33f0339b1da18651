#pragma once

#include <string>

#include "Platform/Core/Types.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that caches and prefetches stream data. Spans are avTime (microseconds).
/// This library only publishes its names for the engine's other libraries.
class TIVREL_PROC_API IFilterCacheController {
public:
  static const std::string CLASS_ID;   ///< class identifier of the filter
  static const std::string STREAM_ID;  ///< identifier of the stream that comes from the cache controller
  static const avTime DEFAULT_CACHE_SPAN_VIDEO = 500000;        ///< 0.5 s
  static const avTime DEFAULT_CACHE_SPAN_AUDIO = 5000000;       ///< 5 s
  static const avTime DEFAULT_CACHE_SPAN_SUBTITLE = 5000000;    ///< 5 s
  static const avTime DEFAULT_PREFETCH_SPAN_VIDEO = 500000;     ///< 0.5 s
  static const avTime DEFAULT_PREFETCH_SPAN_AUDIO = 500000;     ///< 0.5 s
  static const avTime DEFAULT_PREFETCH_SPAN_SUBTITLE = 500000;  ///< 0.5 s
  static const avTime DEFAULT_CACHE_INCREASE_SPAN = 1500000;    ///< 1.5 s
};

}  // namespace Tivrel::Proc
