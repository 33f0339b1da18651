#pragma once

#include "Proc/Interfaces/IStream.h"

namespace Tivrel::Proc {

/// A video stream that decodes compressed packets into frames. Decoders are implemented
/// elsewhere in the engine; this library only collects them from a stream graph
/// (Visitors::DecoderCollector), so the interface adds nothing to IStreamVideo here.
class TIVREL_VISIBLE IStreamVideoDecoder : public virtual IStreamVideo {
protected:
  ~IStreamVideoDecoder() override = default;
};

}  // namespace Tivrel::Proc
