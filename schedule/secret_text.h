// Secret schedule texts: the key from the user's password, the enciphered
// text form in the data files, the lock state and the password verifier.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "schedule/prompts.h"
#include "schedule/records.h"

namespace hiyomi {

class SettingsStore;

enum LockState : int { kLockOff = 0, kLocked = 1, kUnlocked = 2 };
enum class MarkMode { Keep, Drop };  // dialogs keep the mark in front; the view drops it

inline constexpr int kDecipherLocked = -1;
inline constexpr int kDecipherCheckFailed = 1;
inline constexpr int kPasswordMaxChars = 32;
inline constexpr int kVerifierDigits = 36;
inline constexpr char kDefaultSecretMark = '&';

// The RC4 key of a password: MD5 over the text and its NUL, the first five
// bytes of the digest (40 bits) followed by eleven zero bytes of salt.
using CipherKey = std::array<uint8_t, 16>;
CipherKey KeyOfPassword(const char* password) noexcept;

// The key of the current run; each call ciphers from the key stream's start.
class CipherContext {
 public:
  ~CipherContext() { ReleaseKey(); }
  bool DeriveKey(const char* password) noexcept;
  void ReleaseKey() noexcept;
  bool Live() const noexcept { return live_; }
  const CipherKey& Key() const noexcept { return key_; }
  bool EncryptBytes(uint8_t* data, size_t size) noexcept;
  bool DecryptBytes(uint8_t* data, size_t size) noexcept { return EncryptBytes(data, size); }

 private:
  bool live_ = false;
  CipherKey key_{};
};

// What enciphering may need from the user when the data is locked.
class SecretPrompts : public UserPrompts {
 public:
  // Opens the password dialog in entering mode.
  virtual void AskForPassword() noexcept = 0;
};

class SecretTexts {
 public:
  CipherContext& Cipher() noexcept { return cipher_; }
  int LockState() const noexcept { return state_; }
  // Leaving the unlocked state releases the key.
  void SetLockState(int state) noexcept;
  // When the view's menu is built: the option off means off; off with the
  // option on means locked.
  void FollowOption(bool secretOn) noexcept;
  char Mark() const noexcept { return mark_; }
  void SetMark(char mark) noexcept { mark_ = mark; }

  // Reads PassChar (an empty value keeps the mark) and Secret from Default.
  void LoadSettings(SettingsStore& store) noexcept;

  // `text` is an entry's 41-byte field.
  void EncipherText(char* text, SecretPrompts& prompts) noexcept;
  // 0 plain or deciphered, kDecipherLocked, kDecipherCheckFailed.
  int DecipherText(char* text, MarkMode mode) noexcept;
  bool IsSecretForm(const char* text) const noexcept;
  // For the view, print and export: the text to draw, false when the entry
  // is to be skipped (locked, or enciphered under another password).
  bool ViewText(const char* text, char (&out)[kEntryTextSize]) noexcept;

 private:
  CipherContext cipher_;
  int state_ = kLockOff;
  char mark_ = kDefaultSecretMark;
};

// The four check bytes of a password: "****" appended, its first four bytes
// enciphered with the password's own key.
std::array<uint8_t, 4> CheckValueOf(const char* password) noexcept;
// Twelve "%03d" groups: r r e2 r e1 r r r e0 r e3 r, r from the seed.
std::string FormatVerifier(const std::array<uint8_t, 4>& check, uint32_t seed);
// Whether a stored verifier (36 digits) carries these check bytes.
bool VerifierMatches(const char* stored, const std::array<uint8_t, 4>& check) noexcept;

// The password dialog's decisions, apart from its window.
enum class PasswordStep { KeepOpen, CloseFailed, CloseUnlocked };
// On opening: the data locks. In entering mode without a registered
// verifier the user may switch to registering; returns the mode to show.
bool OpenPasswordDialog(bool registering, SecretTexts& secrets, SettingsStore& store,
                        UserPrompts& prompts) noexcept;
// "OK" with the typed texts (`confirm` is used only when registering).
PasswordStep ConfirmPassword(bool registering, const char* password, const char* confirm,
                             SecretTexts& secrets, SettingsStore& store, UserPrompts& prompts,
                             uint32_t seed) noexcept;

}  // namespace hiyomi
