// The main window MAINDLG, run as the program's one modal dialog.
#pragma once

#include <windows.h>

#include "settings/options.h"

namespace hiyomi {

// Returns the dialog's result when the window really closes. The memo
// area is created with the rich edit class that start-up loaded.
INT_PTR RunMainWindow(HINSTANCE instance, const char* richEditClass);
HWND MainWindowHandle();
// Commits an options record (an edited copy, or the program-wide one
// itself at start-up) and applies it: the view, its fonts and its drawing
// objects follow it.
void OnOptionsChanged(const Options& options);

}  // namespace hiyomi
