#include "Proc/Interfaces/IFilterFrameRate.h"

#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Settings/SettingsFilterFrameRate.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterFrameRate::CLASS_ID = SettingsFilterFrameRate::CLASS_ID;

Core::Property IFilterFrameRate::MakeSettings(const boost::rational<long long>& frameRate) {
  Core::Property root(CLASS_ID);
  root.SetChildT<std::string>(Conf::IPreset::KEY_TYPE_ID, std::string());
  root.SetChildT<boost::rational<long long>>(Conf::IFormatCodecVideo::TAG_FPS, frameRate);
  return root;
}

SettingsFilterFrameRate IFilterFrameRate::Property2Settings(const Core::Property& tree) {
  SettingsFilterFrameRate settings;
  settings.frameRate = tree[Conf::IFormatCodecVideo::TAG_FPS].GetRatio();
  return settings;
}

}  // namespace Tivrel::Proc
