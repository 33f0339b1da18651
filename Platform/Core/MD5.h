#pragma once

#include <cstddef>
#include <string>

#include "Platform/Export.h"

namespace Tivrel::Core {

// Incremental MD5 (RFC 1321) over OpenSSL's libcrypto. Protocol: construct, update any
// number of times, finalize, then read hexdigest (32 lower-case hex digits). A second
// finalize does nothing. update after finalize and hexdigest before it throw
// std::logic_error; update with a null pointer and a non-zero size throws
// std::invalid_argument. update allocates nothing. A copy continues independently from
// the state copied. One object belongs to one thread at a time.
class TIVREL_PLATFORM_API MD5 {
public:
  MD5();
  // Digest of a whole text: constructs, updates with the text and finalizes.
  explicit MD5(const std::string& text);
  MD5(const MD5&) = default;
  MD5& operator=(const MD5&) = default;

  void update(const void* data, size_t size);
  void update(const std::string& text) { update(text.data(), text.size()); }
  void finalize();
  std::string hexdigest() const;

private:
  // Storage for OpenSSL's MD5_CTX, kept opaque so that this header needs no OpenSSL.
  alignas(8) unsigned char context_[128];
  unsigned char digest_[16];
  bool finalized_ = false;
};

}  // namespace Tivrel::Core
