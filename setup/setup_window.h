// Setup's window MAINDLG: the target folder, one row per distribution file
// with its installed version and the choice of what to do, and the run.
#pragma once

#include <windows.h>

namespace hiyomi {

inline constexpr char kSetupTitle[] = "Hiyomi Setup";

// Modal with no owner until closed; installs from the current directory.
// True when an install ran to a complete success.
bool RunSetupWindow(HINSTANCE instance);

// Tests only: the date the backup names are made from (month 0: today).
void SetSetupTodayForTests(int month, int day);

}  // namespace hiyomi
