// Fuzz target: the enciphered text form and the stored password verifier.
// Any field deciphers without reading or writing past it; any plain text
// enciphered deciphers back to itself, cut as the cipher keeps it.
#include <cstdint>
#include <vector>
#include <cstring>
#include <string>

#include "base/text.h"
#include "schedule/secret_text.h"
#include "tests/fuzz/fuzz_support.h"

using namespace hiyomi;
using namespace hiyomi::fuzzing;

namespace {

constexpr int kSecretRoom = 37;  // 36 bytes of text and the NUL

class NoPassword : public SecretPrompts {
 public:
  void Tell(const char*) noexcept override {}
  bool AskYesNo(const char*) noexcept override { return false; }
  void AskForPassword() noexcept override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t control = data[0];
  ++data;
  --size;
  static SecretTexts secrets = [] {
    SecretTexts s;
    s.Cipher().DeriveKey("pw");
    return s;
  }();
  secrets.SetMark(control & 0x80 ? '#' : kDefaultSecretMark);
  secrets.SetLockState(kUnlocked);

  // The bytes as a stored field.
  char field[kEntryTextSize] = {};
  std::memcpy(field, data, std::min(size, sizeof field));
  const MarkMode mode = control & 1 ? MarkMode::Keep : MarkMode::Drop;
  char copy[kEntryTextSize];
  std::memcpy(copy, field, sizeof copy);
  const bool secret = secrets.IsSecretForm(copy);
  const int result = secrets.DecipherText(copy, mode);
  Check(result == 0 || result == kDecipherCheckFailed);
  if (secret && result == 0) Check(copy[kEntryTextSize - 1] == '\0');
  char view[kEntryTextSize];
  if (secrets.ViewText(field, view)) Check(std::memchr(view, '\0', sizeof view) != nullptr);

  // The bytes as a text the user typed after the mark.
  char typed[kEntryTextSize] = {};
  typed[0] = secrets.Mark();
  std::memcpy(typed + 1, data, std::min(size, sizeof typed - 2));
  if (typed[1] != '\0' && static_cast<uint8_t>(typed[1]) != 0x01) {
    char plain[kEntryTextSize] = {};
    std::memcpy(plain, typed + 1, sizeof typed - 2);
    char cut[kEntryTextSize] = {};
    NoPassword prompts;
    char ciphered[kEntryTextSize];
    std::memcpy(ciphered, typed, sizeof typed);
    secrets.EncipherText(ciphered, prompts);
    Check(secrets.IsSecretForm(ciphered));
    Check(secrets.DecipherText(ciphered, MarkMode::Keep) == 0);
    Check(ciphered[0] == secrets.Mark());
    // What comes back is what was typed, cut on a character to the room
    // the cipher has.
    CopyText(cut, plain, kSecretRoom);
    Check(std::strcmp(cut, ciphered + 1) == 0);
  }

  // The bytes as a stored verifier.
  std::string stored(reinterpret_cast<const char*>(data), size);
  VerifierMatches(stored.c_str(), CheckValueOf("pw"));
  if (control & 2) {
    const std::string made = FormatVerifier(CheckValueOf(stored.c_str()), control);
    Check(made.size() == static_cast<size_t>(kVerifierDigits));
    Check(VerifierMatches(made.c_str(), CheckValueOf(stored.c_str())));
  }
  return 0;
}

// A field enciphered as the program writes it, and plain texts.
std::vector<std::string> FuzzTokens() {
  SecretTexts s;
  s.Cipher().DeriveKey("pw");
  s.SetLockState(kUnlocked);
  NoPassword prompts;
  char field[kEntryTextSize] = "&秘密の予定";
  s.EncipherText(field, prompts);
  return {std::string(1, '\0'), std::string(1, '\x81'), std::string(field, sizeof field),
          "&\x01", "&", "予定", "\x82", std::string(40, 'x'),
          "123045067089012345678901234567890123"};
}
