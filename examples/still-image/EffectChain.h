#pragma once

// The effects a run applies to every frame, in order: parsed from the --effect options,
// checked against the still frame's shape before the run, and built once per job (an effect
// serves one thread at a time). Each effect is carried as its settings tree, the form in
// which the engine stores and passes configurations.

#include <string>
#include <vector>

#include "Platform/Core/Property.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "examples/effects/VideoEffect.h"

namespace StillImage {

// One step of the chain as the command line gives it: an --effect option (flip:h, flip:v,
// flip:hv, crop:L,T,R,B with margins in pixels, transpose:N with quarter turns clockwise,
// -3..3), a --settings file (replaced by its effects before the chain is planned, see
// SettingsFile.h), or one effect read from such a file, as its settings tree.
struct EffectStep {
  enum class Kind { kFlip, kCrop, kTranspose, kSettingsFile, kTree };
  std::string text;  // as given; the file's name (kSettingsFile); where in which file (kTree)
  Kind kind = Kind::kFlip;
  bool horizontal = false, vertical = false;  // flip
  int margins[4] = {};                        // crop: left, top, right, bottom
  int quarterTurns = 0;                       // transpose, 0..3
  Tivrel::Core::Property tree;                // kTree: a tree MakeChain takes
};

// Throws UsageError naming the option and the accepted forms.
EffectStep ParseEffect(const std::string& text);

// The chain made concrete for frames of one shape: each effect's settings tree, its
// description, and the shape of the frames that come out.
struct ChainPlan {
  std::vector<Tivrel::Core::Property> settings;
  std::vector<std::string> names;
  Effects::FrameShape output;
};

// Works the chain through from `input` (no kSettingsFile left): crop margins become
// rectangles of the frame size they meet. Throws when an effect cannot take the frames it
// would get: UsageError for an --effect option, InputError for an effect from a file.
ChainPlan PlanChain(const std::vector<EffectStep>& steps, const Effects::FrameShape& input);

using Chain = std::vector<Tivrel::SP<Effects::VideoEffect>>;

// New effects configured from `settings` (trees of SettingsEffectFlip, SettingsEffectCrop or
// SettingsEffectTranspose). Throws std::invalid_argument for a tree of another class.
Chain MakeChain(const std::vector<Tivrel::Core::Property>& settings);

// Passes `frame` through every effect in order. Each effect may replace the frame; the
// caller's pointer should be its only one, so that effects may work in place.
void ApplyChain(const Chain& chain, Tivrel::SP<Tivrel::Proc::IDataVideo>& frame);

}  // namespace StillImage
