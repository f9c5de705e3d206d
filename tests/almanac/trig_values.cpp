// The almanac's sine and cosine over a grid of its domain, as bits, for
// tests/reference/trig_reference.py to check against correctly rounded values.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "almanac/trig.h"

namespace hiyomi {
namespace {

std::uint64_t Bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

int PrintValues() {
  for (int i = -50000; i <= 50000; ++i) {
    const double x = i * 0.0421 + 0.000123 * (i % 7);
    std::printf("%016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", Bits(x), Bits(AlmanacSin(x)),
                Bits(AlmanacCos(x)));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace
}  // namespace hiyomi

int main() { return hiyomi::PrintValues(); }
