// The almanac's own sine and cosine: correctly rounded, same in both builds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "almanac/trig.h"

namespace hiyomi {

namespace {

std::uint64_t Bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// By bits: sine keeps the sign of a zero, which == cannot see.
TEST(AlmanacTrig, ExactPoints) {
  EXPECT_EQ(Bits(AlmanacSin(0.0)), Bits(0.0));
  EXPECT_EQ(Bits(AlmanacCos(0.0)), Bits(1.0));
  EXPECT_EQ(Bits(AlmanacSin(-0.0)), Bits(-0.0));
  EXPECT_EQ(Bits(AlmanacCos(-0.0)), Bits(1.0));
}

// Correctly rounded values (checked with 120-bit arithmetic) for arguments
// where common C runtimes round the other way.
TEST(AlmanacTrig, CorrectlyRoundedWhereRuntimesDiffer) {
  struct Case {
    double x;
    double sinx;
    double cosx;
  };
  const Case cases[] = {
      {-0x1.429b812254c86p+12, 0x1.50b5514ba6d51p-4, -0x1.fe44635c4dc29p-1},
      {0x1.fd4dc7476d13p+12, -0x1.ab0dc356d55dcp-2, 0x1.d15980db5b089p-1},
      {0x1.06b4218374c7ep+12, -0x1.8863bb30bf145p-3, 0x1.f683bb662b82dp-1},
      {0x1.36baf8426ecbep+12, 0x1.fc9ab0710535cp-1, -0x1.d6f65eedfc59fp-4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bits(AlmanacSin(c.x)), Bits(c.sinx)) << c.x;
    EXPECT_EQ(Bits(AlmanacCos(c.x)), Bits(c.cosx)) << c.x;
  }
}

// A fingerprint of 100001 arguments across the almanac's domain, computed
// from correctly rounded values (120-bit arithmetic): the same bits in the
// native and the Windows build. tests/reference/trig_reference.py checks the
// same arguments one by one (CTest almanac_trig_vs_reference).
TEST(AlmanacTrig, FingerprintOverTheDomain) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (int i = -50000; i <= 50000; ++i) {
    const double x = i * 0.0421 + 0.000123 * (i % 7);
    for (std::uint64_t v : {Bits(AlmanacSin(x)), Bits(AlmanacCos(x))}) {
      h ^= v;
      h *= 0x100000001b3ull;
    }
  }
  EXPECT_EQ(h, 0xa649090bf4ae3785ull) << std::hex << h;
}

}  // namespace

}  // namespace hiyomi
