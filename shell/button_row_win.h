// The row of owner-drawn buttons above the grid: layout for both menu
// types and drawing.
#pragma once

#include <windows.h>

#include "almanac/dates.h"
#include "settings/options.h"

namespace hiyomi {

inline constexpr int kButtonRowHeight = 21;

// What the buttons show of the calendar.
struct ButtonRowState {
  int year;  // displayed
  int month;
  SerialDay today;
  HFONT titleFont;  // font 2
};

void LayoutButtonRow(HWND window, const Options& options);
// WM_DRAWITEM of a button of the row. A ticked toggle button ("Top", "メモ")
// keeps the pressed look. True when it was one of ours.
bool DrawButtonRowItem(const DRAWITEMSTRUCT& item, const ButtonRowState& state,
                       const Options& options, bool ticked);
// The month title of button 214 for the displayed year and month.
void FormatMonthTitle(char* buffer, int size, int year, int month, int ptn1, int menuType);

}  // namespace hiyomi
