#include "Proc/Interfaces/IBlend.h"

#include <cstddef>
#include <cstdint>

#include "Platform/Settings/SettingsEffectImageBlender.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

namespace Tivrel::Proc {

// A copy of the record's identifier, taken when the library loads.
const std::string IBlend::CLASS_ID = SettingsEffectImageBlender::CLASS_ID;
const std::string IBlend::BLENDING_POSITION_X = "blendingPositionX";
const std::string IBlend::BLENDING_POSITION_Y = "blendingPositionY";
const std::string IBlend::BLENDING_ALPHA = "blendingAlpha";

namespace {

// The carried fields in writing order.
struct Field {
  const std::string* key;
  int32_t IBlend::SettingsType::*member;
};
const Field kFields[] = {
    {&IBlend::BLENDING_POSITION_X, &IBlend::SettingsType::positionX},
    {&IBlend::BLENDING_POSITION_Y, &IBlend::SettingsType::positionY},
    {&IBlend::BLENDING_ALPHA, &IBlend::SettingsType::alpha},
};

}  // namespace

Core::Property IBlend::Settings2Property(const SettingsType& settings) {
  Core::Property root(CLASS_ID);
  for (const Field& field : kFields) root.SetChildT<long long>(*field.key, settings.*field.member);
  return root;
}

IBlend::SettingsType IBlend::Property2Settings(const Core::Property& tree) {
  SettingsTreeDetail::CheckClass(tree, SettingsEffectImageBlender::CLASS_ID, SettingsTreeDetail::Mismatch::kFilter,
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kBlendProperty2Settings));
  SettingsType settings{255, 0, 0, 0};
  for (const Field& field : kFields) {
    const std::size_t position = tree.FindChild(*field.key);
    if (position != tree.Count()) settings.*field.member = tree[position].GetValue<int>();
  }
  return settings;
}

}  // namespace Tivrel::Proc
