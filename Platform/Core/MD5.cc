// The low-level MD5 functions are deprecated in OpenSSL 3 in favour of EVP, but they
// need no heap context and are what the one-shot MD5() uses underneath.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "Platform/Core/MD5.h"

#include <openssl/md5.h>

#include <stdexcept>

namespace Tivrel::Core {

static_assert(sizeof(MD5_CTX) <= 128, "MD5 context storage too small");

namespace {
MD5_CTX* Context(unsigned char* storage) { return reinterpret_cast<MD5_CTX*>(storage); }
}  // namespace

MD5::MD5() : digest_{} { MD5_Init(Context(context_)); }

MD5::MD5(const std::string& text) : MD5() {
  update(text);
  finalize();
}

void MD5::update(const void* data, size_t size) {
  if (finalized_) throw std::logic_error("MD5::update called after finalize");
  if (data == nullptr && size != 0) throw std::invalid_argument("MD5::update called with NULL data");
  MD5_Update(Context(context_), data, size);
}

void MD5::finalize() {
  if (finalized_) return;
  MD5_Final(digest_, Context(context_));
  finalized_ = true;
}

std::string MD5::hexdigest() const {
  if (!finalized_) throw std::logic_error("MD5::hexdigest called before finalize");
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(32, '0');
  for (size_t i = 0; i < 16; ++i) {
    text[2 * i] = kHex[digest_[i] >> 4];
    text[2 * i + 1] = kHex[digest_[i] & 0x0f];
  }
  return text;
}

}  // namespace Tivrel::Core
