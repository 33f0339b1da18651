#include "Proc/Interfaces/IFilterResample.h"

#include <cstddef>
#include <cstdint>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/ImplNames.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IResample.h"

// IFilterResample::CLASS_ID is defined with the catalogue, bound to the record's identifier.

namespace Tivrel::Proc {

namespace {

using Audio = Conf::IFormatCodecAudio;

// The child named `key`, or null.
const Core::Property* Find(const Core::Property& tree, const std::string& key) {
  const std::size_t position = tree.FindChild(key);
  return position == tree.Count() ? nullptr : &tree[position];
}

}  // namespace

Core::Property IFilterResample::Settings2Property(const SettingsFilterResample& settings) {
  Core::Property root(SettingsFilterResample::CLASS_ID);
  // Filled in place: the root gains no child after this one, so the reference stays valid.
  Core::Property& format = root.SetChild(IResample::CLASS_ID, Core::Property(std::string()));
  format.SetChildT<std::string>(Conf::IPreset::KEY_TYPE_ID, ImplNames::DEFAULT);
  format.SetChildT<long long>(Audio::TAG_SAMPLE_RATE, settings.sampleRate);
  format.SetChildT<std::string>(Audio::TAG_LAYOUT, Conf::LayoutRecord::Find(settings.channelLayout)->name);
  format.SetChildT<std::string>(Audio::TAG_SAMPLE_FORMAT, Conf::SampleFmtRecord::Find(settings.sampleFormat)->name);
  return root;
}

SettingsFilterResample IFilterResample::Property2Settings(const Core::Property& tree) {
  SettingsFilterResample settings;
  settings.channelLayout = Conf::CH_LAYOUT_NONE;
  settings.sampleFormat = Conf::SAMPLE_FMT_NONE;
  settings.sampleRate = -1;
  const Core::Property& format = tree[IResample::CLASS_ID];
  if (const Core::Property* rate = Find(format, Audio::TAG_SAMPLE_RATE)) {
    settings.sampleRate = static_cast<int32_t>(rate->GetInt64());
  }
  if (const Core::Property* layout = Find(format, Audio::TAG_LAYOUT)) {
    settings.channelLayout = Conf::LayoutRecord::Find(layout->GetString())->value;
  }
  if (const Core::Property* sampleFormat = Find(format, Audio::TAG_SAMPLE_FORMAT)) {
    settings.sampleFormat = Conf::SampleFmtRecord::Find(sampleFormat->GetString())->value;
  }
  return settings;
}

}  // namespace Tivrel::Proc
