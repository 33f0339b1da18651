#include "Proc/Interfaces/IFilterVideoMixer.h"

#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Settings/SettingsFilterVideoMixer.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterVideoMixer::CLASS_ID = SettingsFilterVideoMixer::CLASS_ID;
const std::string IFilterVideoMixer::ADD_RESIZE_TO_SLAVE = "addSlaveResize";
const std::string IFilterVideoMixer::SLAVE_WIDTH = "slaveWidth";
const std::string IFilterVideoMixer::SLAVE_HEIGHT = "slaveHeight";
const std::string IFilterVideoMixer::RELATIVE_SIZE = "relativeSize";
const std::string IFilterVideoMixer::SLAVE_RELATIVE_X = "slaveRelativeX";
const std::string IFilterVideoMixer::SLAVE_RELATIVE_Y = "slaveRelativeY";
const std::string IFilterVideoMixer::SLAVE_RELATIVE_WIDTH = "slaveRelativeW";
const std::string IFilterVideoMixer::SLAVE_RELATIVE_HEIGHT = "slaveRelativeH";
const std::string IFilterVideoMixer::USE_FIRST_FRAME_AS_WATERMARK = "useFirstFrameAsWatermark";
const std::string IFilterVideoMixer::START_TIME = "startTime";
const std::string IFilterVideoMixer::TRANSPARENCY_TYPE = "transparencyType";
const std::string IFilterVideoMixer::TRANSPARENCY_TYPE_OVERLAY = "transparencyOverlay";
const std::string IFilterVideoMixer::TRANSPARENCY_TYPE_BLINK = "transparencyBlink";
const std::string IFilterVideoMixer::TRANSPARENCY_TYPE_FIXED_ALPHA = "fixedAlpha";
const std::string IFilterVideoMixer::LOOP_STREAM = "loopStream";
const std::string IFilterVideoMixer::BLINK_SHOW_DURATION = "blinkShowDuration";
const std::string IFilterVideoMixer::BLINK_HIDE_DURATION = "blinkHideDuration";
const std::string IFilterVideoMixer::BLINK_DO_FADE = "blinkDoFade";

Core::Property IFilterVideoMixer::MakeSettings() { return Settings2Property(SettingsFilterVideoMixer()); }

Core::Property IFilterVideoMixer::MakeCombiningSettings(bool useFirstFrame, long long startTime, int positionX,
                                                        int positionY, const std::string& transparencyType, bool loop) {
  Core::Property root(std::string{});
  root.SetChildT<bool>(USE_FIRST_FRAME_AS_WATERMARK, useFirstFrame);
  root.SetChildT<long long>(START_TIME, startTime);
  root.SetChildT<long long>(IBlend::BLENDING_POSITION_X, positionX);
  root.SetChildT<long long>(IBlend::BLENDING_POSITION_Y, positionY);
  root.SetChildT<std::string>(TRANSPARENCY_TYPE, transparencyType);
  root.SetChildT<bool>(LOOP_STREAM, loop);
  return root;
}

}  // namespace Tivrel::Proc
