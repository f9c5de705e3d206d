// The CSV export dialog CSVDLG: a range of days, what each line holds,
// the separator and the file, written while the dialog stays open.
#pragma once

#include <windows.h>

#include "schedule/data_file.h"
#include "schedule/day_items.h"

namespace hiyomi {

class SettingsStore;

struct CsvDialogData {
  const DayItemInputs& days;  // what the view shows, under its switches
  SettingsStore& settings;    // CSVOpt
  DataFiles& files;
};

// Modal over `owner`; the choices are kept in CSVOpt when it closes.
void RunCsvDialog(HWND owner, const CsvDialogData& data);

}  // namespace hiyomi
