#include "schedule/day_span_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "resources/dayexdlg_ids.h"
#include "schedule/dialog_rows_win.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {
namespace {

constexpr int kMaxDayCount = 99;  // what the two-digit count field takes

struct SpanDialogState {
  const char* text;
  SerialDay start;
  int32_t* span;
  bool* overwriteLast;
  bool syncing;  // one control is being set from the other
  SerialDay latest = 0;  // the last end day the picker offers
};

SpanDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<SpanDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ShowDayCount(HWND dialog, SpanDialogState* state, int count) {
  state->syncing = true;
  SetDlgItemInt(dialog, IDE_SPAN_DAYS, static_cast<UINT>(count), FALSE);
  state->syncing = false;
}

void ShowEndDay(HWND dialog, SpanDialogState* state, SerialDay end) {
  state->syncing = true;
  SetPickerDay(GetDlgItem(dialog, IDC_SPAN_END), std::clamp(end, state->start, state->latest));
  state->syncing = false;
}

INT_PTR OnInitDialog(HWND dialog, SpanDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  SetDlgItemTextA(dialog, IDT_SPAN_TEXT, state->text);
  const int32_t span = *state->span;
  const int count = SpanDayCount(span);
  // New choices stay within what the count field takes; a longer stored
  // span stays as it is.
  const int longest = std::max(kMaxDayCount, count);
  state->latest = std::min<SerialDay>(kLastSerial, state->start + longest - 1);
  HWND end = GetDlgItem(dialog, IDC_SPAN_END);
  SetUpDayPicker(end, state->start, state->latest);
  // The start day in the very text of the day dialog's picker: this picker
  // has its format and shows the start day until the end is set below.
  SetPickerDay(end, state->start);
  char start[64] = {};
  GetWindowTextA(end, start, sizeof start);
  SetDlgItemTextA(dialog, IDT_SPAN_START, start);
  SendDlgItemMessageA(dialog, IDE_SPAN_DAYS, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageA(dialog, IDC_SPAN_DAYS_SPIN, UDM_SETRANGE32, 0, longest);
  const bool copies = span < 0;
  CheckRadioButton(dialog, IDR_SPAN_PERIOD, IDR_SPAN_COPY, copies ? IDR_SPAN_COPY : IDR_SPAN_PERIOD);
  CheckDlgButton(dialog, IDX_SPAN_OVERWRITE_LAST, copies && *state->overwriteLast ? BST_CHECKED : BST_UNCHECKED);
  ShowEndDay(dialog, state, state->start + count - 1);
  ShowDayCount(dialog, state, count);
  return TRUE;
}

void OnDaysChanged(HWND dialog, SpanDialogState* state) {
  if (state->syncing) return;
  ShowEndDay(dialog, state, state->start + static_cast<int>(GetDlgItemInt(dialog, IDE_SPAN_DAYS, nullptr, FALSE)) - 1);
}

void OnEndChanged(HWND dialog, SpanDialogState* state) {
  if (state->syncing) return;
  const SerialDay end = PickerDay(GetDlgItem(dialog, IDC_SPAN_END), state->start);
  ShowDayCount(dialog, state, std::max(0, end - state->start + 1));
}

void OnOk(HWND dialog, SpanDialogState* state) {
  const int count = static_cast<int>(GetDlgItemInt(dialog, IDE_SPAN_DAYS, nullptr, FALSE));
  const bool copies = IsDlgButtonChecked(dialog, IDR_SPAN_COPY) == BST_CHECKED;
  *state->span = SpanOfDayCount(count, copies);
  *state->overwriteLast = copies && IsDlgButtonChecked(dialog, IDX_SPAN_OVERWRITE_LAST) == BST_CHECKED;
  EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  SpanDialogState* state = StateOf(dialog);
  switch (LOWORD(wParam)) {
    case IDB_SPAN_OK:
    case IDOK:
      OnOk(dialog, state);
      return TRUE;
    case IDB_SPAN_CANCEL:
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDE_SPAN_DAYS:
      if (HIWORD(wParam) == EN_CHANGE) OnDaysChanged(dialog, state);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK SpanDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<SpanDialogState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_SPAN_END && header->code == DTN_DATETIMECHANGE) {
        OnEndChanged(dialog, StateOf(dialog));
      }
      return FALSE;
    }
  }
  return FALSE;
}

}  // namespace

int SpanDayCount(int32_t span) noexcept {
  // A span from disk may be any 32-bit value; no period outlasts the range.
  const int64_t magnitude = span < 0 ? -int64_t{span} : int64_t{span};
  return static_cast<int>(std::min<int64_t>(magnitude, kLastSerial)) + 1;
}

int32_t SpanOfDayCount(int count, bool copyToEachDay) noexcept {
  const int32_t span = count - 1 < 0 ? 0 : count - 1;
  return copyToEachDay ? -span : span;
}

int RunDaySpanDialog(HWND owner, const char* text, SerialDay start, int32_t& span, bool& overwriteLast) {
  int32_t newSpan = span;
  bool newOverwrite = overwriteLast;
  SpanDialogState state{text, start, &newSpan, &newOverwrite, false};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_DAYEXDLG, owner,
                                         SpanDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result != 1) return 0;
  span = newSpan;
  overwriteLast = newOverwrite;
  return 1;
}

}  // namespace hiyomi
