#pragma once

/// @file
/// Effects with exactly one input, and the one-input effects that take video frames.

#include <vector>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/IEffect.h"

namespace Tivrel::Proc {

/// An effect that takes one datum per call. The general ProcessData accepts a vector of
/// exactly one datum and hands it to the one-datum ProcessData, whose result it returns.
/// Threads and protocol as for IEffect.
class TIVREL_PROC_API IOneInputEffect : public IEffect {
public:
  /// Throws std::logic_error "incorrect data count" (call stack appended) unless `data`
  /// holds exactly one datum; nothing is processed then.
  SP<IData> ProcessData(const std::vector<SP<IData>>& data) override;

  /// Processes `data` in place: the effect replaces the pointer (with its result, or with
  /// null when it holds the datum back), or changes the datum's content when the ownership
  /// rule allows it (IData.h: it holds the only reference).
  virtual void ProcessData(SP<IData>& data) = 0;

protected:
  ~IOneInputEffect() override = default;
};

/// A one-input effect that takes video frames. Concrete video effects implement
/// ProcessVideoData; the one-datum ProcessData checks that the datum is a frame and
/// forwards it. Interfaces of particular video effects derive from this one virtually, so
/// that an object implementing several of them has one effect base.
class TIVREL_PROC_API IOneInputEffectVideo : public virtual IOneInputEffect {
public:
  using IOneInputEffect::ProcessData;

  /// Throws std::bad_cast when the datum is not a video frame. On success `data` holds
  /// what ProcessVideoData left in the frame pointer (possibly another frame, possibly
  /// null); on any exception `data` is unchanged. `data` keeps its reference during the
  /// call, so the frame always counts as shared inside ProcessVideoData. The library's own
  /// guard: a null `data` throws std::invalid_argument "data is NULL" (call stack appended).
  void ProcessData(SP<IData>& data) override;

  /// Processes `frame`, which is not null: replaces the pointer with another frame (or
  /// with null when the effect holds the frame back), or writes the frame's pixels, which
  /// the ownership rule of IData.h allows only when nobody else holds them. An effect that
  /// works in place calls Media::MakeWritable(frame) first: it copies shared pixels only.
  virtual void ProcessVideoData(SP<IDataVideo>& frame) = 0;

protected:
  ~IOneInputEffectVideo() override = default;
};

}  // namespace Tivrel::Proc
