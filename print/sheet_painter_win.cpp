#include "print/sheet_painter_win.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "almanac/day_info.h"
#include "almanac/lunar.h"
#include "almanac/regular_schedules.h"
#include "schedule/display_flags.h"
#include "shell/cell_colors.h"

namespace hiyomi {

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kTenthsPerInch = 254;
constexpr int kScreenGap = 6;
constexpr int kPrinterGapTenths = 20;  // 2 mm
constexpr int kHalfMmTenths = 5;
constexpr int kNaturalTextChars = 41;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHourGrey = RGB(0x99, 0x99, 0x99);
constexpr int kHoursPerDay = 24;
constexpr int kClockHours = 12;
constexpr int kShadowSlot = 34;
constexpr int kEntryTextSlot = 1;
constexpr int kRegularGroupSlot = 29;  // 29-33: groups 1-5
constexpr int kRegularGroups = 5;
constexpr int kMaxRunningSpans = 20;

// Item codes that print differently from the grid.
constexpr int kItemHoliday = 1;
constexpr int kItemWeekday = 2;
constexpr int kItemWeekdayEnglish = 3;
constexpr int kItemWeekdayHoliday = 4;
constexpr int kItemDayDifference = 11;
constexpr int kItemOwnBusinessDays = 13;
constexpr int kItemBusinessDays = 14;

constexpr char kRunsOn[] = "◇";
constexpr char kEndsHere[] = "△";
constexpr char kStartsHere[] = "▽";

Font MakeFont(const Options& options, int which, int pixelHeight) {
  const FontChoice choice = OptionsFont(options, which);
  LOGFONTA font{};
  font.lfHeight = -std::max(pixelHeight, 1);
  font.lfWeight = choice.weight;
  font.lfItalic = choice.italic ? TRUE : FALSE;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(font.lfFaceName, choice.face, LF_FACESIZE);
  return Font(CreateFontIndirectA(&font));
}

int PointsToPixels(int points, int dpi) { return MulDiv(std::max(points, 1), dpi, kPointsPerInch); }

int HalfMm(HDC dc) { return PixelsFromTenthsMm(kHalfMmTenths, GetDeviceCaps(dc, LOGPIXELSY)); }

SIZE Extent(HDC dc, const char* text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  return size;
}

COLORREF ColorOr(int color, COLORREF fallback) {
  return color >= 0 ? static_cast<COLORREF>(color) : fallback;
}

}  // namespace

SheetDrawing CreateSheetDrawing(HDC dc, SheetTarget target, const Options& options,
                                const PrintLook& look, int lineHeight) {
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  const int e = HalfMm(dc);
  SheetDrawing drawing;
  int textHeight;
  if (target == SheetTarget::kScreen || lineHeight < 1) {
    textHeight = PointsToPixels(options.FontSize[0], dpi);
  } else {
    textHeight = std::max(lineHeight - 3 * e, 1);
  }
  drawing.text = MakeFont(options, 0, textHeight);
  drawing.number = MakeFont(options, 1, PointsToPixels(options.FontSize[1], dpi));
  if (target == SheetTarget::kScreen) {
    SelectedObject font(dc, drawing.text.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    drawing.lineHeight = metrics.tmHeight + 3;
  } else {
    drawing.lineHeight = lineHeight < 1 ? textHeight + 3 * e : lineHeight;
  }
  drawing.hours = MakeFont(options, 0, drawing.lineHeight * 4 / 10);
  const int ruleStyle = look.ruleStyle == 0 ? PS_SOLID : PS_DOT;
  drawing.rule = Pen(CreatePen(ruleStyle, 1, ColorOr(look.ruleColor, kWhite)));
  const int frameWidth = target == SheetTarget::kPrinter ? std::max(1, e / 3) : 1;
  drawing.frame = Pen(CreatePen(PS_SOLID, frameWidth, kBlack));
  return drawing;
}

SheetGeometry MeasureSheet(HDC dc, SheetTarget target, const SheetDrawing& drawing,
                           const PrintLook& look, const Options& options, int pageWidth,
                           int pageHeight) {
  const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  SheetGeometry g{};
  g.halfMm = HalfMm(dc);
  g.gap = target == SheetTarget::kPrinter ? MulDiv(dpiY, kPrinterGapTenths, kTenthsPerInch) : kScreenGap;
  g.ruleWidth = PixelsFromTenthsMm(look.ruleWidth, dpiX);

  SheetMeasures m{};
  m.lineHeight = drawing.lineHeight;
  m.gap = g.gap;
  int numberWidth;
  {
    SelectedObject font(dc, drawing.number.get());
    const SIZE eights = Extent(dc, "88");
    numberWidth = eights.cx;
    if (options.FontItalic[1] != 0) {
      ABC abc{};
      numberWidth = GetCharABCWidthsA(dc, '8', '8', &abc) ? numberWidth + std::max(0, -abc.abcC)
                                                         : numberWidth * 11 / 10;
    }
    m.dayNumberHeight = eights.cy + 4;
  }
  {
    SelectedObject font(dc, drawing.text.get());
    const int monthWidth = Extent(dc, "MMM").cx;
    m.dateColumnWidth = std::max(numberWidth, monthWidth) + g.gap;
    std::string eights(kNaturalTextChars, '8');
    if (options.FontItalic[0] != 0) eights += ' ';
    m.textWidth = Extent(dc, eights.c_str()).cx;
  }
  m.headerHeight = target == SheetTarget::kPrinter ? m.lineHeight + 5 * g.halfMm : m.lineHeight + 2;
  g.metrics = ComputeSheetMetrics(m, look, pageWidth, pageHeight);
  return g;
}

namespace {

// Everything one page needs while it paints.
struct PagePainter {
  HDC dc;
  const SheetGeometry& g;
  const SheetDrawing& drawing;
  const PrintLook& look;
  const DayItemInputs& items;
  RECT page;
  int columnRight;  // right edge of the date column
  int textLeft;
  int textRight;
  int hourWidth;
  int hourSpan;
};

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void Text(HDC dc, const char* text, COLORREF color, RECT rect, UINT format) {
  SetTextColor(dc, color);
  DrawTextA(dc, text, -1, &rect, format | DT_NOPREFIX | DT_SINGLELINE);
}

int RowTop(const PagePainter& p, int row) {
  const SheetMetrics& m = p.g.metrics;
  return p.page.top + m.headerHeight + row * m.linesPerDay * m.lineHeight;
}

void PaintHeader(const PagePainter& p, SerialDay first) {
  const Options& options = p.items.options;
  const int blockDays = p.look.days[0] + p.look.days[1];
  const std::string text = SheetHeaderText(first, TitleFormat(options),
                                           SheetBlockNumber(first, VerticalHeaderCode(options), blockDays));
  SelectedObject font(p.dc, p.drawing.text.get());
  Text(p.dc, text.c_str(), kBlack,
       RECT{p.page.left, p.page.top, p.page.right, p.page.top + p.g.metrics.headerHeight},
       DT_LEFT | DT_VCENTER);
  SelectedObject pen(p.dc, p.drawing.frame.get());
  const int y = p.page.top + p.g.metrics.headerHeight - 1;
  Line(p.dc, p.page.left, y, p.page.right, y);
}

int RuleSpacingOf(const PagePainter& p) {
  switch (static_cast<RuleSpacing>(p.look.ruleSpacing)) {
    case RuleSpacing::kLineHeight: return p.g.metrics.lineHeight;
    case RuleSpacing::kTimeLines: return p.hourWidth;
    case RuleSpacing::kGivenWidth: return p.g.ruleWidth;
  }
  return 0;
}

void PaintVerticalRules(const PagePainter& p) {
  const int spacing = RuleSpacingOf(p);
  if (spacing < 2) return;
  const int top = p.page.top + p.g.metrics.headerHeight;
  const int bottom = RowTop(p, p.g.metrics.dayRows);
  SelectedObject pen(p.dc, p.drawing.rule.get());
  for (int x = p.columnRight + spacing; x < p.page.right; x += spacing) Line(p.dc, x, top, x, bottom);
}

void PaintTimeLines(const PagePainter& p, int rowTop) {
  const int tick = p.g.metrics.lineHeight / 4;
  SelectedObject pen(p.dc, p.drawing.rule.get());
  SelectedObject font(p.dc, p.drawing.hours.get());
  for (int k = 0; k <= p.hourSpan; ++k) {
    const int x = p.columnRight + k * p.hourWidth;
    Line(p.dc, x, rowTop, x, rowTop + tick);
    if (k == p.hourSpan) break;
    const int hour = (p.look.firstHour + k) % kHoursPerDay;
    const int shown = hour % kClockHours == 0 ? kClockHours : hour % kClockHours;
    char text[8];
    std::snprintf(text, sizeof text, "%2d", shown);
    Text(p.dc, text, kHourGrey, RECT{x + 1, rowTop, x + p.hourWidth, rowTop + p.g.metrics.lineHeight},
         DT_LEFT | DT_TOP);
  }
}

void PaintDayNumber(const PagePainter& p, SerialDay day, int rowTop, const DayFacts& facts) {
  const Options& options = p.items.options;
  const int frame = p.look.frame ? 1 : 0;
  const CalendarDate date = DateFromSerial(day);
  char number[4];
  std::snprintf(number, sizeof number, "%d", date.day);
  RECT box{p.page.left + frame + 1, rowTop, p.columnRight, rowTop + p.g.metrics.dayNumberHeight};
  const COLORREF color = ColorOr(CellColor(options, CellPass::kNumber, facts), kBlack);
  {
    SelectedObject font(p.dc, p.drawing.number.get());
    const int shadow = ColorSlot(options.colors, true, kShadowSlot);
    if (shadow >= 0) {
      Text(p.dc, number, static_cast<COLORREF>(shadow), box, DT_LEFT | DT_TOP);
      OffsetRect(&box, -1, -1);
    }
    Text(p.dc, number, color, box, DT_LEFT | DT_TOP);
  }
  // The weekday goes under the number on its own, English when the items
  // ask for the English name.
  const int codes = DayItemCodes(options);
  bool english = false;
  for (int i = 0; i < 4; ++i) english = english || ((codes >> (4 * i)) & 0x0F) == kItemWeekdayEnglish;
  const int weekday = WeekdayOf(day);
  SelectedObject font(p.dc, p.drawing.text.get());
  const int top = rowTop + p.g.metrics.dayNumberHeight - 2;
  Text(p.dc, english ? WeekdayNamesEn[weekday] : WeekdayNamesJa[weekday], color,
       RECT{p.page.left + frame + 1, top, p.columnRight, top + p.g.metrics.lineHeight}, DT_LEFT | DT_TOP);
}

// The day-information texts of the four item codes, joined by a space.
std::string DayItemLine(const PagePainter& p, SerialDay day, const LunarDate& lunar) {
  const Options& options = p.items.options;
  const bool differences = p.look.dayDifference || options.PtnSDay > 0;
  const int codes = DayItemCodes(options);
  std::string line;
  for (int i = 0; i < 4; ++i) {
    int code = (codes >> (4 * i)) & 0x0F;
    if (code == kItemWeekday || code == kItemWeekdayEnglish) continue;
    if (code == kItemWeekdayHoliday) code = kItemHoliday;
    const bool difference =
        code == kItemDayDifference || code == kItemOwnBusinessDays || code == kItemBusinessDays;
    if (code == 0 || (difference && !differences)) continue;
    char text[kDayItemTextSize] = "";
    DayItemText(code, day, lunar, p.items.days, text);
    if (text[0] == '\0') continue;
    if (!line.empty()) line += ' ';
    line += text;
  }
  return line;
}

struct PrintLine {
  std::string text;
  int textColor;  // -1: the entry colour of the table, else black
  int backColor;
};

int RegularColor(const Options& options, bool text, int rule) {
  return ColorSlot(options.colors, text, kRegularGroupSlot + rule % kRegularGroups);
}

// The day's lines in print order: temporary items, entries running on from
// earlier days, regular schedules, to-do items, the day's own entries and,
// when asked for, the undated entries due that day.
void CollectPrintLines(const PagePainter& p, SerialDay day, std::vector<DayItem>& items,
                       std::vector<DayItem>& running, std::vector<PrintLine>& lines) {
  lines.clear();
  const Options& options = p.items.options;
  CollectDayItems(day, p.items, items);
  running.clear();
  CollectRunningEntries(p.items.data, p.items.displayFlags, day - kBarLookBack, day - 1, day, running);
  if (static_cast<int>(running.size()) > kMaxRunningSpans) running.resize(kMaxRunningSpans);

  size_t next = 0;
  for (; next < items.size() && items[next].source == DayItemSource::kTemporary; ++next) {
    lines.push_back({items[next].Text(), items[next].textColor, items[next].backColor});
  }
  for (const DayItem& item : running) {
    const bool lastDay = item.start + item.span == day;
    lines.push_back({std::string(lastDay ? kEndsHere : kRunsOn) + item.Text(), item.textColor,
                     item.backColor});
  }
  for (; next < items.size(); ++next) {
    const DayItem& item = items[next];
    switch (item.source) {
      case DayItemSource::kRegular:
        lines.push_back({item.Text(), RegularColor(options, true, item.index),
                         RegularColor(options, false, item.index)});
        break;
      case DayItemSource::kEntry:
        lines.push_back({std::string(item.span > 0 ? kStartsHere : "") + item.Text(), item.textColor,
                         item.backColor});
        break;
      case DayItemSource::kUndated:
        if (p.look.undated) lines.push_back({item.Text(), item.textColor, item.backColor});
        break;
      case DayItemSource::kToDo:
      case DayItemSource::kTemporary:
        lines.push_back({item.Text(), item.textColor, item.backColor});
        break;
    }
  }
}

void PaintEntryLine(const PagePainter& p, const PrintLine& line, int top) {
  const Options& options = p.items.options;
  const RECT rect{p.textLeft, top, p.textRight, top + p.g.metrics.lineHeight};
  if (p.look.backColor && line.backColor >= 0) {
    Brush brush(CreateSolidBrush(static_cast<COLORREF>(line.backColor)));
    RECT fill{p.columnRight + 1, top + 1, p.page.right, top + p.g.metrics.lineHeight};
    FillRect(p.dc, &fill, brush.get());
  }
  COLORREF color = kBlack;
  if (p.look.textColor) {
    const int own = line.textColor >= 0 ? line.textColor : ColorSlot(options.colors, true, kEntryTextSlot);
    color = ColorOr(own, kBlack);
  }
  Text(p.dc, line.text.c_str(), color, rect, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
}

struct DayScratch {
  LunarWalker lunar;
  std::vector<DayItem> items;
  std::vector<DayItem> running;
  std::vector<PrintLine> lines;
};

void PaintDay(const PagePainter& p, SerialDay day, int rowTop, DayScratch& scratch) {
  const SheetMetrics& m = p.g.metrics;
  DayRecord recordData;
  const DayRecord* record = p.items.data.DayRecordOf(day, recordData) ? &recordData : nullptr;
  unsigned char hits[kRegularRuleCount] = {};
  RegularScheduleHits(day, p.items.days, hits);
  const CalendarDate date = DateFromSerial(day);
  const DayFacts facts = DayFactsOf(day, record, hits, p.items.today, p.items.days, date.year, date.month);

  if (p.look.horizontalRules) {
    SelectedObject pen(p.dc, p.drawing.rule.get());
    for (int k = 1; k < m.linesPerDay; ++k) {
      const int y = rowTop + k * m.lineHeight;
      Line(p.dc, p.columnRight, y, p.page.right, y);
    }
  }
  if (p.look.timeLines) PaintTimeLines(p, rowTop);
  PaintDayNumber(p, day, rowTop, facts);

  int line = 0;
  SelectedObject font(p.dc, p.drawing.text.get());
  const std::string itemLine = DayItemLine(p, day, scratch.lunar.At(day));
  if (!itemLine.empty()) {
    Text(p.dc, itemLine.c_str(), ColorOr(CellColor(p.items.options, CellPass::kNumber, facts), kBlack),
         RECT{p.textLeft, rowTop, p.textRight, rowTop + m.lineHeight}, DT_RIGHT | DT_VCENTER);
    ++line;
  }
  CollectPrintLines(p, day, scratch.items, scratch.running, scratch.lines);
  for (const PrintLine& entry : scratch.lines) {
    if (line >= m.linesPerDay) break;
    PaintEntryLine(p, entry, rowTop + line * m.lineHeight);
    ++line;
  }
}

}  // namespace

void PaintPage(HDC dc, SheetTarget target, const SheetGeometry& geometry,
               const SheetDrawing& drawing, const PrintLook& look, const DayItemInputs& items,
               RECT page, SerialDay first, int days) {
  const SheetMetrics& m = geometry.metrics;
  const int frame = look.frame ? 1 : 0;
  const int columnRight = page.left + frame + m.dateColumnWidth;
  int span = look.lastHour - look.firstHour;
  if (span < 1) span += kHoursPerDay;
  const PagePainter p{dc,
                      geometry,
                      drawing,
                      look,
                      items,
                      page,
                      columnRight,
                      columnRight + geometry.gap / 2,
                      static_cast<int>(page.right) - geometry.gap / 2,
                      std::max((static_cast<int>(page.right) - columnRight) / span, 1),
                      span};

  SetBkMode(dc, TRANSPARENT);
  if (target == SheetTarget::kScreen) {
    Brush white(CreateSolidBrush(kWhite));
    FillRect(dc, &page, white.get());
  }
  PaintHeader(p, first);
  if (look.verticalRules) PaintVerticalRules(p);

  DayScratch scratch;
  for (int row = 0; row < m.dayRows; ++row) {
    const int top = RowTop(p, row);
    const SerialDay day = first + row;
    if (row < days && day >= kFirstSerial && day <= kLastSerial) PaintDay(p, day, top, scratch);
    SelectedObject pen(dc, drawing.frame.get());
    const int bottom = top + m.linesPerDay * m.lineHeight - 1;
    Line(dc, page.left, bottom, page.right, bottom);
    Line(dc, columnRight, top, columnRight, bottom);
  }
  if (look.frame) {
    SelectedObject pen(dc, drawing.frame.get());
    SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, page.left, page.top, page.right, page.bottom);
  }
}

}  // namespace hiyomi
