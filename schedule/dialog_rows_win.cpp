#include "schedule/dialog_rows_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "settings/settings_store.h"

namespace hiyomi {
namespace {

SYSTEMTIME TimeOfDay(SerialDay day) {
  const CalendarDate date = DateFromSerial(day);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  return time;
}

}  // namespace

void SetUpDayPicker(HWND picker, SerialDay first, SerialDay last) {
  SendMessageA(picker, DTM_SETFORMATA, 0,
               reinterpret_cast<LPARAM>("' 'yyy'年 'MM'月 'dd'日 ' ddd'曜日'"));
  SYSTEMTIME range[2] = {TimeOfDay(ClampSerial(first)), TimeOfDay(ClampSerial(last))};
  SendMessageA(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

void SetPickerDay(HWND picker, SerialDay day) {
  SYSTEMTIME time = TimeOfDay(ClampSerial(day));
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

SerialDay PickerDay(HWND picker, SerialDay fallback) {
  SYSTEMTIME time{};
  if (SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
    return fallback;
  }
  return ClampSerial(SerialFromDate(time.wYear, time.wMonth, time.wDay));
}

void ReadEditText(HWND edit, char* out, int bytes) {
  // Read more than fits, then cut on a character boundary: a read cut by
  // the buffer could end on a lead byte.
  char text[256] = {};
  GetWindowTextA(edit, text, sizeof text);
  std::memset(out, 0, static_cast<size_t>(bytes) + 1);
  CopyText(out, text, bytes + 1);
}

void KeepEditWithin(HWND edit, int bytes) {
  char text[256] = {};
  GetWindowTextA(edit, text, sizeof text);
  if (static_cast<int>(std::strlen(text)) <= bytes) return;
  char cut[256];
  CopyText(cut, text, bytes + 1);
  DWORD start = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  SetWindowTextA(edit, cut);
  const DWORD length = static_cast<DWORD>(GetWindowTextLengthA(edit));
  const DWORD caret = start < length ? start : length;
  SendMessageA(edit, EM_SETSEL, caret, caret);
}

int ReadEditNumber(HWND edit) {
  char text[32] = {};
  GetWindowTextA(edit, text, sizeof text);
  return std::atoi(text);
}

void FillCategoryList(HWND combo, const CategoryTable& table, int category) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int position = 0;; ++position) {
    const int number = table.NumberAtListPosition(position);
    if (number < 0) break;
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table.NameOf(number)));
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(table.ListPositionOf(category)), 0);
}

uint8_t PickedCategory(HWND combo, const CategoryTable& table) {
  const int number = table.NumberAtListPosition(static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
  return number < 0 ? kNoCategory : static_cast<uint8_t>(number);
}

int32_t EffectiveTextColor(const ScheduleEntry& e, const CategoryTable& table) noexcept {
  if (e.textColor >= 0) return e.textColor;
  const int32_t own = table.TextColorOf(e.category);
  return own >= 0 ? own : 0x000000;
}

int32_t EffectiveBackColor(const ScheduleEntry& e, const CategoryTable& table) noexcept {
  return e.backColor >= 0 ? e.backColor : table.BackColorOf(e.category);
}

void PaintSample(HDC dc, HFONT font, const RECT& box, int32_t textColor, int32_t backColor) {
  RECT r = box;
  if (backColor >= 0) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(backColor));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  HGDIOBJ oldFont = SelectObject(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, static_cast<COLORREF>(textColor < 0 ? 0 : textColor));
  DrawTextA(dc, " 色 ", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

RECT TakeSampleBox(HWND dialog, int id) {
  HWND box = GetDlgItem(dialog, id);
  RECT r{};
  GetWindowRect(box, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  ShowWindow(box, SW_HIDE);
  return r;
}

HFONT CreateSampleFont(HWND dialog) {
  LOGFONTA font{};
  HDC dc = GetDC(dialog);
  font.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(dialog, dc);
  font.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(font.lfFaceName, "ＭＳ Ｐゴシック");
  return CreateFontIndirectA(&font);
}

}  // namespace hiyomi
