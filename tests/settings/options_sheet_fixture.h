// What the options sheet's tests share: the sheet over a settings store in
// memory, and driving its pages with messages.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <memory>
#include <string>

#include "settings/memory_backend.h"
#include "settings/options_sheet_win.h"
#include "settings/settings_store.h"
#include "tests/schedule/dialog_driver.h"

namespace hiyomi::testing {

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The page shown, once the sheet has handled the change.
inline HWND ShowPage(HWND sheet, int index) {
  PropSheet_SetCurSel(sheet, nullptr, index);
  Pump();
  return PropSheet_GetCurrentPageHwnd(sheet);
}

// A list entry chosen as the user does: selected, then its page told.
inline void Choose(HWND page, int listId, int index) {
  HWND list = GetDlgItem(page, listId);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline int Chosen(HWND page, int listId) {
  return static_cast<int>(SendDlgItemMessageA(page, listId, CB_GETCURSEL, 0, 0));
}

inline std::string Text(HWND page, int id) {
  char text[1024] = "";
  GetDlgItemTextA(page, id, text, sizeof text);
  return text;
}

inline bool Ticked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

inline void Tick(HWND page, int id, bool ticked) {
  if (Ticked(page, id) != ticked) Click(page, id);
}

class OptionsSheetFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    auto owned = std::make_unique<MemorySettingsBackend>();
    backend = owned.get();
    store.Attach(std::move(owned), kDefaultSection);
  }
  void TearDown() override { ExpectNoDriverPending(); }

  OptionsDialogState Run(std::function<void(HWND)> driver) {
    DriveNextDialog("設定", std::move(driver));
    return ShowOptionsDialog(nullptr, options, store, services);
  }
  std::string Stored(const char* section, const char* key) const {
    const std::string* value = backend->Find(section, key);
    return value != nullptr ? *value : "(none)";
  }

  MemorySettingsBackend* backend = nullptr;
  SettingsStore store;
  Options options{};
  OptionsSheetServices services;
};

}  // namespace hiyomi::testing
