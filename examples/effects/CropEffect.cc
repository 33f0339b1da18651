#include "examples/effects/CropEffect.h"

#include <stdexcept>
#include <string>

#include "Proc/Interfaces/SettingsConversion.h"

namespace Effects {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;

SP<CropEffect> CropEffect::Create(const Tivrel::Proc::SettingsEffectCrop& settings) {
  return SP<CropEffect>(new CropEffect(settings));
}

void CropEffect::Initialize(const Tivrel::Core::Property& settings) {
  settings_ = Tivrel::Proc::Property2SettingsCrop(settings);
}

Tivrel::Core::Property CropEffect::GetSettings() const { return Tivrel::Proc::Settings2Property(settings_); }

namespace {

std::string SizeText(uint32_t size) { return size == 0 ? "(edge)" : std::to_string(size); }

}  // namespace

std::string CropEffect::Describe() const {
  return "crop at " + std::to_string(settings_.offsetX) + "," + std::to_string(settings_.offsetY) + " to " +
         SizeText(settings_.width) + "x" + SizeText(settings_.height);
}

FrameShape CropEffect::OutputShape(const FrameShape& input) const {
  // 64-bit sums: offsets and sizes are full 32-bit values.
  const long long x = settings_.offsetX, y = settings_.offsetY;
  const long long width = settings_.width != 0 ? settings_.width : input.info.width - x;
  const long long height = settings_.height != 0 ? settings_.height : input.info.height - y;
  if (width <= 0 || height <= 0 || x + width > input.info.width || y + height > input.info.height) {
    throw std::invalid_argument(Describe() + " does not fit a frame of " + std::to_string(input.info.width) + "x" +
                                std::to_string(input.info.height));
  }
  FrameShape out = input;
  out.info.width = static_cast<uint32_t>(width);
  out.info.height = static_cast<uint32_t>(height);
  return out;
}

void CropEffect::Apply(SP<IDataVideo>& frame) {
  const FrameShape in = ShapeOf(*frame);
  const FrameShape out = OutputShape(in);
  if (out == in) return;
  if (frame->GetRefCount() > 1) frame = frame->Clone(false);  // others keep their area
  frame->Crop(static_cast<int>(settings_.offsetX), static_cast<int>(settings_.offsetY),
              static_cast<int>(out.info.width), static_cast<int>(out.info.height));
}

}  // namespace Effects
