#pragma once

/// @file
/// Clock text of a time for logs and messages.

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Renders `time` (microseconds) as S.mmm below a minute, M:SS.mmm below an hour and
/// H:MM:SS.mmm from an hour on (as many hour digits as needed), with a leading "-" for
/// negative values. Sub-millisecond digits are truncated. The returned string ends with a
/// NUL character that belongs to it: T2S(1500000) is "1.500" plus NUL, size() 6.
/// INT64_MIN renders as its exact magnitude ("-2562047788:00:54.775"). Thread-safe.
TIVREL_PROC_API std::string T2S(long long time);

}  // namespace Tivrel::Proc
