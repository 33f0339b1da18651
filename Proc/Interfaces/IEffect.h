#pragma once

/// @file
/// The general effect: a per-frame (or per-buffer) processor such as a resizer, a cropper or
/// a deinterlacer, and the behaviour every effect shares by default.

#include <vector>

#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/ProgressControllerStages.h"
#include "Proc/Interfaces/TimeToProgress.h"
#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Protocol: an effect is created by a factory and shared through SP. It is configured
/// (Initialize with a tree, or SetSettings with a typed record), then fed with ProcessData
/// for each unit of input in order; after the last input, Flush is called until it yields
/// null. Reset drops everything the effect holds from earlier input and keeps its
/// configuration, so that unrelated input may follow. SetProgress hands the effect the
/// mapping from timestamps to progress that it reports through.
///
/// Ownership: the data given to ProcessData stay the caller's, who may still hold them
/// (and does, through the vector, for the whole call). An effect writes the content of a
/// datum only when it holds the only reference to it (IData.h); otherwise it returns a
/// new block or a writable copy (Media::MakeWritable), never changing what others see.
///
/// Threads: an effect serves one thread at a time; nothing here locks. The default bodies
/// touch only the effect's own `progress` and their arguments.
///
/// Defaults for what a concrete effect does not override:
/// @code{.unparsed}
///   GetStatistic      a leaf with the empty name and the text "Unimplemented statistic of effect";
///   SetSettings       throws std::logic_error "/// @todo unimplemented method" (call stack appended);
///   GetSettingsBase   the same refusal;
///   SetProgressController  does nothing (the controller is not kept);
///   GetProgress, SetProgress  read and replace `progress`.
/// @endcode
class TIVREL_PROC_API IEffect : public virtual IRefCountable {
public:
  /// Configures the effect from a tree whose root is named after the effect's class
  /// identifier. Throws when the tree names another class or lacks a required key.
  virtual void Initialize(const Core::Property& settings) = 0;
  /// The effect's configuration as a tree that Initialize accepts.
  virtual Core::Property GetSettings() const = 0;
  /// Drops frames, history and caches kept from earlier input; the configuration stays.
  virtual void Reset() = 0;

  /// Processes one unit of input, given as one datum per input of the effect, and returns
  /// the result (null when the effect holds the input back, to look ahead for instance). The
  /// caller's vector is not changed.
  virtual SP<IData> ProcessData(const std::vector<SP<IData>>& data) = 0;

  /// Counters of the work done so far, as a tree.
  virtual Core::Property GetStatistic() const;

  /// Configures the effect from a typed record of its own class.
  virtual void SetSettings(const Settings& settings);
  /// The record the effect is configured with; valid while the effect lives and is not
  /// reconfigured.
  virtual const Settings& GetSettingsBase() const;

  /// Where an effect that reports progress on its own, such as an analysis pass, reports it.
  virtual void SetProgressController(const SP<Core::IProgressController>& controller);

  /// The effect's mapping from a timestamp to a progress value.
  ///@{
  virtual TimeToProgress& GetProgress();
  virtual const TimeToProgress& GetProgress() const;
  ///@}
  /// Replaces the mapping with a copy of `p` (range and function).
  virtual void SetProgress(const TimeToProgress& p);

  /// Called after the last input: returns one datum the effect still holds back, or null
  /// when nothing remains. Callers repeat it until it returns null.
  virtual SP<IData> Flush() = 0;

protected:
  IEffect() = default;
  ~IEffect() override;

  TimeToProgress progress;  ///< the effect's timestamp-to-progress mapping
};

}  // namespace Tivrel::Proc
