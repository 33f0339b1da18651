#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"

#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

namespace Tivrel::Proc {

// Keys of an audio effect-list tree; only this file reads and writes them.
const std::string CLASS_KEY_AUDIO = "classKey";
const std::string EFFECTS_AUDIO = "audioEffectsList";

const std::string IFilterApplyEffectsAudio::CLASS_ID = "$$FILTER_APPLY_EFFECTS_AUDIO$$";

namespace {

const SettingsTreeDetail::EffectListKeys kKeys{IFilterApplyEffectsAudio::CLASS_ID, CLASS_KEY_AUDIO, EFFECTS_AUDIO};

}  // namespace

Core::Property IFilterApplyEffectsAudio::SettingsEffects2FilterSettings(const std::vector<Core::Property>& effects) {
  return SettingsTreeDetail::EffectsToTree(effects, kKeys);
}

std::vector<Core::Property> IFilterApplyEffectsAudio::FilterSettings2SettingsEffects(const Core::Property& tree) {
  return SettingsTreeDetail::TreeToEffects(
      tree, kKeys, TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kApplyEffectsAudioFilterSettings2SettingsEffects));
}

}  // namespace Tivrel::Proc
