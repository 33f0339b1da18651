#pragma once

// The JSON form of a property tree: text to tree and back, so that settings trees can be
// kept in files. Nothing here touches files; the caller reads and writes the text.
//
// Document format: one JSON object per node,
//   {"name": "<node name>", "<kind>": <value>}
// with "name" and exactly one kind key:
//   "bool"      true or false
//   "int"       an integer in the 64-bit signed range, written without fraction or exponent
//   "double"    a number; written so that it reads back bit-exact (-0.0 included) and always
//               with a fraction or an exponent ("1.0", "1e+300"); an integer is accepted
//   "string"    a string (UTF-8)
//   "ratio"     [numerator, denominator]: two 64-bit integers, the denominator not 0; the
//               value is reduced on reading, as the tree stores it
//   "children"  an array of nodes in order, names may repeat; [] is a node without children
// Keys may come in any order. Example, as written (one node a line):
//   {"name": "$$EFFECT$$", "children": [
//     {"name": "width", "int": 1920},
//     {"name": "rate", "ratio": [30000, 1001]},
//     {"name": "crop", "children": []}
//   ]}
//
// Refusals throw PropertyException whose TagDescription names the position:
// - malformed JSON (syntax, bad UTF-8, trailing text, a number too large for a double):
//   the line and column (both from 1; the column counts bytes) and the byte offset;
// - well-formed JSON of the wrong shape: the JSON pointer of the offending value, e.g.
//   "/children/2/int" ("" is the root node). Refused are: a missing name, a node without a
//   kind key, two kind keys, unknown and duplicate keys, values of the wrong JSON type,
//   integers out of the 64-bit range, numbers with a fraction or exponent where an integer
//   is expected, a ratio that is not two integers or has a zero denominator or cannot be
//   reduced within 64 bits, and nodes nested deeper than kPropertyJsonMaxDepth.
// Writing refuses, naming the node's JSON pointer, what JSON cannot hold: a double that is
// not finite, names or strings that are not valid UTF-8, a tree deeper than
// kPropertyJsonMaxDepth.
//
// Every tree that is written reads back equal (names, order, kinds and values exactly).
// Both functions keep no state and may run concurrently; nesting is checked before
// descending, so deep input cannot exhaust the stack.

#include <string>

#include "Platform/Core/Property.h"
#include "Platform/Export.h"

namespace Tivrel::Core {

// Levels of nodes a document may nest; the root is level 1.
inline constexpr int kPropertyJsonMaxDepth = 64;

// The tree as pretty-printed JSON text ending in a line feed.
TIVREL_PLATFORM_API std::string PropertyToJson(const Property& tree);

// The tree of a JSON document (one root node object, nothing after it but white space).
TIVREL_PLATFORM_API Property PropertyFromJson(const std::string& text);

}  // namespace Tivrel::Core
