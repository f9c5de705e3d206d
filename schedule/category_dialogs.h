// The category dialog TYPEDLG and the colour set dialog COLORDLG, and the
// colour lists of the day and undated dialogs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "schedule/categories.h"

namespace hiyomi {

class SettingsStore;

// 1 when confirmed: the table is changed and its Type%d keys are written in
// `section` (CategorySection). 0 when cancelled: nothing changes.
int RunCategoryDialog(HWND owner, CategoryTable& table, SettingsStore& store, const char* section);
// 1 when confirmed (blank rows close up, Color%d keys written), else 0.
int RunColorSetDialog(HWND owner, ColorSets& sets, SettingsStore& store, const char* section);

// Fills a drop-down list with "分類", the set's names and "指定", selecting
// the item that shows `color`.
void FillColorList(HWND combo, const ColorSet& set, int32_t color);
// After the user picked an item: the resulting colour ("指定" opens the
// colour chooser); the list is reselected to show it.
int32_t PickFromColorList(HWND owner, HWND combo, const ColorSet& set, int32_t current);

}  // namespace hiyomi
