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

// The real message box of this thread that says `text` under `caption`.
inline HWND FindBox(const char* text, const char* caption = "Hiyomi") {
  struct Search {
    const char* text;
    const char* caption;
    HWND found;
  } search{text, caption, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        char title[64] = {};
        GetWindowTextA(window, title, sizeof title);
        if (!IsWindowVisible(window) || std::string(title) != s.caption) return TRUE;
        EnumChildWindows(
            window,
            [](HWND child, LPARAM data2) -> BOOL {
              auto& s2 = *reinterpret_cast<Search*>(data2);
              char said[512] = {};
              GetWindowTextA(child, said, sizeof said);
              if (std::string(said) != s2.text) return TRUE;
              s2.found = GetAncestor(child, GA_ROOT);
              return FALSE;
            },
            data);
        return s.found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// No answer is scripted: the box itself comes up and `driver` presses one
// of its buttons.
inline void AnswerNextBox(const char* text, std::function<void(HWND)> driver,
                          const char* caption = "Hiyomi") {
  DriveNext(std::string("the message box \"") + text + "\"",
            [text, caption] { return FindBox(text, caption); }, std::move(driver));
}

// A dialog of another module (the colour chooser) that `owner` opens.
inline void DriveNextOwnedDialog(HWND owner, std::function<void(HWND)> driver) {
  DriveNext("a dialog owned by the one under test",
            [owner]() -> HWND {
              struct Search {
                HWND owner;
                HWND found;
              } search{owner, nullptr};
              EnumThreadWindows(
                  GetCurrentThreadId(),
                  [](HWND window, LPARAM data) -> BOOL {
                    auto& s = *reinterpret_cast<Search*>(data);
                    char className[16] = {};
                    GetClassNameA(window, className, sizeof className);
                    if (std::string(className) != "#32770" || !IsWindowVisible(window) ||
                        GetWindow(window, GW_OWNER) != s.owner) {
                      return TRUE;
                    }
                    s.found = window;
                    return FALSE;
                  },
                  reinterpret_cast<LPARAM>(&search));
              return search.found;
            },
            std::move(driver));
}

// A click with the real mouse in the middle of `control`, then the
// messages it makes are handled: a disabled window ignores it, as it
// ignores a user.
inline void ClickWithTheMouse(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  // A disabled dialog is found in place of its control.
  EXPECT_EQ(GetAncestor(WindowFromPoint(at), GA_ROOT), GetAncestor(control, GA_ROOT))
      << "another window covers the control";
  SetCursorPos(at.x, at.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof input[0]);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 500) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
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
