#pragma once

/// @file
/// The decoded video frame interface and the plane-wise copy, comparison and fill of frames.
///
/// Protocol: a producer creates a frame, writes its planes and hands it on through SP;
/// consumers read it. Clone(false) gives a new frame object over the same pixel memory
/// (a view that may be cropped, stamped and released on its own); writing pixels through
/// one view changes them for every view. Hence the ownership rule of IData.h: write a
/// frame's pixels (GetPlane, Fill, FillArea, the copy functions' destination) only while
/// holding the only reference to the frame object and to its pixel memory; otherwise make
/// it writable first (Media::MakeWritable). Nothing locks: a frame may be read from
/// several threads, but a thread that crops, fills or writes a frame object must own it alone.

#include <cstdint>

#include "Platform/Conf/FrameInfo.h"
#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Color.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/Plane.h"

namespace Tivrel::Proc {

/// Size and pixel aspect of a frame's current area (after any crops); the same record the
/// resizer settings carry.
using FrameInfo = Conf::FrameInfo;

/// A decoded video frame.
///
/// @copydetails IDataVideo.h
class TIVREL_VISIBLE IDataVideo : public IDataMedia {
public:
  /// Size and pixel aspect of the current area.
  virtual const FrameInfo& GetFrameInfo() const = 0;
  /// The key into PixFmtDescription; fixed for the frame's lifetime.
  virtual PixFmt GetPixFmt() const = 0;
  /// Views of plane `plane` of the current area. Precondition: plane < the format's plane
  /// count (implementations throw std::invalid_argument otherwise). The views stay valid
  /// while the frame object lives and is not cropped.
  ///@{
  virtual Plane GetPlane(unsigned char plane) = 0;
  virtual PlaneConst GetPlane(unsigned char plane) const = 0;
  ///@}
  /// deep false: a new frame object sharing this frame's pixel memory, area, format, time,
  /// duration, alpha planes and empty-transparent flag; it can be cropped and stamped
  /// without affecting this frame. deep true: the same with its own copy of the pixels of
  /// the current area.
  virtual SP<IDataVideo> Clone(bool deep) const = 0;
  /// Attaches a read-only extra plane under index 0 or 1 (blending uses them for alpha).
  /// The frame does not own the bytes: the caller keeps them alive while the frame uses
  /// them. Any other index throws std::invalid_argument.
  virtual void SetAlphaPlane(unsigned char index, const PlaneConst& plane) = 0;
  /// Narrows the frame to the rectangle (left, top, width x height) of its current area.
  /// Throws std::invalid_argument when the rectangle does not lie inside it; the frame is
  /// then unchanged.
  virtual void Crop(int left, int top, int width, int height) = 0;
  /// Lays `color` into every plane of `height` lines starting at line `top`, from column
  /// `left` over `width` pixels; a width of 0 stands for the rest of each line. The
  /// rectangle is clipped to the current area.
  virtual void FillArea(int height, int left, int top, int width, const Color& color) = 0;
  /// The plane attached under `index` by SetAlphaPlane; a view with a null data pointer
  /// when none is attached.
  virtual PlaneConst GetAlphaPlane(unsigned char index) const = 0;

  /// Fills the whole current area with `color` through FillArea.
  TIVREL_PROC_API void Fill(const Color& color);

  /// Marks a frame that is known to be fully transparent, so that consumers may skip it.
  /// False unless a producer sets it; plane copies do not carry it.
  ///@{
  bool IsEmptyTransparentFrame() const { return emptyTransparentFrame_; }
  void SetEmptyTransparentFrameFlag(bool value) { emptyTransparentFrame_ = value; }
  ///@}

protected:
  ~IDataVideo() override = default;

private:
  bool emptyTransparentFrame_ = false;
};

/// Copies the lines of src to dst. Equal strides and no window on either side: one block
/// copy of |stride| * height bytes, the bytes between lines included. Otherwise width bytes
/// per line, so nothing beyond either plane's width is written. Throws
/// std::invalid_argument "Different size of source and destination planes" (before
/// copying anything) when widths or heights differ. Precondition: the planes do not overlap.
TIVREL_PROC_API void CopyPlane(const PlaneConst& src, const Plane& dst);

/// True when both planes have the same width and height and every line holds the same
/// width bytes; bytes beyond the width and the strides are not compared.
TIVREL_PROC_API bool IsPlaneDataEqual(const PlaneConst& a, const PlaneConst& b);

/// The plane count of the frame's pixel format.
TIVREL_PROC_API unsigned char GetPlanesCount(const IDataVideo& frame);

/// Places the whole of src into dst with its top-left corner at (x, y) in dst pixels,
/// clipped to dst on every edge; dst pixels outside the placed rectangle are untouched and
/// src itself is not changed. A source entirely outside dst returns at once, before any
/// other check. Otherwise both frames must have the same pixel format. Allocates only a
/// cloned view of src, no pixel memory. The plane size error propagates from the plane at
/// which the sizes disagree (earlier planes are copied by then).
/// The library's own guards (std::invalid_argument, call stack appended): a null src or dst;
/// frames of different pixel formats, which would address dst with src's plane layout.
TIVREL_PROC_API void CopyDataVideo(const SP<const IDataVideo>& src, const SP<IDataVideo>& dst, int x, int y);

/// True when both frames have the same pixel format, frame info and line bytes in every
/// plane. Strides and memory between lines are not compared. A null pointer throws
/// std::invalid_argument (the library's own guard).
TIVREL_PROC_API bool IsDataVideoEqual(const SP<const IDataVideo>& a, const SP<const IDataVideo>& b);

}  // namespace Tivrel::Proc
