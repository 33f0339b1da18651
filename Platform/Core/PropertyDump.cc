// Readable text of a property tree, for logs and test failure messages.

#include <charconv>
#include <ostream>

#include "Platform/Core/Property.h"

namespace Tivrel::Core {

namespace {

void AppendQuoted(std::string& out, const std::string& text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
          out += "\\x";
          out += kHex[static_cast<unsigned char>(c) >> 4];
          out += kHex[static_cast<unsigned char>(c) & 0xf];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

template <class Number>
void AppendNumber(std::string& out, Number value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendLeafValue(std::string& out, const Property& leaf) {
  out += PropertyTypeName(leaf.GetType());
  switch (leaf.GetType()) {
    case PT_BOOL:
      out += leaf.GetBool() ? " true" : " false";
      break;
    case PT_INT64:
      out += ' ';
      AppendNumber(out, leaf.GetInt64());
      break;
    case PT_DOUBLE:
      out += ' ';
      AppendNumber(out, leaf.GetDouble());
      break;
    case PT_STRING:
      out += ' ';
      AppendQuoted(out, leaf.GetString());
      break;
    case PT_RATIO: {
      const Property::Ratio ratio = leaf.GetRatio();
      out += ' ';
      AppendNumber(out, ratio.numerator());
      out += '/';
      AppendNumber(out, ratio.denominator());
      break;
    }
    default:
      break;
  }
}

void AppendTree(std::string& out, const Property& tree, std::size_t depth) {
  out.append(2 * depth, ' ');
  AppendQuoted(out, tree.GetName());
  if (tree.GetType() != PT_NODE) {
    out += ": ";
    AppendLeafValue(out, tree);
    return;
  }
  if (tree.Count() == 0) {
    out += " {}";
    return;
  }
  out += " {";
  for (const Property& child : tree) {
    out += '\n';
    AppendTree(out, child, depth + 1);
  }
  out += '\n';
  out.append(2 * depth, ' ');
  out += '}';
}

}  // namespace

std::string ToString(const Property& tree) {
  std::string out;
  AppendTree(out, tree, 0);
  return out;
}

std::ostream& operator<<(std::ostream& os, const Property& tree) { return os << ToString(tree); }

void PrintTo(const Property& tree, std::ostream* os) { *os << ToString(tree); }

}  // namespace Tivrel::Core
