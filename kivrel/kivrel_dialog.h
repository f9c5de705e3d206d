// Kivrel's one window MAINDLG: copies Hiyomi's settings between its ini
// file and the registry, sets the switch UseReg and deletes the registry
// settings.
#pragma once

#include <windows.h>

namespace hiyomi {

// The caption of every message box, and the first half of the title.
inline constexpr char kKivrelCaption[] = "UseReg";

// Modal with no owner until closed. folder is the ini file's directory to
// start with (Kivrel's own).
void RunKivrelDialog(HINSTANCE instance, const char* folder);

}  // namespace hiyomi
