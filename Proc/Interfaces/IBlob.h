#pragma once

// A block of raw bytes (the payload of a compressed packet, a file fragment).
//
// Protocol: created by its producer with its final size, filled, then shared read-only
// through SP. GetData stays valid and unchanged for the blob's lifetime.

#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"

namespace Tivrel {

class TIVREL_VISIBLE IBlob : public IRefCountable {
public:
  // First byte of the blob; may be null when GetSize() is 0.
  virtual const unsigned char* GetData() const = 0;
  virtual unsigned long GetSize() const = 0;

protected:
  ~IBlob() override = default;
};

}  // namespace Tivrel
