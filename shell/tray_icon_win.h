// The notification-area icon of the main window.
#pragma once

#include <windows.h>

#include "shell/tray_state.h"

namespace hiyomi {

// Prepares the icon; with resident set the icon is added at once.
void TrayInit(bool resident, HWND window, UINT callbackMessage);
// The new state; kTrayClosing means the window really closes.
TrayState TrayHide(TrayMode mode, HWND window);
void TrayRestore(HWND window);
// After the taskbar was re-created.
void TrayReAdd();
TrayState CurrentTrayState();
// Removes the icon if present and frees its image.
void TrayRelease();

}  // namespace hiyomi
