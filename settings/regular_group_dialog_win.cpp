#include "settings/regular_group_dialog_win.h"

#include <cstdio>
#include <cstring>

#include "base/message_box.h"
#include "base/win/ui_helpers.h"
#include "resources/optpage_data_ids.h"
#include "resources/spddlg_ids.h"
#include "settings/regular_schedule_row_win.h"

namespace hiyomi {

namespace {

constexpr char kRowError[] = "定期予定のパラメタにエラーがあります。　　";
constexpr int kFirstRow = 2;

struct GroupDialog {
  Options* options;
  int group;
  int shownRow;  // 2-10
  int backupWord[kGroupDialogRows];
  char backupName[kGroupDialogRows][kRegularNameSize];
};

GroupDialog* StateOf(HWND dialog) {
  return reinterpret_cast<GroupDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ShowRow(HWND dialog, GroupDialog& state, int row) {
  const int slot = RegularSlotOf(state.group, row);
  state.shownRow = row;
  FillRegularRow(dialog, IDC_GROUP_ROW_FIRST, state.options->workSDay[slot],
                 state.options->workSDayName[slot]);
  SendDlgItemMessageA(dialog, IDC_GROUP_ROW_LIST, CB_SETCURSEL, static_cast<WPARAM>(row - kFirstRow), 0);
}

// The shown row goes into the working copies only when it is valid; an
// invalid one keeps the dialog on it.
bool StoreShownRow(HWND dialog, GroupDialog& state) {
  if (!RegularRowValid(ReadRegularRow(dialog, IDC_GROUP_ROW_FIRST))) {
    ShowMessage(dialog, MessageKind::Stop, kRowError);
    SendDlgItemMessageA(dialog, IDC_GROUP_ROW_LIST, CB_SETCURSEL,
                        static_cast<WPARAM>(state.shownRow - kFirstRow), 0);
    return false;
  }
  const int slot = RegularSlotOf(state.group, state.shownRow);
  StoreRegularRow(dialog, IDC_GROUP_ROW_FIRST, state.options->workSDay[slot],
                  state.options->workSDayName[slot]);
  return true;
}

void RestoreAndClose(HWND dialog, GroupDialog& state) {
  for (int k = 0; k < kGroupDialogRows; ++k) {
    const int slot = RegularSlotOf(state.group, kFirstRow + k);
    state.options->workSDay[slot] = state.backupWord[k];
    std::memcpy(state.options->workSDayName[slot], state.backupName[k], kRegularNameSize);
  }
  EndDialog(dialog, IDB_GROUP_CANCEL);
}

INT_PTR OnInitDialog(HWND dialog, GroupDialog& state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  CenterWindow(dialog, true);
  for (int k = 0; k < kGroupDialogRows; ++k) {
    const int slot = RegularSlotOf(state.group, kFirstRow + k);
    state.backupWord[k] = state.options->workSDay[slot];
    std::memcpy(state.backupName[k], state.options->workSDayName[slot], kRegularNameSize);
    char label[8];
    std::snprintf(label, sizeof label, "%2d", kFirstRow + k);
    SendDlgItemMessageA(dialog, IDC_GROUP_ROW_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
  }
  ShowRow(dialog, state, kFirstRow);
  return TRUE;
}

void OnRowChosen(HWND dialog, GroupDialog& state) {
  const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_GROUP_ROW_LIST, CB_GETCURSEL, 0, 0);
  if (chosen == CB_ERR || chosen + kFirstRow == state.shownRow) return;
  if (StoreShownRow(dialog, state)) ShowRow(dialog, state, static_cast<int>(chosen) + kFirstRow);
}

INT_PTR OnCommand(HWND dialog, int id, int code) {
  GroupDialog* state = StateOf(dialog);
  if (state == nullptr) return FALSE;
  switch (id) {
    case IDC_GROUP_ROW_LIST:
      if (code == CBN_SELCHANGE) OnRowChosen(dialog, *state);
      return TRUE;
    case IDB_GROUP_OK:
    case IDOK:
      if (StoreShownRow(dialog, *state)) EndDialog(dialog, IDB_GROUP_OK);
      return TRUE;
    case IDB_GROUP_CANCEL:
    case IDCANCEL:  // Escape and the close box
      RestoreAndClose(dialog, *state);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK GroupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, *reinterpret_cast<GroupDialog*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default:
      return FALSE;
  }
}

}  // namespace

void RunRegularGroupDialog(HWND owner, Options& options, int group) {
  if (group < 0 || group >= kRegularGroups) return;
  GroupDialog state{&options, group, kFirstRow, {}, {}};
  DialogBoxParamA(GetModuleHandleA(nullptr), IDD_SPDDLG, owner, GroupDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace hiyomi
