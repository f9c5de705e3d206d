#include "schedule/secret_text.h"

#include <cstdio>
#include <cstring>
#include <random>

#include "schedule/md5.h"
#include "schedule/rc4.h"
#include "schedule/records.h"
#include "settings/settings_store.h"
#include "base/text.h"

namespace hiyomi {
namespace {

constexpr char kAskPassword[] = "暗号化用のパスワードを入力してください。　　";
constexpr char kEncryptFailed[] = "暗号化に失敗しました。　　";
constexpr char kAskRegister[] = "パスワード未登録です。登録しますか？　　";
constexpr char kNoPassword[] = "パスワードを入力してください。　　";
constexpr char kKeyFailed[] = "パスワード初期化エラーが発生しました。　　";
constexpr char kConfirmMismatch[] = "パスワードが一致しません。　　";
constexpr char kAskRetry[] = "登録パスワードと一致しません。再入力しますか？　　";
constexpr uint8_t kSecretTag = 0x01;
constexpr int kMaxCipherBytes = 37;  // 36 bytes of text and the mark
// Where the check bytes sit among the verifier's twelve groups.
constexpr int kGroupOfE0 = 8, kGroupOfE1 = 4, kGroupOfE2 = 2, kGroupOfE3 = 10;

}  // namespace

CipherKey KeyOfPassword(const char* password) noexcept {
  const Md5Digest digest = Md5Of(password, std::strlen(password) + 1);
  CipherKey key{};
  std::memcpy(key.data(), digest.data(), 5);
  return key;
}

bool CipherContext::DeriveKey(const char* password) noexcept {
  ReleaseKey();
  key_ = KeyOfPassword(password);
  live_ = true;
  return true;
}

void CipherContext::ReleaseKey() noexcept {
  // Wiped through a volatile pointer so the store is not optimised away.
  volatile uint8_t* p = key_.data();
  for (size_t i = 0; i < key_.size(); ++i) p[i] = 0;
  live_ = false;
}

bool CipherContext::EncryptBytes(uint8_t* data, size_t size) noexcept {
  if (!live_) return false;
  Rc4 rc4(key_.data(), key_.size());
  rc4.Apply(data, size);
  return true;
}

void SecretTexts::SetLockState(int state) noexcept {
  if (state != kUnlocked) cipher_.ReleaseKey();
  state_ = state;
}

void SecretTexts::FollowOption(bool secretOn) noexcept {
  if (!secretOn) {
    SetLockState(kLockOff);
  } else if (state_ == kLockOff) {
    SetLockState(kLocked);
  }
}

void SecretTexts::LoadSettings(SettingsStore& store) noexcept {
  char mark[8];
  // Read without a default: an empty or missing value keeps the mark, which
  // starts as '&'.
  store.ReadString("PassChar", "", mark, sizeof mark, kDefaultSection);
  if (mark[0] != '\0') mark_ = mark[0];
  FollowOption(store.ReadBool("Secret", "0", kDefaultSection));
}

bool SecretTexts::IsSecretForm(const char* text) const noexcept {
  return text[0] == mark_ && static_cast<uint8_t>(text[1]) == kSecretTag;
}

void SecretTexts::EncipherText(char* text, SecretPrompts& prompts) noexcept {
  if (mark_ == '\0' || text[0] != mark_ || static_cast<uint8_t>(text[1]) == kSecretTag || state_ == kLockOff) return;
  if (state_ == kLocked) {
    prompts.Tell(kAskPassword);
    prompts.AskForPassword();
    if (state_ != kUnlocked) return;
  }
  // The text after the mark is cut to 36 bytes on a character boundary: a
  // lead byte alone would garble the deciphered text's last character.
  char plain[kMaxCipherBytes];
  char whole[kEntryTextSize] = {};
  std::memcpy(whole, text + 1, kEntryTextSize - 2);
  CopyText(plain, whole, sizeof plain);
  const size_t total = std::strlen(plain) + 1;  // mark included
  uint8_t bytes[kMaxCipherBytes];
  std::memcpy(bytes, plain, total - 1);
  bytes[total - 1] = static_cast<uint8_t>(mark_);  // the check byte
  if (!cipher_.EncryptBytes(bytes, total)) {
    prompts.Tell(kEncryptFailed);
    return;
  }
  char out[kEntryTextSize] = {};
  out[0] = mark_;
  out[1] = static_cast<char>(kSecretTag);
  out[2] = static_cast<char>(total);
  std::memcpy(out + 3, bytes, total);
  std::memcpy(text, out, kEntryTextSize);
}

int SecretTexts::DecipherText(char* text, MarkMode mode) noexcept {
  if (!IsSecretForm(text)) return 0;
  if (state_ == kLockOff) {
    if (mode == MarkMode::Drop) std::memset(text, 0, kEntryTextSize);
    return 0;
  }
  if (state_ == kLocked) return kDecipherLocked;
  size_t n = static_cast<uint8_t>(text[2]);
  if (n > kMaxCipherBytes) n = kMaxCipherBytes;
  if (n == 0) return kDecipherCheckFailed;
  uint8_t bytes[kMaxCipherBytes];
  std::memcpy(bytes, text + 3, n);
  if (!cipher_.DecryptBytes(bytes, n) || bytes[n - 1] != static_cast<uint8_t>(mark_)) {
    return kDecipherCheckFailed;
  }
  const size_t plain = n - 1;
  char out[kEntryTextSize] = {};
  size_t at = 0;
  if (mode == MarkMode::Keep) out[at++] = mark_;
  std::memcpy(out + at, bytes, plain);
  std::memcpy(text, out, kEntryTextSize);
  return 0;
}

bool SecretTexts::ViewText(const char* text, char (&out)[kEntryTextSize]) noexcept {
  std::memcpy(out, text, sizeof out);
  out[sizeof out - 1] = '\0';
  return DecipherText(out, MarkMode::Drop) == 0;
}

std::array<uint8_t, 4> CheckValueOf(const char* password) noexcept {
  CipherContext cipher;
  cipher.DeriveKey(password);
  char padded[kPasswordMaxChars * 2 + 8];
  std::snprintf(padded, sizeof padded, "%s****", password);
  std::array<uint8_t, 4> check;
  std::memcpy(check.data(), padded, 4);
  cipher.EncryptBytes(check.data(), check.size());
  return check;
}

std::string FormatVerifier(const std::array<uint8_t, 4>& check, uint32_t seed) {
  std::minstd_rand random(seed);
  std::uniform_int_distribution<int> group(0, 999);
  int values[12];
  for (int& v : values) v = group(random);
  values[kGroupOfE0] = check[0];
  values[kGroupOfE1] = check[1];
  values[kGroupOfE2] = check[2];
  values[kGroupOfE3] = check[3];
  std::string out;
  char digits[8];
  for (int v : values) {
    std::snprintf(digits, sizeof digits, "%03d", v);
    out += digits;
  }
  return out;
}

bool VerifierMatches(const char* stored, const std::array<uint8_t, 4>& check) noexcept {
  if (std::strlen(stored) != kVerifierDigits) return false;
  auto group = [stored](int g) {
    int v = 0;
    for (int i = 0; i < 3; ++i) {
      const char c = stored[g * 3 + i];
      if (c < '0' || c > '9') return -1;
      v = v * 10 + (c - '0');
    }
    return v;
  };
  return group(kGroupOfE2) == check[2] && group(kGroupOfE1) == check[1] &&
         group(kGroupOfE0) == check[0] && group(kGroupOfE3) == check[3];
}

bool OpenPasswordDialog(bool registering, SecretTexts& secrets, SettingsStore& store,
                        UserPrompts& prompts) noexcept {
  if (!registering) {
    char stored[kVerifierDigits + 8];
    store.ReadString("Pass", "", stored, sizeof stored, kDefaultSection);
    if (std::strlen(stored) != kVerifierDigits && prompts.AskYesNo(kAskRegister)) registering = true;
  }
  secrets.SetLockState(kLocked);
  return registering;
}

PasswordStep ConfirmPassword(bool registering, const char* password, const char* confirm,
                             SecretTexts& secrets, SettingsStore& store, UserPrompts& prompts,
                             uint32_t seed) noexcept {
  if (password[0] == '\0') {
    prompts.Tell(kNoPassword);
    return PasswordStep::KeepOpen;
  }
  if (!secrets.Cipher().DeriveKey(password)) {
    prompts.Tell(kKeyFailed);
    return PasswordStep::CloseFailed;
  }
  const std::array<uint8_t, 4> check = CheckValueOf(password);
  if (registering) {
    if (std::strcmp(password, confirm) != 0) {
      secrets.Cipher().ReleaseKey();
      prompts.Tell(kConfirmMismatch);
      return PasswordStep::KeepOpen;
    }
    store.WriteString("Pass", FormatVerifier(check, seed).c_str(), kDefaultSection);
  } else {
    char stored[kVerifierDigits + 8];
    store.ReadString("Pass", "", stored, sizeof stored, kDefaultSection);
    // "No" goes on with the typed password: the user's own choice.
    if (!VerifierMatches(stored, check) && prompts.AskYesNo(kAskRetry)) {
      secrets.Cipher().ReleaseKey();
      return PasswordStep::KeepOpen;
    }
  }
  secrets.SetLockState(kUnlocked);
  return PasswordStep::CloseUnlocked;
}

}  // namespace hiyomi
