#include "Proc/Settings/SettingsSubtitleDrawer.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsSubtitleDrawer::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsSubtitleDrawer";

bool SettingsSubtitleDrawer::operator==(const SettingsSubtitleDrawer& o) const {
  return trackIndex == o.trackIndex && shiftTop == o.shiftTop && shiftLeft == o.shiftLeft &&
         layoutWidth == o.layoutWidth && layoutHeight == o.layoutHeight && timeOffset == o.timeOffset &&
         horizontalAlignment_ == o.horizontalAlignment_ && verticalAlignment_ == o.verticalAlignment_ &&
         renderer == o.renderer;
}

const std::string& SettingsSubtitleDrawer::GetClassId() const { return CLASS_ID; }

SettingsSubtitleDrawer* SettingsSubtitleDrawer::Clone() const { return new SettingsSubtitleDrawer(*this); }

bool SettingsSubtitleDrawer::IsEqualTo(const Settings& other) const {
  return *this == dynamic_cast<const SettingsSubtitleDrawer&>(other);
}

}  // namespace Tivrel::Proc
