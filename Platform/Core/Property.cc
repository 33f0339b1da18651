#include "Platform/Core/Property.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <unordered_map>

namespace Tivrel::Core {

namespace {

// Nodes with at least this many children keep a name index; smaller ones only scan.
constexpr std::size_t kIndexMinChildren = 32;

// Bumped whenever an object that is (or may be) some node's child changes its name. A
// child does not know its parent, so every index remembers the count it was built under
// and is trusted only while the count is unchanged.
std::atomic<std::uint64_t> g_childRenames{0};

std::uint64_t CurrentRenameEpoch() { return g_childRenames.load(std::memory_order_acquire); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string DoubleText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

[[noreturn]] void ThrowPropertyError(const std::string& description, const std::string& node, const ThrowSite& site) {
  PropertyException e;
  e << TagDescription(description) << PropertyException::TagPropertyName(node);
  ThrowWithStack(e, site);
}

const char* CheckedCString(const char* value, const ThrowSite& site) {
  if (value == nullptr) ThrowError<std::invalid_argument>("string value is NULL", site);
  return value;
}

std::size_t ScanForName(const Property::Children& children, const std::string& name) {
  const auto found = std::find_if(children.begin(), children.end(),
                                  [&name](const Property& child) { return child.GetName() == name; });
  return static_cast<std::size_t>(found - children.begin());
}

}  // namespace

// Hash of a name -> position of the first child with that name, for children [0, covered).
struct Property::ChildIndex {
  std::uint64_t epoch = 0;
  std::size_t covered = 0;
  std::unordered_multimap<std::size_t, std::size_t> firstByHash;

  // Position of the first child named `name`, `covered` when there is none.
  std::size_t Find(const Children& children, const std::string& name, std::size_t hash) const {
    auto [it, last] = firstByHash.equal_range(hash);
    for (; it != last; ++it) {
      if (children[it->second].GetName() == name) return it->second;
    }
    return covered;
  }
  std::size_t Find(const Children& children, const std::string& name) const {
    return Find(children, name, std::hash<std::string>{}(name));
  }
  // Indexes the child at position `covered`.
  void AddNext(const Children& children) {
    const std::string& name = children[covered].GetName();
    const std::size_t hash = std::hash<std::string>{}(name);
    if (Find(children, name, hash) == covered) firstByHash.emplace(hash, covered);
    ++covered;
  }
};

void Property::ChildIndexDeleter::operator()(ChildIndex* index) const noexcept { delete index; }

void Property::NoteChildRenamed() { g_childRenames.fetch_add(1, std::memory_order_acq_rel); }

Property::Property(std::string name, const char* value)
    : name_(std::move(name)),
      value_(std::in_place_type<std::string>, CheckedCString(value, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__))) {
}

Property::Property(const Property& other) : name_(other.name_), value_(other.value_) { AdoptChildren(); }

Property& Property::operator=(const Property& other) {
  Property copy(other);
  return *this = std::move(copy);
}

Property& Property::operator=(Property&& other) noexcept {
  Property moved(std::move(other));  // `other` may lie inside this node
  if (inTree_ && name_ != moved.name_) NoteChildRenamed();
  name_.swap(moved.name_);
  value_.swap(moved.value_);
  index_.swap(moved.index_);
  return *this;
}

Property& Property::operator=(const std::string& value) {
  if (std::string* held = std::get_if<std::string>(&value_)) {
    *held = value;
  } else {
    Value copy(std::in_place_type<std::string>, value);  // `value` may lie inside this node
    value_.swap(copy);
  }
  index_.reset();
  return *this;
}

Property& Property::operator=(const char* value) {
  return *this = std::string(CheckedCString(value, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__)));
}

void Property::SetName(std::string name) {
  if (inTree_ && name != name_) NoteChildRenamed();
  name_ = std::move(name);
}

bool Property::IndexIsCurrent() const { return index_->epoch == CurrentRenameEpoch() && index_->covered == Count(); }

void Property::RebuildIndex() {
  const Children& children = std::get<Children>(value_);
  std::unique_ptr<ChildIndex, ChildIndexDeleter> index(new ChildIndex);
  index->epoch = CurrentRenameEpoch();
  index->firstByHash.reserve(children.size());
  while (index->covered < children.size()) index->AddNext(children);
  index_ = std::move(index);
}

void Property::AdoptChildren() {
  Children* children = std::get_if<Children>(&value_);
  if (children == nullptr) return;
  for (Property& child : *children) child.inTree_ = true;
  if (children->size() >= kIndexMinChildren) RebuildIndex();
}

std::size_t Property::FindChild(const std::string& name) const {
  const Children* children = std::get_if<Children>(&value_);
  if (children == nullptr) return 0;
  if (index_ && IndexIsCurrent()) return index_->Find(*children, name);
  return ScanForName(*children, name);
}

std::size_t Property::FindChildForUpdate(const std::string& name) {
  const Children* children = std::get_if<Children>(&value_);
  if (children == nullptr) return 0;
  if (children->size() >= kIndexMinChildren && !(index_ && IndexIsCurrent())) RebuildIndex();
  return index_ ? index_->Find(*children, name) : ScanForName(*children, name);
}

Property& Property::AppendChild(Property&& child) {
  Children& children = std::get<Children>(value_);
  // A stale index is dropped rather than rebuilt here, so that appends interleaved with
  // renames stay cheap; the next lookup for an update rebuilds it.
  const bool indexed = index_ && IndexIsCurrent();
  if (index_ && !indexed) index_.reset();
  children.push_back(std::move(child));
  Property& added = children.back();
  added.inTree_ = true;
  if (indexed) {
    index_->AddNext(children);
  } else if (children.size() == kIndexMinChildren) {
    RebuildIndex();
  }
  return added;
}

Property& Property::operator[](const std::string& name) {
  const std::size_t position = FindChildForUpdate(name);
  if (position == Count()) {
    ThrowPropertyError("Child " + Quoted(name) + " not found in " + PropertyTypeName(GetType()) + " " + Quoted(name_),
                       name_, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return std::get<Children>(value_)[position];
}

const Property& Property::operator[](const std::string& name) const {
  const std::size_t position = FindChild(name);
  if (position == Count()) {
    ThrowPropertyError("Child " + Quoted(name) + " not found in " + PropertyTypeName(GetType()) + " " + Quoted(name_),
                       name_, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return std::get<Children>(value_)[position];
}

Property& Property::operator[](std::size_t position) {
  return const_cast<Property&>(static_cast<const Property&>(*this)[position]);
}

const Property& Property::operator[](std::size_t position) const {
  if (position >= Count()) {
    ThrowPropertyError("Child position " + std::to_string(position) + " is out of range in " +
                           PropertyTypeName(GetType()) + " " + Quoted(name_) + " with " + std::to_string(Count()) +
                           " children",
                       name_, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }
  return std::get<Children>(value_)[position];
}

Property::iterator Property::begin() {
  Children* children = std::get_if<Children>(&value_);
  return children ? children->begin() : iterator();
}

Property::iterator Property::end() {
  Children* children = std::get_if<Children>(&value_);
  return children ? children->end() : iterator();
}

Property::const_iterator Property::begin() const {
  const Children* children = std::get_if<Children>(&value_);
  return children ? children->cbegin() : const_iterator();
}

Property::const_iterator Property::end() const {
  const Children* children = std::get_if<Children>(&value_);
  return children ? children->cend() : const_iterator();
}

Property& Property::SetChild(const std::string& name, const Property& tree) {
  if (GetType() != PT_NODE) ThrowNotApplicable("SetChild", TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  const std::size_t position = FindChildForUpdate(name);
  Children& children = std::get<Children>(value_);
  if (position < children.size()) {
    children[position].CopyDataFrom(tree);
    return children[position];
  }
  Property copy(tree);  // `tree` may be this node or lie inside it
  copy.name_ = name;
  return AppendChild(std::move(copy));
}

Property& Property::SetChild(const std::string& name, const char* value) {
  return SetChildT<std::string>(name, CheckedCString(value, TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__)));
}

Property& Property::Add(const Property& tree) {
  if (GetType() != PT_NODE) ThrowNotApplicable("Add", TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  return AppendChild(Property(tree));
}

Property& Property::Add(Property&& tree) {
  if (GetType() != PT_NODE) ThrowNotApplicable("Add", TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  if (&tree == this) return AppendChild(Property(tree));
  Property moved(std::move(tree));  // `tree` may be one of the children about to move
  return AppendChild(std::move(moved));
}

void Property::CopyDataFrom(const Property& other) {
  if (&other == this) return;
  Property copy(other);  // `other` may lie inside this node
  value_.swap(copy.value_);
  index_.swap(copy.index_);
}

void Property::ThrowWrongKind(PropertyTypes expected, const ThrowSite& site) const {
  ThrowPropertyError(
      "Property " + Quoted(name_) + " holds " + PropertyTypeName(GetType()) + ", not " + PropertyTypeName(expected),
      name_, site);
}

void Property::ThrowNotNumeric(const ThrowSite& site) const {
  ThrowPropertyError("Property " + Quoted(name_) + " holds " + PropertyTypeName(GetType()) +
                         ", not a bool, int64, double or ratio value",
                     name_, site);
}

bool Property::ConvertToBool(const ThrowSite& site) const {
  switch (GetType()) {
    case PT_BOOL:
      return std::get<bool>(value_);
    case PT_INT64:
      return std::get<long long>(value_) != 0;
    case PT_RATIO:
      return std::get<Ratio>(value_).numerator() != 0;
    case PT_DOUBLE: {
      const double value = std::get<double>(value_);
      if (std::isnan(value)) {
        ThrowPropertyError("Property " + Quoted(name_) + " holds double nan, which is not a bool", name_, site);
      }
      return value != 0.0;
    }
    default:
      ThrowNotNumeric(site);
  }
}

double Property::ConvertToDouble(const ThrowSite& site) const {
  switch (GetType()) {
    case PT_BOOL:
      return std::get<bool>(value_) ? 1.0 : 0.0;
    case PT_INT64:
      return static_cast<double>(std::get<long long>(value_));
    case PT_DOUBLE:
      return std::get<double>(value_);
    case PT_RATIO: {
      const Ratio& value = std::get<Ratio>(value_);
      return static_cast<double>(value.numerator()) / static_cast<double>(value.denominator());
    }
    default:
      ThrowNotNumeric(site);
  }
}

long long Property::ConvertToInteger(int digits, bool isSigned, const char* targetName, const ThrowSite& site) const {
  switch (GetType()) {
    case PT_BOOL:
      return std::get<bool>(value_) ? 1 : 0;
    case PT_INT64:
      return std::get<long long>(value_);
    case PT_RATIO: {
      // The denominator is always positive, so the division cannot overflow.
      const Ratio& value = std::get<Ratio>(value_);
      return value.numerator() / value.denominator();
    }
    case PT_DOUBLE: {
      const double value = std::get<double>(value_);
      const double truncated = std::trunc(value);
      const double upper = std::ldexp(1.0, digits);  // exact: the first value past the target's maximum
      const double lower = isSigned ? -upper : 0.0;
      if (!(truncated >= lower && truncated < upper)) {  // NaN fails both comparisons
        ThrowPropertyError(
            "Property " + Quoted(name_) + " holds double " + DoubleText(value) + ", which does not fit " + targetName,
            name_, site);
      }
      return static_cast<long long>(truncated);
    }
    default:
      ThrowNotNumeric(site);
  }
}

bool operator==(const Property& a, const Property& b) {
  if (a.GetName() != b.GetName() || a.GetType() != b.GetType()) return false;
  switch (a.GetType()) {
    case PT_BOOL:
      return a.GetBool() == b.GetBool();
    case PT_INT64:
      return a.GetInt64() == b.GetInt64();
    case PT_DOUBLE:
      return a.GetDouble() == b.GetDouble();
    case PT_STRING:
      return a.GetString() == b.GetString();
    case PT_RATIO:
      return a.GetRatio() == b.GetRatio();
    case PT_NODE:
      return std::equal(a.begin(), a.end(), b.begin(), b.end());
    default:
      return true;
  }
}

const char* PropertyTypeName(PropertyTypes type) {
  static constexpr const char* kNames[] = {"empty", "bool", "int64", "double", "string", "ratio", "node"};
  const auto index = static_cast<unsigned>(type);
  return index < std::size(kNames) ? kNames[index] : "unknown";
}

Property GetRootItem() { return Property(); }

Property MakeStatistics(const std::string& name, long long time, std::size_t count) {
  constexpr auto kMaxCount = static_cast<std::size_t>(std::numeric_limits<long long>::max());
  Property statistics(name);
  statistics.CreateChildT<long long>("time", time);
  statistics.CreateChildT<long long>("count", static_cast<long long>(std::min(count, kMaxCount)));
  return statistics;
}

}  // namespace Tivrel::Core
