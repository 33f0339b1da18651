#pragma once

/// @file
/// Preparation of an overlay frame for blending onto pictures of a given pixel format.

#include <cstdint>

#include "Platform/Conf/PixFmt.h"
#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/IEffectFactory.h"
#include "Proc/Interfaces/IOneInputEffect.h"

namespace Tivrel::Proc {

/// Turns one source frame into the source converted to a target pixel format, carrying two
/// extra read-only planes: under index 0 the alpha extracted from the source, under index 1
/// a second alpha plane computed for the target format. The work is done by three effects
/// from a factory (alpha extractor, extra alpha extractor, colorspace converter).
///
/// The last result is cached: Prepare with the same format and the same source object
/// (pointer identity) hands it out again without running the effects. A new source object
/// reruns the effects; a new format first reconfigures the converter and the extra alpha
/// extractor. Reset drops the cache and resets the effects.
///
/// The result's extra planes point into the alpha frames the helper holds: they stay valid
/// until a Prepare computes a new result, Reset, or the helper goes.
///
/// One helper serves one thread at a time; nothing locks. Not copyable: the effects keep
/// per-helper configuration.
class TIVREL_PROC_API BlendHelper {
public:
  /// Asks `factory` (not kept) for the alpha extractor, the extra alpha extractor and the
  /// colorspace converter, in that order, in the default implementation. An exception of
  /// the factory propagates after releasing the effects already obtained. The library's own
  /// guard: a null factory throws std::invalid_argument.
  explicit BlendHelper(const SP<const IEffectFactory>& factory);
  ~BlendHelper();

  BlendHelper(const BlendHelper&) = delete;
  BlendHelper& operator=(const BlendHelper&) = delete;

  /// The source prepared for blending onto pictures of `format`; the cached result when
  /// neither changed since the last call (possibly null if the converter left no frame).
  /// Any format and any source pointer are taken as they are: PIX_FMT_NONE is the format of
  /// a fresh or reset helper, so Prepare(PIX_FMT_NONE, source) configures nothing but runs
  /// the effects for a source it has not seen; a null source is handed to the effects.
  /// Exceptions of the effects propagate; the cache is then unchanged, the prepare count
  /// has been raised, and after a format change the effects may already carry the new
  /// format's settings (the next call with that format configures them again).
  /// The library's own guards (std::logic_error, call stack appended), each in place of a
  /// call through a null pointer: the factory gave no effect; the converter left no frame
  /// although an alpha frame is to be attached to it.
  SP<IDataVideo> Prepare(PixFmt format, const SP<IDataVideo>& source);

  /// Forgets the format and the cached frames, then resets the three effects. The prepare
  /// count stays.
  void Reset();

  /// A statistics node named after this function, with "time" 0 and "count" the number of
  /// Prepare calls that computed a new result.
  Core::Property GetStatistic() const;

private:
  // Configures the converter and the extra alpha extractor for `format`.
  void Configure(PixFmt format);
  // Throws std::logic_error when an effect is missing.
  void CheckEffects() const;

  PixFmt currentFormat_ = PIX_FMT_NONE;  // format of the cached result; PIX_FMT_NONE: none
  SP<IDataVideo> lastSource_;
  SP<IDataVideo> alphaFrame_;
  SP<IDataVideo> extraAlphaFrame_;
  SP<IDataVideo> result_;
  // Members go in reverse order: the converter, the extra alpha extractor and the alpha
  // extractor are released first, then the result, the alpha frames and the source.
  SP<IOneInputEffectVideo> alphaExtractor_;
  SP<IOneInputEffectVideo> extraAlphaExtractor_;
  SP<IOneInputEffectVideo> colorspaceConverter_;
  uint64_t prepareCount_ = 0;
  long long time_ = 0;  // reported by GetStatistic; nothing measures it
};

}  // namespace Tivrel::Proc
