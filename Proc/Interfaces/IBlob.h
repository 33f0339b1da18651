#pragma once

/// @file
/// IBlob: a block of raw bytes.

#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"

namespace Tivrel {

/// A block of raw bytes (the payload of a compressed packet, a file fragment).
///
/// Protocol: created by its producer with its final size, filled, then shared read-only
/// through SP. GetData stays valid and unchanged for the blob's lifetime.
class TIVREL_VISIBLE IBlob : public IRefCountable {
public:
  /// First byte of the blob; may be null when GetSize() is 0.
  virtual const unsigned char* GetData() const = 0;
  /// Number of bytes of the blob.
  virtual unsigned long GetSize() const = 0;

protected:
  ~IBlob() override = default;
};

}  // namespace Tivrel
