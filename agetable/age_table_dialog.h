// The age table AGEDLG (年齢早見表): years with their era year, eto and age,
// remarks by year or by age in three sets.
#pragma once

#include <windows.h>

namespace hiyomi {

class SettingsStore;

// Modal over owner. The persons, remarks and mark colour come from store
// (AgeSettings in the program, always "HiyomiAge.ini"); only remarks the
// user edited are written back.
void RunAgeTableDialog(HWND owner, SettingsStore& store, int currentYear);

}  // namespace hiyomi
