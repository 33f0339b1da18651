#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"

#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

namespace Tivrel::Proc {

// Keys of an video effect-list tree; only this file reads and writes them.
const std::string CLASS_KEY = "classKey";
const std::string EFFECTS = "effectsList";

const std::string IFilterApplyEffectsVideo::CLASS_ID = "$$FILTER_APPLY_EFFECTS_VIDEO$$";

namespace {

const SettingsTreeDetail::EffectListKeys kKeys{IFilterApplyEffectsVideo::CLASS_ID, CLASS_KEY, EFFECTS};

}  // namespace

Core::Property IFilterApplyEffectsVideo::SettingsEffects2FilterSettings(const std::vector<Core::Property>& effects) {
  return SettingsTreeDetail::EffectsToTree(effects, kKeys);
}

std::vector<Core::Property> IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(const Core::Property& tree) {
  return SettingsTreeDetail::TreeToEffects(
      tree, kKeys, TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kApplyEffectsVideoFilterSettings2SettingsEffects));
}

}  // namespace Tivrel::Proc
