// A thread hook owned by scope: removed when its owner goes.
#pragma once

#include <windows.h>

#include <utility>

namespace hiyomi {

class ScopedHook {
 public:
  ScopedHook() = default;
  ScopedHook(int kind, HOOKPROC procedure)
      : hook_(SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId())) {}
  ScopedHook(const ScopedHook&) = delete;
  ScopedHook& operator=(const ScopedHook&) = delete;
  ScopedHook(ScopedHook&& other) noexcept : hook_(std::exchange(other.hook_, nullptr)) {}
  ScopedHook& operator=(ScopedHook&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.hook_, nullptr));
    return *this;
  }
  ~ScopedHook() { Reset(); }

  void Reset(HHOOK hook = nullptr) {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    hook_ = hook;
  }
  explicit operator bool() const { return hook_ != nullptr; }

 private:
  HHOOK hook_ = nullptr;
};

}  // namespace hiyomi
