#include "examples/effects/TransposeEffect.h"

#include <cstring>
#include <utility>

#include "Proc/Interfaces/SettingsConversion.h"
#include "examples/effects/FlipEffect.h"
#include "examples/effects/PlaneTransforms.h"

namespace Effects {
namespace {

using Tivrel::SP;
using Tivrel::Proc::IDataVideo;
using Tivrel::Proc::Plane;
using Tivrel::Proc::PlaneConst;

bool SubsampledOneWay(const Tivrel::PixFmtDescription& format) { return format.shiftW != format.shiftH; }

// A quarter turn of a chroma plane subsampled one way only, into a full-size plane of the
// turned frame (srcWidth x srcHeight pixels before the turn): every output pixel takes the
// sample that covered it. Output line y is one source column read upwards (clockwise) or
// downwards; lines that read the same column are copies of the line before.
void SpreadTurnedChroma(const PlaneConst& src, const Plane& dst, const Tivrel::PixFmtDescription& format,
                        bool clockwise, int srcWidth, int srcHeight) {
  long previousColumn = -1;
  for (int y = 0; y < srcWidth; ++y) {
    unsigned char* line = dst.GetOffsetPtr(0, static_cast<unsigned long>(y));
    const long column = (clockwise ? y : srcWidth - 1 - y) >> format.shiftW;
    if (column == previousColumn) {
      std::memcpy(line, line - dst.stride, static_cast<size_t>(srcHeight));
      continue;
    }
    previousColumn = column;
    for (int x = 0; x < srcHeight; ++x) {
      const int row = (clockwise ? srcHeight - 1 - x : x) >> format.shiftH;
      line[x] = *src.GetOffsetPtr(static_cast<unsigned long>(column), static_cast<unsigned long>(row));
    }
  }
}

}  // namespace

SP<TransposeEffect> TransposeEffect::Create(const Tivrel::Proc::SettingsEffectTranspose& settings) {
  return SP<TransposeEffect>(new TransposeEffect(settings));
}

void TransposeEffect::Initialize(const Tivrel::Core::Property& settings) {
  settings_ = Tivrel::Proc::Property2SettingsTranspose(settings);
}

Tivrel::Core::Property TransposeEffect::GetSettings() const { return Tivrel::Proc::Settings2Property(settings_); }

void TransposeEffect::SetSettings(const Tivrel::Proc::Settings& settings) {
  settings_ = dynamic_cast<const Tivrel::Proc::SettingsEffectTranspose&>(settings);
}

std::string TransposeEffect::Describe() const {
  static const char* const kTexts[] = {"no turn", "turn 90 degrees clockwise", "turn 180 degrees",
                                       "turn 90 degrees anticlockwise"};
  return kTexts[Turns()];
}

FrameShape TransposeEffect::OutputShape(const FrameShape& input) const {
  if (Turns() % 2 == 0) return input;
  FrameShape out = input;
  std::swap(out.info.width, out.info.height);
  std::swap(out.info.aspectX, out.info.aspectY);
  if (SubsampledOneWay(*Tivrel::PixFmtDescription::Find(input.format))) out.format = Tivrel::PIX_FMT_YUV444P;
  return out;
}

void TransposeEffect::Apply(SP<IDataVideo>& frame) {
  const int turns = Turns();
  if (turns == 0) return;
  const FrameShape in = ShapeOf(*frame);
  SP<IDataVideo> out = ResultFrame(*frame, OutputShape(in));
  if (turns == 2) {
    MirrorFrame(*frame, *out, true, true);
    frame = out;
    return;
  }
  const Tivrel::PixFmtDescription& format = *Tivrel::PixFmtDescription::Find(in.format);
  const IDataVideo& src = *frame;
  for (unsigned char p = 0; p < format.planes; ++p) {
    if (format.IsChromaPlane(p) && SubsampledOneWay(format)) {
      SpreadTurnedChroma(src.GetPlane(p), out->GetPlane(p), format, turns == 1, static_cast<int>(in.info.width),
                         static_cast<int>(in.info.height));
    } else {
      RotatePlane(src.GetPlane(p), out->GetPlane(p), BytesPerSample(format, p), turns);
    }
  }
  frame = out;
}

}  // namespace Effects
