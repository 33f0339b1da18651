#pragma once

// Turning a picture by quarter turns clockwise, configured by SettingsEffectTranspose.

#include "Proc/Settings/SettingsEffectTranspose.h"
#include "examples/effects/VideoEffect.h"

namespace Effects {

// The number of quarter turns is taken modulo 4 (-1 is 3). No turn passes the frame
// untouched; two turns are a mirror both ways; one or three turns make a frame whose width
// and height, and pixel aspect terms, trade places. The result is a new frame.
//
// Pixel formats: all. A format whose chroma is subsampled in one direction only (yuv422p,
// yuv411p) would come out subsampled in the other direction, which no pixel format holds;
// an odd number of turns therefore gives yuv444p, each chroma sample repeated over the
// pixels it covered, so nothing is lost. Other formats keep their format.
//
// Configuration: Initialize with the record's tree (Property2SettingsTranspose), or
// SetSettings with a SettingsEffectTranspose (another record throws std::bad_cast);
// GetSettingsBase returns the record.
class TransposeEffect : public VideoEffect {
public:
  static Tivrel::SP<TransposeEffect> Create(const Tivrel::Proc::SettingsEffectTranspose& settings = {});

  void Initialize(const Tivrel::Core::Property& settings) override;
  Tivrel::Core::Property GetSettings() const override;
  void SetSettings(const Tivrel::Proc::Settings& settings) override;
  const Tivrel::Proc::Settings& GetSettingsBase() const override { return settings_; }

  FrameShape OutputShape(const FrameShape& input) const override;
  std::string Describe() const override;

protected:
  void Apply(Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) override;

private:
  explicit TransposeEffect(const Tivrel::Proc::SettingsEffectTranspose& settings) : settings_(settings) {}
  int Turns() const { return (settings_.quarterTurns % 4 + 4) % 4; }

  Tivrel::Proc::SettingsEffectTranspose settings_;
};

}  // namespace Effects
