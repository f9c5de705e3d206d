#include "print/csv_dialog_win.h"

#include <string>

#include "base/message_box.h"
#include "base/win/ui_helpers.h"
#include "print/csv_export.h"
#include "print/export_dialog_win.h"
#include "resources/csvdlg_ids.h"

namespace hiyomi {
namespace {

constexpr char kOpenFailed[] = "ファイルオープンに失敗しました。　　";

// The check boxes in the order of CSVOpt's characters 2 to 7.
struct CheckBox {
  int id;
  bool CsvOptions::*field;
};
constexpr CheckBox kBoxes[] = {
    {IDX_CSV_ONLY_DAYS_WITH_ENTRIES, &CsvOptions::onlyDaysWithEntries},
    {IDX_CSV_ONE_ENTRY_PER_LINE, &CsvOptions::oneEntryPerLine},
    {IDX_CSV_WEEKDAY, &CsvOptions::weekday},
    {IDX_CSV_HOLIDAY, &CsvOptions::holiday},
    {IDX_CSV_ROKUYO, &CsvOptions::rokuyo},
    {IDX_CSV_SOLAR_TERM, &CsvOptions::solarTerm},
};
static_assert(IDR_CSV_LINE_BREAK - IDR_CSV_COMMA == static_cast<int>(CsvSeparator::kLineBreak));

struct CsvDialogState {
  const CsvDialogData* data;
  std::string defaultPath;
};

CsvDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<CsvDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ShowOptions(HWND dialog, CsvOptions options) {
  CheckRadioButton(dialog, IDR_CSV_COMMA, IDR_CSV_LINE_BREAK,
                   IDR_CSV_COMMA + static_cast<int>(options.separator));
  for (const CheckBox& box : kBoxes) {
    CheckDlgButton(dialog, box.id, options.*box.field ? BST_CHECKED : BST_UNCHECKED);
  }
}

CsvOptions ReadOptions(HWND dialog) {
  CsvOptions options;
  for (int id = IDR_CSV_COMMA; id <= IDR_CSV_LINE_BREAK; ++id) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
      options.separator = static_cast<CsvSeparator>(id - IDR_CSV_COMMA);
    }
  }
  for (const CheckBox& box : kBoxes) {
    options.*box.field = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
  }
  return options;
}

INT_PTR OnInitDialog(HWND dialog, CsvDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  SetUpExportRange(dialog, IDC_CSV_FIRST_DAY, IDC_CSV_LAST_DAY, state->data->days.today);
  ShowOptions(dialog, LoadCsvOptions(state->data->settings));
  SetUpExportPath(dialog, IDE_CSV_PATH, state->defaultPath);
  return TRUE;
}

void OnWrite(HWND dialog, CsvDialogState* state) {
  const SerialDay first = ExportDayIn(dialog, IDC_CSV_FIRST_DAY);
  const SerialDay last = ExportDayIn(dialog, IDC_CSV_LAST_DAY);
  const std::string path = ExportPathIn(dialog, IDE_CSV_PATH, state->defaultPath);
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const CsvWriteResult result =
      WriteCsvFile(state->data->files, path, first, last, ReadOptions(dialog), state->data->days);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (result == CsvWriteResult::kFailed) ShowMessage(dialog, MessageKind::Stop, kOpenFailed);
}

void OnClose(HWND dialog, CsvDialogState* state) {
  SaveCsvOptions(state->data->settings, ReadOptions(dialog));
  EndDialog(dialog, 0);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  CsvDialogState* state = StateOf(dialog);
  switch (LOWORD(wParam)) {
    case IDB_CSV_CHOOSE:
      ChooseExportPath(dialog, IDE_CSV_PATH);
      return TRUE;
    case IDB_CSV_WRITE:
      OnWrite(dialog, state);
      return TRUE;
    case IDB_CSV_CLOSE:
    case IDCANCEL:
      OnClose(dialog, state);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK CsvDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<CsvDialogState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace

void RunCsvDialog(HWND owner, const CsvDialogData& data) {
  CsvDialogState state{&data, DefaultExportPath(".csv")};
  DialogBoxParamA(GetModuleHandleA(nullptr), IDD_CSVDLG, owner, CsvDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace hiyomi
