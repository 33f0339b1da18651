#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "Platform/Core/Types.h"
#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Cutting of a timeline: a queue of intervals, each kept or deleted and shifted in time.
///
/// A new record is not empty: it holds one placeholder interval covering 30 days, deleted,
/// with no time shift (AV_TIME_NOT_SET). How AddInterval combines intervals:
///   - while the queue holds exactly the placeholder and nothing else, the first added
///     interval replaces it;
///   - every other interval is appended at the end, in the order of the calls. Intervals are
///     neither sorted nor merged; overlapping intervals are kept as given.
/// So a record written to a tree and read back with AddInterval gives the same queue, as
/// long as the queue was not empty.
///
/// The fields, their defaults, AddInterval, GetOptInterval, operator== and the CLASS_ID text
/// stand in for the engine's settings component; GetClassId, Clone and IsEqualTo are this
/// library's class behaviour.
class TIVREL_PROC_API SettingsFilterCutController : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  /// One interval of the timeline.
  struct Interval {
    avTime startTime = 0;                ///< start of the interval
    avTime endTime = 0;                  ///< end of the interval
    avTime timeShift = AV_TIME_NOT_SET;  ///< AV_TIME_NOT_SET: the interval keeps its times
    bool deleted = false;                ///< true: the interval is cut out; false: it is kept

    /// All four fields equal.
    bool operator==(const Interval& o) const {
      return startTime == o.startTime && endTime == o.endTime && timeShift == o.timeShift && deleted == o.deleted;
    }
    /// Not operator==.
    bool operator!=(const Interval& o) const { return !(*this == o); }
  };

  /// The interval a new record starts with: 0 to 30 days, no shift, deleted.
  static constexpr avTime PLACEHOLDER_END = 2592000000000LL;

  SettingsFilterCutController();

  std::deque<Interval> intervals;  ///< in the order they apply
  int32_t currentInterval = -1;    ///< position being processed; -1: none yet

  /// Enters one interval (see the combination rule above).
  void AddInterval(long long start, long long end, long long shift, bool deleted);
  /// The interval at `pos`; empty when pos is not below intervals.size().
  std::optional<Interval> GetOptInterval(size_t pos) const;

  /// Queue and current position equal.
  bool operator==(const SettingsFilterCutController& o) const;
  /// Not operator==.
  bool operator!=(const SettingsFilterCutController& o) const { return !(*this == o); }

  const std::string& GetClassId() const override;
  SettingsFilterCutController* Clone() const override;
  /// operator==. Throws std::bad_cast when `other` is not a SettingsFilterCutController.
  bool IsEqualTo(const Settings& other) const override;

private:
  static Interval Placeholder() { return Interval{0, PLACEHOLDER_END, AV_TIME_NOT_SET, true}; }
};

}  // namespace Tivrel::Proc
