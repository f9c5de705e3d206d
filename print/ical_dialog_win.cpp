#include "print/ical_dialog_win.h"

#include <string>

#include "base/message_box.h"
#include "base/win/ui_helpers.h"
#include "print/export_dialog_win.h"
#include "print/ical_export.h"
#include "resources/icsdlg_ids.h"

namespace hiyomi {
namespace {

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

std::string StampNow() {
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  return IcsStampText(IcsStamp{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond});
}

INT_PTR OnInitDialog(HWND dialog, IcsDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  SetUpExportRange(dialog, IDC_ICS_FIRST_DAY, IDC_ICS_LAST_DAY, state->data->days.today);
  ShowOptions(dialog, LoadIcsOptions(state->data->settings));
  SetUpExportPath(dialog, IDE_ICS_PATH, state->defaultPath);
  return TRUE;
}

void OnWrite(HWND dialog, IcsDialogState* state) {
  const SerialDay first = ExportDayIn(dialog, IDC_ICS_FIRST_DAY);
  const SerialDay last = ExportDayIn(dialog, IDC_ICS_LAST_DAY);
  const std::string path = ExportPathIn(dialog, IDE_ICS_PATH, state->defaultPath);
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
      ChooseExportPath(dialog, IDE_ICS_PATH);
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
  IcsDialogState state{&data, DefaultExportPath(".ics")};
  DialogBoxParamA(GetModuleHandleA(nullptr), IDD_ICSDLG, owner, IcsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace hiyomi
