// The calendar view's rows of days and their navigation, without any
// window: which day starts each row, how the focus day moves, horizontal
// scrolling by columns and the grid's hit test. The main window owns one
// ViewRows and feeds it the options and today's date.
#pragma once

#include "almanac/dates.h"

namespace hiyomi {

inline constexpr int kMaxVisibleRows = 52;  // `Tate` is [1, 52]
// Entry 0 is the row above the first visible row; entries run to R + 5.
inline constexpr int kRowStartEntries = kMaxVisibleRows + 6;

enum class NavigateKind : int {
  kToday = 0,   // today (or the first of today's month)
  kToDay = 1,   // the serial day given as amount
  kByDays = 2,
  kByMonths = 3,
  kByYears = 4,
  kByRows = 5,
};

// The options the row layout depends on.
struct RowLayoutOptions {
  int columns;  // `Yoko`, [1, 366]
  int rows;     // visible rows R, [1, 52]
  int ptn0;     // target row, [-3, 2]; negative: focus on the 1st of the month
  int ptn5;     // start day of the rows, [-11, 10]; negative: not fixed
};

struct ViewRows {
  SerialDay focusDay = 1;
  int year = 2001;   // displayed year and month: those of focusDay
  int month = 1;
  SerialDay rowStart[kRowStartEntries] = {};
};

// Index into rowStart of the row aligned to the focus day: 1, 2 or 3.
int AnchorRowOf(int ptn0) noexcept;
// Row alignment f: 0-6 a weekday, 7 the first of the month, 8 rows never
// cross a month, 9 from 1 January, 10 from 1 April.
int RowAlignmentOf(int ptn5) noexcept;

// Moves the focus day and rebuilds every row start. In the schedule-table
// view the caller turns a row step into a move to a day (kind kToDay).
void NavigateRows(ViewRows& view, const RowLayoutOptions& options, NavigateKind kind,
                  int amount, SerialDay today) noexcept;

// The column of the anchor row that shows the focus day (may exceed the
// visible columns: the caller scrolls).
int FocusColumn(const ViewRows& view, const RowLayoutOptions& options) noexcept;

// The number a row label shows for the row starting at start, counted by
// the high four bits of ptn3 (0 from the first of the month, 1 from
// 1 January, 2 from 1 April): the row holding the counted period's first
// day is row 1. 0 when no number is shown.
int RowNumberOf(SerialDay start, int ptn3, const RowLayoutOptions& options) noexcept;

// Horizontal scrolling by columns (or pixels in the table view).
struct HorizontalScroll {
  int minimum = 0;
  int maximum = 0;
  int page = 1;
  int position = 0;
};

enum class ScrollCode : int {  // the Win32 SB_ codes of a horizontal bar
  kLineLeft = 0,
  kLineRight = 1,
  kPageLeft = 2,
  kPageRight = 3,
  kThumbPosition = 4,
  kThumbTrack = 5,
  kLeft = 6,
  kRight = 7,
  kEndScroll = 8,
};

// The position after a scroll-bar action; thumb tracking changes nothing.
int ScrolledPosition(const HorizontalScroll& scroll, ScrollCode code, int value) noexcept;
// Limits a position so position + page stays within maximum + 1.
int LimitScrollPosition(const HorizontalScroll& scroll, int position) noexcept;
// The least scroll that keeps column visible.
int PositionShowingColumn(const HorizontalScroll& scroll, int column) noexcept;

// The grid's measures in unzoomed pixels of the drawing surface.
struct GridGeometry {
  int columns;          // `Yoko`
  int rows;             // R
  int leftMargin;       // row-label width
  int topMargin;        // header height
  int cellWidth;
  int cellHeight;
  int halfPen;          // ceil(PenSize0 / 2)
  int dayNumberWidth;
  int lineHeight;       // max(h0, h1)
};

// The inputs of the geometry that come from the options and the fonts.
struct GridMetricsInput {
  int columns;        // `Yoko`
  int cellWidth;      // `YokoSize`
  int entryLines;     // `TateLine`
  int ptn2;
  int ptn3;
  int ptn4;
  int penSize0;
  bool fontBold0;
  int h0;             // pixel height of font 0 plus 2
  int h1;             // pixel height of font 1 plus 2
  int dayNumberWidth; // width of "88" in font 1 (0 when font 1 is off)
};

GridGeometry ComputeGridGeometry(const GridMetricsInput& input, int rows) noexcept;
int RowLabelWidth(int ptn3, int penSize0, int h0, bool fontBold0) noexcept;

// Page of the horizontal bar in columns for the grid view.
int GridScrollPage(const GridGeometry& grid, int clientWidth, int zoom) noexcept;

// Serial day under a client point of the grid, or -1. topOffset is where
// the surface starts in the client area; wholeCell accepts any point of a
// cell, otherwise only its day-number box.
SerialDay GridHitTest(const GridGeometry& grid, const ViewRows& view, int scrollPosition,
                      int x, int y, int topOffset, int zoom, bool wholeCell) noexcept;

}  // namespace hiyomi
