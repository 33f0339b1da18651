#include "Platform/Core/PropertyJson.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace Tivrel::Core {
namespace {

using Json = nlohmann::json;

// The keys of a node object; every key but kName is a kind key.
enum Key : int { kName, kBool, kInt, kDouble, kString, kRatio, kChildren, kKeyCount, kNoKey = kKeyCount };
constexpr const char* kKeyTexts[kKeyCount] = {"name", "bool", "int", "double", "string", "ratio", "children"};
// What the value of each key must be, for the refusal text.
constexpr const char* kExpected[kKeyCount] = {
    "a string", "true or false", "an integer", "a number", "a string", "an array of two integers", "an array of nodes"};

// A reference token of a JSON pointer: "~" and "/" escaped.
std::string PointerToken(const std::string& key) {
  std::string token;
  for (const char c : key) {
    if (c == '~') {
      token += "~0";
    } else if (c == '/') {
      token += "~1";
    } else {
      token += c;
    }
  }
  return token;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The reason in an exception text of the JSON library, without its identifier prefix and
// its own position (positions are given in the description's own form).
std::string JsonReason(const std::string& what) {
  std::string reason = what;
  if (!reason.empty() && reason[0] == '[') reason.erase(0, std::min(reason.size(), reason.find("] ") + 2));
  if (reason.compare(0, 11, "parse error") == 0 && reason.find(": ") != std::string::npos) {
    reason.erase(0, reason.find(": ") + 2);
  }
  return reason;
}

// Reduced numerator / denominator with a positive denominator, in magnitudes so that the
// smallest 64-bit value takes part like any other; false when the result does not fit.
bool ReduceRatio(long long numerator, long long denominator, Property::Ratio& ratio) {
  const bool negative = (numerator < 0) != (denominator < 0);
  auto magnitude = [](long long v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); };
  uint64_t num = magnitude(numerator);
  uint64_t den = magnitude(denominator);
  uint64_t a = num;
  uint64_t b = den;
  while (b != 0) a = std::exchange(b, a % b);
  num /= a;
  den /= a;
  constexpr uint64_t kMax = std::numeric_limits<long long>::max();
  if (den > kMax || num > kMax + (negative ? 1 : 0)) return false;
  // Already reduced, so the rational's own normalisation has nothing left to do.
  ratio = Property::Ratio(negative ? static_cast<long long>(0 - num) : static_cast<long long>(num),
                          static_cast<long long>(den));
  return true;
}

// Builds the tree from the events of the JSON library's streaming parser, refusing at the
// first event that does not fit the document format. The parser itself keeps no
// recursion, and a node deeper than the limit is refused before it is opened, so the
// frame stack and the tree stay bounded by the limit.
class TreeBuilder {
public:
  explicit TreeBuilder(const std::string& text) : text_(text) { frames_.reserve(kPropertyJsonMaxDepth); }

  Property TakeTree() { return std::move(tree_); }

  bool start_object(std::size_t) {
    if (frames_.empty()) {
      frames_.emplace_back();
      return true;
    }
    if (!InChildren()) WrongType();
    if (frames_.size() >= static_cast<std::size_t>(kPropertyJsonMaxDepth)) {
      ThrowError<PropertyException>("Nodes nested deeper than " + std::to_string(kPropertyJsonMaxDepth) +
                                        " levels at " + Quoted(Path(ChildTail(frames_.back()))),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    const std::size_t position = frames_.back().node.Count();
    frames_.emplace_back().position = position;
    return true;
  }

  bool key(std::string& text) {
    Frame& frame = frames_.back();
    const auto* found = std::find(std::begin(kKeyTexts), std::end(kKeyTexts), text);
    const Key key = static_cast<Key>(found - std::begin(kKeyTexts));
    const auto at = [&] { return " at " + Quoted(Path("/" + PointerToken(text))); };
    if (found == std::end(kKeyTexts)) {
      ThrowError<PropertyException>("Unknown key " + Quoted(text) + at(),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    if (frame.seen & (1u << key)) {
      ThrowError<PropertyException>("Duplicate key " + Quoted(text) + at(),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    if (key != kName && frame.kind != kNoKey) {
      ThrowError<PropertyException>(
          "Second value kind " + Quoted(text) + " beside " + Quoted(kKeyTexts[frame.kind]) + at(),
          TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    frame.seen |= 1u << key;
    if (key != kName) frame.kind = key;
    frame.key = key;
    return true;
  }

  bool end_object() {
    Frame& frame = frames_.back();
    const char* missing = !(frame.seen & (1u << kName)) ? "a name"
                          : frame.kind == kNoKey        ? "a value or children"
                                                        : nullptr;
    if (missing) {
      ThrowError<PropertyException>(std::string("Node without ") + missing + " at " + Quoted(Path()),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    Property node = std::move(frame.node);
    frames_.pop_back();
    if (frames_.empty()) {
      tree_ = std::move(node);
    } else {
      frames_.back().node.Add(std::move(node));
    }
    return true;
  }

  bool start_array(std::size_t) {
    const Key key = ValueKey();
    if ((key != kChildren && key != kRatio) || frames_.back().array) WrongType();
    frames_.back().array = true;
    return true;
  }

  bool end_array() {
    Frame& frame = frames_.back();
    if (frame.key == kRatio) {
      const char* refusal = frame.ratioCount != 2 ? "Ratio without exactly two integers"
                            : frame.ratio[1] == 0 ? "Ratio with a zero denominator"
                                                  : nullptr;
      Property::Ratio ratio;
      if (!refusal && !ReduceRatio(frame.ratio[0], frame.ratio[1], ratio)) {
        refusal = "Ratio that does not reduce within the 64-bit range";
      }
      if (refusal) {
        ThrowError<PropertyException>(std::string(refusal) + " at " + Quoted(Path("/ratio")),
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
      }
      frame.node = ratio;
    }
    frame.array = false;
    frame.key = kNoKey;
    return true;
  }

  bool boolean(bool value) {
    if (ValueKey() != kBool) WrongType();
    return Set(value);
  }

  bool number_integer(Json::number_integer_t value) {
    switch (ValueKey()) {
      case kInt:
        return Set(static_cast<long long>(value));
      case kDouble:
        return Set(static_cast<double>(value));
      case kRatio:
        return AddRatioPart(value);
      default:
        WrongType();
    }
  }

  bool number_unsigned(Json::number_unsigned_t value) {
    if (value <= static_cast<uint64_t>(std::numeric_limits<long long>::max())) {
      return number_integer(static_cast<long long>(value));
    }
    if (ValueKey() == kDouble) return Set(static_cast<double>(value));
    NotAnInteger("Integer out of the 64-bit range");
  }

  bool number_float(Json::number_float_t value, const std::string& literal) {
    if (ValueKey() == kDouble) return Set(value);
    // Integers beyond the unsigned 64-bit range also arrive here, as numbers without a
    // fraction or exponent.
    NotAnInteger(literal.find_first_of(".eE") == std::string::npos
                     ? "Integer out of the 64-bit range"
                     : "Number with a fraction or exponent where an integer is expected");
  }

  bool string(std::string& value) {
    const Key key = ValueKey();
    if (key == kName) {
      frames_.back().node.SetName(std::move(value));
      frames_.back().key = kNoKey;
      return true;
    }
    if (key != kString) WrongType();
    return Set(std::move(value));
  }

  bool null() { WrongType(); }
  bool binary(Json::binary_t&) { WrongType(); }

  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) {
    const std::size_t end = std::min(position, text_.size());
    const std::size_t lineStart = end == 0 ? 0 : text_.rfind('\n', end - 1) + 1;  // npos + 1 == 0
    const auto line = 1 + std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(end), '\n');
    ThrowError<PropertyException>("Malformed JSON at line " + std::to_string(line) + ", column " +
                                      std::to_string(std::max<std::size_t>(end - lineStart, 1)) + ": " +
                                      JsonReason(error.what()),
                                  TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }

private:
  struct Frame {
    Property node;
    std::size_t position = 0;  // among the parent's children
    unsigned seen = 0;         // one bit per Key
    Key kind = kNoKey;         // the kind key, once seen
    Key key = kNoKey;          // the key whose value is being read
    bool array = false;        // inside the array of `key`
    int ratioCount = 0;
    long long ratio[2] = {0, 0};
  };

  bool InChildren() const { return frames_.back().array && frames_.back().key == kChildren; }

  // The key whose value the next value event gives (kNoKey inside an array of nodes or
  // outside any node).
  Key ValueKey() const {
    if (frames_.empty()) return kNoKey;
    const Frame& frame = frames_.back();
    return frame.array && frame.key == kChildren ? kNoKey : frame.key;
  }

  template <class V>
  bool Set(V&& value) {
    frames_.back().node = std::forward<V>(value);
    frames_.back().key = kNoKey;
    return true;
  }

  bool AddRatioPart(long long value) {
    Frame& frame = frames_.back();
    if (!frame.array) WrongType();
    // More than two parts are counted and refused when the array ends.
    if (frame.ratioCount < 2) frame.ratio[frame.ratioCount] = value;
    ++frame.ratioCount;
    return true;
  }

  static std::string ChildTail(const Frame& frame) { return "/children/" + std::to_string(frame.node.Count()); }

  // JSON pointer of the innermost node, then `tail`.
  std::string Path(const std::string& tail = "") const {
    std::string path;
    for (std::size_t i = 1; i < frames_.size(); ++i) path += "/children/" + std::to_string(frames_[i].position);
    return path + tail;
  }

  // JSON pointer of the value being read.
  std::string ValuePath() const {
    if (frames_.empty()) return "";
    const Frame& frame = frames_.back();
    if (InChildren()) return Path(ChildTail(frame));
    if (frame.key == kNoKey) return Path();
    std::string tail = std::string("/") + kKeyTexts[frame.key];
    if (frame.array) tail += "/" + std::to_string(frame.ratioCount);
    return Path(tail);
  }

  [[noreturn]] void NotAnInteger(const std::string& what) const {
    const Key key = ValueKey();
    if (key != kInt && !(key == kRatio && frames_.back().array)) WrongType();
    ThrowError<PropertyException>(what + " at " + Quoted(ValuePath()),
                                  TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }

  [[noreturn]] void WrongType() const {
    const Key key = ValueKey();
    const bool inRatio = key == kRatio && frames_.back().array;
    const char* expected = inRatio ? "an integer" : key == kNoKey ? "a node object" : kExpected[key];
    ThrowError<PropertyException>(std::string("Expected ") + expected + " at " + Quoted(ValuePath()),
                                  TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
  }

  const std::string& text_;
  std::vector<Frame> frames_;
  Property tree_;
};

// Appends the text of a tree, one node a line, children indented by two spaces a level.
class TreeWriter {
public:
  explicit TreeWriter(std::string& out) : out_(out) {}

  void Node(const Property& node) {
    out_ += "{\"name\": ";
    Text(node.GetName(), "/name");
    switch (node.GetType()) {
      case PT_BOOL:
        out_ += node.GetBool() ? ", \"bool\": true" : ", \"bool\": false";
        break;
      case PT_INT64:
        out_ += ", \"int\": " + std::to_string(node.GetInt64());
        break;
      case PT_DOUBLE:
        Double(node);
        break;
      case PT_STRING:
        out_ += ", \"string\": ";
        Text(node.GetString(), "/string");
        break;
      case PT_RATIO: {
        const Property::Ratio ratio = node.GetRatio();
        out_ += ", \"ratio\": [" + std::to_string(ratio.numerator()) + ", " + std::to_string(ratio.denominator()) + "]";
        break;
      }
      case PT_NODE:
        Children(node);
        break;
      default:
        ThrowError<PropertyException>("Node without a value at " + Quoted(Path()),
                                      TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    out_ += '}';
  }

private:
  void Children(const Property& node) {
    out_ += ", \"children\": [";
    if (node.Count() == 0) {
      out_ += ']';
      return;
    }
    if (positions_.size() + 1 >= static_cast<std::size_t>(kPropertyJsonMaxDepth)) {
      ThrowError<PropertyException>("Nodes nested deeper than " + std::to_string(kPropertyJsonMaxDepth) +
                                        " levels at " + Quoted(Path("/children/0")),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    positions_.push_back(0);
    for (const Property& child : node) {
      out_ += positions_.back() == 0 ? "\n" : ",\n";
      out_.append(2 * positions_.size(), ' ');
      Node(child);
      ++positions_.back();
    }
    positions_.pop_back();
    out_ += '\n';
    out_.append(2 * positions_.size(), ' ');
    out_ += ']';
  }

  void Double(const Property& node) {
    const double value = node.GetDouble();
    if (!std::isfinite(value)) {
      ThrowError<PropertyException>("Double " + Quoted(node.GetName()) + " is not finite (" + std::to_string(value) +
                                        ") at " + Quoted(Path("/double")),
                                    TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
    // Shortest text that reads back to the same bits, with ".0" added to whole numbers.
    out_ += ", \"double\": " + Json(value).dump();
  }

  void Text(const std::string& text, const char* key) {
    try {
      out_ += Json(text).dump();
    } catch (const Json::type_error& error) {
      ThrowError<PropertyException>(
          "Text that is not valid UTF-8 (" + JsonReason(error.what()) + ") at " + Quoted(Path(key)),
          TIVREL_THROW_SITE(__PRETTY_FUNCTION__, __LINE__));
    }
  }

  std::string Path(const std::string& tail = "") const {
    std::string path;
    for (const std::size_t position : positions_) path += "/children/" + std::to_string(position);
    return path + tail;
  }

  std::string& out_;
  std::vector<std::size_t> positions_;  // of each open node among its parent's children
};

}  // namespace

std::string PropertyToJson(const Property& tree) {
  std::string text;
  TreeWriter(text).Node(tree);
  text += '\n';
  return text;
}

Property PropertyFromJson(const std::string& text) {
  TreeBuilder builder(text);
  // Strict: nothing but white space after the document; comments are malformed text.
  Json::sax_parse(text, &builder, Json::input_format_t::json, true, false);
  return builder.TakeTree();
}

}  // namespace Tivrel::Core
