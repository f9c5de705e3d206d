// The date-time picker's dates as plain year, month and day, so every
// picker of the programs converts one way.
#pragma once

#include <windows.h>

namespace hiyomi {

struct PickerDate {
  int year;
  int month;  // [1, 12]
  int day;    // [1, 31]
};

// format: the picker's display format; the range is first .. last.
void SetUpPicker(HWND picker, const char* format, PickerDate first, PickerDate last);
void SetPickerDate(HWND picker, PickerDate date);
// False when the picker holds no date.
bool GetPickerDate(HWND picker, PickerDate* date);

}  // namespace hiyomi
