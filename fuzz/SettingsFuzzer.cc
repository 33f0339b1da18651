// Feeds one settings reader a tree made from its family's sample and edits read from the
// input. The reader must end in a record or in one of its family's exceptions, and a record
// it returns must write and read again to the same tree.
//
// Input, read front to back (an exhausted input reads as zero bytes):
//   family(1)                 position in the registry, modulo its size
//   rename(1)                 odd: the root gets a name, so that the class check is exercised
//   [name]
//   edit*                     until the input ends or the node budget is spent
//   edit  := path op(1) name payload
//   path  := step(1)*         a step below the count descends to that child, else stops
//   op % 8: 0 bool, 1 int, 2 double, 3 string, 4 ratio, 5 empty node, 6 repeat the last
//           child count(2) % 4096 times, 7 string whose text is a name; the values replace
//           the first child of that name, or are appended when bit 3 of op is set
//   name  := sel(1)           sel < names: a key, identifier or text of the samples, else
//            len(1) bytes[len % 32]
// Every input costs one reader call (two when a record comes back), so that a minute of
// fuzzing covers many more trees than reading each tree with every reader.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "Proc/Interfaces/Stub.h"
#include "Testing/SettingsRegistry.h"

namespace {

using Tivrel::Core::Property;
using Tivrel::Testing::SettingsFamilies;
using Tivrel::Testing::SettingsFamily;

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

void CollectNames(const Property& tree, std::set<std::string>& names) {
  names.insert(tree.GetName());
  if (tree.GetType() == Tivrel::PT_STRING) names.insert(tree.GetString());
  for (const Property& child : tree) CollectNames(child, names);
}

// The keys, identifiers and enumerated texts of every sample, and the other enumerated
// texts the samples do not show, in a fixed order.
const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    using Tivrel::Proc::IResize;
    // clang-format off
    std::set<std::string> all = {
        "", IResize::FRAME_SIZE_ORIGINAL, IResize::FRAME_SIZE_HALF_ORIGINAL, IResize::FRAME_SIZE_QUARTER_ORIGINAL,
        IResize::FRAME_SIZE_CUSTOM_SCALE, IResize::MODE_AUTO, IResize::MODE_STRETCH, IResize::MODE_SMART_FIT,
        IResize::MODE_CROP, IResize::MODE_UP_TO, IResize::METHOD_FAST_BILINEAR, IResize::METHOD_BICUBIC,
        IResize::METHOD_X, IResize::METHOD_LANCZOS, "stereo", "mono", "s16", "dblp"};
    // clang-format on
    for (const SettingsFamily& family : SettingsFamilies()) CollectNames(family.sample(), all);
    if (all.size() > 240) std::abort();  // selectors at or above the count read a text
    return std::vector<std::string>(all.begin(), all.end());
  }();
  return names;
}

std::string Name(Bytes& in) {
  const uint8_t selector = in.Byte();
  if (selector < Names().size()) return Names()[selector];
  return in.Text(in.Byte() % 32);
}

long long Int(Bytes& in) {
  static const long long kEdges[] = {
      0,   1,   -1,        89,        90,         179,       180,       270,       360,          -90,
      255, 256, INT32_MAX, INT32_MIN, UINT32_MAX, 1LL << 32, INT64_MAX, INT64_MIN, -(1LL << 32), 2592000000000LL};
  const uint8_t tag = in.Byte();
  if (tag % 4 == 0) return static_cast<int8_t>(in.Byte());
  if (tag % 4 == 1) return kEdges[in.Byte() % std::size(kEdges)];
  return static_cast<long long>(in.Word(8));
}

double Double(Bytes& in) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  // clang-format off
  static const double kEdges[] = {0.0, -0.0, 0.5, -1.0, 4294967296.0, 9.3e18, -9.3e18, 1e300, kInf, -kInf,
                                  std::numeric_limits<double>::quiet_NaN()};
  // clang-format on
  if (in.Byte() % 2 == 0) return kEdges[in.Byte() % std::size(kEdges)];
  const uint64_t bits = in.Word(8);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

size_t NodeCount(const Property& tree) {
  size_t count = 1;
  for (const Property& child : tree) count += NodeCount(child);
  return count;
}

template <class T>
void Put(Property& node, bool append, const std::string& key, const T& value) {
  append ? node.CreateChildT<T>(key, value) : node.SetChildT<T>(key, value);
}

// Nodes one input may add: thousands of children, but not millions through repeats of repeats.
constexpr size_t kNodeBudget = 20000;

void Edit(Bytes& in, Property& root, size_t& budget) {
  Property* node = &root;
  for (int depth = 0; depth < 4; ++depth) {
    const size_t step = in.Byte();
    if (step >= node->Count()) break;
    const auto type = (*node)[step].GetType();
    if (type != Tivrel::PT_NODE && type != Tivrel::PT_EMPTY) break;
    node = &(*node)[step];
  }
  const uint8_t op = in.Byte();
  const bool append = (op & 8) != 0;
  const std::string key = Name(in);
  switch (op % 8) {
    case 0:
      return Put<bool>(*node, append, key, in.Byte() & 1);
    case 1:
      return Put<long long>(*node, append, key, Int(in));
    case 2:
      return Put<double>(*node, append, key, Double(in));
    case 3:
      return Put<std::string>(*node, append, key, in.Text(in.Byte() % 32));
    case 4: {
      // A positive denominator and terms within the range rational arithmetic keeps.
      const long long num = static_cast<int32_t>(in.Word(4));
      const long long den = 1 + static_cast<long long>(in.Word(4) & 0x7FFFFFFF);
      return Put(*node, append, key, boost::rational<long long>(num, den));
    }
    case 5:
      node->Add(Property(key));
      return;
    case 6: {
      const size_t repeat = in.Word(2) % 4096;
      if (node->Count() == 0) return;
      const Property last = (*node)[node->Count() - 1];
      const size_t cost = NodeCount(last);
      for (size_t r = 0; r < repeat && budget >= cost; ++r, budget -= cost) node->Add(last);
      return;
    }
    case 7:
      return Put<std::string>(*node, append, key, Name(in));
  }
}

bool SameText(const Property& a, const Property& b) { return ToString(a) == ToString(b); }

// Equal but for the long long child `key`, which may differ by one: whole percentages
// truncate on writing, so a value may move by one on each pass.
bool SameButPercent(const Property& a, const Property& b, const char* key) {
  if (SameText(a, b)) return true;
  if (!key || !a.ChildExists(key) || !b.ChildExists(key)) return false;
  const long long va = a[key].GetInt64();
  const long long vb = b[key].GetInt64();
  if (va - vb > 1 || vb - va > 1) return false;
  Property aligned = b;
  aligned[key] = va;
  return SameText(a, aligned);
}

// A reread that ends in an exception the family does not document leaves the target and
// is reported as a crash. Text form: a NaN compares unequal to itself but prints the same.
void Check(const SettingsFamily& family, const Property& tree) {
  Property first;
  try {
    first = family.reread(tree);
  } catch (const Tivrel::Core::PropertyException&) {
    return;
  } catch (const Tivrel::Proc::FilterException&) {
    if (!family.classId) throw;
    return;
  } catch (const std::invalid_argument&) {
    if ((family.refusals & (SettingsFamily::kUnknownText | SettingsFamily::kUnknownFormatName)) == 0) throw;
    return;
  } catch (const std::logic_error&) {
    if ((family.refusals & SettingsFamily::kUnknownText) == 0) throw;
    return;
  }
  if (!SameButPercent(first, family.reread(first), family.percentKey)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  const SettingsFamily& family = SettingsFamilies()[in.Byte() % SettingsFamilies().size()];
  Property tree = family.sample();
  if (in.Byte() % 2 == 1) tree.SetName(Name(in));
  size_t budget = kNodeBudget;
  while (!in.Empty() && budget > 0) {
    --budget;
    Edit(in, tree, budget);
  }
  Check(family, tree);
  return 0;
}
