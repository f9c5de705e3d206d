#include "shell/view_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace hiyomi {

namespace {

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

ViewRows Navigated(const RowLayoutOptions& options, SerialDay focus, SerialDay today) {
  ViewRows view;
  NavigateRows(view, options, NavigateKind::kToDay, focus, today);
  return view;
}

// Lengths of the visible rows 0..rows-1.
std::vector<int> RowLengths(const ViewRows& view, int rows) {
  std::vector<int> lengths;
  for (int i = 1; i <= rows; ++i) lengths.push_back(view.rowStart[i + 1] - view.rowStart[i]);
  return lengths;
}

TEST(ViewRows, WeekRowsStartOnTheChosenWeekday) {
  const RowLayoutOptions monday{7, 5, 0, 1};
  const SerialDay today = Day(2026, 12, 10);  // a Thursday
  ViewRows view;
  NavigateRows(view, monday, NavigateKind::kToday, 0, today);
  EXPECT_EQ(view.focusDay, today);
  EXPECT_EQ(view.rowStart[1], Day(2026, 12, 7));  // today's row is the first
  for (int i = 0; i <= 5 + 5; ++i) EXPECT_EQ(WeekdayOf(view.rowStart[i]), 1) << i;

  const RowLayoutOptions secondRowSunday{7, 5, 1, 0};
  NavigateRows(view, secondRowSunday, NavigateKind::kToday, 0, today);
  EXPECT_EQ(view.rowStart[2], Day(2026, 12, 6));
  EXPECT_EQ(view.rowStart[1], Day(2026, 11, 29));
}

TEST(ViewRows, FocusOnTheFirstGoesToTheFirstOfTheMonth) {
  const RowLayoutOptions options{7, 5, -1, 1};
  ViewRows view;
  NavigateRows(view, options, NavigateKind::kToday, 0, Day(2026, 12, 10));
  EXPECT_EQ(view.focusDay, Day(2026, 12, 1));
  EXPECT_EQ(view.rowStart[1], Day(2026, 11, 30));  // the Monday on or before
  NavigateRows(view, options, NavigateKind::kByMonths, 1, Day(2026, 12, 10));
  EXPECT_EQ(view.focusDay, Day(2027, 1, 1));
}

TEST(ViewRows, MonthAndYearStepsKeepTodaysDayClampedToTheMonth) {
  const RowLayoutOptions options{7, 5, 0, 1};
  struct Case { SerialDay today; NavigateKind kind; int amount; SerialDay expected; };
  const Case cases[] = {
      {Day(2001, 1, 31), NavigateKind::kByMonths, 1, Day(2001, 2, 28)},
      {Day(2004, 1, 31), NavigateKind::kByMonths, 1, Day(2004, 2, 29)},
      {Day(2004, 1, 31), NavigateKind::kByMonths, -1, Day(2003, 12, 31)},
      {Day(2004, 2, 29), NavigateKind::kByYears, 1, Day(2005, 2, 28)},
      {Day(2099, 12, 15), NavigateKind::kByMonths, 1, kLastSerial},
      {Day(2001, 1, 15), NavigateKind::kByYears, -1, kFirstSerial},
  };
  for (const Case& c : cases) {
    ViewRows view = Navigated(options, c.today, c.today);
    NavigateRows(view, options, c.kind, c.amount, c.today);
    EXPECT_EQ(view.focusDay, c.expected) << c.today << " " << c.amount;
    EXPECT_EQ(view.month, DateFromSerial(c.expected).month);
  }
}

TEST(ViewRows, RowStepsMoveByTheRowAndStopAtTheEnds) {
  const RowLayoutOptions options{7, 5, 0, 1};
  ViewRows view = Navigated(options, Day(2026, 12, 10), Day(2026, 12, 10));
  NavigateRows(view, options, NavigateKind::kByRows, 1, 1);
  EXPECT_EQ(view.focusDay, Day(2026, 12, 17));
  NavigateRows(view, options, NavigateKind::kByRows, -1, 1);
  EXPECT_EQ(view.focusDay, Day(2026, 12, 10));

  view = Navigated(options, kLastSerial, 1);
  NavigateRows(view, options, NavigateKind::kByRows, 1, 1);
  EXPECT_EQ(view.focusDay, kLastSerial);
  view = Navigated(options, kFirstSerial, 1);
  NavigateRows(view, options, NavigateKind::kByRows, -1, 1);
  EXPECT_EQ(view.focusDay, kFirstSerial);
}

TEST(ViewRows, DayStepsAndUnfixedRowStepsShiftWithoutRealigning) {
  RowLayoutOptions options{7, 5, 0, 1};
  ViewRows view = Navigated(options, Day(2026, 12, 10), 1);
  NavigateRows(view, options, NavigateKind::kByDays, 1, 1);
  EXPECT_EQ(view.rowStart[1], Day(2026, 12, 8));  // a Tuesday now
  EXPECT_EQ(view.rowStart[2], Day(2026, 12, 15));

  options.ptn5 = ~1;  // Monday, not fixed
  NavigateRows(view, options, NavigateKind::kByRows, 1, 1);
  EXPECT_EQ(view.rowStart[1], Day(2026, 12, 15));
  EXPECT_EQ(view.focusDay, Day(2026, 12, 18));
}

// At the range ends the focus cannot move; rows that shift without
// realigning must stay with it instead of drifting into empty boxes.
TEST(ViewRows, UnalignedStepsAtTheRangeEndsKeepTheRowsOnTheFocus) {
  struct Case {
    SerialDay from;
    NavigateKind kind;
    int amount;
  };
  const Case cases[] = {
      {kFirstSerial, NavigateKind::kByRows, -1},
      {kFirstSerial, NavigateKind::kByDays, -1},
      {kLastSerial, NavigateKind::kByRows, 1},
      {kLastSerial, NavigateKind::kByDays, 1},
      {kLastSerial - 2, NavigateKind::kByRows, 1},
  };
  for (const Case& c : cases) {
    const RowLayoutOptions options{7, 5, 0, ~1};  // Monday, not fixed
    ViewRows view = Navigated(options, c.from, 1);
    for (int step = 0; step < 10; ++step) NavigateRows(view, options, c.kind, c.amount, 1);
    const int column = FocusColumn(view, options);
    EXPECT_GE(column, 0) << c.from << " " << c.amount;
    EXPECT_LT(column, 7) << c.from << " " << c.amount;
  }
}

TEST(ViewRows, MonthRowsNeverCrossAMonth) {
  const RowLayoutOptions options{7, 8, 0, 8};
  const ViewRows view = Navigated(options, Day(2001, 1, 1), 1);
  EXPECT_EQ(RowLengths(view, 8), (std::vector<int>{7, 7, 7, 7, 3, 7, 7, 7}));
  EXPECT_EQ(view.rowStart[6], Day(2001, 2, 1));
  // Upwards the row above the 1st is the last row of the month before.
  const ViewRows march = Navigated(options, Day(2001, 3, 1), 1);
  EXPECT_EQ(march.rowStart[0], Day(2001, 2, 22));
  const ViewRows middle = Navigated(options, Day(2001, 1, 10), 1);
  EXPECT_EQ(middle.rowStart[1], Day(2001, 1, 8));
}

TEST(ViewRows, PeriodRowsRestartOnTheFirstOfThePeriod) {
  // From 1 January: the last row of 2001 is short, 2002 starts a row.
  const RowLayoutOptions january{7, 5, 2, 9};
  const ViewRows view = Navigated(january, Day(2002, 1, 3), 1);
  EXPECT_EQ(view.rowStart[3], Day(2002, 1, 1));
  EXPECT_EQ(view.rowStart[2], Day(2001, 12, 31));  // 365 = 52 * 7 + 1
  EXPECT_EQ(view.rowStart[1], Day(2001, 12, 24));

  // From 1 April: above April 2001 the rows line up with 1 January 2001.
  const RowLayoutOptions april{7, 5, 2, 10};
  const ViewRows fiscal = Navigated(april, Day(2001, 4, 2), 1);
  EXPECT_EQ(fiscal.rowStart[3], Day(2001, 4, 1));
  EXPECT_EQ(fiscal.rowStart[2], Day(2001, 3, 26));  // 90 days: 12 rows and 6 days
  EXPECT_EQ(fiscal.rowStart[1], Day(2001, 3, 19));
  const ViewRows next = Navigated(april, Day(2002, 3, 30), 1);
  EXPECT_EQ(next.rowStart[4], Day(2002, 3, 31));  // 365 days: the last row is one day
  EXPECT_EQ(next.rowStart[5], Day(2002, 4, 1));
}

TEST(ViewRows, FocusColumnFollowsTheAnchorRow) {
  const RowLayoutOptions options{14, 3, 0, 7};
  const ViewRows view = Navigated(options, Day(2026, 12, 20), 1);
  EXPECT_EQ(view.rowStart[1], Day(2026, 12, 15));
  EXPECT_EQ(FocusColumn(view, options), 5);
}

TEST(HorizontalScroll, CodesMoveWithinTheRange) {
  const HorizontalScroll scroll{0, 30, 10, 5};
  struct Case { ScrollCode code; int value; int expected; };
  const Case cases[] = {
      {ScrollCode::kLineLeft, 0, 4},       {ScrollCode::kLineRight, 0, 6},
      {ScrollCode::kPageLeft, 0, 0},       {ScrollCode::kPageRight, 0, 15},
      {ScrollCode::kThumbPosition, 28, 21}, {ScrollCode::kThumbTrack, 28, 5},
      {ScrollCode::kLeft, 0, 0},           {ScrollCode::kRight, 0, 21},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrolledPosition(scroll, c.code, c.value), c.expected) << static_cast<int>(c.code);
  }
  const HorizontalScroll wholeRange{0, 6, 7, 3};
  EXPECT_EQ(LimitScrollPosition(wholeRange, 3), 0);
  EXPECT_EQ(PositionShowingColumn(scroll, 2), 2);
  EXPECT_EQ(PositionShowingColumn(scroll, 17), 8);
  EXPECT_EQ(PositionShowingColumn(scroll, 9), 5);
}

TEST(GridGeometry, MarginsAndCellsFromFontsAndPens) {
  GridMetricsInput in{7, 85, 3, 0, 0x01, 0, 1, false, 14, 18, 20};
  GridGeometry grid = ComputeGridGeometry(in, 5);
  EXPECT_EQ(grid.halfPen, 1);
  EXPECT_EQ(grid.cellHeight, 18 + 14 * 3 + 1 + 2);
  EXPECT_EQ(grid.topMargin, 1 + 14 + 1 + 4);
  EXPECT_EQ(grid.leftMargin, 1 + 34 * 14 / 10);
  in.ptn4 = 0x0100;  // one more line for the extra annotations
  EXPECT_EQ(ComputeGridGeometry(in, 5).cellHeight, 18 + 14 * 4 + 1 + 2);
  in.ptn2 = 3;
  EXPECT_EQ(ComputeGridGeometry(in, 5).topMargin, 0);

  struct Case { int ptn3; bool bold; int width; };
  const Case cases[] = {{0x00, false, 2 + 25 * 15 / 10}, {0x02, true, int((2 + 37) * 1.2)},
                        {0x03, false, 2 + 33},           {0x05, false, 2 + 22},
                        {0x35, true, 1},                 {0x06, true, 1}};
  for (const Case& c : cases) EXPECT_EQ(RowLabelWidth(c.ptn3, 2, 15, c.bold), c.width) << c.ptn3;
}

TEST(GridHitTest, DayNumberBoxOrWholeCell) {
  const RowLayoutOptions options{7, 5, 0, 1};
  const ViewRows view = Navigated(options, Day(2026, 12, 10), 1);
  GridMetricsInput in{7, 85, 3, 0, 0x06, 0, 1, false, 14, 18, 20};
  const GridGeometry grid = ComputeGridGeometry(in, 5);
  const int top = 21;
  // Column 3 of row 1 (Thursday 17 December), a point in its number box.
  const int x = grid.leftMargin + 3 * 85 + 5;
  const int y = top + grid.topMargin + grid.cellHeight + 5;
  EXPECT_EQ(GridHitTest(grid, view, 0, x, y, top, 100, false), Day(2026, 12, 17));
  EXPECT_EQ(GridHitTest(grid, view, 0, x + 60, y + 40, top, 100, false), -1);
  EXPECT_EQ(GridHitTest(grid, view, 0, x + 60, y + 40, top, 100, true), Day(2026, 12, 17));
  EXPECT_EQ(GridHitTest(grid, view, 2, x, y, top, 100, false), Day(2026, 12, 19));
  // At zoom 200 the same day sits twice as far out.
  EXPECT_EQ(GridHitTest(grid, view, 0, 2 * x, top + 2 * (y - top), top, 200, false),
            Day(2026, 12, 17));
  EXPECT_EQ(GridHitTest(grid, view, 0, x, top - 1, top, 100, true), -1);
  EXPECT_EQ(GridHitTest(grid, view, 0, grid.leftMargin + 7 * 85 + 1, y, top, 100, true), -1);

  // Cells after 2099-12-31 are never hit.
  const ViewRows end = Navigated(options, kLastSerial, 1);
  const int lastColumn = kLastSerial - end.rowStart[1];
  const int cy = top + grid.topMargin + 5;
  const int cx = grid.leftMargin + (lastColumn + 1) * 85 + 5;
  ASSERT_EQ(lastColumn, 3);  // 2099-12-31 is a Thursday
  EXPECT_EQ(GridHitTest(grid, end, 0, cx, cy, top, 100, true), -1);
  EXPECT_EQ(GridHitTest(grid, end, 0, cx - 85, cy, top, 100, true), kLastSerial);
}

}  // namespace

namespace {

TEST(RowNumbers, TheRowHoldingThePeriodsFirstDayIsRowOne) {
  struct Case {
    int ptn3;
    int ptn5;
    int columns;
    SerialDay start;
    int expected;
  };
  const Case cases[] = {
      {0x31, 1, 7, SerialFromDate(2026, 12, 7), 0},    // numbers off
      {0x01, 1, 7, SerialFromDate(2026, 11, 23), 5},   // Monday rows from 26 October
      {0x01, 1, 7, SerialFromDate(2026, 11, 30), 6},   // still a November row
      {0x01, 1, 7, SerialFromDate(2026, 12, 28), 5},
      {0x11, 1, 7, SerialFromDate(2026, 12, 28), 53},  // 1 Jan 2026 is a Thursday
      {0x01, 8, 7, SerialFromDate(2026, 12, 29), 5},   // rows never cross a month
      {0x11, 8, 7, SerialFromDate(2026, 2, 1), 6},     // January takes five rows
      {0x11, 8, 7, SerialFromDate(2026, 3, 1), 10},    // February takes four
      {0x21, 10, 7, SerialFromDate(2026, 4, 8), 2},
      {0x11, 10, 7, SerialFromDate(2026, 1, 1), 1},    // 275 days before: its row is row 1
      {0x11, 10, 7, SerialFromDate(2026, 1, 7), 2},
      {0x11, 10, 7, SerialFromDate(2026, 3, 31), 14},  // the one-day last row of the year
      {0x11, 10, 7, SerialFromDate(2026, 4, 1), 15},
      {0x21, 9, 7, SerialFromDate(2026, 4, 2), 2},     // 1 April is in the row before
      {0x21, 9, 7, SerialFromDate(2027, 1, 1), 42},
      {0x21, 7, 7, SerialFromDate(2026, 12, 1), 36},   // 1 April lies in the row of 31 March
      {0x21, 7, 7, SerialFromDate(2026, 12, 8), 37},
      {0x11, 7, 7, SerialFromDate(2026, 12, 1), 49},
      {0x01, 7, 7, SerialFromDate(2026, 12, 1), 1},
      {0x21, 7, 7, SerialFromDate(2026, 4, 1), 1},
  };
  for (const Case& c : cases) {
    const RowLayoutOptions options{c.columns, 5, 0, c.ptn5};
    EXPECT_EQ(RowNumberOf(c.start, c.ptn3, options), c.expected)
        << std::hex << c.ptn3 << std::dec << " " << c.ptn5 << " " << c.start;
  }
}

}  // namespace

}  // namespace hiyomi
