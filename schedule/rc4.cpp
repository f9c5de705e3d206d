#include "schedule/rc4.h"

#include <utility>

namespace hiyomi {

Rc4::Rc4(const uint8_t* key, size_t keySize) noexcept {
  for (int k = 0; k < 256; ++k) s_[k] = static_cast<uint8_t>(k);
  uint8_t j = 0;
  for (int k = 0; k < 256; ++k) {
    const uint8_t keyByte = keySize > 0 ? key[k % keySize] : 0;
    j = static_cast<uint8_t>(j + s_[k] + keyByte);
    std::swap(s_[k], s_[j]);
  }
}

void Rc4::Apply(uint8_t* data, size_t size) noexcept {
  for (size_t k = 0; k < size; ++k) {
    i_ = static_cast<uint8_t>(i_ + 1);
    j_ = static_cast<uint8_t>(j_ + s_[i_]);
    std::swap(s_[i_], s_[j_]);
    data[k] ^= s_[static_cast<uint8_t>(s_[i_] + s_[j_])];
  }
}

void Rc4::Skip(size_t count) noexcept {
  uint8_t scratch[64];
  while (count > 0) {
    const size_t n = count < sizeof scratch ? count : sizeof scratch;
    for (size_t k = 0; k < n; ++k) scratch[k] = 0;
    Apply(scratch, n);
    count -= n;
  }
}

}  // namespace hiyomi
