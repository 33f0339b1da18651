#include "Proc/Interfaces/IEffectMagicEnhance.h"

#include <cstddef>
#include <cstdint>

#include "Platform/Settings/SettingsEffectMagicEnhance.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

namespace Tivrel::Proc {

// Keys of an enhancement tree; only this file reads and writes them.
const std::string BRIGHTNESS = "BRIGHTNESS";
const std::string CONTRAST = "CONTRAST";
const std::string HIGHLIGHTS = "HIGHLIGHTS";
const std::string SHADOWS = "SHADOWS";
const std::string SATURATION = "SATURATION";
const std::string HUE = "HUE";
const std::string TEMPERATURE = "TEMPERATURE";
const std::string TINT = "TINT";
const std::string AUTO_CONTRAST = "AUTO_CONTRAST";
const std::string AUTO_SATURATION = "AUTO_SATURATION";
const std::string AUTO_WHITE_BALANCE = "AUTO_WHITE_BALANCE";

// A copy of the record's identifier, taken when the library loads.
const std::string IEffectMagicEnhance::CLASS_ID = SettingsEffectMagicEnhance::CLASS_ID;

namespace {

using Core::Property;
using Record = SettingsEffectMagicEnhance;

// One flag or integer of the tree. A flag is written from its GetCustom... getter and read
// into `field` as 1 or 0; an integer is written from `field` and read through `set`, or
// straight into `field` when the record has no setter for it.
struct Entry {
  const std::string* key;
  bool isFlag;
  int32_t Record::*field;
  int (Record::*getCustom)() const;
  void (Record::*set)(int);
};

// In writing order; saturation and hue follow.
const Entry kEntries[] = {
    {&AUTO_CONTRAST, true, &Record::autoContrast, &Record::GetCustomContrast, nullptr},
    {&BRIGHTNESS, false, &Record::brightness, nullptr, &Record::SetBrightness},
    {&CONTRAST, false, &Record::contrast, nullptr, &Record::SetContrast},
    {&HIGHLIGHTS, false, &Record::highlights, nullptr, nullptr},
    {&SHADOWS, false, &Record::shadows, nullptr, nullptr},
    {&AUTO_WHITE_BALANCE, true, &Record::autoWhiteBalance, &Record::GetCustomWhiteBalance, nullptr},
    {&TEMPERATURE, false, &Record::temperature, nullptr, &Record::SetTemperature},
    {&TINT, false, &Record::tint, nullptr, &Record::SetTint},
    {&AUTO_SATURATION, true, &Record::autoSaturation, &Record::GetCustomSaturation, nullptr},
};

constexpr int32_t kDegrees = 360;

// The child named `key`, or null.
const Property* Find(const Property& tree, const std::string& key) {
  const std::size_t position = tree.FindChild(key);
  return position == tree.Count() ? nullptr : &tree[position];
}

}  // namespace

Property IEffectMagicEnhance::Settings2Property(const Record& settings) {
  Property root(CLASS_ID);
  for (const Entry& entry : kEntries) {
    if (entry.isFlag) {
      root.SetChildT<bool>(*entry.key, (settings.*entry.getCustom)() != 0);
    } else {
      root.SetChildT<long long>(*entry.key, settings.*entry.field);
    }
  }
  // The offset is taken modulo 2^32, like the 32-bit value it stands for.
  const int32_t scaled = SettingsTreeDetail::TruncatedLow32(
      settings.saturation * 100.0 + 0.5, "Saturation percentage",
      TIVREL_THROW_SITE("static Tivrel::Core::Property Tivrel::Proc::IEffectMagicEnhance::Settings2Property("
                        "const Tivrel::Proc::SettingsEffectMagicEnhance &)",
                        __LINE__));
  root.SetChildT<long long>(SATURATION, static_cast<int32_t>(static_cast<uint32_t>(scaled) - 100u));
  root.SetChildT<long long>(HUE, settings.hue);
  return root;
}

Record IEffectMagicEnhance::Property2Settings(const Property& tree) {
  SettingsTreeDetail::CheckClass(tree, CLASS_ID, SettingsTreeDetail::Mismatch::kClassId,
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kMagicEnhanceProperty2Settings));
  Record settings;
  for (const Entry& entry : kEntries) {
    const Property* child = Find(tree, *entry.key);
    if (entry.isFlag) {
      settings.*entry.field = child != nullptr && child->GetBool() ? 1 : 0;
      continue;
    }
    const int32_t value = child != nullptr ? static_cast<int32_t>(child->GetInt64()) : 0;
    if (entry.set != nullptr) {
      (settings.*entry.set)(value);
    } else {
      settings.*entry.field = value;
    }
  }
  const Property* saturation = Find(tree, SATURATION);
  settings.SetSaturation(saturation != nullptr ? static_cast<double>(saturation->GetInt64()) / 100.0 + 1.0 : 1.0);
  const Property* hue = Find(tree, HUE);
  const int32_t h = hue != nullptr ? static_cast<int32_t>(hue->GetInt64()) : 0;
  settings.hue = (h % kDegrees + kDegrees) % kDegrees;
  return settings;
}

}  // namespace Tivrel::Proc
