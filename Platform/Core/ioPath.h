#pragma once

#include <string>
#include <utility>

#include "Platform/Export.h"

namespace Tivrel {

// A file-system path. On this platform paths are byte strings holding UTF-8 text, so
// the path keeps the text it was given and utf8string returns it unchanged.
class TIVREL_VISIBLE ioPath {
public:
  ioPath() = default;
  ioPath(std::string utf8) : text_(std::move(utf8)) {}              // NOLINT(google-explicit-constructor)
  ioPath(const char* utf8) : text_(utf8 != nullptr ? utf8 : "") {}  // NOLINT(google-explicit-constructor)

  const std::string& utf8string() const { return text_; }
  bool empty() const { return text_.empty(); }
  bool operator==(const ioPath& other) const { return text_ == other.text_; }

private:
  std::string text_;
};

}  // namespace Tivrel
