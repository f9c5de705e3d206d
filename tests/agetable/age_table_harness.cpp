// Opens the age table over HiyomiAge.ini beside this program, to look at
// it: the first person chosen and shown, one row marked with the context
// menu, the current year selected again; with "edit", the age remarks are
// then edited in place at the marked row.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "agetable/age_table_dialog.h"
#include "almanac/clock.h"
#include "resources/agedlg_ids.h"
#include "settings/settings_store.h"
#include "settings/settings_win.h"

using namespace hiyomi;

namespace {

constexpr int kMarkedYear = 2010;
int step = 0;
bool editing = false;

HWND Dialog() {
  HWND dialog = FindWindowA("#32770", "年齢早見表");
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

int RowOfYear(HWND table, int year) {
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  const std::string text = std::to_string(year);
  find.psz = text.c_str();
  return static_cast<int>(SendMessageA(table, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void RightClick(HWND table, int row) {
  SendMessageA(table, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT cell{};
  cell.top = 4;
  cell.left = LVIR_BOUNDS;
  SendMessageA(table, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  const LPARAM at = MAKELPARAM(cell.left + 10, (cell.top + cell.bottom) / 2);
  PostMessageA(table, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageA(table, WM_RBUTTONUP, 0, at);
}

void CALLBACK Drive(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = Dialog();
  if (dialog == nullptr) return;
  HWND table = GetDlgItem(dialog, IDC_AGE_TABLE);
  switch (step++) {
    case 0:
      SendDlgItemMessageA(dialog, IDC_AGE_SYSTEM, CB_SETCURSEL, 7, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_AGE_SYSTEM, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_AGE_SYSTEM)));
      SendDlgItemMessageA(dialog, IDB_AGE_SHOW, BM_CLICK, 0, 0);
      RightClick(table, RowOfYear(table, kMarkedYear));
      break;
    case 1: {  // inside the context menu's loop: 行マーク
      HWND menu = FindWindowA("#32768", nullptr);
      if (menu == nullptr) {
        --step;
        return;
      }
      PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
      PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
      break;
    }
    case 2:
    case 3:
      if (!editing) {
        step = 4;
        return Drive(nullptr, 0, id, 0);
      }
      if (step == 3) {
        RightClick(table, RowOfYear(table, kMarkedYear));
        return;
      }
      if (HWND menu = FindWindowA("#32768", nullptr)) {
        for (int i = 0; i < 3; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
        KillTimer(nullptr, id);
      } else {
        --step;
      }
      return;
    default: {
      LVITEMA selected{};
      selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      selected.state = LVIS_SELECTED | LVIS_FOCUSED;
      const int row = RowOfYear(table, ReadLocalTime().year);
      SendMessageA(table, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&selected));
      SendMessageA(table, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
      SetFocus(table);
      KillTimer(nullptr, id);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  editing = argc > 1 && std::string(argv[1]) == "edit";
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  SettingsStore store;
  OpenSettings(store, false, kDefaultSection, "HiyomiAge.ini");
  SetTimer(nullptr, 0, 300, Drive);
  RunAgeTableDialog(nullptr, store, ReadLocalTime().year);
  return 0;
}
