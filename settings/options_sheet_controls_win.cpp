#include "settings/options_sheet_controls_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "base/number_parse.h"
#include "base/text.h"
#include "base/win/ui_helpers.h"
#include "resources/optpage_ids.h"

namespace hiyomi {

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kBoxOffset = IDX_TEXT_COLOR_FIRST - IDB_TEXT_COLOR_FIRST;

bool InRange(int id, int first) { return id >= first && id < first + kColorCount; }

// Every colour button the page holds, in id order.
template <typename Visit>
void ForEachColorButton(HWND page, Options& options, Visit visit) {
  for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (int* color = WorkingColorOf(options, id)) visit(id, *color);
  }
}

}  // namespace

int* WorkingColorOf(Options& options, int buttonId) {
  if (InRange(buttonId, IDB_TEXT_COLOR_FIRST)) return &options.workColors.text[buttonId - IDB_TEXT_COLOR_FIRST];
  if (InRange(buttonId, IDB_BACK_COLOR_FIRST)) return &options.workColors.back[buttonId - IDB_BACK_COLOR_FIRST];
  switch (buttonId) {
    case IDB_PEN_COLOR_FRAME: return &options.workPenColor[0];
    case IDB_PEN_COLOR_TARGET: return &options.workPenColor[1];
    case IDB_TEMPORARY_TEXT_COLOR: return &options.TDTxtColor;
    case IDB_TEMPORARY_BACK_COLOR: return &options.TDBkColor;
    default: return nullptr;
  }
}

int EnablingBoxOf(int buttonId) {
  if (InRange(buttonId, IDB_TEXT_COLOR_FIRST) || InRange(buttonId, IDB_BACK_COLOR_FIRST)) {
    return buttonId + kBoxOffset;
  }
  if (buttonId == IDB_TEMPORARY_TEXT_COLOR) return IDX_TEMPORARY_TEXT_COLOR;
  if (buttonId == IDB_TEMPORARY_BACK_COLOR) return IDX_TEMPORARY_BACK_COLOR;
  return 0;
}

void FillColorBoxes(HWND page, Options& options) {
  ForEachColorButton(page, options, [page](int id, int color) {
    const int box = EnablingBoxOf(id);
    if (box == 0 || GetDlgItem(page, box) == nullptr) return;
    SetCheck(page, box, color != -1);
    EnableControl(page, id, color != -1);
  });
  InvalidateRect(page, nullptr, FALSE);
}

void ApplyColorBoxes(HWND page, Options& options) {
  ForEachColorButton(page, options, [page](int id, int& color) {
    const int box = EnablingBoxOf(id);
    if (box == 0 || GetDlgItem(page, box) == nullptr) return;
    if (!IsChecked(page, box)) {
      color = -1;
    } else if (color == -1) {
      color = kWhite;
    }
  });
}

bool OnColorControlCommand(HWND page, Options& options, int id, int code) {
  if (code != BN_CLICKED) return false;
  if (int* color = WorkingColorOf(options, id)) {
    if (ChooseColorFor(page, *color)) InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
    return true;
  }
  // A box: the button it enables is the id a box's offset below it.
  for (int button : {id - kBoxOffset, IDB_TEMPORARY_TEXT_COLOR, IDB_TEMPORARY_BACK_COLOR}) {
    if (WorkingColorOf(options, button) != nullptr && EnablingBoxOf(button) == id) {
      EnableControl(page, button, IsChecked(page, id));
      return true;
    }
  }
  return false;
}

bool DrawColorControl(const DRAWITEMSTRUCT& item, Options& options) {
  const int* color = WorkingColorOf(options, static_cast<int>(item.CtlID));
  if (color == nullptr) return false;
  DrawColorButton(item, *color);
  return true;
}

void FillNumber(HWND page, int editId, int value, int low, int high, int maxChars) {
  HWND edit = GetDlgItem(page, editId);
  SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
  HWND next = GetWindow(edit, GW_HWNDNEXT);
  char className[32] = "";
  if (next != nullptr) GetClassNameA(next, className, sizeof className);
  if (_stricmp(className, UPDOWN_CLASSA) == 0) {
    SendMessageA(next, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(next, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
  }
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  SetWindowTextA(edit, text);
}

int ReadNumber(HWND page, int editId, int low, int high) {
  char text[16] = "";
  GetDlgItemTextA(page, editId, text, sizeof text);
  return ClampInt(ParseNumber(text), low, high);
}

void FillList(HWND page, int listId, std::span<const char* const> entries, int selected) {
  HWND list = GetDlgItem(page, listId);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const char* entry : entries) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  if (selected < 0 || selected >= static_cast<int>(entries.size())) selected = 0;
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ListChoice(HWND page, int listId) {
  const LRESULT chosen = SendDlgItemMessageA(page, listId, CB_GETCURSEL, 0, 0);
  return chosen == CB_ERR ? 0 : static_cast<int>(chosen);
}

void SetCheck(HWND page, int id, bool ticked) {
  CheckDlgButton(page, id, ticked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

void EnableControl(HWND page, int id, bool enabled) { EnableWindow(GetDlgItem(page, id), enabled ? TRUE : FALSE); }

namespace {

int CALLBACK AddFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM listParam) {
  HWND list = reinterpret_cast<HWND>(listParam);
  // Vertical faces ("@…") are for vertical writing, which the calendar never uses.
  if (font->lfFaceName[0] == '@') return 1;
  if (SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(font->lfFaceName)) == CB_ERR) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  }
  return 1;
}

}  // namespace

void FillFontList(HWND page, int listId, const char* face) {
  HWND list = GetDlgItem(page, listId);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  SendMessageA(list, CB_LIMITTEXT, kFontNameSize - 1, 0);
  WindowDc screen(nullptr);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.get(), &metrics);
  for (BYTE charset : {metrics.tmCharSet, static_cast<BYTE>(ANSI_CHARSET)}) {
    LOGFONTA wanted{};
    wanted.lfCharSet = charset;
    EnumFontFamiliesExA(screen.get(), &wanted, AddFontFamily, reinterpret_cast<LPARAM>(list), 0);
  }
  const LRESULT at = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
  if (at != CB_ERR) {
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  } else {
    SetWindowTextA(list, face);
  }
}

void ReadFontName(HWND page, int listId, char (&face)[kFontNameSize]) {
  char text[256] = "";
  GetDlgItemTextA(page, listId, text, sizeof text);
  CopyText(face, text, kFontNameSize);
}

}  // namespace hiyomi
