#pragma once

/// @file
/// TIFilterJoin: the interface of join filters.

#include <string>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IStream.h"

namespace Tivrel::Proc {

/// The interface of join filters: one stream made of several streams of one kind played
/// one after the other. The filters themselves are implemented elsewhere in the engine;
/// factories and configuration trees name them by CLASS_ID.
///
/// Protocol: create the filter through its factory, add the streams in playing order, then
/// use it as a stream of kind T. Threading as for the stream interfaces (IStream.h).
///
/// T is IStreamVideo, IStreamAudio or IStreamRaw.
template <class T>
class TIVREL_VISIBLE TIFilterJoin : public virtual T {
public:
  /// Class identifier of the join filter of kind T: "$$FILTER_JOIN_VIDEO$$",
  /// "$$FILTER_JOIN_AUDIO$$" or "$$FILTER_JOIN_RAW$$".
  static const std::string CLASS_ID;

  /// Appends `stream` to the streams that are joined. Precondition: stream is not null.
  virtual void AddStream(const SP<T>& stream) = 0;

protected:
  ~TIFilterJoin() override = default;
};

// The specialisations and instances below are for the compiler; the API reference leaves
// them out (CLASS_ID above gives the identifiers).
/// @cond
template <>
TIVREL_PROC_API const std::string TIFilterJoin<IStreamVideo>::CLASS_ID;  // "$$FILTER_JOIN_VIDEO$$"
template <>
TIVREL_PROC_API const std::string TIFilterJoin<IStreamAudio>::CLASS_ID;  // "$$FILTER_JOIN_AUDIO$$"
template <>
TIVREL_PROC_API const std::string TIFilterJoin<IStreamRaw>::CLASS_ID;  // "$$FILTER_JOIN_RAW$$"

// Instantiated once, in this library, so that every module shares their type information.
extern template class TIFilterJoin<IStreamVideo>;
extern template class TIFilterJoin<IStreamAudio>;
extern template class TIFilterJoin<IStreamRaw>;
/// @endcond

}  // namespace Tivrel::Proc
