#pragma once

/// @file
/// TIFilterRepeat: the interface of repeat filters.

#include <string>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IStream.h"

namespace Tivrel::Proc {

/// The interface of repeat filters: a stream that plays its source stream and keeps
/// serving it beyond its end, as the filter's settings say. The filters themselves are
/// implemented elsewhere in the engine; factories and configuration trees name them by
/// CLASS_ID.
///
/// Protocol: create the filter through its factory, set the source, configure it with
/// Initialize (typed settings), then use it as a stream of kind TEx. Threading as for the
/// stream interfaces (IStream.h).
///
/// TEx is IStreamVideoEx or IStreamAudioEx; T is the plain stream interface that goes
/// with it (IStreamVideo or IStreamAudio).
template <class TEx, class T>
class TIVREL_VISIBLE TIFilterRepeat : public virtual TEx {
public:
  /// Class identifier of the repeat filter of kind TEx: "$$FILTER_REPEAT_VIDEO$$" or
  /// "$$FILTER_REPEAT_AUDIO$$".
  static const std::string CLASS_ID;

  /// The stream that is repeated. Precondition: stream is not null.
  virtual void SetSourceStream(const SP<T>& stream) = 0;
  /// The stream set by SetSourceStream; null before.
  virtual SP<T> GetSourceStream() const = 0;

protected:
  ~TIFilterRepeat() override = default;
};

// The specialisations and instances below are for the compiler; the API reference leaves
// them out (CLASS_ID above gives the identifiers).
/// @cond
template <>
TIVREL_PROC_API const std::string TIFilterRepeat<IStreamVideoEx, IStreamVideo>::CLASS_ID;  // "$$FILTER_REPEAT_VIDEO$$"
template <>
TIVREL_PROC_API const std::string TIFilterRepeat<IStreamAudioEx, IStreamAudio>::CLASS_ID;  // "$$FILTER_REPEAT_AUDIO$$"

// Instantiated once, in this library, so that every module shares their type information.
extern template class TIFilterRepeat<IStreamVideoEx, IStreamVideo>;
extern template class TIFilterRepeat<IStreamAudioEx, IStreamAudio>;
/// @endcond

}  // namespace Tivrel::Proc
