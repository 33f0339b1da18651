#pragma once

// Cutting a picture down to a rectangle, configured by SettingsEffectCrop (top-left corner
// and size; a size of 0 reaches the right or bottom edge).

#include "Platform/Settings/SettingsEffectCrop.h"
#include "examples/effects/VideoEffect.h"

namespace Effects {

// Every pixel format. No pixel is copied or written: the frame object is narrowed in place
// when the caller holds its only reference, otherwise a view of it (Clone(false)) is
// narrowed and replaces it. The result shares the source's pixels, so a later writer copies.
// A rectangle that is the whole frame leaves it untouched.
//
// Subsampled chroma: the chroma planes start at the sample that covers the rectangle's
// first pixel and hold as many samples as a frame of the rectangle's size has (its size
// halved, rounded up), so an odd offset in a subsampled direction shifts the chroma by one
// luma pixel.
//
// A rectangle that does not fit the frame, or is empty, throws std::invalid_argument naming
// both sizes, from OutputShape and ProcessVideoData alike; the frame is then unchanged.
//
// Configuration as for FlipEffect, with Property2SettingsCrop and GetCropSettings.
class CropEffect : public VideoEffect {
public:
  static Tivrel::SP<CropEffect> Create(const Tivrel::Proc::SettingsEffectCrop& settings = {});

  void Initialize(const Tivrel::Core::Property& settings) override;
  Tivrel::Core::Property GetSettings() const override;
  using VideoEffect::SetSettings;
  void SetSettings(const Tivrel::Proc::SettingsEffectCrop& settings) { settings_ = settings; }
  const Tivrel::Proc::SettingsEffectCrop& GetCropSettings() const { return settings_; }

  FrameShape OutputShape(const FrameShape& input) const override;
  std::string Describe() const override;

protected:
  void Apply(Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) override;

private:
  explicit CropEffect(const Tivrel::Proc::SettingsEffectCrop& settings) : settings_(settings) {}

  Tivrel::Proc::SettingsEffectCrop settings_;
};

}  // namespace Effects
