#pragma once

// A decoded video frame in memory: the data object that readers, tests and tools create.
//
// Memory: one buffer per frame holding every plane of the format, each plane starting on a
// 64-byte boundary with a stride rounded up to 64 bytes; new frames are all zero bytes
// (CreateForOverwrite leaves them unspecified).
// Clone(false) makes a view: a new frame object that shares the same buffer (reference
// counted; the buffer goes with its last view) and has its own area, time, duration and
// flags. Views refer to the buffer, never to the frame they were made from, so releasing
// long chains of views is flat. Threading as for every data block (Proc/Interfaces/IData.h).
//
// Ownership: a holder may write a frame's pixels only when it holds the only reference to
// them, that is to the frame object and to its pixel memory. ArePixelsShared tells whether
// that is so; MakeWritable makes it so by copying the pixels only when they are shared
// (copy-on-write). A frame handed on is read-only for the one who handed it on.

#include <cstdint>
#include <memory>

#include "Media/Export.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/RefCount.h"
#include "Platform/Core/Types.h"
#include "Proc/Interfaces/IDataVideo.h"

namespace Tivrel::Media {

class TIVREL_MEDIA_API VideoFrame : public RefCounted<Proc::IDataVideo> {
public:
  // A new frame of width x height pixels. Throws std::invalid_argument for an unknown
  // format, a negative size, a zero aspect term or a size whose planes do not fit memory.
  static SP<VideoFrame> Create(PixFmt format, int width, int height, uint32_t aspectX = 1, uint32_t aspectY = 1);
  // As Create, but the pixel memory is left as the allocator returned it (unspecified
  // bytes), which saves a pass over the frame for a producer that writes every line of
  // every plane before anyone reads them (a copy, a mirror, a rotation). Bytes between the
  // end of a line and the stride stay unspecified too.
  static SP<VideoFrame> CreateForOverwrite(PixFmt format, int width, int height, uint32_t aspectX = 1,
                                           uint32_t aspectY = 1);

  long long GetDuration() const override { return duration_; }
  void SetDuration(long long duration) override { duration_ = duration; }
  long long GetTime() const override { return time_; }
  void SetTime(long long time) override { time_ = time; }

  const Proc::FrameInfo& GetFrameInfo() const override { return info_; }
  PixFmt GetPixFmt() const override { return description_->format; }
  Proc::Plane GetPlane(unsigned char plane) override;
  Proc::PlaneConst GetPlane(unsigned char plane) const override;
  SP<Proc::IDataVideo> Clone(bool deep) const override;
  void SetAlphaPlane(unsigned char index, const Proc::PlaneConst& plane) override;
  void Crop(int left, int top, int width, int height) override;
  // Colour mapping: RGB formats take the components as they are; YUV formats take the
  // limited-range BT.601 conversion of red, green and blue; gray formats take the
  // full-range luma (16-bit gray repeats it in both bytes); alpha planes and alpha bytes
  // take alpha.
  void FillArea(int height, int left, int top, int width, const Proc::Color& color) override;
  Proc::PlaneConst GetAlphaPlane(unsigned char index) const override;

  // True when another frame object or another holder of this one can see these pixels:
  // the object has more than one reference, or its pixel memory backs other views.
  bool ArePixelsShared() const;

private:
  VideoFrame(const PixFmtDescription* description, int width, int height, uint32_t aspectX, uint32_t aspectY,
             bool zeroed);
  VideoFrame(const VideoFrame&) = default;  // a view: shares the buffer
  ~VideoFrame() override = default;

  unsigned char CheckPlane(unsigned char plane) const;

  const PixFmtDescription* description_;
  Proc::FrameInfo info_;
  std::shared_ptr<unsigned char> buffer_;              // shared by every view
  Proc::Plane planes_[PixFmtDescription::MAX_PLANES];  // the current area
  Proc::PlaneConst alphaPlanes_[2];                    // borrowed, see SetAlphaPlane
  long long time_ = AV_TIME_NOT_SET;
  long long duration_ = 0;
};

// True unless `frame` is a VideoFrame whose pixels have no holder but the caller's one
// reference. Frames of other implementations count as shared: their sharing cannot be seen
// from here.
TIVREL_MEDIA_API bool ArePixelsShared(const Proc::IDataVideo& frame);

// Copy-on-write: when the pixels of `frame` are shared, replaces `frame` with a deep copy of
// its current area (Clone(true): same format, size, aspect, time, duration and flags) and
// returns true; otherwise leaves it and returns false. Afterwards the caller may write the
// pixels. Throws std::invalid_argument for a null frame.
TIVREL_MEDIA_API bool MakeWritable(SP<Proc::IDataVideo>& frame);

}  // namespace Tivrel::Media
