// The iCalendar export dialog ICSDLG: a range of days, what goes out
// besides the day entries, and the file, written while the dialog stays open.
#pragma once

#include <windows.h>

#include "schedule/data_file.h"
#include "schedule/day_items.h"

namespace hiyomi {

class SettingsStore;

struct IcsDialogData {
  const DayItemInputs& days;  // the user's data; the view's switches are not used
  SettingsStore& settings;    // IcsOpt
  DataFiles& files;
};

// Modal over `owner`; the choices are kept in IcsOpt when it closes.
void RunIcsDialog(HWND owner, const IcsDialogData& data);

}  // namespace hiyomi
