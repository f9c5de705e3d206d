// The main window MAINDLG, run as the program's one modal dialog.
#pragma once

#include <windows.h>

// Returns the dialog's result when the window really closes.
INT_PTR RunMainWindow(HINSTANCE instance);
HWND MainWindowHandle();
