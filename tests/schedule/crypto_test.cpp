// MD5 and RC4 against their published test vectors.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "schedule/md5.h"
#include "schedule/rc4.h"
#include "schedule/secret_text.h"

namespace hiyomi {
namespace {

std::string Hex(const uint8_t* p, size_t n) {
  std::string s;
  char b[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(b, sizeof b, "%02x", p[i]);
    s += b;
  }
  return s;
}

TEST(Md5, Rfc1321Vectors) {
  const struct {
    const char* text;
    const char* digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : cases) {
    const Md5Digest d = Md5Of(c.text, std::strlen(c.text));
    EXPECT_EQ(Hex(d.data(), d.size()), c.digest) << c.text;
  }
}

TEST(Md5, PiecewiseUpdatesEqualOneShot) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 26);
  const Md5Digest whole = Md5Of(text.data(), text.size());
  for (size_t cut : {1u, 55u, 56u, 63u, 64u, 65u, 200u}) {
    Md5 md5;
    md5.Update(text.data(), cut);
    md5.Update(text.data() + cut, text.size() - cut);
    EXPECT_EQ(md5.Final(), whole) << cut;
  }
}

TEST(Rc4, Rfc6229Vectors) {
  const uint8_t key40[] = {1, 2, 3, 4, 5};
  uint8_t key128[16];
  for (int i = 0; i < 16; ++i) key128[i] = static_cast<uint8_t>(i + 1);
  const struct {
    const uint8_t* key;
    size_t keySize;
    size_t offset;
    const char* stream;
  } cases[] = {
      {key40, 5, 0, "b2396305f03dc027ccc3524a0a1118a8"},
      {key40, 5, 16, "6982944f18fc82d589c403a47a0d0919"},
      {key40, 5, 240, "28cb1132c96ce286421dcaadb8b69eae"},
      {key40, 5, 256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
      {key128, 16, 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
  };
  for (const auto& c : cases) {
    Rc4 rc4(c.key, c.keySize);
    rc4.Skip(c.offset);
    uint8_t out[16] = {};
    rc4.Apply(out, sizeof out);
    EXPECT_EQ(Hex(out, sizeof out), c.stream) << c.keySize << "@" << c.offset;
  }
}

// Keys and cipher bytes worked out apart from this code (Python's hashlib
// and a few lines of RC4): MD5 over the password's bytes and its NUL, the
// first five bytes of the digest, eleven zero bytes of salt. The derivation
// and the cipher are checked against these, not against each other.
TEST(KeyOfPassword, LiteralKeysAndCipherBytes) {
  const struct {
    const char* password;
    uint8_t key[5];
    const char* plain;
    const char* cipher;
  } cases[] = {
      {"a", {0x41, 0x44, 0xe1, 0x95, 0xf4}, "ABCD", "36a2d8ab"},
      {"pw", {0xfd, 0xaf, 0x06, 0x51, 0x00}, "abc&", "106521ac"},
      {"ab", {0x5d, 0x36, 0xfe, 0x0e, 0x22}, "ab**", "bfc1fc0a"},
      {"パスワード", {0xd0, 0xd0, 0x18, 0x2e, 0xe3},  // its code page 932 bytes
       "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcde",
       "c85d6a7b5a2033b4c40d5a62cce8546886ac269720081d9ebf3ba81b7ac9515b820a84b6bd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.password);
    uint8_t key[16] = {};
    std::memcpy(key, c.key, 5);
    EXPECT_EQ(Hex(KeyOfPassword(c.password).data(), 16), Hex(key, 16));

    const size_t n = std::strlen(c.plain);
    std::vector<uint8_t> literal(c.plain, c.plain + n);
    Rc4(key, sizeof key).Apply(literal.data(), n);
    EXPECT_EQ(Hex(literal.data(), n), c.cipher);

    std::vector<uint8_t> derived(c.plain, c.plain + n);
    CipherContext context;
    ASSERT_TRUE(context.DeriveKey(c.password));
    ASSERT_TRUE(context.EncryptBytes(derived.data(), n));
    EXPECT_EQ(Hex(derived.data(), n), c.cipher);
  }
}

}  // namespace
}  // namespace hiyomi
