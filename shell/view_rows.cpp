#include "shell/view_rows.h"

#include <algorithm>

namespace hiyomi {

namespace {

int FloorMod(int a, int b) noexcept {
  const int r = a % b;
  return r < 0 ? r + b : r;
}

int FloorDiv(int a, int b) noexcept { return (a - FloorMod(a, b)) / b; }

int CeilDiv(int a, int b) noexcept { return -FloorDiv(-a, b); }

SerialDay FirstOfMonthContaining(SerialDay serial) noexcept {
  return serial - DateFromSerial(serial).day + 1;
}

// First day of the period (calendar or fiscal year) that holds serial.
// Goes through SerialFromDate like every other date of the view, so a
// period starting in 2000 has the same (one-higher) serial everywhere.
SerialDay PeriodStartOf(SerialDay serial, bool fiscal) noexcept {
  const CalendarDate date = DateFromSerial(serial);
  if (!fiscal) return SerialFromDate(date.year, 1, 1);
  const int year = date.month >= 4 ? date.year : date.year - 1;
  return SerialFromDate(year, 4, 1);
}

SerialDay NextPeriodStart(SerialDay periodStart, bool fiscal) noexcept {
  const CalendarDate date = DateFromSerial(periodStart + 1);
  const int year = (fiscal && date.month < 4) ? date.year : date.year + 1;
  return SerialFromDate(year, fiscal ? 4 : 1, 1);
}

void FillAtFixedSteps(SerialDay* rowStart, int anchor, int last, int columns) noexcept {
  for (int i = anchor - 1; i >= 0; --i) rowStart[i] = rowStart[i + 1] - columns;
  for (int i = anchor + 1; i <= last; ++i) rowStart[i] = rowStart[i - 1] + columns;
}

// Rows that never cross a month: each month starts a row of its own.
void FillByMonth(SerialDay* rowStart, int anchor, int last, int columns) noexcept {
  for (int i = anchor - 1; i >= 0; --i) {
    const SerialDay below = rowStart[i + 1];
    const SerialDay monthStart = FirstOfMonthContaining(below);
    SerialDay start = below - columns;
    if (start < monthStart) {
      const SerialDay previousMonth = FirstOfMonthContaining(monthStart - 1);
      const CalendarDate date = DateFromSerial(previousMonth);
      start = previousMonth + columns * ((DaysInMonth(date.year, date.month) - 1) / columns);
    }
    rowStart[i] = start;
  }
  for (int i = anchor + 1; i <= last; ++i) {
    const SerialDay above = rowStart[i - 1];
    const CalendarDate date = DateFromSerial(above);
    const SerialDay nextMonth = above - date.day + 1 + DaysInMonth(date.year, date.month);
    rowStart[i] = std::min(above + columns, nextMonth);
  }
}

// Rows counted from 1 January or 1 April; each period starts a row.
void FillByPeriod(SerialDay* rowStart, int anchor, int last, int columns, bool fiscal) noexcept {
  // Jan-Mar 2001, the part of the first fiscal year that lies in the range.
  constexpr int kDaysBeforeFirstApril = 90;
  SerialDay periodStart = PeriodStartOf(rowStart[anchor], fiscal);
  for (int i = anchor - 1; i >= 0; --i) {
    SerialDay start = rowStart[i + 1] - columns;
    if (start < periodStart) {
      const SerialDay previous = PeriodStartOf(periodStart - 1, fiscal);
      if (previous < kFirstSerial) {
        // No earlier period to align to: rows run as if the period began on
        // the first supported day.
        const int rest = kDaysBeforeFirstApril % columns;
        if (rest != 0) start += columns - rest;
      } else {
        start = previous + columns * ((periodStart - previous - 1) / columns);
      }
      periodStart = previous;
    }
    rowStart[i] = start;
  }
  SerialDay nextStart = NextPeriodStart(PeriodStartOf(rowStart[anchor], fiscal), fiscal);
  for (int i = anchor + 1; i <= last; ++i) {
    SerialDay start = rowStart[i - 1] + columns;
    if (start >= nextStart) {
      start = nextStart;
      nextStart = NextPeriodStart(nextStart, fiscal);
    }
    rowStart[i] = start;
  }
}

}  // namespace

int AnchorRowOf(int ptn0) noexcept { return ptn0 < 0 ? -ptn0 : ptn0 + 1; }

int RowAlignmentOf(int ptn5) noexcept { return ptn5 >= 0 ? ptn5 : ~ptn5; }

void NavigateRows(ViewRows& view, const RowLayoutOptions& options, NavigateKind kind,
                  int amount, SerialDay today) noexcept {
  const int rows = std::clamp(options.rows, 1, kMaxVisibleRows);
  const int columns = std::max(options.columns, 1);
  const int last = rows + 5;
  const int anchor = std::clamp(AnchorRowOf(options.ptn0), 1, 3);
  const int alignment = std::clamp(RowAlignmentOf(options.ptn5), 0, 10);
  const bool focusOnFirst = options.ptn0 < 0;
  const CalendarDate todayDate = DateFromSerial(today);
  // Row steps read the rows as they were before this step.
  const int stepRow = std::clamp(anchor + amount, 0, last);

  SerialDay focus = view.focusDay;
  switch (kind) {
    case NavigateKind::kToday:
      focus = focusOnFirst ? SerialFromDate(todayDate.year, todayDate.month, 1) : today;
      break;
    case NavigateKind::kToDay:
      focus = amount;
      break;
    case NavigateKind::kByDays:
      focus += amount;
      break;
    case NavigateKind::kByMonths:
    case NavigateKind::kByYears: {
      int year = view.year;
      int month = view.month;
      if (kind == NavigateKind::kByMonths) {
        year += StepMonth(amount, &month);
      } else {
        year += amount;
      }
      // Outside the range the day is clamped below; keep the year sane.
      year = std::clamp(year, 2000, 2100);
      focus = SerialFromDate(year, month, focusOnFirst ? 1 : todayDate.day);
      break;
    }
    case NavigateKind::kByRows: {
      const SerialDay anchorStart = view.rowStart[anchor];
      focus += view.rowStart[stepRow] - anchorStart;
      if (amount < 0 && focus >= anchorStart) focus = anchorStart - 1;
      if (amount > 0 && focus >= view.rowStart[anchor + 2]) focus = view.rowStart[anchor + 2] - 1;
      break;
    }
  }

  // At the range ends the focus is held back; rows that shift without
  // realigning must shift by what the focus really moved, or they drift
  // away from it with every further step.
  const int heldBack = ClampSerial(focus) - focus;
  focus = ClampSerial(focus);
  const CalendarDate focusDate = DateFromSerial(focus);
  view.focusDay = focus;
  view.year = focusDate.year;
  view.month = focusDate.month;
  const SerialDay monthStart = focus - focusDate.day + 1;
  SerialDay* rowStart = view.rowStart;

  if (alignment <= 7) {
    if (kind == NavigateKind::kByRows && options.ptn5 < 0 && rowStart[stepRow] < kNoDay) {
      for (int i = 0; i <= last; ++i) rowStart[i] += amount * columns + heldBack;
      return;
    }
    if (kind == NavigateKind::kByDays) {
      rowStart[anchor] += amount + heldBack;
    } else if (alignment <= 6) {
      rowStart[anchor] = focus - FloorMod(WeekdayOf(focus) - alignment, 7);
    } else {
      rowStart[anchor] = focus - (focus - monthStart) % columns;
    }
    FillAtFixedSteps(rowStart, anchor, last, columns);
  } else if (alignment == 8) {
    rowStart[anchor] = focus - (focus - monthStart) % columns;
    FillByMonth(rowStart, anchor, last, columns);
  } else {
    const bool fiscal = alignment == 10;
    const SerialDay periodStart = PeriodStartOf(focus, fiscal);
    rowStart[anchor] = focus - FloorMod(focus - periodStart, columns);
    FillByPeriod(rowStart, anchor, last, columns, fiscal);
  }
}

namespace {

// First day of the period that restarts the rows under alignment 8-10.
SerialDay AlignmentPeriodStart(SerialDay serial, int alignment) noexcept {
  if (alignment == 8) return FirstOfMonthContaining(serial);
  return PeriodStartOf(serial, alignment == 10);
}

SerialDay NextAlignmentPeriod(SerialDay periodStart, int alignment) noexcept {
  if (alignment == 8) {
    const CalendarDate date = DateFromSerial(periodStart);
    return periodStart + DaysInMonth(date.year, date.month);
  }
  return NextPeriodStart(periodStart, alignment == 10);
}

}  // namespace

int RowNumberOf(SerialDay start, int ptn3, const RowLayoutOptions& options) noexcept {
  enum Counting { kFromMonth = 0, kFromJanuary = 1, kFromApril = 2 };
  const int counting = (ptn3 >> 4) & 0x0F;
  if (counting > kFromApril) return 0;
  const int columns = std::max(options.columns, 1);
  const int alignment = std::clamp(RowAlignmentOf(options.ptn5), 0, 10);
  const CalendarDate date = DateFromSerial(start);
  SerialDay first;
  if (counting == kFromMonth) {
    first = start - date.day + 1;
  } else if (counting == kFromJanuary) {
    first = SerialFromDate(date.year, 1, 1);
  } else {
    first = SerialFromDate(date.month >= 4 ? date.year : date.year - 1, 4, 1);
  }
  if (alignment <= 6) {
    const SerialDay rowOfFirst = first - FloorMod(FloorMod(first, 7) - alignment, 7);
    return FloorDiv(start - rowOfFirst, columns) + 1;
  }
  // Rows line up with the first of the displayed month, so the period's
  // first day may lie inside the row before a row start: count that row.
  if (alignment == 7) return CeilDiv(start - first, columns) + 1;

  // Rows restart with every month or year: earlier periods count whole rows.
  SerialDay period = AlignmentPeriodStart(first, alignment);
  int number = 1 - FloorDiv(first - period, columns);
  for (SerialDay next = NextAlignmentPeriod(period, alignment); next <= start;
       next = NextAlignmentPeriod(period, alignment)) {
    number += CeilDiv(next - period, columns);
    period = next;
  }
  return number + FloorDiv(start - period, columns);
}

int FocusColumn(const ViewRows& view, const RowLayoutOptions& options) noexcept {
  return view.focusDay - view.rowStart[std::clamp(AnchorRowOf(options.ptn0), 1, 3)];
}

int LimitScrollPosition(const HorizontalScroll& scroll, int position) noexcept {
  if (position + scroll.page > scroll.maximum + 1) position = scroll.maximum + 1 - scroll.page;
  if (position < scroll.minimum) position = scroll.minimum;
  return position;
}

int ScrolledPosition(const HorizontalScroll& scroll, ScrollCode code, int value) noexcept {
  int position = scroll.position;
  switch (code) {
    case ScrollCode::kLineLeft: position -= 1; break;
    case ScrollCode::kLineRight: position += 1; break;
    case ScrollCode::kPageLeft: position -= scroll.page; break;
    case ScrollCode::kPageRight: position += scroll.page; break;
    case ScrollCode::kThumbPosition: position = value; break;
    case ScrollCode::kLeft: position = scroll.minimum; break;
    case ScrollCode::kRight: position = scroll.maximum; break;
    case ScrollCode::kThumbTrack:  // the view follows the thumb only on release
    case ScrollCode::kEndScroll:
      return scroll.position;
  }
  return LimitScrollPosition(scroll, position);
}

int PositionShowingColumn(const HorizontalScroll& scroll, int column) noexcept {
  int position = scroll.position;
  if (column < position) {
    position = column;
  } else if (column >= position + scroll.page) {
    position = column - scroll.page + 1;
  }
  return LimitScrollPosition(scroll, position);
}

int RowLabelWidth(int ptn3, int penSize0, int h0, bool fontBold0) noexcept {
  const int labels = ptn3 & 0x0F;
  const int numbers = (ptn3 >> 4) & 0x0F;
  constexpr int kNoRowNumbers = 3;
  int width;
  switch (labels) {
    case 0:
    case 2: width = penSize0 + 25 * h0 / 10; break;
    case 1: width = penSize0 + 34 * h0 / 10; break;
    case 3:
    case 4: width = penSize0 + 22 * h0 / 10; break;
    case 5:
      if (numbers == kNoRowNumbers) return penSize0 / 2;
      width = penSize0 + 15 * h0 / 10;
      break;
    default:
      return penSize0 / 2;  // no label column
  }
  return fontBold0 ? static_cast<int>(width * 1.2) : width;
}

GridGeometry ComputeGridGeometry(const GridMetricsInput& in, int rows) noexcept {
  constexpr int kHeaderOff = 3;  // `Ptn2` value without the header row
  const int halfPen = (in.penSize0 + 1) / 2;
  const int entryLines = in.entryLines + ((in.ptn4 & 0xFF00) != 0 ? 1 : 0);
  const int lineHeight = std::max(in.h0, in.h1);
  GridGeometry grid{};
  grid.columns = std::max(in.columns, 1);
  grid.rows = rows;
  grid.leftMargin = RowLabelWidth(in.ptn3, in.penSize0, in.h0, in.fontBold0);
  grid.topMargin =
      in.ptn2 == kHeaderOff ? in.penSize0 / 2 : halfPen + in.h0 + in.penSize0 + 4;
  grid.cellWidth = std::max(in.cellWidth, 1);
  grid.cellHeight = lineHeight + in.h0 * entryLines + in.penSize0 + 2;
  grid.halfPen = halfPen;
  grid.dayNumberWidth = in.dayNumberWidth;
  grid.lineHeight = lineHeight;
  return grid;
}

int GridScrollPage(const GridGeometry& grid, int clientWidth, int zoom) noexcept {
  constexpr int kScrollBarWidth = 16;
  const int page = ((clientWidth - kScrollBarWidth) * 100 / zoom - grid.leftMargin) / grid.cellWidth;
  return std::max(page, 1);
}

SerialDay GridHitTest(const GridGeometry& grid, const ViewRows& view, int scrollPosition, int x,
                      int y, int topOffset, int zoom, bool wholeCell) noexcept {
  const int ux = x * 100 / zoom;
  const int uy = (y - topOffset) * 100 / zoom;
  if (y < topOffset || ux < grid.leftMargin || uy < grid.topMargin) return -1;
  const int column = (ux - grid.leftMargin) / grid.cellWidth;
  const int row = (uy - grid.topMargin) / grid.cellHeight;
  if (column >= grid.columns || row >= grid.rows || row + 2 >= kRowStartEntries) return -1;
  if (!wholeCell) {
    const int cellLeft = grid.leftMargin + column * grid.cellWidth;
    const int cellTop = grid.topMargin + row * grid.cellHeight;
    if (ux < cellLeft + grid.halfPen || ux > cellLeft + grid.dayNumberWidth + 8) return -1;
    const int boxTop = cellTop + grid.halfPen;
    if (uy < boxTop || uy > boxTop + grid.lineHeight - 1) return -1;
  }
  const SerialDay day = view.rowStart[row + 1] + column + scrollPosition;
  if (day >= view.rowStart[row + 2] || day < kFirstSerial || day > kLastSerial) return -1;
  return day;
}

}  // namespace hiyomi
