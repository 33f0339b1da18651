#pragma once

// The per-frame digest listing: comment lines starting with '#', then one line per frame,
// "<index>, <time>, <duration>, <digest>" with times in microseconds and the digest text of
// the frame's pixels. Two runs with the same arguments give the same listing, so runs are
// compared with diff.

#include <cstdio>
#include <functional>
#include <string>

namespace StillImage {

class DigestListing {
public:
  // Writes to `out` (borrowed), named `name` in messages. `beforeWrite` (may be empty) runs
  // before every write, so that a progress bar on the same terminal can step aside.
  DigestListing(std::FILE* out, std::string name, std::function<void()> beforeWrite);

  // One "# <text>" line.
  void WriteComment(const std::string& text);
  // One frame line, pushed to the file at once so that readers see whole lines as they come.
  void WriteFrame(long long index, long long time, long long duration, const std::string& digest);

private:
  void Put(const char* text);

  std::FILE* out_;
  std::string name_;
  std::function<void()> beforeWrite_;
};

}  // namespace StillImage
