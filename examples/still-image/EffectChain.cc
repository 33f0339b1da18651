#include "examples/still-image/EffectChain.h"

#include <charconv>
#include <stdexcept>

#include "Proc/Interfaces/SettingsConversion.h"
#include "examples/effects/CropEffect.h"
#include "examples/effects/FlipEffect.h"
#include "examples/effects/TransposeEffect.h"
#include "examples/still-image/Errors.h"
#include "examples/still-image/Y4m.h"

namespace StillImage {
namespace {

using Tivrel::Core::Property;

[[noreturn]] void BadEffect(const std::string& text) {
  throw UsageError("bad --effect '" + text +
                   "': expected flip:h, flip:v, flip:hv, crop:L,T,R,B (margins in pixels) or transpose:N (quarter "
                   "turns clockwise, -3..3)");
}

// Comma-separated whole numbers within [min, max]; false unless there are exactly `count`.
bool ParseNumbers(const std::string& text, int count, int min, int max, int* values) {
  const char* p = text.data();
  const char* end = p + text.size();
  for (int i = 0; i < count; ++i) {
    const auto result = std::from_chars(p, end, values[i]);
    if (result.ec != std::errc() || values[i] < min || values[i] > max) return false;
    p = result.ptr;
    if (i + 1 < count && (p == end || *p++ != ',')) return false;
  }
  return p == end;
}

}  // namespace

EffectStep ParseEffect(const std::string& text) {
  EffectStep step;
  step.text = text;
  const size_t colon = text.find(':');
  const std::string name = text.substr(0, colon);
  const std::string value = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (name == "flip" && (value == "h" || value == "v" || value == "hv" || value == "vh")) {
    step.kind = EffectStep::Kind::kFlip;
    step.horizontal = value.find('h') != std::string::npos;
    step.vertical = value.find('v') != std::string::npos;
  } else if (name == "crop" && ParseNumbers(value, 4, 0, kMaxFrameDimension, step.margins)) {
    step.kind = EffectStep::Kind::kCrop;
  } else if (name == "transpose" && ParseNumbers(value, 1, -3, 3, &step.quarterTurns)) {
    step.kind = EffectStep::Kind::kTranspose;
    step.quarterTurns = (step.quarterTurns + 4) % 4;
  } else {
    BadEffect(text);
  }
  return step;
}

ChainPlan PlanChain(const std::vector<EffectStep>& steps, const Effects::FrameShape& input) {
  ChainPlan plan;
  plan.output = input;
  for (const EffectStep& step : steps) {
    const Tivrel::Proc::FrameInfo& size = plan.output.info;
    Property settings;
    switch (step.kind) {
      case EffectStep::Kind::kFlip:
        settings = Tivrel::Proc::Settings2Property(Tivrel::Proc::SettingsEffectFlip{step.horizontal, step.vertical});
        break;
      case EffectStep::Kind::kCrop: {
        const long long width = static_cast<long long>(size.width) - step.margins[0] - step.margins[2];
        const long long height = static_cast<long long>(size.height) - step.margins[1] - step.margins[3];
        if (width <= 0 || height <= 0) {
          throw UsageError("--effect " + step.text + " leaves nothing of a " + std::to_string(size.width) + "x" +
                           std::to_string(size.height) + " frame");
        }
        settings = Tivrel::Proc::Settings2Property(Tivrel::Proc::SettingsEffectCrop{
            static_cast<uint32_t>(step.margins[0]), static_cast<uint32_t>(step.margins[1]),
            static_cast<uint32_t>(width), static_cast<uint32_t>(height)});
        break;
      }
      case EffectStep::Kind::kTranspose: {
        Tivrel::Proc::SettingsEffectTranspose turn;
        turn.quarterTurns = step.quarterTurns;
        settings = Tivrel::Proc::Settings2Property(turn);
        break;
      }
      case EffectStep::Kind::kTree:
        settings = step.tree;
        break;
      case EffectStep::Kind::kSettingsFile:
        throw std::logic_error("PlanChain: settings file '" + step.text + "' not read");
    }
    const Chain one = MakeChain({settings});
    try {
      plan.output = one.front()->OutputShape(plan.output);
    } catch (const std::invalid_argument& e) {
      if (step.kind == EffectStep::Kind::kTree) throw InputError(step.text + ": " + e.what());
      throw UsageError("--effect " + step.text + ": " + e.what());
    }
    plan.names.push_back(one.front()->Describe());
    plan.settings.push_back(settings);
  }
  return plan;
}

Chain MakeChain(const std::vector<Property>& settings) {
  Chain chain;
  for (const Property& tree : settings) {
    const std::string& name = tree.GetName();
    Tivrel::SP<Effects::VideoEffect> effect;
    if (name == Tivrel::Proc::SettingsEffectFlip::CLASS_ID) {
      effect = Effects::FlipEffect::Create();
    } else if (name == Tivrel::Proc::SettingsEffectCrop::CLASS_ID) {
      effect = Effects::CropEffect::Create();
    } else if (name == Tivrel::Proc::SettingsEffectTranspose::CLASS_ID) {
      effect = Effects::TransposeEffect::Create();
    } else {
      throw std::invalid_argument("no effect takes settings of class '" + name + "'");
    }
    effect->Initialize(tree);
    chain.push_back(effect);
  }
  return chain;
}

void ApplyChain(const Chain& chain, Tivrel::SP<Tivrel::Proc::IDataVideo>& frame) {
  for (const Tivrel::SP<Effects::VideoEffect>& effect : chain) effect->ProcessVideoData(frame);
}

}  // namespace StillImage
