#pragma once

// Not installed. Helpers shared by the settings-tree conversions of the filter interfaces (class
// check of a tree's root, whole percentages, effect-list trees). Not part of the API: the
// functions are inline and nothing here is exported.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Conf/Preset.h"
#include "Platform/Core/Exception.h"
#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc::SettingsTreeDetail {

// How a reader words a tree of the wrong class: "Object was ...", "Filter was ..." or
// "<expected class> was ...", each followed by "initialized with incorrect class (<name>)!".
enum class Mismatch { kObject, kFilter, kClassId };

// Throws FilterException at `site` unless the root's name is `expected` (lengths first, then
// the bytes). Builds no text when the names match.
inline void CheckClass(const Core::Property& tree, const std::string& expected, Mismatch wording,
                       const ThrowSite& site) {
  if (tree.GetName() == expected) return;
  const std::string head = wording == Mismatch::kObject   ? std::string("Object")
                           : wording == Mismatch::kFilter ? std::string("Filter")
                                                          : expected;
  ThrowError<FilterException>(head + " was initialized with incorrect class (" + tree.GetName() + ")!", site);
}

// The low 32 bits, as two's complement, of trunc(value): what a 32-bit field keeps of a
// whole number of any size. fmod is exact, so the bits are exact for every finite double,
// also beyond the range of long long, and no conversion overflows. NaN and infinities have no
// bits: they throw std::invalid_argument (call stack appended) at `site`, naming `what`.
inline int32_t TruncatedLow32(double value, const char* what, const ThrowSite& site) {
  if (!std::isfinite(value)) {
    ThrowError<std::invalid_argument>(std::string(what) + " is not a finite number", site);
  }
  const double low = std::fmod(std::trunc(value), 4294967296.0);  // in (-2^32, 2^32)
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<long long>(low)));
}

// Keys of one family of effect-list trees.
struct EffectListKeys {
  const std::string& classId;   // root name, also the value of the root's class key
  const std::string& classKey;  // string child naming a tree's class
  const std::string& listKey;   // node holding the effects
};

// Root named keys.classId with, in order, the class key (= classId), an empty
// Conf::IPreset::KEY_TYPE_ID and the list node; each effect is a copy whose class key is set
// to its own name, appended in order (duplicates stay). An effect that is a leaf cannot take
// the class key: MethodIsNotApplicable from the tree.
inline Core::Property EffectsToTree(const std::vector<Core::Property>& effects, const EffectListKeys& keys) {
  Core::Property root(keys.classId);
  root.SetChildT<std::string>(keys.classKey, keys.classId);
  root.SetChildT<std::string>(Conf::IPreset::KEY_TYPE_ID, std::string());
  // Filled in place: the root gains no child after this one, so the reference stays valid.
  Core::Property& list = root.SetChild(keys.listKey, Core::Property(keys.listKey));
  for (const Core::Property& effect : effects) {
    Core::Property item(effect);
    item.SetChildT<std::string>(keys.classKey, std::string(item.GetName()));
    list.Add(std::move(item));
  }
  return root;
}

// The effects of a list tree, in list order, each named by its class key (required, a string)
// and holding the item's content, class key included. Checks the root's name first
// ("Filter was initialized with incorrect class (<name>)!" at `site`); the list node is
// required. An empty list gives an empty vector.
inline std::vector<Core::Property> TreeToEffects(const Core::Property& tree, const EffectListKeys& keys,
                                                 const ThrowSite& site) {
  CheckClass(tree, keys.classId, Mismatch::kFilter, site);
  const Core::Property& list = tree[keys.listKey];
  std::vector<Core::Property> effects;
  effects.reserve(list.Count());
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const Core::Property& item = list[i];
    Core::Property effect(item[keys.classKey].GetString());
    effect.CopyDataFrom(item);
    effects.push_back(std::move(effect));
  }
  return effects;
}

}  // namespace Tivrel::Proc::SettingsTreeDetail
