#include "shell/main_view_win.h"

#include <algorithm>

#include "almanac/dates.h"
#include "print/print_metrics.h"
#include "resources/main_dialog_ids.h"
#include "settings/day_settings.h"
#include "shell/grid_painter_win.h"
#include "shell/layered_window_win.h"

namespace hiyomi {

namespace {

constexpr int kMonthScrollMin = 1;
constexpr int kMonthScrollMax = 14;  // the 12 months plus one step beyond each end

int GridPenSize(const MainView& view) { return view.options != nullptr ? view.options->PenSize[0] : 0; }

PageDrawing DrawingOf(const MainView& view) {
  return PageDrawing{view.fonts[0].get(), view.fonts[1].get(), view.h0, view.h1,
                     view.gridPen.get(),  view.focusPen.get(), view.thinPen.get(),
                     view.background.get(), view.surfaceWidth, view.surfaceHeight};
}

Font MakeFont(HDC dc, const char* face, int points, bool bold, bool italic) {
  LOGFONTA font{};
  font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return Font(CreateFontIndirectA(&font));
}

int FontPixelHeight(HDC dc, HFONT font) {
  SelectedObject selected(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return metrics.tmHeight;
}

// Width of "88" in the day font; an italic face leans past its box.
int DayNumberWidth(HDC dc, HFONT font, const Options& options) {
  if (options.FontSize[1] < 1) return 0;
  SelectedObject selected(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, "88", 2, &size);
  int width = size.cx;
  if (options.FontItalic[1] != 0) {
    ABC abc{};
    if (GetCharABCWidthsA(dc, '8', '8', &abc)) {
      width += std::max(0, -abc.abcC);
    } else {
      width += width / 10;
    }
  }
  return width;
}

void CreateDrawingObjects(MainView& view, const Options& options) {
  const int pen0 = options.PenSize[0];
  const int pen1 = options.PenSize[1];
  view.gridPen = pen0 > 0 ? Pen(CreatePen(PS_SOLID, pen0, options.PenColor[0])) : Pen();
  view.focusPen = pen1 > 0 ? Pen(CreatePen(PS_SOLID, pen1, options.PenColor[1])) : Pen();
  view.thinPen = Pen(CreatePen(PS_SOLID, 1, options.PenColor[0]));
  const int backColor = options.colors.back[kColorWindow];
  view.background = Brush(CreateSolidBrush(backColor >= 0 ? backColor : GetSysColor(COLOR_BTNFACE)));

  WindowDc dc(view.window);
  const int titlePoints = view.menuType == 0 ? 12 : 9;
  for (int i = 0; i < 3; ++i) {
    const FontChoice choice = OptionsFont(options, i);
    const int points = i < 2 ? options.FontSize[i] : titlePoints;
    view.fonts[i] = MakeFont(dc.get(), choice.face, std::max(points, 1), choice.weight >= FW_BOLD,
                             choice.italic);
  }
  view.h0 = FontPixelHeight(dc.get(), view.fonts[0].get()) + 2;
  view.h1 = options.FontSize[1] < 1 ? 2 : FontPixelHeight(dc.get(), view.fonts[1].get()) + 2;
}

GridMetricsInput MetricsInput(const MainView& view, const Options& options, int dayNumberWidth) {
  GridMetricsInput input{};
  input.columns = options.Yoko;
  input.cellWidth = options.YokoSize;
  input.entryLines = options.TateLine;
  input.ptn2 = hiyomi::HorizontalHeaderStyle(options);
  input.ptn3 = hiyomi::VerticalHeaderCode(options);
  input.ptn4 = hiyomi::DayItemCodes(options);
  input.penSize0 = options.PenSize[0];
  input.fontBold0 = options.FontBold[0] != 0;
  input.h0 = view.h0;
  input.h1 = view.h1;
  input.dayNumberWidth = dayNumberWidth;
  return input;
}

void MakeSurface(MainView& view) {
  if (view.surfaceOld != nullptr) SelectObject(view.surfaceDc.get(), view.surfaceOld);
  view.surfaceOld = nullptr;
  view.surface.Reset();
  view.surfaceDc.Reset();
  WindowDc dc(view.window);
  view.surfaceDc.Reset(CreateCompatibleDC(dc.get()));
  view.surface.Reset(CreateCompatibleBitmap(dc.get(), view.surfaceWidth, view.surfaceHeight));
  view.surfaceOld = SelectObject(view.surfaceDc.get(), view.surface.get());
}

// Between and around the two panels of the table view.
int TableBorder(const Options& options) { return std::max(options.PenSize[0], 1); }

const PrintLook& TableLook(const MainView& view) {
  static const PrintLook fallback = DefaultPrintLook();
  return view.printLook != nullptr ? *view.printLook : fallback;
}

// Two panels of the sheet's natural size at screen scale; the window is at
// least as wide as the button row.
void SizeTableSurface(MainView& view, const Options& options) {
  const PrintLook& look = TableLook(view);
  {
    WindowDc dc(view.window);
    view.tableDrawing = CreateSheetDrawing(dc.get(), SheetTarget::kScreen, options, look, 0);
    view.tableGeometry =
        MeasureSheet(dc.get(), SheetTarget::kScreen, view.tableDrawing, look, options, 0, 0);
  }
  const int a = TableBorder(options);
  const SheetMetrics& m = view.tableGeometry.metrics;
  view.surfaceWidth = 3 * a + 2 * m.pageWidth;
  view.surfaceHeight = m.pageHeight + 2 * a;
  RECT button{};
  GetWindowRect(GetDlgItem(view.window, IDB_MENU), &button);
  MapWindowPoints(nullptr, view.window, reinterpret_cast<POINT*>(&button), 2);
  view.wantedClientWidth = std::max(std::min(view.maxClientWidth, view.surfaceWidth * view.zoom / 100),
                                    static_cast<int>(button.right));
  MakeSurface(view);
}

// The surface and the rows it holds; the rows shrink until half the surface
// fits the screen (zoom 50 may show it all).
void SizeSurface(MainView& view, const Options& options, const GridMetricsInput& input) {
  GridGeometry grid = ComputeGridGeometry(input, options.Tate);
  int width = grid.leftMargin + grid.columns * grid.cellWidth + grid.halfPen;
  if (view.maxClientWidth < width / 2) width = 2 * view.maxClientWidth;
  int rows = std::clamp(options.Tate, 1, kMaxVisibleRows);
  while (rows > 1 && (grid.topMargin + rows * grid.cellHeight + grid.halfPen + 2) / 2 >
                         view.maxClientHeight) {
    --rows;
  }
  grid.rows = rows;
  view.grid = grid;
  view.layout = RowLayoutOptions{options.Yoko, rows, hiyomi::TargetRowCode(options),
                                 hiyomi::StartDayCode(options)};
  view.surfaceWidth = std::max(width, 1);
  view.surfaceHeight = grid.topMargin + rows * grid.cellHeight + grid.halfPen;

  int wanted = view.surfaceWidth * view.zoom / 100;
  for (int i = 0; i < grid.columns - 1 && wanted > view.maxClientWidth; ++i) wanted -= grid.cellWidth;
  view.wantedClientWidth = wanted;
  MakeSurface(view);
}

// The table view has no rows to give way: its height is the panels'.
int ContentHeight(const MainView& view, int rows) {
  if (view.tableView) return view.surfaceHeight * view.zoom / 100;
  const GridGeometry& grid = view.grid;
  return (grid.halfPen + rows * grid.cellHeight + grid.topMargin) * view.zoom / 100;
}

// The memo's lines between MemoLine and MemoLine2, at least two lines while
// it is edited, nothing for an empty page.
int WantedMemoHeight(const MainView& view, const Options& options) {
  if (view.memo == nullptr || view.memo->control == nullptr) return 0;
  const MemoArea& memo = *view.memo;
  int height = MemoAreaHeight(MemoTextLines(memo), MemoIsEmpty(memo),
                                      options.MemoLine, options.MemoLine2, memo.lineHeight);
  if (memo.editing) height = std::max(height, 2 * memo.lineHeight);
  return height;
}

// Rows counted in the height give way first, then the memo, which keeps
// at least about a line.
void ResizeWindowToContent(MainView& view, const Options& options) {
  int rows = view.grid.rows;
  int memo = WantedMemoHeight(view, options);
  while (rows > 1 && ContentHeight(view, rows) + memo > view.maxClientHeight) --rows;
  const int memoFloor = view.h0 + options.PenSize[0] - 2;
  while (memo > memoFloor && ContentHeight(view, rows) + memo > view.maxClientHeight) --memo;
  view.memoHeight = memo;
  view.memoAbove = options.MemoPos == 0;
  const int width = std::min(view.wantedClientWidth, view.maxClientWidth) + view.frameWidth;
  const int height =
      std::min(ContentHeight(view, rows), view.maxClientHeight) + memo + view.frameHeight;
  SetWindowPos(view.window, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MemoTop(const MainView& view, int clientHeight) {
  return view.memoAbove ? kButtonRowHeight : clientHeight - kScrollBarSize - view.memoHeight;
}

void PlaceMemo(MainView& view, int clientWidth, int clientHeight) {
  if (view.memo == nullptr || view.memo->control == nullptr) return;
  HWND control = view.memo->control;
  if (view.memoHeight <= 0) {
    ShowWindow(control, SW_HIDE);
    return;
  }
  const int pen = GridPenSize(view);
  const int inset = pen;
  MoveWindow(control, pen / 2 + inset, MemoTop(view, clientHeight) + inset,
             std::max(clientWidth - kScrollBarSize - pen / 2 - 2 * inset, 1),
             std::max(view.memoHeight - 2 * inset, 1), TRUE);
  ShowWindow(control, SW_SHOW);
}

void SetColumnScrollBar(MainView& view) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = view.columns.minimum;
  info.nMax = view.columns.maximum;
  info.nPage = static_cast<UINT>(view.columns.page);
  info.nPos = view.columns.position;
  SetScrollInfo(GetDlgItem(view.window, IDC_COLUMN_SCROLL), SB_CTL, &info, TRUE);
}

int ClientWidth(const MainView& view) {
  RECT client{};
  GetClientRect(view.window, &client);
  return client.right;
}

// In the table view the bar scrolls surface pixels.
int ColumnPage(const MainView& view) {
  if (!view.tableView) return GridScrollPage(view.grid, ClientWidth(view), view.zoom);
  return std::max((ClientWidth(view) - kScrollBarSize) * 100 / view.zoom, 1);
}

int ColumnMaximum(const MainView& view) {
  return view.tableView ? view.surfaceWidth - 1 : view.grid.columns - 1;
}

// The table view's panels as drawn: where they are and which days they hold.
TableLayout TableLayoutOf(const MainView& view) {
  const PrintLook& look = TableLook(view);
  const SheetMetrics& m = view.tableGeometry.metrics;
  const int alignment = RowAlignmentOf(view.layout.ptn5);
  int days[2] = {look.days[0], look.days[1]};
  NormalizeSheetDays(days);
  return TableLayout{view.options != nullptr ? TableBorder(*view.options) : 1,
                     m.pageWidth,
                     m.headerHeight,
                     m.linesPerDay * m.lineHeight,
                     m.dateColumnWidth,
                     m.dayNumberHeight,
                     TableFirstDay(view.rows.focusDay, alignment, days),
                     {days[0], days[1]}};
}

void PaintTable(MainView& view) {
  const Options& options = *view.options;
  HDC dc = view.surfaceDc.get();
  Brush border(CreateSolidBrush(static_cast<COLORREF>(std::max(options.PenColor[0], 0))));
  RECT all{0, 0, view.surfaceWidth, view.surfaceHeight};
  FillRect(dc, &all, border.get());
  const TableLayout table = TableLayoutOf(view);
  const DaySettings days = DaySettingsOf(options);
  const DayItemInputs items{*view.data, options, days, view.today, view.displayFlags};
  const int a = table.pen;
  const SheetMetrics& m = view.tableGeometry.metrics;
  SerialDay first = table.firstDay;
  for (int i = 0; i < 2; ++i) {
    const int left = a + i * (a + m.pageWidth);
    PaintPage(dc, SheetTarget::kScreen, view.tableGeometry, view.tableDrawing, TableLook(view), items,
              RECT{left, a, left + m.pageWidth, a + m.pageHeight}, first, table.days[i]);
    first += table.days[i];
  }
}

// The page is recomputed from the client width; a changed position repaints.
void UpdateColumnPage(MainView& view) {
  view.columns.page = ColumnPage(view);
  const int position = LimitScrollPosition(view.columns, view.columns.position);
  const bool moved = position != view.columns.position;
  view.columns.position = position;
  SetColumnScrollBar(view);
  if (moved) Redraw(view);
}

}  // namespace

void InitView(MainView& view, HWND window, DayDataSource& data) {
  view.window = window;
  view.data = &data;
  const RECT area = WorkArea();
  view.frameWidth = 2 * GetSystemMetrics(SM_CXDLGFRAME) + 18;
  view.frameHeight = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME) + 39;
  view.maxClientWidth = area.right - view.frameWidth;
  view.maxClientHeight = area.bottom - view.frameHeight;
  view.today = TodaySerial();
  view.rows.focusDay = view.today;
  view.displayFlags = kShowAll;

  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = kMonthScrollMin;
  info.nMax = kMonthScrollMax;
  info.nPage = 1;
  SetScrollInfo(GetDlgItem(window, IDC_MONTH_SCROLL), SB_CTL, &info, FALSE);
}

void ApplyOptions(MainView& view, const Options& options) {
  view.options = &options;
  view.menuType = options.MenuType;
  ApplyTransparencyStyle(view.window, options.Trns[0], options.Trns[1]);
  LayoutButtonRow(view.window, options);

  CreateDrawingObjects(view, options);
  if (view.memo != nullptr && view.memo->control != nullptr) {
    MemoSettings memo{};
    for (int page = 0; page < kMemoPageCount; ++page) {
      memo.files[page] = options.MemoFile[page];
      memo.rtf[page] = options.MemoRTF[page] != 0;
      memo.titles[page] = options.MemoFTitle[page];
    }
    SetMemoDefaults(*view.memo, view.fonts[0].get(), options.colors.text[kColorMemo],
                            options.colors.back[kColorMemo], memo);
  }
  int dayNumberWidth;
  {
    WindowDc dc(view.window);
    dayNumberWidth = DayNumberWidth(dc.get(), view.fonts[1].get(), options);
  }
  SizeSurface(view, options, MetricsInput(view, options, dayNumberWidth));
  if (view.tableView) SizeTableSurface(view, options);

  const int showDayButtons = hiyomi::StartDayFixed(options) ? SW_HIDE : SW_SHOW;
  for (int id : {IDB_DAY_BACK, IDB_DAY_FORWARD}) {
    HWND button = GetDlgItem(view.window, id);
    SetWindowPos(button, nullptr, 0, 0, kScrollBarSize, kScrollBarSize, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(button, showDayButtons);
  }
  ResizeWindowToContent(view, options);
  // The page of the size the window has now, so that going to the focus day
  // scrolls as little as shows its column.
  view.columns = HorizontalScroll{0, ColumnMaximum(view), ColumnPage(view), 0};
  Navigate(view, NavigateKind::kToDay, view.rows.focusDay);
  UpdateColumnPage(view);

  ShowWindow(view.window, SW_SHOW);
  RECT client{};
  GetClientRect(view.window, &client);
  ResizeView(view, client.right, client.bottom);
  // The memo wraps at its width, known only now that the window has its size.
  if (view.memoHeight > 0) LayOutMemo(view);
  KeepInsideWorkArea(view.window);
}

void ReleaseView(MainView& view) {
  view.tableDrawing = SheetDrawing{};
  if (view.surfaceOld != nullptr) SelectObject(view.surfaceDc.get(), view.surfaceOld);
  view.surfaceOld = nullptr;
  view.surface.Reset();
  view.surfaceDc.Reset();
  view.background.Reset();
  view.thinPen.Reset();
  view.focusPen.Reset();
  view.gridPen.Reset();
  for (int i = 2; i >= 0; --i) view.fonts[i].Reset();
  view.menus.Release();
}

void Navigate(MainView& view, NavigateKind kind, int amount) {
  view.today = TodaySerial();
  if (view.todayTaken != nullptr) view.todayTaken(view.today);
  if (view.tableView && kind == NavigateKind::kByRows) {
    const TableLayout table = TableLayoutOf(view);
    kind = NavigateKind::kToDay;
    amount = view.rows.focusDay + amount * (table.days[0] + table.days[1]);
  }
  NavigateRows(view.rows, view.layout, kind, amount, view.today);
  if (!view.tableView && kind != NavigateKind::kByRows) {
    const int column = FocusColumn(view.rows, view.layout);
    const int position = PositionShowingColumn(view.columns, column);
    if (position != view.columns.position) {
      view.columns.position = position;
      SetColumnScrollBar(view);
    }
  }
  SetScrollPos(GetDlgItem(view.window, IDC_MONTH_SCROLL), SB_CTL, view.rows.month + 1, TRUE);
  Redraw(view);
}

void PaintSurface(MainView& view) {
  if (view.surfaceDc.get() == nullptr || view.options == nullptr || view.data == nullptr) return;
  if (view.tableView) {
    PaintTable(view);
    return;
  }
  const PageLayout page{view.grid,  view.rows,        view.layout, view.columns.position,
                        view.today, view.displayFlags};
  PaintGrid(view.surfaceDc.get(), DrawingOf(view), page, *view.options, *view.data);
}

void Redraw(MainView& view) {
  if (view.surfaceDc.get() == nullptr) return;
  PaintSurface(view);
  RECT client{};
  GetClientRect(view.window, &client);
  RECT area{0, kButtonRowHeight, client.right - kScrollBarSize, client.bottom - kScrollBarSize};
  InvalidateRect(view.window, &area, FALSE);
  InvalidateRect(GetDlgItem(view.window, IDB_MONTH_TITLE), nullptr, FALSE);
}

bool DrawButtonRowItem(const DRAWITEMSTRUCT& item, const MainView& view, const Options& options,
                       bool ticked) {
  const ButtonRowState state{view.rows.year, view.rows.month, view.today, view.fonts[2].get()};
  return DrawButtonRowItem(item, state, options, ticked);
}

SerialDay FirstShownDay(const MainView& view) {
  if (view.tableView) return TableLayoutOf(view).firstDay;
  return view.rows.rowStart[1] + view.columns.position;
}

int SurfaceTop(const MainView& view) {
  if (view.memoHeight <= 0 || !view.memoAbove) return kButtonRowHeight;
  const int pen = GridPenSize(view);
  const int shift = view.zoom < 100 ? (100 - view.zoom) * pen / 100 : 0;
  return kButtonRowHeight + view.memoHeight + shift;
}

void PaintView(MainView& view, HDC dc) {
  if (view.surfaceDc.get() == nullptr) return;
  // The table view scrolls by surface pixels.
  const int from = view.tableView ? std::clamp(view.columns.position, 0, view.surfaceWidth - 1) : 0;
  const int visible = view.surfaceWidth - from;
  const int width = view.zoom * visible / 100;
  const int height = view.zoom * view.surfaceHeight / 100;
  SetStretchBltMode(dc, view.zoom < 100 ? HALFTONE : COLORONCOLOR);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, SurfaceTop(view), width, height, view.surfaceDc.get(), from, 0, visible,
             view.surfaceHeight, SRCCOPY);
  if (view.memoHeight > 0) {
    RECT client{};
    GetClientRect(view.window, &client);
    const int pen = GridPenSize(view);
    const int top = MemoTop(view, client.bottom);
    SelectedObject framePen(dc, view.gridPen ? view.gridPen.get() : GetStockObject(NULL_PEN));
    SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, pen / 2, top, client.right - view.grid.halfPen - 15, top + view.memoHeight);
  }
}

void LayOutMemo(MainView& view) {
  if (view.options == nullptr) return;
  ResizeWindowToContent(view, *view.options);
  RECT client{};
  GetClientRect(view.window, &client);
  ResizeView(view, client.right, client.bottom);
  InvalidateRect(view.window, nullptr, TRUE);
}

void ResizeView(MainView& view, int width, int height) {
  MoveWindow(GetDlgItem(view.window, IDC_MONTH_SCROLL), width - kScrollBarSize, 0, kScrollBarSize,
             height, TRUE);
  const int left = view.layout.ptn5 < 0 ? 2 * kScrollBarSize : 0;
  MoveWindow(GetDlgItem(view.window, IDC_COLUMN_SCROLL), left, height - kScrollBarSize,
             width - kScrollBarSize - left, kScrollBarSize, TRUE);
  MoveWindow(GetDlgItem(view.window, IDB_DAY_BACK), 0, height - kScrollBarSize, kScrollBarSize,
             kScrollBarSize, TRUE);
  MoveWindow(GetDlgItem(view.window, IDB_DAY_FORWARD), kScrollBarSize, height - kScrollBarSize,
             kScrollBarSize, kScrollBarSize, TRUE);
  PlaceMemo(view, width, height);
  UpdateColumnPage(view);
  RECT strip{0, kButtonRowHeight, width, height};
  InvalidateRect(view.window, &strip, TRUE);
}

void ScrollViewColumns(MainView& view, int code, int value) {
  if (code < SB_LINELEFT || code > SB_ENDSCROLL) return;
  const int position = ScrolledPosition(view.columns, static_cast<ScrollCode>(code), value);
  if (position == view.columns.position) return;
  view.columns.position = position;
  SetColumnScrollBar(view);
  Redraw(view);
}

void SetZoom(MainView& view, bool absolute, int value) {
  int zoom = absolute ? value : view.zoom + (value > 0 ? 1 : value < 0 ? -1 : 0);
  const int optionZoom = view.options != nullptr ? view.options->Zoom : 100;
  view.zoomItem = ZoomItemAfterLeaving(view.zoomItem, view.zoom, optionZoom);
  view.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  UpdateColumnPage(view);
  RECT client{};
  GetClientRect(view.window, &client);
  RECT area{0, kButtonRowHeight, client.right - kScrollBarSize, client.bottom - kScrollBarSize};
  InvalidateRect(view.window, &area, TRUE);
}

SerialDay HitTestView(const MainView& view, POINT point, bool wholeCell) {
  if (view.tableView) {
    const int x = point.x * 100 / view.zoom + view.columns.position;
    const int y = (point.y - SurfaceTop(view)) * 100 / view.zoom;
    if (point.y < SurfaceTop(view)) return kNoDay;
    return TableHitTest(TableLayoutOf(view), x, y, wholeCell);
  }
  // Where the surface is drawn: below a memo above the grid, the drawing
  // sits a few pixels lower at small zooms, and clicks must follow it.
  const SerialDay day = GridHitTest(view.grid, view.rows, view.columns.position, point.x, point.y,
                                    SurfaceTop(view), view.zoom, wholeCell);
  return day < 0 ? kNoDay : day;
}

}  // namespace hiyomi
