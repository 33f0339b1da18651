#include "Proc/Interfaces/IDVDReader.h"

#include <cstddef>
#include <string>

// GCC 12 reports the regular-expression compiler's own std::function members as maybe
// uninitialised when building with sanitizers; the warning is about the standard header.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop

namespace Tivrel::Proc {

namespace {

// The pattern engine backtracks recursively, one stack frame per character that ".*"
// takes, and overflows the stack on texts of some ten thousand characters (sooner on a
// small thread stack). Texts longer than this are decided by DvdPathScan instead.
constexpr std::size_t kMaxPatternText = 1024;

// The same decision as the pattern, in one pass: the prefix, then the title marker before
// the first line feed or carriage return ("." matches neither).
bool DvdPathScan(const std::string& text) {
  const std::string& prefix = IDVDReader::DVD_PATH_PREFIX;
  if (text.compare(0, prefix.size(), prefix) != 0) return false;
  const std::size_t lineEnd = text.find_first_of("\n\r", prefix.size());
  const std::size_t title = text.find(IDVDReader::DVD_TITLE_PREFIX, prefix.size());
  return title != std::string::npos && title < lineEnd;
}

}  // namespace

bool IDVDReader::IsDVDPath(const ioPath& path) {
  // Built on first use; a throwing compilation leaves the static unbuilt, so the next call
  // compiles again. Concurrent first calls wait for the one that builds it.
  static const std::string patternText = "^" + DVD_PATH_PREFIX + ".*" + DVD_TITLE_PREFIX + ".*";
  static const std::regex pattern(patternText, std::regex::ECMAScript);
  const std::string& text = path.utf8string();
  if (text.size() > kMaxPatternText) return DvdPathScan(text);
  return std::regex_search(text, pattern);
}

}  // namespace Tivrel::Proc
