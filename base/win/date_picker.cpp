#include "base/win/date_picker.h"

#include <commctrl.h>

namespace hiyomi {
namespace {

SYSTEMTIME TimeOf(PickerDate date) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  return time;
}

}  // namespace

void SetUpPicker(HWND picker, const char* format, PickerDate first, PickerDate last) {
  SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
  SYSTEMTIME range[2] = {TimeOf(first), TimeOf(last)};
  SendMessageA(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

void SetPickerDate(HWND picker, PickerDate date) {
  SYSTEMTIME time = TimeOf(date);
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

bool GetPickerDate(HWND picker, PickerDate* date) {
  SYSTEMTIME time{};
  if (SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
    return false;
  }
  *date = PickerDate{time.wYear, time.wMonth, time.wDay};
  return true;
}

}  // namespace hiyomi
