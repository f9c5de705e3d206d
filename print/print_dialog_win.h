// The schedule-sheet dialog PRTDLG: how the sheet looks, where its pages
// go on the printer sheet and which printer takes it; "値計算" and "印刷"
// compute and print while it stays open.
#pragma once

#include <windows.h>

#include "print/print_settings.h"
#include "schedule/day_items.h"

namespace hiyomi {

class SettingsStore;

struct PrintDialogData {
  SettingsStore& settings;
  PrintLook& look;            // the program's: replaced when "閉じる" saves
  const DayItemInputs& days;  // what the view shows, under its switches
  SerialDay startDay;         // the first day the view shows
};

// Modal over `owner`. 1 when closed with "閉じる" (the look was saved),
// 0 otherwise.
int RunPrintDialog(HWND owner, const PrintDialogData& data);

}  // namespace hiyomi
