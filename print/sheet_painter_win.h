// Paints one page of the schedule sheet onto any device context (a printer
// page or the schedule-table view's surface) from its arguments only: the
// page's geometry, its drawing objects, the sheet's look, the options and
// the read-only day data.
#pragma once

#include <windows.h>

#include "base/win/gdi_objects.h"
#include "print/print_metrics.h"
#include "print/print_settings.h"
#include "schedule/day_items.h"
#include "settings/options.h"

namespace hiyomi {

// Index 0 of the page painter is the screen (no scaling), 1 the printer.
enum class SheetTarget : int { kScreen = 0, kPrinter = 1 };

// The sheet's fonts and pens on one device; the caller keeps them for as
// long as it paints.
struct SheetDrawing {
  Font text;    // entries, items, header (options font 0)
  Font number;  // day numbers (options font 1)
  Font hours;   // the time lines' hours, 0.4 x line height
  Pen rule;     // NLineT and NLineC
  Pen frame;
  int lineHeight;  // of one text line, in device pixels
};

struct SheetGeometry {
  SheetMetrics metrics;
  int gap;        // between the date column and the text
  int halfMm;     // e: half a millimetre in device pixels
  int ruleWidth;  // NYLineW in device pixels
};

// Fonts for `target` from the view's two fonts: on the printer sized by its
// resolution (a line height below 1 takes the font's own height), on the
// screen the view's sizes. `lineHeight` is the printer's line height in
// pixels, 0 for the font's own.
SheetDrawing CreateSheetDrawing(HDC dc, SheetTarget target, const Options& options,
                                const PrintLook& look, int lineHeight);
// Measures the fonts and computes the page's geometry; a page width or
// height of 0 takes the natural size.
SheetGeometry MeasureSheet(HDC dc, SheetTarget target, const SheetDrawing& drawing,
                           const PrintLook& look, const Options& options, int pageWidth,
                           int pageHeight);

// One page: header, rules, time lines and `days` days from `first` (rows
// past the last supported day stay empty).
void PaintPage(HDC dc, SheetTarget target, const SheetGeometry& geometry,
               const SheetDrawing& drawing, const PrintLook& look, const DayItemInputs& items,
               RECT page, SerialDay first, int days);

}  // namespace hiyomi
