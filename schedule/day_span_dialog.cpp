#include "schedule/day_span_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "resources/dayexdlg_ids.h"
#include "schedule/dialog_rows_win.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {
namespace {

constexpr int kMaxDayCount = 99;

struct SpanDialogState {
  const char* text;
  SerialDay start;
  int32_t* span;
  bool* overwriteLast;
  bool syncing;  // one control is being set from the other
};

// The start day as the day dialog's picker writes it.
std::string PickerText(SerialDay day) {
  static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
  const CalendarDate date = DateFromSerial(day);
  char text[64];
  std::snprintf(text, sizeof text, " %d年 %02d月 %02d日 %s曜日", date.year, date.month, date.day,
                kWeekdays[WeekdayOf(day)]);
  return text;
}

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
  SetPickerDay(GetDlgItem(dialog, IDC_SPAN_END), end < state->start ? state->start : end);
  state->syncing = false;
}

INT_PTR OnInitDialog(HWND dialog, SpanDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  SetDlgItemTextA(dialog, IDT_SPAN_TEXT, state->text);
  SetDlgItemTextA(dialog, IDT_SPAN_START, PickerText(state->start).c_str());
  SetUpDayPicker(GetDlgItem(dialog, IDC_SPAN_END), state->start, kLastSerial);
  SendDlgItemMessageA(dialog, IDE_SPAN_DAYS, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageA(dialog, IDC_SPAN_DAYS_SPIN, UDM_SETRANGE32, 0, kMaxDayCount);
  const int32_t span = *state->span;
  const bool copies = span < 0;
  CheckRadioButton(dialog, IDR_SPAN_PERIOD, IDR_SPAN_COPY, copies ? IDR_SPAN_COPY : IDR_SPAN_PERIOD);
  CheckDlgButton(dialog, IDX_SPAN_OVERWRITE_LAST, copies && *state->overwriteLast ? BST_CHECKED : BST_UNCHECKED);
  const int count = SpanDayCount(span);
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
  int count = end - state->start + 1;
  if (count > kMaxDayCount) count = kMaxDayCount;
  ShowDayCount(dialog, state, count < 0 ? 0 : count);
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
  const int64_t magnitude = span < 0 ? -int64_t{span} : int64_t{span};
  return static_cast<int>(magnitude > kMaxDayCount ? kMaxDayCount : magnitude) + 1;
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
