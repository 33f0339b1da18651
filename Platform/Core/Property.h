#pragma once

// Tivrel::Core::Property: the named property tree through which settings travel.
//
// A node has a name and holds either one value (bool, long long, double, std::string,
// boost::rational<long long>) or ordered children (kind PT_NODE). A default or name-only
// node is an empty PT_NODE; a node built with a value is a leaf. Trees are values:
// copying copies the whole subtree, and assigning a value turns any node into a leaf.
//
// Protocol and ownership:
// - Children are stored by value in insertion order; names may repeat. Lookups by name
//   find the first child of that name.
// - References and iterators to children (from operator[], SetChild, SetChildT,
//   CreateChildT, Add, begin/end) stay valid until the same node gains a child or its
//   content is replaced (assignment, CopyDataFrom, operator= with a value). Re-fetch
//   after such a call.
// - Threads: const member functions may run concurrently on one tree; any non-const call
//   needs exclusive access to the node and its subtree, as for standard containers.
// - Failures: a missing child, an out-of-range position, a value of the wrong kind or a
//   conversion that does not fit throws PropertyException (TagDescription names the key
//   or position and the node, TagPropertyName the node). Adding children to a leaf throws
//   MethodIsNotApplicable. Nothing is read out of bounds.
// - Cost: lookups by name scan the children; a node with many children (32 or more) also
//   keeps a hash index, so that setting or reading thousands of children by name stays
//   linear overall. A child does not know its parent, so renaming any child (SetName, or
//   assigning a tree of another name to it) marks every index stale: const lookups then
//   scan, and the next non-const lookup by name on the node (operator[], SetChild,
//   SetChildT) rebuilds its index.

#include <cstddef>
#include <iosfwd>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <boost/rational.hpp>

#include "Platform/Core/Exception.h"
#include "Platform/Core/PropertyTypes.h"
#include "Platform/Export.h"

namespace Tivrel::Core {

namespace PropertyDetail {

template <class T>
inline constexpr bool kIsValueType =
    std::is_same_v<T, bool> || std::is_same_v<T, long long> || std::is_same_v<T, double> ||
    std::is_same_v<T, std::string> || std::is_same_v<T, boost::rational<long long>>;

template <class T>
inline constexpr bool kIsNumericTarget =
    std::is_same_v<T, bool> || std::is_same_v<T, int> || std::is_same_v<T, unsigned int> ||
    std::is_same_v<T, long long> || std::is_same_v<T, double>;

// Integral arguments other than bool and long long, stored as long long.
template <class T>
inline constexpr bool kIsOtherIntegral =
    std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, long long>;

// Function texts recorded as the throw location of SetChildT / CreateChildT, one pair per
// value type, so that the text is a static string whatever the instance.
template <class T>
struct ChildTemplateTexts;

#define TIVREL_PROPERTY_CHILD_TEXTS(Type, text)                                                                        \
  template <>                                                                                                          \
  struct ChildTemplateTexts<Type> {                                                                                    \
    static constexpr const char* kSetChildT =                                                                          \
        "Tivrel::Core::Property &Tivrel::Core::Property::SetChildT(const std::string &, const T &) [T = " text "]";    \
    static constexpr const char* kCreateChildT =                                                                       \
        "Tivrel::Core::Property &Tivrel::Core::Property::CreateChildT(const std::string &, const T &) [T = " text "]"; \
  }

TIVREL_PROPERTY_CHILD_TEXTS(bool, "bool");
TIVREL_PROPERTY_CHILD_TEXTS(long long, "long long");
TIVREL_PROPERTY_CHILD_TEXTS(double, "double");
TIVREL_PROPERTY_CHILD_TEXTS(std::string, "std::basic_string<char>");
TIVREL_PROPERTY_CHILD_TEXTS(boost::rational<long long>, "boost::rational<long long>");

#undef TIVREL_PROPERTY_CHILD_TEXTS

// Throw lines recorded for SetChildT and CreateChildT on a node that is not PT_NODE.
inline constexpr int kSetChildTLine = 276;
inline constexpr int kCreateChildTLine = 257;

}  // namespace PropertyDetail

class TIVREL_PLATFORM_API Property {
public:
  using Ratio = boost::rational<long long>;
  using Children = std::vector<Property>;
  using iterator = Children::iterator;
  using const_iterator = Children::const_iterator;

  // An empty PT_NODE.
  Property() = default;
  explicit Property(std::string name) : name_(std::move(name)) {}

  // Leaves. Integral values of other types are stored as long long (unsigned values above
  // the long long range wrap). A null `value` pointer throws std::invalid_argument.
  Property(std::string name, bool value) : name_(std::move(name)), value_(value) {}
  Property(std::string name, long long value) : name_(std::move(name)), value_(value) {}
  Property(std::string name, double value) : name_(std::move(name)), value_(value) {}
  Property(std::string name, std::string value)
      : name_(std::move(name)), value_(std::in_place_type<std::string>, std::move(value)) {}
  Property(std::string name, const char* value);
  Property(std::string name, const Ratio& value) : name_(std::move(name)), value_(value) {}
  template <class I, std::enable_if_t<PropertyDetail::kIsOtherIntegral<I>, int> = 0>
  Property(std::string name, I value) : Property(std::move(name), static_cast<long long>(value)) {}

  Property(const Property& other);
  Property(Property&& other) noexcept = default;
  Property& operator=(const Property& other);
  Property& operator=(Property&& other) noexcept;
  ~Property() = default;

  // Replace the content with a value and keep the name; children are dropped.
  Property& operator=(bool value) { return AssignValue(value); }
  Property& operator=(long long value) { return AssignValue(value); }
  Property& operator=(double value) { return AssignValue(value); }
  Property& operator=(Ratio value) { return AssignValue(value); }
  Property& operator=(const std::string& value);
  Property& operator=(const char* value);  // null throws std::invalid_argument
  template <class I, std::enable_if_t<PropertyDetail::kIsOtherIntegral<I>, int> = 0>
  Property& operator=(I value) {
    return AssignValue(static_cast<long long>(value));
  }

  const std::string& GetName() const { return name_; }
  void SetName(std::string name);
  // PT_NODE for nodes, the value's kind for leaves.
  PropertyTypes GetType() const {
    return value_.valueless_by_exception() ? PT_EMPTY : static_cast<PropertyTypes>(value_.index());
  }

  // Children. A leaf has none: Count() is 0 and begin() == end().
  std::size_t Count() const {
    const Children* children = std::get_if<Children>(&value_);
    return children ? children->size() : 0;
  }
  bool ChildExists(const std::string& name) const { return FindChild(name) != Count(); }
  // Position of the first child named `name`, Count() when there is none.
  std::size_t FindChild(const std::string& name) const;
  // The first child named `name`; throws PropertyException when there is none.
  Property& operator[](const std::string& name);
  const Property& operator[](const std::string& name) const;
  // The child at `position` in insertion order; throws PropertyException when
  // position >= Count().
  Property& operator[](std::size_t position);
  const Property& operator[](std::size_t position) const;

  iterator begin();
  iterator end();
  const_iterator begin() const;
  const_iterator end() const;

  // The first child named `name` takes over the content of `tree` and keeps `name`; when
  // there is none, a copy of `tree` named `name` is appended. Returns that child. Throws
  // MethodIsNotApplicable on a leaf.
  Property& SetChild(const std::string& name, const Property& tree);
  // SetChildT<std::string>; a null `value` throws std::invalid_argument.
  Property& SetChild(const std::string& name, const char* value);
  // Appends a copy of `tree` (name included) as the last child, also when the name
  // repeats. Returns the new child. Throws MethodIsNotApplicable on a leaf.
  Property& Add(const Property& tree);
  Property& Add(Property&& tree);
  // Takes over `other`'s value or children and keeps the own name. `other` may be this
  // node or lie inside it.
  void CopyDataFrom(const Property& other);

  // SetChildT: the first child named `name` is assigned `value` (keeping its name), or a
  // leaf is appended through CreateChildT when there is none. CreateChildT always appends
  // Property(name, value), duplicates included. Both return the child and throw
  // MethodIsNotApplicable on a leaf. T is one of the five value types.
  template <class T>
  Property& SetChildT(const std::string& name, const T& value);
  template <class T>
  Property& CreateChildT(const std::string& name, const T& value);

  // Values of exactly the stored kind; a node or another kind throws PropertyException
  // naming the expected and the actual kind.
  bool GetBool() const { return GetAs<bool>(PT_BOOL, __PRETTY_FUNCTION__, __LINE__); }
  long long GetInt64() const { return GetAs<long long>(PT_INT64, __PRETTY_FUNCTION__, __LINE__); }
  double GetDouble() const { return GetAs<double>(PT_DOUBLE, __PRETTY_FUNCTION__, __LINE__); }
  const std::string& GetString() const { return GetAs<std::string>(PT_STRING, __PRETTY_FUNCTION__, __LINE__); }
  Ratio GetRatio() const { return GetAs<Ratio>(PT_RATIO, __PRETTY_FUNCTION__, __LINE__); }

  // The value converted to T (bool, int, unsigned int, long long or double) from a bool,
  // long long, double or ratio leaf:
  // - bool: a non-zero value is true.
  // - integers: long long values keep their low bits (as static_cast does), bools give
  //   0 or 1, ratios the quotient truncated toward zero (then the low bits), doubles are
  //   truncated toward zero and must fit T.
  // - double: the nearest double; a stored double is returned as it is, NaN included.
  // A string leaf, a node, or a NaN / infinite / out-of-range double read as bool or an
  // integer throws PropertyException.
  template <class T>
  T GetValue() const;

private:
  // The alternative's index is the node's PropertyTypes value.
  using Value = std::variant<std::monostate, bool, long long, double, std::string, Ratio, Children>;
  static_assert(std::variant_size_v<Value> == PT_NODE + 1 &&
                std::is_same_v<std::variant_alternative_t<PT_STRING, Value>, std::string> &&
                std::is_same_v<std::variant_alternative_t<PT_NODE, Value>, Children>);
  struct ChildIndex;
  struct ChildIndexDeleter {
    void operator()(ChildIndex* index) const noexcept;
  };

  template <class V>
  Property& AssignValue(V value) {
    value_ = value;
    index_.reset();
    return *this;
  }

  template <class V>
  const V& GetAs(PropertyTypes kind, const char* function, int line) const {
    if (const V* value = std::get_if<V>(&value_)) return *value;
    ThrowWrongKind(kind, ThrowSite{__FILE__, function, line});
  }

  [[noreturn]] void ThrowNotApplicable(const char* method, const ThrowSite& site) const {
    MethodIsNotApplicable e;
    e << PropertyException::TagPropertyName(name_) << PropertyException::TagPropertyType(GetType())
      << PropertyException::TagMethodName(method);
    ThrowWithStack(e, site);
  }
  [[noreturn]] void ThrowWrongKind(PropertyTypes expected, const ThrowSite& site) const;
  [[noreturn]] void ThrowNotNumeric(const ThrowSite& site) const;

  // Position of the first child named `name` for a caller about to change this node:
  // refreshes a stale index first.
  std::size_t FindChildForUpdate(const std::string& name);
  Property& AppendChild(Property&& child);
  void AdoptChildren();
  void RebuildIndex();
  bool IndexIsCurrent() const;

  // Numeric conversions behind GetValue; site names the GetValue instance.
  bool ConvertToBool(const ThrowSite& site) const;
  double ConvertToDouble(const ThrowSite& site) const;
  // Integer target with `digits` value bits, signed or not: the stored integer (or the
  // truncated quotient of a ratio) as is, a double range-checked.
  long long ConvertToInteger(int digits, bool isSigned, const char* targetName, const ThrowSite& site) const;

  static void NoteChildRenamed();

  std::string name_;
  Value value_{std::in_place_type<Children>};
  std::unique_ptr<ChildIndex, ChildIndexDeleter> index_;
  // True while this object is an element of some node's children (conservatively: a move
  // out of a child keeps it). Renames of such objects must stale the name indexes.
  bool inTree_ = false;
};

template <class T>
Property& Property::CreateChildT(const std::string& name, const T& value) {
  static_assert(PropertyDetail::kIsValueType<T>,
                "CreateChildT takes bool, long long, double, std::string or boost::rational<long long>");
  if (GetType() != PT_NODE) {
    ThrowNotApplicable("CreateChildT", TIVREL_THROW_SITE(PropertyDetail::ChildTemplateTexts<T>::kCreateChildT,
                                                         PropertyDetail::kCreateChildTLine));
  }
  return AppendChild(Property(name, value));
}

template <class T>
Property& Property::SetChildT(const std::string& name, const T& value) {
  static_assert(PropertyDetail::kIsValueType<T>,
                "SetChildT takes bool, long long, double, std::string or boost::rational<long long>; "
                "use SetChild(name, const char*) for C strings");
  if (GetType() != PT_NODE) {
    ThrowNotApplicable("SetChildT", TIVREL_THROW_SITE(PropertyDetail::ChildTemplateTexts<T>::kSetChildT,
                                                      PropertyDetail::kSetChildTLine));
  }
  const std::size_t position = FindChildForUpdate(name);
  Children& children = std::get<Children>(value_);
  if (position == children.size()) return CreateChildT(name, value);
  Property& child = children[position];
  child = value;
  return child;
}

template <class T>
T Property::GetValue() const {
  static_assert(PropertyDetail::kIsNumericTarget<T>, "GetValue reads bool, int, unsigned int, long long or double");
  const ThrowSite site{__FILE__, __PRETTY_FUNCTION__, __LINE__};
  if constexpr (std::is_same_v<T, bool>) {
    if (const bool* value = std::get_if<bool>(&value_)) return *value;
    return ConvertToBool(site);
  } else if constexpr (std::is_same_v<T, double>) {
    if (const double* value = std::get_if<double>(&value_)) return *value;
    return ConvertToDouble(site);
  } else {
    if (const long long* value = std::get_if<long long>(&value_)) return static_cast<T>(*value);
    const char* targetName = std::is_same_v<T, int>            ? "int"
                             : std::is_same_v<T, unsigned int> ? "unsigned int"
                                                               : "long long";
    return static_cast<T>(
        ConvertToInteger(std::numeric_limits<T>::digits, std::numeric_limits<T>::is_signed, targetName, site));
  }
}

// Deep equality: names, kinds, values and children in order (a NaN double never equals).
TIVREL_PLATFORM_API bool operator==(const Property& a, const Property& b);
inline bool operator!=(const Property& a, const Property& b) { return !(a == b); }

// "empty", "bool", "int64", "double", "string", "ratio", "node"; "unknown" otherwise.
TIVREL_PLATFORM_API const char* PropertyTypeName(PropertyTypes type);

// An empty unnamed node.
TIVREL_PLATFORM_API Property GetRootItem();
// A node named `name` with the long long children "time" and "count" (a count above the
// long long range is stored as the largest long long).
TIVREL_PLATFORM_API Property MakeStatistics(const std::string& name, long long time, std::size_t count);

// Readable multi-line text of a tree, one child a line, indented by depth:
//   "root" {
//     "width": int64 1920
//     "title": string "a \"b\""
//     "rate": ratio 30000/1001
//     "crop" {}
//   }
// Names and strings are quoted with \" \\ and control characters escaped; no final line feed.
TIVREL_PLATFORM_API std::string ToString(const Property& tree);
TIVREL_PLATFORM_API std::ostream& operator<<(std::ostream& os, const Property& tree);
// Test frameworks that print containers element by element print a tree with ToString.
TIVREL_PLATFORM_API void PrintTo(const Property& tree, std::ostream* os);

}  // namespace Tivrel::Core
