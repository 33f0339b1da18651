#pragma once

// Effects with exactly one input, and the one-input effects that take video frames.

#include <stdexcept>
#include <typeinfo>
#include <utility>
#include <vector>

#include "Platform/Core/Exception.h"
#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/IEffect.h"

namespace Tivrel::Proc {

// An effect that takes one datum per call. The general ProcessData accepts a vector of
// exactly one datum and hands it to the one-datum ProcessData, whose result it returns.
// Threads and protocol as for IEffect.
class TIVREL_VISIBLE IOneInputEffect : public IEffect {
public:
  // Throws std::logic_error "incorrect data count" (call stack appended) unless `data`
  // holds exactly one datum; nothing is processed then.
  SP<IData> ProcessData(const std::vector<SP<IData>>& data) override {
    if (data.size() != 1) {
      ThrowError<std::logic_error>(
          "incorrect data count",
          TIVREL_THROW_SITE("virtual SP<Tivrel::Proc::IData> Tivrel::Proc::IOneInputEffect::ProcessData("
                            "const std::vector<SP<IData>> &)",
                            23));
    }
    SP<IData> result = data.front();
    ProcessData(result);
    return result;
  }

  // Processes `data` in place: the effect replaces the pointer (with its result, or with
  // null when it holds the datum back), or changes the datum's content when the ownership
  // rule allows it (IData.h: it holds the only reference).
  virtual void ProcessData(SP<IData>& data) = 0;

protected:
  ~IOneInputEffect() override = default;
};

// A one-input effect that takes video frames. Concrete video effects implement
// ProcessVideoData; the one-datum ProcessData checks that the datum is a frame and
// forwards it. Interfaces of particular video effects derive from this one virtually, so
// that an object implementing several of them has one effect base.
class TIVREL_VISIBLE IOneInputEffectVideo : public virtual IOneInputEffect {
public:
  using IOneInputEffect::ProcessData;

  // Precondition: `data` is not null (throws std::invalid_argument "data is NULL").
  // Throws std::bad_cast when the datum is not a video frame. On success `data` holds
  // what ProcessVideoData left in the frame pointer (possibly another frame, possibly
  // null); on any exception `data` is unchanged. `data` keeps its reference during the
  // call, so the frame always counts as shared inside ProcessVideoData.
  void ProcessData(SP<IData>& data) override {
    if (!data) {
      ThrowError<std::invalid_argument>(
          "data is NULL",
          TIVREL_THROW_SITE("virtual void Tivrel::Proc::IOneInputEffectVideo::ProcessData(SP<Tivrel::Proc::IData> &)",
                            __LINE__));
    }
    SP<IDataVideo> frame(&dynamic_cast<IDataVideo&>(*data));
    ProcessVideoData(frame);
    data = std::move(frame);
  }

  // Processes `frame`, which is not null: replaces the pointer with another frame (or
  // with null when the effect holds the frame back), or writes the frame's pixels, which
  // the ownership rule of IData.h allows only when nobody else holds them. An effect that
  // works in place calls Media::MakeWritable(frame) first: it copies shared pixels only.
  virtual void ProcessVideoData(SP<IDataVideo>& frame) = 0;

protected:
  ~IOneInputEffectVideo() override = default;
};

}  // namespace Tivrel::Proc
