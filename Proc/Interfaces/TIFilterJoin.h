#pragma once

// The interface of join filters: one stream made of several streams of one kind played
// one after the other. The filters themselves are implemented elsewhere in the engine;
// factories and configuration trees name them by CLASS_ID.
//
// Protocol: create the filter through its factory, add the streams in playing order, then
// use it as a stream of kind T. Threading as for the stream interfaces (IStream.h).

#include <string>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IStream.h"

namespace Tivrel::Proc {

// T is IStreamVideo, IStreamAudio or IStreamRaw.
template <class T>
class TIVREL_VISIBLE TIFilterJoin : public virtual T {
public:
  static const std::string CLASS_ID;

  // Appends `stream` to the streams that are joined. Precondition: stream is not null.
  virtual void AddStream(const SP<T>& stream) = 0;

protected:
  ~TIFilterJoin() override = default;
};

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

}  // namespace Tivrel::Proc
