#include "Proc/Settings/SettingsFilterCutController.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsFilterCutController::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsFilterCutController";

SettingsFilterCutController::SettingsFilterCutController() : intervals{Placeholder()} {}

void SettingsFilterCutController::AddInterval(long long start, long long end, long long shift, bool deleted) {
  const Interval added{start, end, shift, deleted};
  if (intervals.size() == 1 && intervals.front() == Placeholder()) {
    intervals.front() = added;
  } else {
    intervals.push_back(added);
  }
}

std::optional<SettingsFilterCutController::Interval> SettingsFilterCutController::GetOptInterval(size_t pos) const {
  if (pos >= intervals.size()) return std::nullopt;
  return intervals[pos];
}

bool SettingsFilterCutController::operator==(const SettingsFilterCutController& o) const {
  return intervals == o.intervals && currentInterval == o.currentInterval;
}

const std::string& SettingsFilterCutController::GetClassId() const { return CLASS_ID; }

SettingsFilterCutController* SettingsFilterCutController::Clone() const {
  return new SettingsFilterCutController(*this);
}

bool SettingsFilterCutController::IsEqualTo(const Settings& other) const {
  return *this == dynamic_cast<const SettingsFilterCutController&>(other);
}

}  // namespace Tivrel::Proc
