// The prompts of the schedule core on the program's message boxes.
#pragma once

#include "schedule/prompts.h"

namespace hiyomi {

class MessagePrompts : public UserPrompts {
 public:
  // `owner` is the window the boxes centre over (an HWND), or null.
  explicit MessagePrompts(void* owner = nullptr) noexcept : owner_(owner) {}
  void SetOwner(void* owner) noexcept { owner_ = owner; }
  void* Owner() const noexcept { return owner_; }
  void Tell(const char* text) noexcept override;
  bool AskYesNo(const char* text) noexcept override;

 private:
  void* owner_;
};

}  // namespace hiyomi
