#include "print/print_metrics.h"

#include <algorithm>
#include <cstdio>

namespace hiyomi {

namespace {

constexpr int kTenthsPerInch = 254;
constexpr int kReiwaYear = 2019;
constexpr int kReiwaMonth = 5;
constexpr int kHeiseiBase = 1988;
constexpr int kReiwaBase = 2018;

int FloorDivide(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

int RoundedMulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  const long long rounded = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  return static_cast<int>(rounded);
}

}  // namespace

int PixelsFromTenthsMm(int tenths, int dpi) noexcept { return RoundedMulDiv(tenths, dpi, kTenthsPerInch); }

int TenthsMmFromPixels(int pixels, int dpi) noexcept {
  return dpi > 0 ? RoundedMulDiv(pixels, kTenthsPerInch, dpi) : 0;
}

int LinesPerDay(int lines, int pageHeight, int headerHeight, int dayRows, int lineHeight,
                int dayNumberHeight) noexcept {
  lineHeight = std::max(lineHeight, 1);
  lines = std::max(lines, 1);
  if (pageHeight > 0) {
    while (lines > 1 && headerHeight + dayRows * lines * lineHeight > pageHeight) --lines;
  }
  while (lines * lineHeight < dayNumberHeight) ++lines;
  return lines;
}

SheetMetrics ComputeSheetMetrics(const SheetMeasures& m, const PrintLook& look, int pageWidth,
                                 int pageHeight) noexcept {
  SheetMetrics s{};
  s.lineHeight = std::max(m.lineHeight, 1);
  s.headerHeight = m.headerHeight;
  s.dateColumnWidth = m.dateColumnWidth;
  s.dayNumberHeight = m.dayNumberHeight;
  s.dayRows = std::max({look.days[0], look.days[1], 1});
  s.linesPerDay =
      LinesPerDay(look.lines, pageHeight, m.headerHeight, s.dayRows, s.lineHeight, m.dayNumberHeight);
  const int frame = look.frame ? 1 : 0;
  const int naturalWidth = frame + m.dateColumnWidth + m.gap + m.textWidth;
  const int naturalHeight = m.headerHeight + s.dayRows * s.linesPerDay * s.lineHeight + frame;
  s.pageWidth = pageWidth > 0 ? pageWidth : naturalWidth;
  s.pageHeight = pageHeight > 0 ? pageHeight : naturalHeight;
  return s;
}

PrintableArea SheetArea(PrintableArea r, PagePattern pattern) noexcept {
  r.offsetX = std::max(r.offsetX, 0);
  r.offsetY = std::max(r.offsetY, 0);
  if (IsDuplex(pattern)) {
    const int rightMargin = std::max(r.physicalWidth - r.width - r.offsetX, 0);
    r.offsetX = std::max(r.offsetX, rightMargin);
    r.width = std::max(r.physicalWidth - 2 * r.offsetX, 1);
  }
  return r;
}

int UsedColumns(int slots) noexcept { return (slots & 0b1010) != 0 ? 2 : 1; }
int UsedRows(int slots) noexcept { return (slots & 0b1100) != 0 ? 2 : 1; }

Placement PlaceSlots(const PlacementInput& in) noexcept {
  const PrintableArea& a = in.area;
  const int left = a.offsetX;
  const int top = a.offsetY;
  const int right = a.offsetX + std::max(a.width, 1);
  const int bottom = a.offsetY + std::max(a.height, 1);
  const int columns = UsedColumns(in.slots);
  const int rows = UsedRows(in.slots);

  Placement p{};
  const PixelPoint given = in.given[0];
  const PixelPoint origin{std::clamp(given.x, left, right - 1), std::clamp(given.y, top, bottom - 1)};
  p.originMoved = origin.x != given.x || origin.y != given.y;
  p.slot[0] = origin;

  if (in.mode == PlacementMode::kOriginAndMargins) {
    const PixelPoint gap{std::max(in.given[2].x, 0), std::max(in.given[2].y, 0)};
    p.pageWidth = std::min(in.pageWidth, (right - origin.x - (columns - 1) * gap.x) / columns);
    p.pageHeight = std::min(in.pageHeight, (bottom - origin.y - (rows - 1) * gap.y) / rows);
    p.pageWidth = std::max(p.pageWidth, 1);
    p.pageHeight = std::max(p.pageHeight, 1);
    for (int s = 1; s < kPageSlots; ++s) {
      p.slot[s] = PixelPoint{origin.x + (IsRightColumn(s) ? p.pageWidth + gap.x : 0),
                             origin.y + (IsBottomRow(s) ? p.pageHeight + gap.y : 0)};
    }
    return p;
  }

  // Four origins: the others follow the first one's move, keep clear of
  // the first page and stay on the printable area.
  p.pageWidth = std::max(std::min(in.pageWidth, (right - origin.x) / columns), 1);
  p.pageHeight = std::max(std::min(in.pageHeight, (bottom - origin.y) / rows), 1);
  const int dx = origin.x - given.x;
  const int dy = origin.y - given.y;
  for (int s = 1; s < kPageSlots; ++s) {
    PixelPoint q{in.given[s].x + dx, in.given[s].y + dy};
    if (IsRightColumn(s)) q.x = std::max(q.x, origin.x + p.pageWidth);
    if (IsBottomRow(s)) q.y = std::max(q.y, origin.y + p.pageHeight);
    q.x = std::clamp(q.x, left, std::max(right - p.pageWidth, left));
    q.y = std::clamp(q.y, top, std::max(bottom - p.pageHeight, top));
    p.slot[s] = q;
  }
  return p;
}

PixelRect SlotRect(const Placement& placement, const PrintableArea& reported, PagePattern pattern,
                   int slot, PixelPoint correction) noexcept {
  const int offsetX = std::max(reported.offsetX, 0);
  const int offsetY = std::max(reported.offsetY, 0);
  int left = placement.slot[slot].x - offsetX;
  if (pattern == PagePattern::kDuplexBack) {
    const int other = slot ^ 1;
    const int right = reported.physicalWidth - placement.slot[other].x - offsetX;
    left = right - placement.pageWidth;
  }
  int top = placement.slot[slot].y - offsetY;
  if (CorrectionApplies(pattern)) {
    left += correction.x;
    top += correction.y;
  }
  return PixelRect{left, top, left + placement.pageWidth, top + placement.pageHeight};
}

std::string SheetHeaderText(SerialDay first, int titleFormat, int blockNumber) {
  const CalendarDate date = DateFromSerial(std::clamp(first, kFirstSerial, kLastSerial));
  char text[64];
  switch (titleFormat) {
    case 1: {
      const bool reiwa =
          date.year > kReiwaYear || (date.year == kReiwaYear && date.month >= kReiwaMonth);
      std::snprintf(text, sizeof text, reiwa ? "  令和%d年%d月" : "  平成%d年%d月",
                    date.year - (reiwa ? kReiwaBase : kHeiseiBase), date.month);
      break;
    }
    case 2: std::snprintf(text, sizeof text, "  %d %s", date.year, MonthNamesEn[date.month]); break;
    case 3: std::snprintf(text, sizeof text, "  %s %d", MonthNamesEn[date.month], date.year); break;
    default: std::snprintf(text, sizeof text, "  %4d年%d月", date.year, date.month); break;
  }
  std::string header = text;
  if (blockNumber > 0) {
    std::snprintf(text, sizeof text, " (%d)", blockNumber);
    header += text;
  }
  return header;
}

int SheetBlockNumber(SerialDay day, int ptn3, int blockDays) noexcept {
  enum Counting { kFromMonth = 0, kFromJanuary = 1, kFromApril = 2 };
  const int counting = (ptn3 >> 4) & 0x0F;
  if (counting > kFromApril || blockDays < 1 || day < kFirstSerial || day > kLastSerial) return 0;
  const CalendarDate date = DateFromSerial(day);
  SerialDay start;
  if (counting == kFromMonth) {
    start = day - date.day + 1;
  } else if (counting == kFromJanuary) {
    start = SerialFromDate(date.year, 1, 1);
  } else {
    start = SerialFromDate(date.month >= 4 ? date.year : date.year - 1, 4, 1);
  }
  // 1 April 2000 lies before the first day: count from where it would be.
  return FloorDivide(day - start, blockDays) + 1;
}

SerialDay TableHitTest(const TableLayout& t, int x, int y, bool wholeDay) noexcept {
  const int p = t.pen;
  int panel;
  if (x >= p && x <= p + t.panelWidth) {
    panel = 0;
  } else if (x >= t.panelWidth + 2 * p && x <= 2 * (p + t.panelWidth)) {
    panel = 1;
  } else {
    return kNoDay;
  }
  const int below = y - (p + t.headerHeight);
  if (below < 0 || t.dayHeight <= 0) return kNoDay;
  const int m = below / t.dayHeight;
  if (!wholeDay) {
    const int dateRight = panel * t.panelWidth + (panel + 1) * p + t.dateColumnWidth;
    if (x > dateRight || below - m * t.dayHeight > t.dateBoxHeight) return kNoDay;
  }
  if (m >= t.days[panel]) return kNoDay;
  const SerialDay day = t.firstDay + (panel == 1 ? t.days[0] : 0) + m;
  return day >= kFirstSerial && day <= kLastSerial ? day : kNoDay;
}

SerialDay TableFirstDay(SerialDay focus, int alignment, const int (&days)[2]) noexcept {
  constexpr int kWeek = 7;
  if (alignment < 0 || alignment >= kWeek || days[0] + days[1] <= 6) return focus;
  const int back = ((WeekdayOf(focus) - alignment) % kWeek + kWeek) % kWeek;
  return focus - back;
}

}  // namespace hiyomi
