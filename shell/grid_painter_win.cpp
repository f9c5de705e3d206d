#include "shell/grid_painter_win.h"

#include <algorithm>
#include <cstdio>

#include "almanac/dates.h"
#include "almanac/holidays.h"
#include "shell/cell_colors.h"

using hiyomi::ColorTable;
using hiyomi::Options;

namespace {

constexpr int kHeaderOff = 3;  // `Ptn2` without the header row
constexpr int kHeaderColumnNumbers = 2;
constexpr int kHeaderEnglish = 1;

int Slot(const ColorTable& table, bool text, int slot) {
  return text ? table.text[slot - 1] : table.back[slot - 1];
}

int FirstSet(int a, int b) { return a >= 0 ? a : b; }

// Everything one paint needs, fixed for the whole surface.
struct Painter {
  MainView& view;
  const Options& options;
  HDC dc;
  const GridGeometry& grid;
  int penHalfDown;  // floor(PenSize0 / 2)
  int visibleColumns;
  int firstEntryLine;  // of row 0
  SerialDay today;
  CalendarDate todayDate;
};

// A rectangle with the current pen, filled with color (the window
// background when color is unset).
void FillBox(const Painter& p, HPEN pen, int color, int left, int top, int right, int bottom) {
  Brush brush(color >= 0 ? CreateSolidBrush(static_cast<COLORREF>(color)) : nullptr);
  SelectedObject selectedPen(p.dc, pen != nullptr ? pen : GetStockObject(NULL_PEN));
  SelectedObject selectedBrush(p.dc, brush ? brush.get() : p.view.background.get());
  Rectangle(p.dc, left, top, right, bottom);
}

void DrawTextIn(HDC dc, const char* text, int color, RECT rect, UINT format) {
  SetTextColor(dc, static_cast<COLORREF>(std::max(color, 0)));
  DrawTextA(dc, text, -1, &rect, format | DT_NOPREFIX);
}

void PaintHeader(const Painter& p) {
  const ColorTable& table = p.options.colors;
  const int style = p.options.Ptn[2];
  const int top = p.penHalfDown;
  FillBox(p, p.view.gridPen.get(), FirstSet(Slot(table, false, 3), Slot(table, false, 1)), top,
          top, p.grid.leftMargin + 1, p.grid.topMargin + 1);
  SelectedObject font(p.dc, p.view.fonts[0].get());
  for (int k = 0; k < p.visibleColumns; ++k) {
    const int column = p.view.columns.position + k;
    const int weekday = WeekdayOf(p.view.rows.rowStart[1] + column);
    const int left = p.grid.leftMargin + k * p.grid.cellWidth;
    FillBox(p, p.view.gridPen.get(), FirstSet(Slot(table, false, 3), Slot(table, false, 20 + weekday)),
            left, top, left + p.grid.cellWidth + 1, p.grid.topMargin + 1);
    char text[16];
    int color;
    if (style == kHeaderColumnNumbers) {
      std::snprintf(text, sizeof text, "%d", column + 1);
      color = FirstSet(Slot(table, true, 3), Slot(table, true, 5));
    } else {
      const char* name = style == kHeaderEnglish ? WeekdayNamesEn[weekday] : WeekdayNamesJa[weekday];
      std::snprintf(text, sizeof text, "%s", name);
      color = FirstSet(Slot(table, true, 3), Slot(table, true, 20 + weekday));
    }
    DrawTextIn(p.dc, text, color, RECT{left, top, left + p.grid.cellWidth, p.grid.topMargin},
               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// The label lines of a row: year, month and the row number.
int RowLabelLines(const Painter& p, SerialDay start, char (&lines)[3][16]) {
  const CalendarDate date = DateFromSerial(start);
  const int labels = p.options.Ptn[3] & 0x0F;
  int count = 0;
  if (labels == 0 || labels == 2) {
    std::snprintf(lines[count++], sizeof lines[0], "'%02d年", date.year % 100);
  } else if (labels == 1) {
    // Rows from the first day of 令和 on carry its year.
    const bool reiwa = start >= SerialFromDate(2019, 5, 1);
    std::snprintf(lines[count++], sizeof lines[0], reiwa ? "R%2d年" : "H%2d年",
                  date.year - (reiwa ? 2018 : 1988));
  }
  if (labels == 0 || labels == 1 || labels == 3) {
    std::snprintf(lines[count++], sizeof lines[0], "%2d月", date.month);
  } else if (labels == 2 || labels == 4) {
    std::snprintf(lines[count++], sizeof lines[0], "%.3s", MonthNamesEn[date.month]);
  }
  const int number = RowNumberOf(start, p.options.Ptn[3], p.view.layout);
  if (number >= 1) std::snprintf(lines[count++], sizeof lines[0], "%d", number);
  return count;
}

void PaintRowLabel(const Painter& p, int row) {
  const ColorTable& table = p.options.colors;
  const SerialDay start = p.view.rows.rowStart[row + 1];
  const int month = DateFromSerial(std::clamp(start, kFirstSerial, kLastSerial)).month;
  const int top = p.grid.topMargin + row * p.grid.cellHeight;
  FillBox(p, p.view.gridPen.get(), FirstSet(Slot(table, false, 4), Slot(table, false, 6 + month)),
          p.penHalfDown, top, p.grid.leftMargin + 1, top + p.grid.cellHeight + 1);
  if (start < kFirstSerial || start > kLastSerial || start >= p.view.rows.rowStart[row + 2] ||
      p.options.PenSize[0] >= p.grid.leftMargin) {
    return;
  }
  char lines[3][16];
  const int count = RowLabelLines(p, start, lines);
  const int color = FirstSet(Slot(table, true, 4), Slot(table, true, 6 + month));
  SelectedObject font(p.dc, p.view.fonts[0].get());
  for (int n = count - 1; n >= 0; --n) {
    const int y = top + n * p.view.h0 + p.grid.halfPen + 3;
    DrawTextIn(p.dc, lines[n], color,
               RECT{p.grid.halfPen + 3, y, p.grid.leftMargin - p.grid.halfPen - 2, y + p.view.h0},
               DT_RIGHT | DT_SINGLELINE);
  }
}

DayFacts FactsOf(const Painter& p, SerialDay day) {
  const CalendarDate date = DateFromSerial(day);
  DayFacts facts{};
  facts.isToday = day == p.today;
  facts.recordBack = -1;
  facts.recordText = -1;
  facts.isHoliday = HolidayCodeOf(day) >= 0;
  facts.weekday = WeekdayOf(day);
  facts.month = date.month;
  if (p.options.MCType != 0) {
    facts.inReferenceMonth = date.year == p.todayDate.year && date.month == p.todayDate.month;
  } else {
    facts.inReferenceMonth = date.month == p.view.rows.month;
  }
  return facts;
}

void PaintCell(const Painter& p, int row, int k, SerialDay day) {
  const GridGeometry& grid = p.grid;
  const int left = grid.leftMargin + k * grid.cellWidth;
  const int top = grid.topMargin + row * grid.cellHeight;
  const int right = left + grid.cellWidth;
  const int bottom = top + grid.cellHeight;
  const int entryLine = p.firstEntryLine + row * grid.cellHeight;
  const DayFacts facts = FactsOf(p, day);

  FillBox(p, p.view.gridPen.get(), CellColor(p.options, CellPass::kCell, facts), left, top,
          right + 1, bottom + 1);
  FillBox(p, nullptr, CellColor(p.options, CellPass::kNumberBox, facts), left + grid.halfPen,
          top + grid.halfPen, std::min(left + grid.dayNumberWidth + 8, right), entryLine - 3);

  if (grid.dayNumberWidth <= 0) return;
  const int dayOfMonth = DateFromSerial(day).day;
  char number[4];
  std::snprintf(number, sizeof number, "%d", dayOfMonth);
  const UINT format = DT_SINGLELINE | DT_BOTTOM | (dayOfMonth < 10 ? DT_CENTER : DT_LEFT);
  RECT box{left + grid.halfPen + 2, top + grid.halfPen + 1,
           left + grid.halfPen + grid.dayNumberWidth + 2, entryLine - 2};
  SelectedObject font(p.dc, p.view.fonts[1].get());
  const int shadow = Slot(p.options.colors, true, 34);
  if (shadow >= 0) {
    DrawTextIn(p.dc, number, shadow, box, format);
    OffsetRect(&box, -1, -1);
  }
  DrawTextIn(p.dc, number, CellColor(p.options, CellPass::kNumber, facts), box, format);
}

void PaintEmptyBox(const Painter& p, int row, int k) {
  const int left = p.grid.leftMargin + k * p.grid.cellWidth;
  const int top = p.grid.topMargin + row * p.grid.cellHeight;
  FillBox(p, p.view.gridPen.get(), -1, left, top, left + p.grid.cellWidth + 1,
          top + p.grid.cellHeight + 1);
}

void PaintRow(const Painter& p, int row) {
  PaintRowLabel(p, row);
  const SerialDay start = p.view.rows.rowStart[row + 1];
  const SerialDay next = p.view.rows.rowStart[row + 2];
  for (int k = 0; k < p.visibleColumns; ++k) {
    const SerialDay day = start + p.view.columns.position + k;
    if (day >= next) {
      for (; k < p.visibleColumns; ++k) PaintEmptyBox(p, row, k);
      return;
    }
    if (day < kFirstSerial || day > kLastSerial) {
      PaintEmptyBox(p, row, k);
    } else {
      PaintCell(p, row, k, day);
    }
  }
}

// Where a day sits among the visible cells; false when it is not shown.
bool VisibleCellOf(const Painter& p, SerialDay day, int* row, int* column) {
  for (int r = 0; r < p.grid.rows; ++r) {
    const SerialDay start = p.view.rows.rowStart[r + 1] + p.view.columns.position;
    if (day >= start && day < p.view.rows.rowStart[r + 2] && day - start < p.visibleColumns) {
      *row = r;
      *column = day - start;
      return true;
    }
  }
  return false;
}

void FrameCell(const Painter& p, SerialDay day, int extra) {
  int row;
  int column;
  if (!VisibleCellOf(p, day, &row, &column)) return;
  const int left = p.grid.leftMargin + column * p.grid.cellWidth;
  const int top = p.grid.topMargin + row * p.grid.cellHeight;
  SelectedObject pen(p.dc, p.view.focusPen.get());
  SelectedObject brush(p.dc, GetStockObject(NULL_BRUSH));
  Rectangle(p.dc, left, top, left + p.grid.cellWidth + extra, top + p.grid.cellHeight + extra);
}

}  // namespace

void PaintGrid(MainView& view, const Options& options) {
  HDC dc = view.surfaceDc.get();
  const GridGeometry& grid = view.grid;
  int visibleColumns = 0;
  while (view.columns.position + visibleColumns < grid.columns &&
         grid.leftMargin + visibleColumns * grid.cellWidth < view.surfaceWidth) {
    ++visibleColumns;
  }
  const Painter p{view,
                  options,
                  dc,
                  grid,
                  options.PenSize[0] / 2,
                  visibleColumns,
                  grid.lineHeight + grid.halfPen + grid.topMargin + 2,
                  view.today,
                  DateFromSerial(view.today)};

  SetBkMode(dc, TRANSPARENT);
  RECT all{0, 0, view.surfaceWidth, view.surfaceHeight};
  FillRect(dc, &all, view.background.get());
  if (options.Ptn[2] < kHeaderOff) PaintHeader(p);
  for (int row = 0; row < grid.rows; ++row) PaintRow(p, row);

  const int pen0 = options.PenSize[0];
  const int pen1 = options.PenSize[1];
  if (pen1 > 0) FrameCell(p, view.rows.focusDay, (pen0 % 2) - (pen1 % 2) + 1);
  if (options.Ptn[7] == 1 && pen1 >= 1) FrameCell(p, view.today, 0);
}
