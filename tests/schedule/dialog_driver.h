// Drives a modal dialog or message box from inside its own message loop: a
// thread timer fires once it runs, finds it and hands it to the test. One
// driver waits at a time; one that never found its window fails the test,
// at its deadline when a message loop runs, else at the test's end.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace hiyomi::testing {

inline constexpr DWORD kDriverDeadlineMs = 10000;

struct PendingDriverState {
  std::string what;  // for the failure message
  std::function<HWND()> find;
  std::function<void(HWND)> driver;
  UINT_PTR timer = 0;
  DWORD started = 0;
  int runs = 0;  // drivers that found their window, in this program
};

inline PendingDriverState& PendingDriver() {
  static PendingDriverState pending;
  return pending;
}

inline void StopPendingDriver() {
  PendingDriverState& p = PendingDriver();
  if (p.timer != 0) KillTimer(nullptr, p.timer);
  p.timer = 0;
  p.find = nullptr;
  p.driver = nullptr;
}

// Ends every dialog and box of this thread, so that a test whose window
// never came fails at once instead of waiting in someone else's loop.
inline void EndThreadDialogs() {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" && IsWindowVisible(window)) EndDialog(window, 0);
        return TRUE;
      },
      0);
}

inline void CALLBACK DriveDialogTimer(HWND, UINT, UINT_PTR, DWORD) {
  PendingDriverState& p = PendingDriver();
  if (!p.find) return;
  HWND window = p.find();
  if (window == nullptr) {  // not up yet: try again until the deadline
    if (GetTickCount() - p.started < kDriverDeadlineMs) return;
    ADD_FAILURE() << p.what << " did not show within " << kDriverDeadlineMs / 1000 << " s";
    StopPendingDriver();
    EndThreadDialogs();
    return;
  }
  auto driver = std::move(p.driver);
  StopPendingDriver();
  ++p.runs;
  driver(window);
}

// Call just before the code that shows the window; `driver` must end it.
inline void DriveNext(std::string what, std::function<HWND()> find, std::function<void(HWND)> driver) {
  PendingDriverState& p = PendingDriver();
  if (p.driver) ADD_FAILURE() << p.what << " was still awaited when " << what << " was";
  StopPendingDriver();
  p.what = std::move(what);
  p.find = std::move(find);
  p.driver = std::move(driver);
  p.started = GetTickCount();
  p.timer = SetTimer(nullptr, 0, 20, DriveDialogTimer);
}

inline void DriveNextDialog(const char* title, std::function<void(HWND)> driver) {
  DriveNext(std::string("the dialog \"") + title + "\"",
            [title]() -> HWND {
              HWND dialog = FindWindowA("#32770", title);
              return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
            },
            std::move(driver));
}

// For a fixture's TearDown: a driver still waiting means its window never
// came (or the code under test returned without a message loop).
inline void ExpectNoDriverPending() {
  PendingDriverState& p = PendingDriver();
  if (p.driver) ADD_FAILURE() << p.what << " never showed: its driver did not run";
  StopPendingDriver();
}

inline int DriverRuns() { return PendingDriver().runs; }

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

}  // namespace hiyomi::testing
