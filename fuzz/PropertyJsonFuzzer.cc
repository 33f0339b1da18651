// Feeds the input bytes as text to the JSON reader of property trees. The reader must
// either refuse with Core::PropertyException or return a tree that the writer accepts
// and that reads back equal, with the same text when written again (so doubles keep
// their bits, -0.0 included). Any other exception leaves the target and is reported.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Platform/Core/PropertyJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace Tivrel::Core;
  Property tree;
  try {
    tree = PropertyFromJson(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const PropertyException&) {
    return 0;
  }
  const std::string text = PropertyToJson(tree);
  const Property back = PropertyFromJson(text);
  if (back != tree || PropertyToJson(back) != text) std::abort();
  return 0;
}
