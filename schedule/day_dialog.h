// The day dialog DAYDLG: one day's colours and its eight entries.
#pragma once

#include <windows.h>

#include "almanac/dates.h"
#include "schedule/records.h"
#include "schedule/undated_dialog.h"

namespace hiyomi {

// Modal. 0 when the view only repaints, else the serial day the view moves
// to (the day the rows were stored under, when the date was changed).
int RunDayDialog(HWND owner, SerialDay day, const ScheduleDialogData& data);

// The value a typed order gives: signed, clamped to the 8-bit field.
int8_t OrderFromText(const char* text) noexcept;
// Sort key of a row: -order when hidden, 10000 for an empty row, else order.
int RowSortKey(int8_t order) noexcept;
// The permutation the sort applies: result[i] = the row that goes to slot i.
// Shell sort with gaps 4, 2, 1, moving a row back only while strictly smaller.
void SortRowsByKey(const int (&keys)[kEntriesPerDay], int (&order)[kEntriesPerDay]) noexcept;

}  // namespace hiyomi
