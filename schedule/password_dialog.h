// The password dialog PASSDLG: registering a password from the options, or
// entering it to unlock the secret texts.
#pragma once

#include <windows.h>

#include "schedule/secret_text.h"

namespace hiyomi {

class SettingsStore;

// 2 when the data was unlocked, 0 otherwise (cancelled or no key).
int RunPasswordDialog(HWND owner, bool registering, SecretTexts& secrets, SettingsStore& store);

// Prompts on message boxes over `owner`, the password dialog in entering mode.
class WindowSecretPrompts : public SecretPrompts {
 public:
  WindowSecretPrompts(HWND owner, SecretTexts& secrets, SettingsStore& store)
      : owner_(owner), secrets_(secrets), store_(store) {}
  void Tell(const char* text) noexcept override;
  bool AskYesNo(const char* text) noexcept override;
  void AskForPassword() noexcept override;

 private:
  HWND owner_;
  SecretTexts& secrets_;
  SettingsStore& store_;
};

}  // namespace hiyomi
