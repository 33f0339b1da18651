#pragma once

// A compressed packet and its payload blob in memory: the data objects that readers,
// tests and tools create. Threading as for every data block (Proc/Interfaces/IData.h).

#include <vector>

#include "Platform/Core/RefCount.h"
#include "Platform/Core/Types.h"
#include "Media/Export.h"
#include "Proc/Interfaces/IBlob.h"
#include "Proc/Interfaces/IDataPacket.h"

namespace Tivrel::Media {

// Bytes owned by the blob. Writable through GetWritableData until it is handed on.
class TIVREL_MEDIA_API Blob : public RefCounted<IBlob> {
public:
  // `size` zero bytes.
  static SP<Blob> Create(unsigned long size);
  // A copy of `size` bytes at `data` (data may be null when size is 0).
  static SP<Blob> Create(const void* data, unsigned long size);

  const unsigned char* GetData() const override { return bytes_.data(); }
  unsigned long GetSize() const override { return bytes_.size(); }
  unsigned char* GetWritableData() { return bytes_.data(); }

private:
  explicit Blob(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
  ~Blob() override = default;

  std::vector<unsigned char> bytes_;
};

class TIVREL_MEDIA_API Packet : public RefCounted<Proc::IDataPacket> {
public:
  // A packet carrying `blob`, with no times set, duration 0 and all flags false. Throws
  // std::invalid_argument for a null blob.
  static SP<Packet> Create(const SP<IBlob>& blob);

  long long GetDuration() const override { return duration_; }
  void SetDuration(long long duration) override { duration_ = duration; }
  long long GetTime() const override { return time_; }
  void SetTime(long long time) override { time_ = time; }

  SP<IBlob> GetBlob() const override { return blob_; }
  long long GetSecondaryTime() const override { return secondaryTime_; }
  bool IsKeyFrame() const override { return keyFrame_; }
  bool IsCorrupt() const override { return corrupt_; }
  bool IsDiscardable() const override { return discardable_; }

  void SetSecondaryTime(long long time) { secondaryTime_ = time; }
  void SetKeyFrame(bool value) { keyFrame_ = value; }
  void SetCorrupt(bool value) { corrupt_ = value; }
  void SetDiscardable(bool value) { discardable_ = value; }

private:
  explicit Packet(const SP<IBlob>& blob) : blob_(blob) {}
  ~Packet() override = default;

  SP<IBlob> blob_;
  long long time_ = AV_TIME_NOT_SET;
  long long secondaryTime_ = AV_TIME_NOT_SET;
  long long duration_ = 0;
  bool keyFrame_ = false;
  bool corrupt_ = false;
  bool discardable_ = false;
};

}  // namespace Tivrel::Media
