// The calendar view of the main window: its drawing objects, the off-screen
// drawing surface, the scroll bars and the transfer to the window.
#pragma once

#include <windows.h>

#include "base/win/gdi_objects.h"
#include "base/win/work_area.h"
#include "print/print_settings.h"
#include "print/sheet_painter_win.h"
#include "schedule/day_items.h"
#include "schedule/display_flags.h"
#include "schedule/memo_area_win.h"
#include "settings/options.h"
#include "shell/button_row_win.h"
#include "shell/main_menus_win.h"
#include "shell/view_rows.h"

namespace hiyomi {

inline constexpr int kScrollBarSize = 16;
inline constexpr int kMinZoom = 50;
inline constexpr int kMaxZoom = 200;

struct MainView {
  HWND window = nullptr;
  ViewRows rows;
  RowLayoutOptions layout{7, 5, 1, 1};
  GridGeometry grid{};
  HorizontalScroll columns;  // scroll bar 254
  SerialDay today = 1;
  int zoom = 100;
  int zoomItem = 350;  // the ticked item of "倍率", 0 for none
  int menuType = 0;
  bool tableView = false;
  bool onTop = false;
  unsigned displayFlags = kShowAll;

  // What the grid is painted from: the data it reads and the options record
  // applied last. Both outlive the view.
  DayDataSource* data = nullptr;
  // Told the day the view takes as today, whenever it takes it again.
  void (*todayTaken)(SerialDay today) = nullptr;
  const Options* options = nullptr;

  // The memo area above or below the grid; its height 0 hides it.
  MemoArea* memo = nullptr;
  int memoHeight = 0;
  bool memoAbove = false;

  // Drawing objects, recreated whenever the options are applied.
  Font fonts[3];
  int h0 = 0;  // pixel heights of fonts 0 and 1, plus 2
  int h1 = 0;
  Pen gridPen;   // null when PenSize0 is 0
  Pen focusPen;  // null when PenSize1 is 0
  Pen thinPen;
  Brush background;
  MemoryDc surfaceDc;
  Bitmap surface;
  HGDIOBJ surfaceOld = nullptr;
  int surfaceWidth = 0;
  int surfaceHeight = 0;
  int wantedClientWidth = 0;

  // Screen metrics, measured once when the window is created.
  int frameWidth = 0;
  int frameHeight = 0;
  int maxClientWidth = 0;
  int maxClientHeight = 0;

  // The schedule-table view: two sheet pages at screen scale in the look
  // of the print settings, laid out whenever the options are applied.
  const PrintLook* printLook = nullptr;
  SheetDrawing tableDrawing;
  SheetGeometry tableGeometry{};

  // Main, tray, display and zoom menus; they go with the view.
  MainMenus menus;
};

// Measures the screen and sets up the scroll bars; focus starts on today.
// The grid reads its days from `data`.
void InitView(MainView& view, HWND window, DayDataSource& data);
// Rebuilds everything that depends on the options, resizes the window and
// repaints. The view keeps reading `options` until the next call.
void ApplyOptions(MainView& view, const Options& options);
// Releases the surface, every drawing object and the menus.
void ReleaseView(MainView& view);

void Navigate(MainView& view, NavigateKind kind, int amount);
// Paints the grid onto the drawing surface and asks the window to show it.
void Redraw(MainView& view);
// Only the painting part of Redraw.
void PaintSurface(MainView& view);
void PaintView(MainView& view, HDC dc);
void ResizeView(MainView& view, int width, int height);
void ScrollViewColumns(MainView& view, int code, int value);
// absolute: the zoom becomes value; otherwise one percent toward its sign.
// The old zoom's item in "倍率" loses its tick.
void SetZoom(MainView& view, bool absolute, int value);
// Serial day under a client point, or kNoDay.
SerialDay HitTestView(const MainView& view, POINT point, bool wholeCell);
// WM_DRAWITEM of the button row, with what the view shows. True when the
// button was one of the row's.
bool DrawButtonRowItem(const DRAWITEMSTRUCT& item, const MainView& view, const Options& options,
                       bool ticked);
// The first day the view shows: of its first row (after the scrolled
// columns), or of the table view's left panel.
SerialDay FirstShownDay(const MainView& view);
// Top of the drawing surface in the client area.
int SurfaceTop(const MainView& view);
// After the memo's text or mode changed: its height, the window's size and
// the places of the panes.
void LayOutMemo(MainView& view);

}  // namespace hiyomi
