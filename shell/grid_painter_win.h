// Paints the calendar grid onto any device context (the view's drawing
// surface, a printer page, a preview) from its arguments only.
#pragma once

#include <windows.h>

#include "schedule/day_items.h"
#include "settings/options.h"
#include "shell/view_rows.h"

namespace hiyomi {

// The drawing objects of a page; the caller owns them.
struct PageDrawing {
  HFONT entryFont;   // font 0: entries, labels, day items
  HFONT numberFont;  // font 1: day numbers
  int h0;            // pixel heights of fonts 0 and 1, plus 2
  int h1;
  HPEN gridPen;   // null when PenSize0 is 0
  HPEN focusPen;  // null when PenSize1 is 0
  HPEN thinPen;
  HBRUSH background;
  int width;  // of the surface
  int height;
};

// Which days the page shows, where, and under which switches.
struct PageLayout {
  const GridGeometry& grid;
  const ViewRows& rows;  // row starts, reference month, focus day
  const RowLayoutOptions& layout;
  int columnPosition;  // first column drawn
  SerialDay today;
  unsigned displayFlags;  // schedule/display_flags.h
};

void PaintGrid(HDC dc, const PageDrawing& drawing, const PageLayout& page, const Options& options,
               DayDataSource& data);

}  // namespace hiyomi
