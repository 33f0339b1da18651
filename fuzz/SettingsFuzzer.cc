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
//   child  := op(1) name payload        op % 7: 0 bool, 1 int, 2 double, 3 string,
//                                       4 ratio, 5 node (body, depth <= 4),
//                                       6 repeat the last child count(2) % 4096 times
// The tree is read as is, then once renamed to each reader's class identifier so that
// every reader gets past its class check.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

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
  static const std::vector<std::string> names = {"",
                                                 SettingsEffectCrop::CLASS_ID,
                                                 SettingsEffectFlip::CLASS_ID,
                                                 SettingsEffectTranspose::CLASS_ID,
                                                 SettingsEffectDeshake::CLASS_ID,
                                                 SettingsEffectStabilizer::CLASS_ID,
                                                 SettingsEffectDenoiseChromaLuma::CLASS_ID,
                                                 SettingsFilterCutController::CLASS_ID,
                                                 SettingsDeinterlace::CLASS_ID,
                                                 SettingsAudioNoiseGate::CLASS_ID,
                                                 SettingsSubtitleDrawer::CLASS_ID,
                                                 SettingsFilterVideoMixer::CLASS_ID,
                                                 "LEFT",
                                                 "RIGHT",
                                                 "TOP",
                                                 "BOTTOM",
                                                 "RED",
                                                 "GREEN",
                                                 "BLUE",
                                                 "ALPHA",
                                                 "effectCropOffsetX",
                                                 "effectCropOffsetY",
                                                 "effectCropWidth",
                                                 "effectCropHeight",
                                                 "effectFlipHoriz",
                                                 "effectFlipVert",
                                                 "effectTransposeAngle",
                                                 "blocksize",
                                                 "isEnabled",
                                                 "is_analize_mode",
                                                 "log_file",
                                                 "is_enabled",
                                                 "accuracy",
                                                 "shakiness",
                                                 "stepsize",
                                                 "smoothing",
                                                 "optzoom",
                                                 "chroma_strength",
                                                 "luma_strength",
                                                 "chroma_strength_temporal",
                                                 "luma_strength_temporal",
                                                 "interval",
                                                 "start_time",
                                                 "end_time",
                                                 "time_shift",
                                                 "is_deleted",
                                                 "FrameMode",
                                                 "DeinterlaceMode",
                                                 "threshold",
                                                 "attack",
                                                 "decay",
                                                 "softKnee",
                                                 "shift_top",
                                                 "shift_left",
                                                 "offset_timestamp",
                                                 "align_horizontal",
                                                 "align_vertical"};
  return names;
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
  static const double kEdges[] = {0.0,
                                  -0.0,
                                  0.5,
                                  -1.0,
                                  4294967296.0,
                                  9.3e18,
                                  -9.3e18,
                                  1e300,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
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
    const int op = in.Byte() % 7;
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
    }
  }
}

// Reads; a record that was read must write and read again to the same tree, without any
// exception (one leaving the fuzz target is reported as a crash).
template <class Record>
void RoundTrip(const Property& tree, Record (*read)(const Property&)) {
  Record first;
  try {
    first = read(tree);
  } catch (const FilterException&) {
    return;  // a tree of another class
  } catch (const Tivrel::Core::PropertyException&) {
    return;  // a missing or mistyped key
  }
  const Property written = Settings2Property(first);
  const Property again = Settings2Property(read(written));
  // Text form: a NaN read from the input compares unequal to itself but prints the same.
  if (ToString(written) != ToString(again)) std::abort();
}

// The same for the value conversions, which accept a tree of any name.
template <class Value>
void ValueRoundTrip(const Property& tree, Value (*read)(const Property&, const Value&), Property (*write)(const Value&),
                    const Value& defaults) {
  Value first;
  try {
    first = read(tree, defaults);
  } catch (const Tivrel::Core::PropertyException&) {
    return;
  }
  if (ToString(write(read(write(first), Value{}))) != ToString(write(first))) std::abort();
}

const std::vector<std::pair<const std::string*, std::function<void(const Property&)>>>& Readers() {
  static const std::vector<std::pair<const std::string*, std::function<void(const Property&)>>> readers = {
      {&SettingsEffectCrop::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsCrop); }},
      {&SettingsEffectFlip::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsFlip); }},
      {&SettingsEffectTranspose::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsTranspose); }},
      {&SettingsEffectDeshake::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsDeshake); }},
      {&SettingsEffectStabilizer::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsStabilizer); }},
      {&SettingsEffectDenoiseChromaLuma::CLASS_ID,
       [](const Property& p) { RoundTrip(p, Property2SettingsChromaLuma); }},
      {&SettingsFilterCutController::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsCutController); }},
      {&SettingsDeinterlace::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsDeinterlace); }},
      {&SettingsAudioNoiseGate::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsNoiseGate); }},
      {&SettingsSubtitleDrawer::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2SettingsSubtitleDrawer); }},
      {&SettingsFilterVideoMixer::CLASS_ID, [](const Property& p) { RoundTrip(p, Property2Settings); }},
      // The value readers take any name.
      {nullptr,
       [](const Property& p) {
         ValueRoundTrip(p, Property2CropInfo, CropInfo2Property, {1, 2, 3, 4});
       }},
      {nullptr, [](const Property& p) { ValueRoundTrip(p, Property2CropInfoF, CropInfoF2Property, {}); }},
      {nullptr,
       [](const Property& p) {
         ValueRoundTrip(p, Property2Color, Color2Property, {9, 8, 7, 6});
       }},
  };
  return readers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  Property tree(Name(in));
  size_t budget = kNodeBudget;
  FillBody(in, tree, 0, budget);

  for (const auto& [classId, read] : Readers()) read(tree);
  for (const auto& [classId, read] : Readers()) {
    if (classId == nullptr) continue;
    tree.SetName(*classId);  // past the class check
    read(tree);
  }
  return 0;
}
