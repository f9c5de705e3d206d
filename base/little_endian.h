// Little-endian fields of the on-disk records, independent of the host's
// byte order.
#pragma once

#include <cstdint>

namespace hiyomi {

inline void PutI32(std::uint8_t* p, std::int32_t v) noexcept {
  const auto u = static_cast<std::uint32_t>(v);
  p[0] = static_cast<std::uint8_t>(u);
  p[1] = static_cast<std::uint8_t>(u >> 8);
  p[2] = static_cast<std::uint8_t>(u >> 16);
  p[3] = static_cast<std::uint8_t>(u >> 24);
}

inline std::int32_t GetI32(const std::uint8_t* p) noexcept {
  const std::uint32_t u = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                          std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  return static_cast<std::int32_t>(u);
}

}  // namespace hiyomi
