// Drives a modal dialog from inside its own message loop: a thread timer
// fires once the dialog runs, finds it by title and hands it to the test.
#pragma once

#include <windows.h>

#include <functional>

namespace hiyomi::testing {

inline std::function<void(HWND)>& PendingDriver() {
  static std::function<void(HWND)> driver;
  return driver;
}

inline const char*& PendingTitle() {
  static const char* title = nullptr;
  return title;
}

inline void CALLBACK DriveDialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = FindWindowA("#32770", PendingTitle());
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;  // not up yet: try again
  KillTimer(nullptr, id);
  auto driver = std::move(PendingDriver());
  PendingDriver() = nullptr;
  driver(dialog);
}

// Call just before the code that runs the dialog; `driver` must end it.
inline void DriveNextDialog(const char* title, std::function<void(HWND)> driver) {
  PendingTitle() = title;
  PendingDriver() = std::move(driver);
  SetTimer(nullptr, 0, 20, DriveDialogTimer);
}

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

}  // namespace hiyomi::testing
