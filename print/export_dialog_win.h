#pragma once
// What the CSV and iCalendar export dialogs share: the range of days, the
// output path with its 選択 button, and the default path beside the program.
#include <windows.h>

#include <string>

#include "almanac/dates.h"

namespace hiyomi {

// The program's own path with this extension ("" when it does not fit).
std::string DefaultExportPath(const char* extension);

// Both day pickers on the whole calendar range, showing today.
void SetUpExportRange(HWND dialog, int firstId, int lastId, SerialDay today);
SerialDay ExportDayIn(HWND dialog, int pickerId);

void SetUpExportPath(HWND dialog, int editId, const std::string& path);
// The path typed, or the default when the box is empty.
std::string ExportPathIn(HWND dialog, int editId, const std::string& defaultPath);
// 選択: the file dialog, starting from the path typed.
void ChooseExportPath(HWND dialog, int editId);

}  // namespace hiyomi
