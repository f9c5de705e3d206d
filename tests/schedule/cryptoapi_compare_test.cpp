// The portable key derivation and cipher must give the very bytes the
// system's CryptoAPI gives for the same password, or texts enciphered by
// older installations could not be read.
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "schedule/secret_text.h"

namespace hiyomi {
namespace {

struct CryptoApiKey {
  HCRYPTPROV prov = 0;
  HCRYPTHASH hash = 0;
  HCRYPTKEY key = 0;
  ~CryptoApiKey() {
    if (key) CryptDestroyKey(key);
    if (hash) CryptDestroyHash(hash);
    if (prov) CryptReleaseContext(prov, 0);
  }
  bool Derive(const char* password) {
    // A fresh profile has no default key container: a verify context needs none.
    return CryptAcquireContextA(&prov, nullptr, "Microsoft Base Cryptographic Provider v1.0",
                                PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
           CryptCreateHash(prov, CALG_MD5, 0, 0, &hash) &&
           CryptHashData(hash, reinterpret_cast<const BYTE*>(password),
                         static_cast<DWORD>(std::strlen(password) + 1), 0) &&
           CryptDeriveKey(prov, CALG_RC4, hash, CRYPT_EXPORTABLE, &key);
  }
};

// The first five key bytes, worked out apart with Python's hashlib: MD5 of
// the password's bytes (code page 932) and its NUL.
struct KnownKey {
  const char* password;
  BYTE key[5];
};
const KnownKey kKnownKeys[] = {
    {"a", {0x41, 0x44, 0xe1, 0x95, 0xf4}},
    {"pw", {0xfd, 0xaf, 0x06, 0x51, 0x00}},
    {"パスワード", {0xd0, 0xd0, 0x18, 0x2e, 0xe3}},
};

TEST(CryptoApi, DerivesTheKnownKeys) {
  for (const KnownKey& k : kKnownKeys) {
    SCOPED_TRACE(k.password);
    CryptoApiKey api;
    ASSERT_TRUE(api.Derive(k.password)) << GetLastError();
    DWORD blobSize = 0;
    ASSERT_TRUE(CryptExportKey(api.key, 0, PLAINTEXTKEYBLOB, 0, nullptr, &blobSize));
    std::vector<BYTE> blob(blobSize);
    ASSERT_TRUE(CryptExportKey(api.key, 0, PLAINTEXTKEYBLOB, 0, blob.data(), &blobSize));
    ASSERT_GE(blob.size(), sizeof(BLOBHEADER) + sizeof(DWORD) + 5);
    EXPECT_EQ(std::memcmp(blob.data() + sizeof(BLOBHEADER) + sizeof(DWORD), k.key, 5), 0);
    EXPECT_EQ(std::memcmp(KeyOfPassword(k.password).data(), k.key, 5), 0);
  }
}

TEST(CryptoApi, SameKeyAndCipherBytes) {
  for (const char* password : {"a", "pw", "パスワード", "0123456789abcdefghijklmnopqrstuv"}) {
    SCOPED_TRACE(password);
    CryptoApiKey api;
    ASSERT_TRUE(api.Derive(password)) << GetLastError();

    DWORD bits = 0, size = sizeof bits;
    ASSERT_TRUE(CryptGetKeyParam(api.key, KP_KEYLEN, reinterpret_cast<BYTE*>(&bits), &size, 0));
    EXPECT_EQ(bits, 40u);

    // The plain key blob: header, length, then the key bytes.
    DWORD blobSize = 0;
    ASSERT_TRUE(CryptExportKey(api.key, 0, PLAINTEXTKEYBLOB, 0, nullptr, &blobSize));
    std::vector<BYTE> blob(blobSize);
    ASSERT_TRUE(CryptExportKey(api.key, 0, PLAINTEXTKEYBLOB, 0, blob.data(), &blobSize));
    DWORD keyLength = 0;
    std::memcpy(&keyLength, blob.data() + sizeof(BLOBHEADER), sizeof keyLength);
    ASSERT_EQ(keyLength, 5u);
    const CipherKey mine = KeyOfPassword(password);
    EXPECT_EQ(std::memcmp(blob.data() + sizeof(BLOBHEADER) + sizeof(DWORD), mine.data(), 5), 0);

    CipherContext ours;
    ASSERT_TRUE(ours.DeriveKey(password));
    for (size_t length : {1u, 4u, 37u}) {
      BYTE theirs[64];
      uint8_t bytes[64];
      for (size_t i = 0; i < length; ++i) theirs[i] = bytes[i] = static_cast<uint8_t>('A' + i);
      DWORD n = static_cast<DWORD>(length);
      // Final each time: every call starts the key stream again.
      ASSERT_TRUE(CryptEncrypt(api.key, 0, TRUE, 0, theirs, &n, sizeof theirs));
      ASSERT_EQ(n, length);
      ASSERT_TRUE(ours.EncryptBytes(bytes, length));
      EXPECT_EQ(std::memcmp(theirs, bytes, length), 0) << length;
      ASSERT_TRUE(CryptDecrypt(api.key, 0, TRUE, 0, theirs, &n));
      EXPECT_EQ(theirs[0], 'A');
    }
  }
}

}  // namespace
}  // namespace hiyomi
