// Where a window must stay on screen.
#pragma once

#include <windows.h>

namespace hiyomi {

// The screen's work area (without the taskbar).
RECT WorkArea();

// Moves window back inside the work area when it reaches past its right or
// bottom edge; its size is kept.
void KeepInsideWorkArea(HWND window);

}  // namespace hiyomi
