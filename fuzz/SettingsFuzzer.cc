// Feeds property trees built from the input bytes to every settings reader. A reader must
// end in a record or in one of the documented exceptions (FilterException for a tree of
// another class, Core::PropertyException from the tree for missing or mistyped keys); a
// record it returns must survive being written and read again unchanged.
//
// Input format, read front to back (an exhausted input reads as zero bytes):
//   tree   := name body
//   name   := sel                       sel < names: a name from kNames, else
//             len(1) bytes[len % 32]    an arbitrary name
//   body   := count(1) child[count % 16]
//   child  := op(1) name payload        op % 8: 0 bool, 1 int, 2 double, 3 string,
//                                       4 ratio, 5 node (body, depth <= 4),
//                                       6 repeat the last child count(2) % 4096 times,
//                                       7 string whose text is a name (enumerated texts
//                                       such as size modes and layout names are names)
// The tree is read as is, then once renamed to each reader's class identifier so that
// every reader gets past its class check. Readers whose families document more exceptions
// (unknown enumerated texts, unknown format names) may end in those too; the families that
// travel as whole percentages may move a percentage by one on each pass.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Conf/FormatCodec.h"
#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IBlend.h"
#include "Proc/Interfaces/IEffectMagicEnhance.h"
#include "Proc/Interfaces/IEncoder.h"
#include "Proc/Interfaces/IFilterApplyEffectsAudio.h"
#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"
#include "Proc/Interfaces/IFilterAudioVolume.h"
#include "Proc/Interfaces/IFilterFrameRate.h"
#include "Proc/Interfaces/IFilterResample.h"
#include "Proc/Interfaces/IFilterResize.h"
#include "Proc/Interfaces/IResample.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/SettingsConversion.h"
#include "Proc/Interfaces/Stub.h"

namespace {

using Tivrel::Core::Property;
using namespace Tivrel::Proc;

class Bytes {
public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint64_t Word(int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
    return value;
  }
  std::string Text(size_t length) {
    std::string text;
    for (size_t i = 0; i < length && pos_ < size_; ++i) text.push_back(static_cast<char>(Byte()));
    return text;
  }
  bool Empty() const { return pos_ >= size_; }

private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

const std::vector<std::string>& Names() {
  // clang-format off
  static const std::vector<std::string> names = {
      "", SettingsEffectCrop::CLASS_ID, SettingsEffectFlip::CLASS_ID, SettingsEffectTranspose::CLASS_ID,
      SettingsEffectDeshake::CLASS_ID, SettingsEffectStabilizer::CLASS_ID, SettingsEffectDenoiseChromaLuma::CLASS_ID,
      SettingsFilterCutController::CLASS_ID, SettingsDeinterlace::CLASS_ID, SettingsAudioNoiseGate::CLASS_ID,
      SettingsSubtitleDrawer::CLASS_ID, SettingsFilterVideoMixer::CLASS_ID,
      "LEFT", "RIGHT", "TOP", "BOTTOM", "RED", "GREEN", "BLUE", "ALPHA",
      "effectCropOffsetX", "effectCropOffsetY", "effectCropWidth", "effectCropHeight", "effectFlipHoriz",
      "effectFlipVert", "effectTransposeAngle", "blocksize", "isEnabled", "is_analize_mode", "log_file", "is_enabled",
      "accuracy", "shakiness", "stepsize", "smoothing", "optzoom", "chroma_strength", "luma_strength",
      "chroma_strength_temporal", "luma_strength_temporal", "interval", "start_time", "end_time", "time_shift",
      "is_deleted", "FrameMode", "DeinterlaceMode", "threshold", "attack", "decay", "softKnee", "shift_top",
      "shift_left", "offset_timestamp", "align_horizontal", "align_vertical"};
  // clang-format on
  // Appended, so that the selectors in the existing seeds keep naming the same texts.
  static const std::vector<std::string> all = [] {
    using Video = Tivrel::Conf::IFormatCodecVideo;
    using Audio = Tivrel::Conf::IFormatCodecAudio;
    std::vector<std::string> more = names;
    more.insert(more.end(),
                {IResize::CLASS_ID, IFilterResize::CLASS_ID, IBlend::CLASS_ID, IEffectMagicEnhance::CLASS_ID,
                 SettingsTwoPassEncoding::CLASS_ID, IFilterAudioVolume::CLASS_ID, IFilterFrameRate::CLASS_ID,
                 SettingsFilterResample::CLASS_ID, IResample::CLASS_ID, IFilterApplyEffectsAudio::CLASS_ID,
                 IFilterApplyEffectsVideo::CLASS_ID,
                 // keys
                 Tivrel::Conf::IPreset::KEY_TYPE_ID, IResize::FRAME_SIZE_MODE, IResize::SCALE_FACTOR, IResize::MODE,
                 IResize::METHOD, Video::TAG_WIDTH, Video::TAG_HEIGHT, Video::TAG_ASPECTX, Video::TAG_ASPECTY,
                 Video::TAG_FRAME_ASPECTX, Video::TAG_FRAME_ASPECTY, IResize::CROP_TOP, IResize::CROP_BOTTOM,
                 IResize::CROP_LEFT, IResize::CROP_RIGHT, IResize::FRAME_SIZE_MAX_WIDTH, IResize::FRAME_SIZE_MAX_HEIGHT,
                 IBlend::BLENDING_POSITION_X, IBlend::BLENDING_POSITION_Y, IBlend::BLENDING_ALPHA, "BRIGHTNESS",
                 "CONTRAST", "HIGHLIGHTS", "SHADOWS", "SATURATION", "HUE", "TEMPERATURE", "TINT", "AUTO_CONTRAST",
                 "AUTO_SATURATION", "AUTO_WHITE_BALANCE", IFilterAudioVolume::VOLUME_VALUE,
                 IFilterAudioVolume::NORMALIZE_MODE, Video::TAG_FPS, Audio::TAG_SAMPLE_RATE, Audio::TAG_LAYOUT,
                 Audio::TAG_SAMPLE_FORMAT, "classKey", "audioEffectsList", "effectsList",
                 // enumerated texts
                 IResize::FRAME_SIZE_ORIGINAL, IResize::FRAME_SIZE_HALF_ORIGINAL, IResize::FRAME_SIZE_QUARTER_ORIGINAL,
                 IResize::FRAME_SIZE_CUSTOM_SCALE, IResize::FRAME_SIZE_CUSTOM, IResize::MODE_AUTO,
                 IResize::MODE_STRETCH, IResize::MODE_SMART_FIT, IResize::MODE_LETTERBOX, IResize::MODE_CROP,
                 IResize::MODE_UP_TO, IResize::METHOD_FAST_BILINEAR, IResize::METHOD_BICUBIC, IResize::METHOD_X,
                 IResize::METHOD_LANCZOS, IResize::METHOD_SPLINE});
    for (const auto layout :
         {Tivrel::Conf::CH_LAYOUT_NONE, Tivrel::Conf::CH_LAYOUT_MONO, Tivrel::Conf::CH_LAYOUT_STEREO,
          Tivrel::Conf::CH_LAYOUT_5POINT1, Tivrel::Conf::CH_LAYOUT_7POINT1}) {
      more.push_back(Tivrel::Conf::LayoutRecord::Find(layout)->name);
    }
    for (int format = Tivrel::Conf::SAMPLE_FMT_NONE; format <= Tivrel::Conf::SAMPLE_FMT_DBLP; format += 3) {
      more.push_back(Tivrel::Conf::SampleFmtRecord::Find(static_cast<Tivrel::Conf::SampleFormats>(format))->name);
    }
    // A selector at or above the count reads an arbitrary name, so the count stays below 256.
    if (more.size() > 240) std::abort();
    return more;
  }();
  return all;
}

std::string Name(Bytes& in) {
  const uint8_t selector = in.Byte();
  if (selector < Names().size()) return Names()[selector];
  return in.Text(in.Byte() % 32);
}

long long Int(Bytes& in) {
  static const long long kEdges[] = {
      0,         1,          -1,        89,        90,        179,          180,
      270,       360,        -90,       255,       256,       300,          INT32_MAX,
      INT32_MIN, UINT32_MAX, 1LL << 32, INT64_MAX, INT64_MIN, -(1LL << 32), 2592000000000LL};
  const uint8_t tag = in.Byte();
  if (tag % 4 == 0) return static_cast<int8_t>(in.Byte());
  if (tag % 4 == 1) return kEdges[in.Byte() % (sizeof(kEdges) / sizeof(kEdges[0]))];
  return static_cast<long long>(in.Word(8));
}

double Double(Bytes& in) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  static const double kEdges[] = {0.0,
                                  -0.0,
                                  0.5,
                                  -1.0,
                                  4294967296.0,
                                  9.3e18,
                                  -9.3e18,
                                  1e300,
                                  kInf,
                                  -kInf,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::denorm_min()};
  const uint8_t tag = in.Byte();
  if (tag % 2 == 0) return kEdges[in.Byte() % (sizeof(kEdges) / sizeof(kEdges[0]))];
  const uint64_t bits = in.Word(8);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

constexpr int kMaxDepth = 4;
constexpr size_t kMaxRepeat = 4096;
// Nodes one input may build: thousands of children, but not millions through repeats of
// repeats.
constexpr size_t kNodeBudget = 20000;

size_t NodeCount(const Property& tree) {
  size_t count = 1;
  for (const Property& child : tree) count += NodeCount(child);
  return count;
}

void FillBody(Bytes& in, Property& node, int depth, size_t& budget) {
  const int count = in.Byte() % 16;
  for (int i = 0; i < count && !in.Empty() && budget > 0; ++i) {
    --budget;
    const int op = in.Byte() % 8;
    const std::string key = Name(in);
    switch (op) {
      case 0:
        node.CreateChildT<bool>(key, in.Byte() & 1);
        break;
      case 1:
        node.CreateChildT<long long>(key, Int(in));
        break;
      case 2:
        node.CreateChildT<double>(key, Double(in));
        break;
      case 3:
        node.CreateChildT<std::string>(key, in.Text(in.Byte() % 32));
        break;
      case 4: {
        // Numerator and a positive denominator within the range rational arithmetic keeps.
        const long long num = static_cast<int32_t>(in.Word(4));
        const long long den = 1 + static_cast<long long>(in.Word(4) & 0x7FFFFFFF);
        node.CreateChildT<boost::rational<long long>>(key, boost::rational<long long>(num, den));
        break;
      }
      case 5: {
        Property child(key);
        if (depth < kMaxDepth) FillBody(in, child, depth + 1, budget);
        node.Add(std::move(child));
        break;
      }
      case 6: {
        const size_t repeat = in.Word(2) % kMaxRepeat;
        if (node.Count() == 0) break;
        const Property last = node[node.Count() - 1];
        const size_t cost = NodeCount(last);
        for (size_t r = 0; r < repeat && budget >= cost; ++r, budget -= cost) node.Add(last);
        break;
      }
      case 7:
        node.CreateChildT<std::string>(key, Name(in));
        break;
    }
  }
}

// What a reader may end in besides a record and Core::PropertyException (a missing or
// mistyped key).
enum Also { kFilter = 1, kLogicError = 2, kInvalidArgument = 4 };

bool SameText(const Property& a, const Property& b) { return ToString(a) == ToString(b); }

// Trees equal but for the long long child `key`, which may differ by one: whole percentages
// truncate on writing, so a value may move by one on each pass.
bool SameButPercent(const Property& a, const Property& b, const std::string& key) {
  if (SameText(a, b)) return true;
  if (!a.ChildExists(key) || !b.ChildExists(key)) return false;
  const long long va = a[key].GetInt64();
  const long long vb = b[key].GetInt64();
  if (va - vb > 1 || vb - va > 1) return false;
  Property aligned = b;
  aligned[key] = va;
  return SameText(a, aligned);
}

// Reads; a record that was read must write and read again to a tree that is `same` as the
// first, without any exception (one leaving the fuzz target is reported as a crash). Text
// form by default: a NaN read from the input compares unequal to itself but prints the same.
template <class Read, class Write>
void RoundTrip(const Property& tree, Read read, Write write, int also = kFilter,
               bool (*same)(const Property&, const Property&) = SameText) {
  decltype(read(tree)) first;
  try {
    first = read(tree);
  } catch (const Tivrel::Core::PropertyException&) {
    return;
  } catch (const FilterException&) {
    if ((also & kFilter) == 0) throw;
    return;
  } catch (const std::logic_error& e) {
    const bool invalid = dynamic_cast<const std::invalid_argument*>(&e) != nullptr;
    if ((also & kLogicError) == 0 && !((also & kInvalidArgument) != 0 && invalid)) throw;
    return;
  }
  const Property written = write(first);
  if (!same(written, write(read(written)))) std::abort();
}

const auto kWrite = [](const auto& record) { return Settings2Property(record); };

using Reader = std::pair<const std::string*, void (*)(const Property&)>;

// clang-format off
const Reader kReaders[] = {
    {&SettingsEffectCrop::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsCrop, kWrite); }},
    {&SettingsEffectFlip::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsFlip, kWrite); }},
    {&SettingsEffectTranspose::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsTranspose, kWrite); }},
    {&SettingsEffectDeshake::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsDeshake, kWrite); }},
    {&SettingsEffectStabilizer::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsStabilizer, kWrite); }},
    {&SettingsEffectDenoiseChromaLuma::CLASS_ID,
     [](const Property& p) { RoundTrip(p, Property2SettingsChromaLuma, kWrite); }},
    {&SettingsFilterCutController::CLASS_ID,
     [](const Property& p) { RoundTrip(p, Property2SettingsCutController, kWrite); }},
    {&SettingsDeinterlace::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsDeinterlace, kWrite); }},
    {&SettingsAudioNoiseGate::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsNoiseGate, kWrite); }},
    {&SettingsSubtitleDrawer::CLASS_ID,
     [](const Property& p) { RoundTrip(p, Property2SettingsSubtitleDrawer, kWrite); }},
    {&SettingsFilterVideoMixer::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2Settings, kWrite); }},
    // The value readers take any name and refuse nothing but the tree's own failures.
    {nullptr, [](const Property& p) {
       RoundTrip(p, [](const Property& t) { return Property2CropInfo(t, {1, 2, 3, 4}); }, CropInfo2Property, 0);
     }},
    {nullptr, [](const Property& p) {
       RoundTrip(p, [](const Property& t) { return Property2CropInfoF(t, {}); }, CropInfoF2Property, 0);
     }},
    {nullptr, [](const Property& p) {
       RoundTrip(p, [](const Property& t) { return Property2Color(t, {9, 8, 7, 6}); }, Color2Property, 0);
     }},
    // The resizer, the filter helpers and the effect lists; unknown enumerated texts are logic errors.
    {&IResize::CLASS_ID, [](const Property& p) {
       RoundTrip(p, IResize::Property2Settings, IResize::Settings2Property, kFilter | kLogicError);
     }},
    {&IFilterResize::CLASS_ID, [](const Property& p) {
       RoundTrip(p, IFilterResize::Property2Settings, IFilterResize::Settings2Property, kFilter | kLogicError);
     }},
    {&IBlend::CLASS_ID, [](const Property& p) { RoundTrip(p, IBlend::Property2Settings, IBlend::Settings2Property); }},
    {&IEffectMagicEnhance::CLASS_ID, [](const Property& p) {
       RoundTrip(p, IEffectMagicEnhance::Property2Settings, IEffectMagicEnhance::Settings2Property, kFilter,
                 [](const Property& a, const Property& b) { return SameButPercent(a, b, "SATURATION"); });
     }},
    {&SettingsTwoPassEncoding::CLASS_ID,
     [](const Property& p) { RoundTrip(p, IEncoder::Property2Settings, IEncoder::Settings2Property); }},
    {&IFilterAudioVolume::CLASS_ID, [](const Property& p) {
       RoundTrip(p, IFilterAudioVolume::Property2Settings, IFilterAudioVolume::Settings2Property, kFilter,
                 [](const Property& a, const Property& b) {
                   return SameButPercent(a, b, IFilterAudioVolume::VOLUME_VALUE);
                 });
     }},
    {&IFilterApplyEffectsAudio::CLASS_ID, [](const Property& p) {
       RoundTrip(p, IFilterApplyEffectsAudio::FilterSettings2SettingsEffects,
                 IFilterApplyEffectsAudio::SettingsEffects2FilterSettings);
     }},
    {&IFilterApplyEffectsVideo::CLASS_ID, [](const Property& p) {
       RoundTrip(p, IFilterApplyEffectsVideo::FilterSettings2SettingsEffects,
                 IFilterApplyEffectsVideo::SettingsEffects2FilterSettings);
     }},
    // No class check: any name; unknown layout and format names are invalid arguments.
    {nullptr, [](const Property& p) {
       RoundTrip(p, IFilterFrameRate::Property2Settings,
                 [](const SettingsFilterFrameRate& s) { return IFilterFrameRate::MakeSettings(s.frameRate); }, 0);
     }},
    {nullptr, [](const Property& p) {
       RoundTrip(p, IFilterResample::Property2Settings, IFilterResample::Settings2Property, kInvalidArgument);
     }},
};
// clang-format on

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  Property tree(Name(in));
  size_t budget = kNodeBudget;
  FillBody(in, tree, 0, budget);

  for (const auto& [classId, read] : kReaders) read(tree);
  for (const auto& [classId, read] : kReaders) {
    if (classId == nullptr) continue;
    tree.SetName(*classId);  // past the class check
    read(tree);
  }
  return 0;
}
