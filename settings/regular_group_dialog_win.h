// The group dialog SPDDLG "定期予定グループ設定": rows 2-10 of a regular
// schedule group, edited in the options' working copies.
#pragma once

#include <windows.h>

#include "settings/options.h"

namespace hiyomi {

inline constexpr int kRegularGroups = 5;
inline constexpr int kGroupDialogRows = 9;  // rows " 2" .. "10"

// Index (0-49) of row `row` (1-10) of group `group` (0-4): schedule
// number group + 1 + 5 (row - 1).
constexpr int RegularSlotOf(int group, int row) { return group + kRegularGroups * (row - 1); }

// Runs the dialog over options.workSDay / workSDayName for group 0-4.
// OK keeps what was stored; cancel or closing puts all nine rows back.
void RunRegularGroupDialog(HWND owner, Options& options, int group);

}  // namespace hiyomi
