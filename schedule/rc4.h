// RC4, the stream cipher of secret texts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hiyomi {

class Rc4 {
 public:
  Rc4(const uint8_t* key, size_t keySize) noexcept;
  // XORs the next key-stream bytes into data.
  void Apply(uint8_t* data, size_t size) noexcept;
  // Discards key-stream bytes (for the RFC 6229 vectors at an offset).
  void Skip(size_t count) noexcept;

 private:
  uint8_t s_[256];
  uint8_t i_ = 0;
  uint8_t j_ = 0;
};

}  // namespace hiyomi
