// The arithmetic of the schedule sheet: lengths in 0.1 mm to device pixels,
// lines per day, the natural page size, where the page slots go on the
// printable area, the header's month text and the hit test of the
// schedule-table view. Portable: the painter measures the fonts and hands
// the numbers in.
#pragma once

#include <string>

#include "almanac/dates.h"
#include "print/print_settings.h"

namespace hiyomi {

// round(tenths x dpi / 254) and back.
int PixelsFromTenthsMm(int tenths, int dpi) noexcept;
int TenthsMmFromPixels(int pixels, int dpi) noexcept;

// What the fonts measure on the device, in its pixels.
struct SheetMeasures {
  int lineHeight;       // one text line
  int headerHeight;     // the month line at the top of a page
  int dateColumnWidth;  // day number column, gap included
  int dayNumberHeight;  // "88" in the day-number font + 4
  int textWidth;        // 41 "8" in the text font, plus a space when italic
  int gap;              // between the date column and the text
};

struct SheetMetrics {
  int lineHeight;
  int headerHeight;
  int dateColumnWidth;
  int dayNumberHeight;
  int linesPerDay;
  int dayRows;  // max(NDays0, NDays1)
  int pageWidth;
  int pageHeight;
};

// Lines start at NLine; with a page height they drop one by one until the
// header and the day rows fit, then rise until a day is as high as its
// number.
int LinesPerDay(int lines, int pageHeight, int headerHeight, int dayRows, int lineHeight,
                int dayNumberHeight) noexcept;
// Page width or height 0: the natural size.
SheetMetrics ComputeSheetMetrics(const SheetMeasures& measures, const PrintLook& look,
                                 int pageWidth, int pageHeight) noexcept;

struct PixelPoint {
  int x;
  int y;
};

// The sheet as the printer reports it, in its pixels. Offsets are the
// unprintable margins at the left and top of the physical sheet.
struct PrintableArea {
  int physicalWidth;
  int physicalHeight;
  int width;
  int height;
  int offsetX;
  int offsetY;
};

// Negative offsets count as 0; a duplex pattern takes the wider of the two
// horizontal margins on both sides so front and back line up.
PrintableArea SheetArea(PrintableArea reported, PagePattern pattern) noexcept;

// Columns and rows of slots the used slots span: 1 or 2 each.
int UsedColumns(int slots) noexcept;
int UsedRows(int slots) noexcept;

struct PlacementInput {
  PrintableArea area;  // after SheetArea
  PlacementMode mode;
  int slots;                    // bits of the used slots
  PixelPoint given[kPageSlots];  // sheet coordinates; in mode 2 [0] origin, [2] the gaps
  int pageWidth;
  int pageHeight;
};

struct Placement {
  PixelPoint slot[kPageSlots];  // top left of each slot on the physical sheet
  int pageWidth;
  int pageHeight;
  bool originMoved;  // the first origin had to be clamped into the printable area
};

Placement PlaceSlots(const PlacementInput& input) noexcept;

struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

// The page rectangle of a slot in device coordinates (the printable area's
// corner is 0, 0). "両面裏" mirrors the columns: a slot takes the mirror of
// the other column's place in its row. "補正" moves every page except on
// the front of a duplex sheet.
PixelRect SlotRect(const Placement& placement, const PrintableArea& reported, PagePattern pattern,
                   int slot, PixelPoint correction) noexcept;

// The month line of a page: year and month of the first day in the style of
// `Ptn1` (0 "%4d年%d月", 1 era year, 2 year and English month, 3 English
// month and year), then " (%d)" with the block number when counted.
std::string SheetHeaderText(SerialDay first, int titleFormat, int blockNumber);
// The number of the block of `blockDays` days holding `day`, counted from
// the first of the month, 1 January or 1 April by the high four bits of
// `Ptn3`; 0 when not counted.
int SheetBlockNumber(SerialDay day, int ptn3, int blockDays) noexcept;

// The schedule-table view's two panels, in unzoomed surface pixels.
struct TableLayout {
  int pen;  // PenSize0
  int panelWidth;
  int headerHeight;
  int dayHeight;  // lines per day x line height
  int dateColumnWidth;
  int dateBoxHeight;
  SerialDay firstDay;  // of panel 0
  int days[2];
};

// x, y: unzoomed surface point (the scroll position already added). With
// wholeDay a point anywhere in the day's block counts, else only its date
// box. kNoDay when no day is there.
SerialDay TableHitTest(const TableLayout& table, int x, int y, bool wholeDay) noexcept;

// The first day of the left panel: the focus day moved back to the
// weekday the rows start on, when they start on a weekday and the panels
// hold more than six days.
SerialDay TableFirstDay(SerialDay focus, int alignment, const int (&days)[2]) noexcept;

}  // namespace hiyomi
