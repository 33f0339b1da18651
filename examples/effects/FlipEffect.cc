#include "examples/effects/FlipEffect.h"

#include "Proc/Interfaces/SettingsConversion.h"
#include "examples/effects/PlaneTransforms.h"

namespace Effects {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;

void MirrorFrame(const IDataVideo& src, IDataVideo& out, bool horizontal, bool vertical) {
  const Tivrel::PixFmtDescription& format = *Tivrel::PixFmtDescription::Find(src.GetPixFmt());
  for (unsigned char p = 0; p < format.planes; ++p) {
    MirrorPlane(src.GetPlane(p), out.GetPlane(p), BytesPerSample(format, p), horizontal, vertical);
  }
}

SP<FlipEffect> FlipEffect::Create(const Tivrel::Proc::SettingsEffectFlip& settings) {
  return SP<FlipEffect>(new FlipEffect(settings));
}

void FlipEffect::Initialize(const Tivrel::Core::Property& settings) {
  settings_ = Tivrel::Proc::Property2SettingsFlip(settings);
}

Tivrel::Core::Property FlipEffect::GetSettings() const { return Tivrel::Proc::Settings2Property(settings_); }

std::string FlipEffect::Describe() const {
  if (settings_.horizontal && settings_.vertical) return "flip both ways";
  if (settings_.horizontal) return "flip left-right";
  return settings_.vertical ? "flip top-bottom" : "no flip";
}

void FlipEffect::Apply(SP<IDataVideo>& frame) {
  if (!settings_.horizontal && !settings_.vertical) return;
  SP<IDataVideo> out = ResultFrame(*frame, ShapeOf(*frame));
  MirrorFrame(*frame, *out, settings_.horizontal, settings_.vertical);
  frame = out;
}

}  // namespace Effects
