// What the schedule core asks of the user, behind an interface so the core
// stays portable and tests can give the answers.
#pragma once

namespace hiyomi {

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // An information message with an OK button.
  virtual void Tell(const char* text) noexcept = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(const char* text) noexcept = 0;
};

// Told after a year file was written, once per file.
class YearFileListener {
 public:
  virtual ~YearFileListener() = default;
  virtual void YearFileWritten() noexcept = 0;
};

}  // namespace hiyomi
