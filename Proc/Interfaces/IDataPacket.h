#pragma once

/// @file
/// IDataPacket: a compressed packet.

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IBlob.h"
#include "Proc/Interfaces/IData.h"

namespace Tivrel::Proc {

/// A compressed packet: its payload blob, two time values and three flags.
///
/// GetTime (from IData) is the presentation time; GetSecondaryTime is the decoding time.
/// Either may be Tivrel::AV_TIME_NOT_SET. The flags are read in the fixed order
/// IsKeyFrame, IsCorrupt, IsDiscardable wherever they are combined into one value.
class TIVREL_VISIBLE IDataPacket : public IData {
public:
  /// The payload; never null (an empty packet has an empty blob).
  virtual SP<IBlob> GetBlob() const = 0;
  /// The decoding time; may be AV_TIME_NOT_SET.
  virtual long long GetSecondaryTime() const = 0;
  /// The packet starts a sequence that decodes on its own.
  virtual bool IsKeyFrame() const = 0;
  /// The payload is known to be damaged.
  virtual bool IsCorrupt() const = 0;
  /// The packet may be dropped without affecting other packets.
  virtual bool IsDiscardable() const = 0;

protected:
  ~IDataPacket() override = default;
};

}  // namespace Tivrel::Proc
