// How the pages of the options sheet plug into it: each page file gives the
// handlers of its pages, and the sheet calls them on its notifications.
#pragma once

#include <windows.h>

#include "settings/options.h"
#include "settings/options_sheet_win.h"

namespace hiyomi {

class SettingsStore;

enum class OptionsPage : int {
  kBasic,       // 基本
  kWholeView,   // 全体表示
  kDayView,     // 日表示
  kColors,      // 色設定
  kRegular,     // 定期予定
  kTemporary,   // 一時予定
  kOther,       // その他
};
inline constexpr int kOptionsPageCount = 7;

// The sheet while it is open: the copy of the options its pages edit, the
// store, the dialog state and the window of each page created so far.
struct OptionsSheet {
  Options& options;
  SettingsStore& store;
  const OptionsSheetServices& services;
  OptionsDialogState state;
  HWND pages[kOptionsPageCount] = {};
};

// A page's part. Any handler may be null. Colour buttons and their enabling
// boxes are filled, applied, drawn and clicked by the sheet itself, before
// and after these run (see options_sheet_controls_win.h).
struct OptionsPageHandlers {
  // Shows the options in the page's controls; also after a profile load.
  void (*fill)(HWND page, OptionsSheet& sheet);
  // Copies the controls into the options (the sheet's OK).
  void (*apply)(HWND page, OptionsSheet& sheet);
  // On leaving the page: false with the first invalid item's message.
  bool (*validate)(HWND page, const OptionsSheet& sheet, char (&message)[kPendingMessageSize]);
  // WM_COMMAND of the page's own controls; also kFocusInvalidField.
  void (*command)(HWND page, OptionsSheet& sheet, int id, int code);
};

// Given to the pending error's page as a command (code 0) once OK has shown
// the error while that page is the one shown: the page puts the caret back
// in the field the error is about. No control has id 0.
inline constexpr int kFocusInvalidField = 0;

// Pages 基本, 全体表示, 日表示 and 色設定 (options_pages_view_win.cpp).
extern const OptionsPageHandlers kBasicPageHandlers;
extern const OptionsPageHandlers kWholeViewPageHandlers;
extern const OptionsPageHandlers kDayViewPageHandlers;
extern const OptionsPageHandlers kColorsPageHandlers;
// Pages 定期予定, 一時予定 and その他 (options_pages_data_win.cpp).
extern const OptionsPageHandlers kRegularPageHandlers;
extern const OptionsPageHandlers kTemporaryPageHandlers;
extern const OptionsPageHandlers kOtherPageHandlers;

// Fills every page created so far again, as after loading another profile.
void RefillOptionsPages(OptionsSheet& sheet);

}  // namespace hiyomi
