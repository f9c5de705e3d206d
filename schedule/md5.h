// MD5 (RFC 1321), for deriving the key of secret texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace hiyomi {

using Md5Digest = std::array<uint8_t, 16>;

class Md5 {
 public:
  Md5() noexcept;
  void Update(const void* data, size_t size) noexcept;
  Md5Digest Final() noexcept;

 private:
  void Block(const uint8_t* p) noexcept;
  uint32_t state_[4];
  uint64_t length_ = 0;  // bytes so far
  uint8_t buffer_[64];
};

Md5Digest Md5Of(const void* data, size_t size) noexcept;

}  // namespace hiyomi
