#include "Proc/Interfaces/IFilterAudioVolume.h"

#include "Platform/Settings/SettingsFilterAudioVolume.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IFilterAudioVolume::CLASS_ID = SettingsFilterAudioVolume::CLASS_ID;
const std::string IFilterAudioVolume::VOLUME_VALUE = "volumeValue";
const std::string IFilterAudioVolume::NORMALIZE_MODE = "volumeNormalizeMode";

Core::Property IFilterAudioVolume::Settings2Property(const SettingsFilterAudioVolume& settings) {
  Core::Property root(CLASS_ID);
  root.SetChildT<long long>(
      VOLUME_VALUE,
      SettingsTreeDetail::TruncatedLow32(
          settings.volume * 100.0, "Volume percentage",
          TIVREL_THROW_SITE("static Tivrel::Core::Property Tivrel::Proc::IFilterAudioVolume::Settings2Property("
                            "const Tivrel::Proc::SettingsFilterAudioVolume &)",
                            __LINE__)));
  root.SetChildT<bool>(NORMALIZE_MODE, settings.normalize);
  return root;
}

SettingsFilterAudioVolume IFilterAudioVolume::Property2Settings(const Core::Property& tree) {
  SettingsTreeDetail::CheckClass(tree, CLASS_ID, SettingsTreeDetail::Mismatch::kClassId,
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kAudioVolumeProperty2Settings));
  SettingsFilterAudioVolume settings;
  settings.volume = static_cast<double>(tree[VOLUME_VALUE].GetInt64()) / 100.0;
  settings.normalize = tree[NORMALIZE_MODE].GetBool();
  return settings;
}

}  // namespace Tivrel::Proc
