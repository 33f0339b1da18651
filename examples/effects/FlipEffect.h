#pragma once

// Mirroring a picture left-right, top-bottom or both, configured by SettingsEffectFlip.

#include "Platform/Settings/SettingsEffectFlip.h"
#include "examples/effects/VideoEffect.h"

namespace Effects {

// Every pixel format; the shape stays. The mirror is written into a new frame (see
// VideoEffect); with neither direction set the frame passes untouched.
//
// Configuration: Initialize with the record's tree (Property2SettingsFlip: a root of
// another class throws FilterException) or SetSettings with the record. The record is not
// a Settings, so the inherited SetSettings(const Settings&) and GetSettingsBase keep
// refusing; GetFlipSettings reads it back.
class FlipEffect : public VideoEffect {
public:
  static Tivrel::SP<FlipEffect> Create(const Tivrel::Proc::SettingsEffectFlip& settings = {});

  void Initialize(const Tivrel::Core::Property& settings) override;
  Tivrel::Core::Property GetSettings() const override;
  using VideoEffect::SetSettings;
  void SetSettings(const Tivrel::Proc::SettingsEffectFlip& settings) { settings_ = settings; }
  const Tivrel::Proc::SettingsEffectFlip& GetFlipSettings() const { return settings_; }

  FrameShape OutputShape(const FrameShape& input) const override { return input; }
  std::string Describe() const override;

protected:
  void Apply(Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) override;

private:
  explicit FlipEffect(const Tivrel::Proc::SettingsEffectFlip& settings) : settings_(settings) {}

  Tivrel::Proc::SettingsEffectFlip settings_;
};

// Writes the pixels of `src` mirrored left-right and/or top-bottom into `out`, a frame of
// the same shape.
void MirrorFrame(const Tivrel::Proc::IDataVideo& src, Tivrel::Proc::IDataVideo& out, bool horizontal, bool vertical);

}  // namespace Effects
