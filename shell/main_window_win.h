// The main window MAINDLG, run as the program's one modal dialog.
#pragma once

#include <windows.h>

namespace hiyomi {

// Returns the dialog's result when the window really closes. The memo
// area is created with the rich edit class that start-up loaded.
INT_PTR RunMainWindow(HINSTANCE instance, const char* richEditClass);
HWND MainWindowHandle();

}  // namespace hiyomi
