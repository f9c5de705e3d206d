#include "print/ical_dialog_win.h"

#include <string>

#include "base/message_box.h"
#include "base/path_text.h"
#include "base/text.h"
#include "base/win/file_choice.h"
#include "base/win/ui_helpers.h"
#include "print/ical_export.h"
#include "resources/icsdlg_ids.h"
#include "schedule/dialog_rows_win.h"

namespace hiyomi {
namespace {

constexpr char kPickerFormat[] = "yyy'年 'MM'月 'dd'日 'dddd ";
constexpr int kPathChars = 260;
constexpr char kWriteFailed[] = "iCalendarファイルを書き込めませんでした。元のファイルはそのままです。　　";

struct CheckBox {
  int id;
  bool IcsOptions::*field;
};
constexpr CheckBox kBoxes[] = {
    {IDX_ICS_REGULAR, &IcsOptions::regular},
    {IDX_ICS_TEMPORARY, &IcsOptions::temporary},
    {IDX_ICS_TODO, &IcsOptions::toDo},
    {IDX_ICS_HOLIDAYS, &IcsOptions::holidays},
};

struct IcsDialogState {
  const IcsDialogData* data;
  std::string defaultPath;
};

IcsDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<IcsDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ShowOptions(HWND dialog, const IcsOptions& options) {
  for (const CheckBox& box : kBoxes) {
    CheckDlgButton(dialog, box.id, options.*box.field ? BST_CHECKED : BST_UNCHECKED);
  }
}

IcsOptions ReadOptions(HWND dialog) {
  IcsOptions options;
  for (const CheckBox& box : kBoxes) {
    options.*box.field = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
  }
  return options;
}

// The program's own path with ".ics" for its extension.
std::string DefaultIcsPath() {
  char path[MAX_PATH + 8] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  ReplaceExtension(path, sizeof path, ".ics");
  return path;
}

std::string PathInEdit(HWND dialog) {
  char path[kPathChars + 1] = {};
  GetDlgItemTextA(dialog, IDE_ICS_PATH, path, sizeof path);
  return path;
}

std::string StampNow() {
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  return IcsStampText(IcsStamp{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond});
}

INT_PTR OnInitDialog(HWND dialog, IcsDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  const SerialDay today = ClampSerial(state->data->days.today);
  for (int id : {IDC_ICS_FIRST_DAY, IDC_ICS_LAST_DAY}) {
    HWND picker = GetDlgItem(dialog, id);
    SetUpDayPicker(picker, kFirstSerial, kLastSerial, kPickerFormat);
    SetPickerDay(picker, today);
  }
  ShowOptions(dialog, LoadIcsOptions(state->data->settings));
  SendDlgItemMessageA(dialog, IDE_ICS_PATH, EM_LIMITTEXT, kPathChars, 0);
  SetDlgItemTextA(dialog, IDE_ICS_PATH, state->defaultPath.c_str());
  return TRUE;
}

void OnChoose(HWND dialog) {
  char path[kPathChars + 1];
  CopyText(path, PathInEdit(dialog).c_str(), sizeof path);
  if (ChooseFileFor(dialog, path, sizeof path, kChooseFileToWrite)) SetDlgItemTextA(dialog, IDE_ICS_PATH, path);
}

void OnWrite(HWND dialog, IcsDialogState* state) {
  const SerialDay first = PickerDay(GetDlgItem(dialog, IDC_ICS_FIRST_DAY), kFirstSerial);
  const SerialDay last = PickerDay(GetDlgItem(dialog, IDC_ICS_LAST_DAY), kFirstSerial);
  std::string path = PathInEdit(dialog);
  if (path.empty()) path = state->defaultPath;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const IcsWriteResult result = WriteIcsFile(state->data->files, path, first, last, ReadOptions(dialog),
                                             state->data->days, StampNow());
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (result == IcsWriteResult::kFailed) ShowMessage(dialog, MessageKind::Stop, kWriteFailed);
}

void OnClose(HWND dialog, IcsDialogState* state) {
  SaveIcsOptions(state->data->settings, ReadOptions(dialog));
  EndDialog(dialog, 0);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  IcsDialogState* state = StateOf(dialog);
  switch (LOWORD(wParam)) {
    case IDB_ICS_CHOOSE:
      OnChoose(dialog);
      return TRUE;
    case IDB_ICS_WRITE:
      OnWrite(dialog, state);
      return TRUE;
    case IDB_ICS_CLOSE:
    case IDCANCEL:
      OnClose(dialog, state);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK IcsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<IcsDialogState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace

void RunIcsDialog(HWND owner, const IcsDialogData& data) {
  IcsDialogState state{&data, DefaultIcsPath()};
  DialogBoxParamA(GetModuleHandleA(nullptr), IDD_ICSDLG, owner, IcsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace hiyomi
