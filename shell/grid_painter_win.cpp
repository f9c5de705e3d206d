#include "shell/grid_painter_win.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "almanac/dates.h"
#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"
#include "almanac/regular_schedules.h"
#include "almanac/rest_days.h"
#include "base/win/gdi_objects.h"
#include "schedule/day_items.h"
#include "schedule/display_flags.h"
#include "schedule/records.h"
#include "settings/day_settings.h"
#include "shell/cell_colors.h"
#include "settings/day_settings.h"

namespace hiyomi {

namespace {

constexpr int kHeaderOff = 3;  // `Ptn2` without the header row
constexpr int kHeaderColumnNumbers = 2;
constexpr int kHeaderEnglish = 1;
constexpr int kMaxEntryLines = 11;  // `TateLine` 10, plus the line of the extra items
constexpr SerialDay kFreeSlot = kNoDay;

int FirstSet(int a, int b) { return a >= 0 ? a : b; }

// Everything one paint needs, fixed for the whole surface.
struct Painter {
  const PageDrawing& drawing;
  const PageLayout& page;
  const Options& options;
  DayDataSource& data;
  const DayItemInputs& items;
  HDC dc;
  const GridGeometry& grid;
  int penHalfDown;  // floor(PenSize0 / 2)
  int visibleColumns;
  int firstEntryLine;  // of row 0
  SerialDay today;
  CalendarDate todayDate;
  const DaySettings& days;
  int entryLines;  // L
  int barStartSlot;
};

// A bar of an entry that spans days, held in the slot of its entry line.
struct Bar {
  SerialDay end = kFreeSlot;  // negative until drawn on its first day
  int textColor = -1;
  int backColor = -1;
  int textLeft = 0;
  char text[kEntryTextSize] = "";
};

// What one row of cells shares: its bars, and the cell being painted.
struct RowState {
  Bar bars[kMaxEntryLines];
  bool used[kMaxEntryLines] = {};
  LunarWalker lunar;
  std::vector<DayItem> items;  // kept to save allocating for every cell
};

// A rectangle with the current pen, filled with color (the window
// background when color is unset).
void FillBox(const Painter& p, HPEN pen, int color, int left, int top, int right, int bottom) {
  Brush brush(color >= 0 ? CreateSolidBrush(static_cast<COLORREF>(color)) : nullptr);
  SelectedObject selectedPen(p.dc, pen != nullptr ? pen : GetStockObject(NULL_PEN));
  SelectedObject selectedBrush(p.dc, brush ? brush.get() : p.drawing.background);
  Rectangle(p.dc, left, top, right, bottom);
}

void DrawTextIn(HDC dc, const char* text, int color, RECT rect, UINT format) {
  SetTextColor(dc, static_cast<COLORREF>(std::max(color, 0)));
  DrawTextA(dc, text, -1, &rect, format | DT_NOPREFIX);
}

void PaintHeader(const Painter& p) {
  const ColorTable& table = p.options.colors;
  const int style = hiyomi::HorizontalHeaderStyle(p.options);
  const int top = p.penHalfDown;
  FillBox(p, p.drawing.gridPen, FirstSet(ColorSlot(table, false, 3), ColorSlot(table, false, 1)), top,
          top, p.grid.leftMargin + 1, p.grid.topMargin + 1);
  SelectedObject font(p.dc, p.drawing.entryFont);
  for (int k = 0; k < p.visibleColumns; ++k) {
    const int column = p.page.columnPosition + k;
    const int weekday = WeekdayOf(p.page.rows.rowStart[1] + column);
    const int left = p.grid.leftMargin + k * p.grid.cellWidth;
    FillBox(p, p.drawing.gridPen, FirstSet(ColorSlot(table, false, 3), ColorSlot(table, false, 20 + weekday)),
            left, top, left + p.grid.cellWidth + 1, p.grid.topMargin + 1);
    char text[16];
    int color;
    if (style == kHeaderColumnNumbers) {
      std::snprintf(text, sizeof text, "%d", column + 1);
      color = FirstSet(ColorSlot(table, true, 3), ColorSlot(table, true, 5));
    } else {
      const char* name = style == kHeaderEnglish ? WeekdayNamesEn[weekday] : WeekdayNamesJa[weekday];
      std::snprintf(text, sizeof text, "%s", name);
      color = FirstSet(ColorSlot(table, true, 3), ColorSlot(table, true, 20 + weekday));
    }
    DrawTextIn(p.dc, text, color, RECT{left, top, left + p.grid.cellWidth, p.grid.topMargin},
               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// The label lines of a row: year, month and the row number.
int RowLabelLines(const Painter& p, SerialDay start, char (&lines)[3][16]) {
  const CalendarDate date = DateFromSerial(start);
  const int labels = hiyomi::RowLabelStyle(p.options);
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
  const int number = RowNumberOf(start, VerticalHeaderCode(p.options), p.page.layout);
  if (number >= 1) std::snprintf(lines[count++], sizeof lines[0], "%d", number);
  return count;
}

void PaintRowLabel(const Painter& p, int row) {
  const ColorTable& table = p.options.colors;
  const SerialDay start = p.page.rows.rowStart[row + 1];
  const int month = DateFromSerial(std::clamp(start, kFirstSerial, kLastSerial)).month;
  const int top = p.grid.topMargin + row * p.grid.cellHeight;
  FillBox(p, p.drawing.gridPen, FirstSet(ColorSlot(table, false, 4), ColorSlot(table, false, 6 + month)),
          p.penHalfDown, top, p.grid.leftMargin + 1, top + p.grid.cellHeight + 1);
  if (start < kFirstSerial || start > kLastSerial || start >= p.page.rows.rowStart[row + 2] ||
      p.options.PenSize[0] >= p.grid.leftMargin) {
    return;
  }
  char lines[3][16];
  const int count = RowLabelLines(p, start, lines);
  const int color = FirstSet(ColorSlot(table, true, 4), ColorSlot(table, true, 6 + month));
  SelectedObject font(p.dc, p.drawing.entryFont);
  for (int n = count - 1; n >= 0; --n) {
    const int y = top + n * p.drawing.h0 + p.grid.halfPen + 3;
    DrawTextIn(p.dc, lines[n], color,
               RECT{p.grid.halfPen + 3, y, p.grid.leftMargin - p.grid.halfPen - 2, y + p.drawing.h0},
               DT_RIGHT | DT_SINGLELINE);
  }
}

DayFacts FactsOf(const Painter& p, SerialDay day, const DayRecord* record,
                 const unsigned char (&hits)[kRegularRuleCount]) {
  // A view of a year or more shows a month's namesakes too: the year counts.
  const int referenceYear = p.options.MCType != 0 ? p.todayDate.year : p.page.rows.year;
  const int referenceMonth = p.options.MCType != 0 ? p.todayDate.month : p.page.rows.month;
  return DayFactsOf(day, record, hits, p.today, p.days, referenceYear, referenceMonth);
}

struct CellBox {
  int left;
  int top;
  int right;
  int bottom;
  int entryLine;  // y of entry line 0
};

CellBox CellAt(const Painter& p, int row, int k) {
  const GridGeometry& grid = p.grid;
  const int left = grid.leftMargin + k * grid.cellWidth;
  const int top = grid.topMargin + row * grid.cellHeight;
  return {left, top, left + grid.cellWidth, top + grid.cellHeight,
          p.firstEntryLine + row * grid.cellHeight};
}

RECT EntryLineRect(const Painter& p, const CellBox& cell, int line) {
  const int y = cell.entryLine + line * p.drawing.h0;
  return RECT{cell.left + p.grid.halfPen + 2, y, cell.right - p.penHalfDown - 1, y + p.drawing.h0};
}

void PaintNumber(const Painter& p, const CellBox& cell, SerialDay day, const DayFacts& facts) {
  const GridGeometry& grid = p.grid;
  if (grid.dayNumberWidth <= 0) return;
  const int dayOfMonth = DateFromSerial(day).day;
  char number[4];
  std::snprintf(number, sizeof number, "%d", dayOfMonth);
  const UINT format = DT_SINGLELINE | DT_BOTTOM | (dayOfMonth < 10 ? DT_CENTER : DT_LEFT);
  RECT box{cell.left + grid.halfPen + 2, cell.top + grid.halfPen + 1,
           cell.left + grid.halfPen + grid.dayNumberWidth + 2, cell.entryLine - 2};
  SelectedObject font(p.dc, p.drawing.numberFont);
  const int shadow = ColorSlot(p.options.colors, true, 34);
  if (shadow >= 0) {
    DrawTextIn(p.dc, number, shadow, box, format);
    OffsetRect(&box, -1, -1);
  }
  DrawTextIn(p.dc, number, CellColor(p.options, CellPass::kNumber, facts), box, format);
}

int TextWidth(HDC dc, const char* text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  return size.cx;
}

// The two items of one line: the left one from the line's left edge, the
// right one flush right in what the left one leaves, cut at the left one's
// end when it is wider, and left out when not a half-width character's room
// is left (about half the font's height).
void PaintItemPair(const Painter& p, RECT line, const char* leftText, const char* rightText,
                   int color) {
  constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER;
  if (leftText[0] != '\0') DrawTextIn(p.dc, leftText, color, line, DT_LEFT | kFormat);
  if (rightText[0] == '\0') return;
  if (leftText[0] == '\0') {
    DrawTextIn(p.dc, rightText, color, line, DT_RIGHT | kFormat);
    return;
  }
  const int halfWidth = p.drawing.h0 / 2;
  RECT space = line;
  space.left = line.left + TextWidth(p.dc, leftText) + halfWidth / 2;
  const int room = space.right - space.left;
  if (room < halfWidth) return;
  const UINT align = TextWidth(p.dc, rightText) <= room ? DT_RIGHT : DT_LEFT;
  DrawTextIn(p.dc, rightText, color, space, align | kFormat);
}

// Four item positions: two on the number's line, two on entry line 0.
void PaintDayItems(const Painter& p, const CellBox& cell, SerialDay day, int color,
                   RowState& state) {
  const int items = hiyomi::DayItemCodes(p.options);
  const LunarDate lunar = state.lunar.At(day);
  SelectedObject font(p.dc, p.drawing.entryFont);
  for (int pair = 0; pair < 2; ++pair) {
    const bool onNumberLine = pair == 0;
    if (!onNumberLine && p.entryLines < 1) continue;
    char texts[2][kDayItemTextSize];
    for (int side = 0; side < 2; ++side) {
      const int code = (items >> (4 * (2 * pair + side))) & 0x0F;
      texts[side][0] = '\0';
      if (code != 0) DayItemText(code, day, lunar, p.days, texts[side]);
    }
    if (texts[0][0] == '\0' && texts[1][0] == '\0') continue;
    const int left = cell.left + p.grid.halfPen + (onNumberLine ? p.grid.dayNumberWidth + 7 : 3);
    const int top = onNumberLine ? cell.entryLine - p.drawing.h0 : cell.entryLine;
    PaintItemPair(p, RECT{left, top, cell.right - p.penHalfDown - 1, top + p.drawing.h0},
                  texts[0], texts[1], color);
    if (!onNumberLine) state.used[0] = true;
  }
}

int LowestFreeLine(const Painter& p, const RowState& state) {
  for (int line = 0; line < p.entryLines; ++line) {
    if (!state.used[line] && state.bars[line].end == kFreeSlot) return line;
  }
  return -1;
}

// One entry on a line: its background, its text with an ellipsis, and the
// overstrike mark across the width the text takes.
void PaintEntryLine(const Painter& p, const CellBox& cell, int line, const char* text,
                    int textColor, int backColor, char mark) {
  const RECT rect = EntryLineRect(p, cell, line);
  if (backColor >= 0) {
    Brush brush(CreateSolidBrush(static_cast<COLORREF>(backColor)));
    RECT fill = rect;
    FillRect(p.dc, &fill, brush.get());
  }
  DrawTextIn(p.dc, text, textColor, rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  const unsigned char markByte = static_cast<unsigned char>(mark);
  if (markByte >= 0x21 && markByte <= 0x7F) {
    RECT measured = rect;
    DrawTextA(p.dc, text, -1, &measured, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    RECT clip = rect;
    clip.right = std::min(measured.right, rect.right);
    char marks[41];
    std::fill(marks, marks + 40, mark);
    marks[40] = '\0';
    DrawTextIn(p.dc, marks, textColor, clip, DT_SINGLELINE | DT_VCENTER);
  }
}

// An item's text colour: its own or its category's, else the colour of
// entry texts.
int TextColorOf(const Painter& p, const DayItem& item) {
  return item.textColor >= 0 ? item.textColor : ColorSlot(p.options.colors, true, 1);
}

// A bar into the first slot from the bar start slot that is free in the
// bar table and whose line the cell has not used yet; false when full.
bool AddBar(const Painter& p, RowState& state, SerialDay end, const char* text, int textColor,
            int backColor) {
  for (int slot = p.barStartSlot; slot < p.entryLines; ++slot) {
    Bar& bar = state.bars[slot];
    if (bar.end != kFreeSlot || state.used[slot]) continue;
    bar.end = end;
    bar.textColor = textColor;
    bar.backColor = backColor;
    std::snprintf(bar.text, sizeof bar.text, "%s", text);
    return true;
  }
  return false;
}

// A to-do item's colours: its category's where the link colours by
// category and the category sets them, else the Notrik slot's.
struct LineColors {
  int text;
  int back;
};
LineColors ToDoColors(const Painter& p, int category) {
  const ColorTable& table = p.options.colors;
  const bool byCategory = p.options.NotrikTypeC != 0;
  int text = byCategory ? p.data.CategoryTextColorOf(category) : -1;
  int back = byCategory ? p.data.CategoryBackColorOf(category) : -1;
  if (text < 0) text = FirstSet(ColorSlot(table, true, kColorNotrik + 1), ColorSlot(table, true, 1));
  if (back < 0) back = ColorSlot(table, false, kColorNotrik + 1);
  return {text, back};
}

// Bars of entries that began on days not painted and still run at from,
// then those of to-do items.
void LoadRunningBars(const Painter& p, RowState& state, SerialDay first, SerialDay last,
                     SerialDay from) {
  state.items.clear();
  CollectRunningEntries(p.data, p.page.displayFlags, first, last, from, state.items);
  for (const DayItem& item : state.items) {
    AddBar(p, state, item.start + item.span, item.Text(), TextColorOf(p, item), item.backColor);
  }
  state.items.clear();
  CollectRunningToDos(p.items, first, last, from, state.items);
  for (const DayItem& item : state.items) {
    const LineColors colors = ToDoColors(p, item.category);
    AddBar(p, state, item.start + item.span - 1, item.Text(), colors.text, colors.back);
  }
}

// The day's items on their lines in the order the day lists give them. A
// source whose item finds no free line gives up its remaining items.
void PaintEntries(const Painter& p, const CellBox& cell, SerialDay day, const DayRecord* record,
                  const unsigned char (&hits)[kRegularRuleCount], RowState& state) {
  SelectedObject font(p.dc, p.drawing.entryFont);
  const ColorTable& table = p.options.colors;
  CollectDayItems(day, p.items, record, hits, state.items);
  bool sourceFull = false;
  for (size_t i = 0; i < state.items.size(); ++i) {
    const DayItem& item = state.items[i];
    if (i > 0 && item.source != state.items[i - 1].source) sourceFull = false;
    if (sourceFull) continue;
    switch (item.source) {
      case DayItemSource::kRegular: {
        const int line = LowestFreeLine(p, state);
        if (line < 0) {
          sourceFull = true;
          continue;
        }
        const int group = 29 + item.index % 5;
        PaintEntryLine(p, cell, line, item.Text(),
                       FirstSet(ColorSlot(table, true, group), ColorSlot(table, true, 1)),
                       ColorSlot(table, false, group), 0);
        state.used[line] = true;
        break;
      }
      case DayItemSource::kEntry:
        if (item.span > 0) {
          AddBar(p, state, -(day + item.span), item.Text(), TextColorOf(p, item), item.backColor);
          continue;
        }
        [[fallthrough]];
      case DayItemSource::kUndated: {
        const int line = LowestFreeLine(p, state);
        if (line < 0) {
          sourceFull = true;
          continue;
        }
        PaintEntryLine(p, cell, line, item.Text(), TextColorOf(p, item), item.backColor, item.mark);
        state.used[line] = true;
        break;
      }
      case DayItemSource::kToDo: {
        const LineColors colors = ToDoColors(p, item.category);
        if (item.span > 1) {
          AddBar(p, state, -(day + item.span - 1), item.Text(), colors.text, colors.back);
          continue;
        }
        const int line = LowestFreeLine(p, state);
        if (line < 0) {
          sourceFull = true;
          continue;
        }
        PaintEntryLine(p, cell, line, item.Text(), colors.text, colors.back, 0);
        state.used[line] = true;
        break;
      }
      case DayItemSource::kTemporary: {
        const int line = LowestFreeLine(p, state);
        if (line < 0) {
          sourceFull = true;
          continue;
        }
        PaintEntryLine(p, cell, line, item.Text(), TextColorOf(p, item), item.backColor, 0);
        state.used[line] = true;
        break;
      }
    }
  }
}

void PaintBars(const Painter& p, const CellBox& cell, SerialDay day, bool firstColumn,
               RowState& state) {
  SelectedObject font(p.dc, p.drawing.entryFont);
  const int pen0 = p.options.PenSize[0];
  const int textInset = std::max(pen0, p.options.PenSize[1]) + 1;
  for (int slot = p.barStartSlot; slot < p.entryLines; ++slot) {
    Bar& bar = state.bars[slot];
    if (bar.end == kFreeSlot) continue;
    const RECT line = EntryLineRect(p, cell, slot);
    int left = cell.left - p.penHalfDown;
    int right = cell.right + p.grid.halfPen;
    const bool firstDay = bar.end < 0;
    if (firstDay) {
      left += pen0 + 2;
      bar.end = -bar.end;
    }
    const bool lastDay = day == bar.end;
    if (lastDay) right -= pen0 + 2;
    const int top = line.top;
    const int bottom = line.bottom;
    if (bar.backColor < 0) {
      SelectedObject pen(p.dc, p.drawing.thinPen);
      MoveToEx(p.dc, left, top, nullptr);
      LineTo(p.dc, right, top);
      MoveToEx(p.dc, left, bottom - 2, nullptr);
      LineTo(p.dc, right, bottom - 2);
      if (firstDay) {
        MoveToEx(p.dc, left, top, nullptr);
        LineTo(p.dc, left, bottom - 2);
      }
      if (lastDay) {
        MoveToEx(p.dc, right - 1, top, nullptr);
        LineTo(p.dc, right - 1, bottom - 1);
      }
    } else {
      FillBox(p, nullptr, bar.backColor, left, top, right + 1, bottom);
    }
    if (firstDay || firstColumn) bar.textLeft = left + textInset;
    DrawTextIn(p.dc, bar.text, bar.textColor, RECT{bar.textLeft, top, right, bottom},
               DT_SINGLELINE | DT_VCENTER);
    if (lastDay) bar = Bar{};
  }
}

void PaintCell(const Painter& p, int row, int k, SerialDay day, RowState& state) {
  const GridGeometry& grid = p.grid;
  const CellBox cell = CellAt(p, row, k);
  DayRecord recordData;
  const DayRecord* record = p.data.DayRecordOf(day, recordData) ? &recordData : nullptr;
  unsigned char hits[kRegularRuleCount] = {};
  RegularScheduleHits(day, p.days, hits);
  const DayFacts facts = FactsOf(p, day, record, hits);

  FillBox(p, p.drawing.gridPen, CellColor(p.options, CellPass::kCell, facts), cell.left,
          cell.top, cell.right + 1, cell.bottom + 1);
  FillBox(p, nullptr, CellColor(p.options, CellPass::kNumberBox, facts), cell.left + grid.halfPen,
          cell.top + grid.halfPen, std::min(cell.left + grid.dayNumberWidth + 8, cell.right),
          cell.entryLine - 3);
  PaintNumber(p, cell, day, facts);

  std::fill(std::begin(state.used), std::end(state.used), false);
  PaintDayItems(p, cell, day, CellColor(p.options, CellPass::kNumber, facts), state);
  PaintEntries(p, cell, day, record, hits, state);
  PaintBars(p, cell, day, k == 0, state);
}

void PaintEmptyBox(const Painter& p, int row, int k) {
  const int left = p.grid.leftMargin + k * p.grid.cellWidth;
  const int top = p.grid.topMargin + row * p.grid.cellHeight;
  FillBox(p, p.drawing.gridPen, -1, left, top, left + p.grid.cellWidth + 1,
          top + p.grid.cellHeight + 1);
}

void PaintRow(const Painter& p, int row, RowState& state) {
  PaintRowLabel(p, row);
  const SerialDay start = p.page.rows.rowStart[row + 1];
  const SerialDay next = p.page.rows.rowStart[row + 2];
  const int position = p.page.columnPosition;
  // Bars that began on days no row has painted, then those of the columns
  // scrolled out of view; from here on every bar counts as started. No
  // cell holds a line yet.
  std::fill(std::begin(state.used), std::end(state.used), false);
  SerialDay firstUnpainted = start - kBarLookBack;
  if (row > 0) {
    const SerialDay previous = p.page.rows.rowStart[row];
    firstUnpainted = std::min(previous + position + p.visibleColumns, start);
  }
  LoadRunningBars(p, state, firstUnpainted, start - 1, start);
  LoadRunningBars(p, state, start, start + position - 1, start + position);
  for (Bar& bar : state.bars) {
    if (bar.end == kFreeSlot) continue;
    if (bar.end < 0) bar.end = -bar.end;
    if (bar.end < start + position) bar = Bar{};
  }
  for (int k = 0; k < p.visibleColumns; ++k) {
    const SerialDay day = start + p.page.columnPosition + k;
    if (day >= next) {
      for (; k < p.visibleColumns; ++k) PaintEmptyBox(p, row, k);
      return;
    }
    if (day < kFirstSerial || day > kLastSerial) {
      PaintEmptyBox(p, row, k);
    } else {
      PaintCell(p, row, k, day, state);
    }
  }
}

// Where a day sits among the visible cells; false when it is not shown.
bool VisibleCellOf(const Painter& p, SerialDay day, int* row, int* column) {
  for (int r = 0; r < p.grid.rows; ++r) {
    const SerialDay start = p.page.rows.rowStart[r + 1] + p.page.columnPosition;
    if (day >= start && day < p.page.rows.rowStart[r + 2] && day - start < p.visibleColumns) {
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
  SelectedObject pen(p.dc, p.drawing.focusPen);
  SelectedObject brush(p.dc, GetStockObject(NULL_BRUSH));
  Rectangle(p.dc, left, top, left + p.grid.cellWidth + extra, top + p.grid.cellHeight + extra);
}

}  // namespace

void PaintGrid(HDC dc, const PageDrawing& drawing, const PageLayout& page, const Options& options,
               DayDataSource& data) {
  const GridGeometry& grid = page.grid;
  int visibleColumns = 0;
  while (page.columnPosition + visibleColumns < grid.columns &&
         grid.leftMargin + visibleColumns * grid.cellWidth < drawing.width) {
    ++visibleColumns;
  }
  const DaySettings days = DaySettingsOf(options);
  const DayItemInputs items{data, options, days, page.today, page.displayFlags};
  const int entryLines =
      std::min(options.TateLine + ((DayItemCodes(options) & 0xFF00) != 0 ? 1 : 0), kMaxEntryLines);
  const Painter p{drawing,
                  page,
                  options,
                  data,
                  items,
                  dc,
                  grid,
                  options.PenSize[0] / 2,
                  visibleColumns,
                  grid.lineHeight + grid.halfPen + grid.topMargin + 2,
                  page.today,
                  DateFromSerial(page.today),
                  days,
                  entryLines,
                  hiyomi::DayItemCodes(options) != 0 ? 1 : 0};

  SetBkMode(dc, TRANSPARENT);
  RECT all{0, 0, drawing.width, drawing.height};
  FillRect(dc, &all, drawing.background);
  if (HorizontalHeaderStyle(options) < kHeaderOff) PaintHeader(p);
  RowState state;
  for (int row = 0; row < grid.rows; ++row) PaintRow(p, row, state);

  const int pen0 = options.PenSize[0];
  const int pen1 = options.PenSize[1];
  if (pen1 > 0) FrameCell(p, page.rows.focusDay, (pen0 % 2) - (pen1 % 2) + 1);
  if (FramesTodayToo(options) && pen1 >= 1) FrameCell(p, page.today, 0);
}

}  // namespace hiyomi
