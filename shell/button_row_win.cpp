#include "shell/button_row_win.h"

#include <cstdio>
#include <vector>

#include "almanac/dates.h"
#include "resources/main_dialog_ids.h"
#include "shell/cell_colors.h"
#include "shell/main_menus.h"
#include "base/win/gdi_objects.h"

namespace hiyomi {

namespace {

constexpr int kStandard = 0;

constexpr int kPickerStandardX = 90;
constexpr int kPickerSimpleX = 15;
constexpr int kPickerWidth = 110;

// The row's buttons: 200 to 206 and 209 to 215 (207 and 208 sit at the
// bottom edge).
bool InRow(int id) {
  return id >= IDB_TODAY && id <= IDB_EDITOR && id != IDB_DAY_BACK && id != IDB_DAY_FORWARD;
}

void DrawMonthTitle(const DRAWITEMSTRUCT& item, const ButtonRowState& state, const Options& options) {
  const ColorTable& table = options.colors;
  const bool currentMonth = state.year == DateFromSerial(state.today).year &&
                            state.month == DateFromSerial(state.today).month;
  const int monthSlot = currentMonth ? 6 : 6 + state.month;
  int back = ColorSlot(table, false, 2);
  if (back < 0) back = ColorSlot(table, false, monthSlot);
  int text = ColorSlot(table, true, 2);
  if (text < 0) text = ColorSlot(table, true, monthSlot);

  HDC dc = item.hDC;
  RECT box = item.rcItem;
  Pen pen(CreatePen(PS_SOLID, 1, options.PenColor[0]));
  Brush brush(CreateSolidBrush(back >= 0 ? back : GetSysColor(COLOR_BTNFACE)));
  {
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, brush.get());
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
  }
  char title[64];
  FormatMonthTitle(title, sizeof title, state.year, state.month, TitleFormat(options),
                   options.MenuType);
  SelectedObject font(dc, state.titleFont);
  SetBkMode(dc, TRANSPARENT);
  const int shadow = ColorSlot(table, false, 34);
  if (shadow >= 0) {
    RECT shifted = box;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, shadow);
    DrawTextA(dc, title, -1, &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SetTextColor(dc, text >= 0 ? text : 0);
  DrawTextA(dc, title, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// Toggle buttons keep the pressed look while their state is on.
void DrawPushButton(const DRAWITEMSTRUCT& item, const Options& options, bool toggledOn) {
  const bool pressed = toggledOn || (item.itemState & ODS_SELECTED) != 0;
  const int slot = pressed ? 37 : 38;
  const int back = ColorSlot(options.colors, false, slot);
  const int text = ColorSlot(options.colors, true, slot);
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  Brush brush(CreateSolidBrush(back >= 0 ? back : GetSysColor(COLOR_BTNFACE)));
  FillRect(dc, &box, brush.get());
  DrawEdge(dc, &box, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  char caption[32];
  GetWindowTextA(item.hwndItem, caption, sizeof caption);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text >= 0 ? text : 0);
  DrawTextA(dc, caption, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

void FormatMonthTitle(char* buffer, int size, int year, int month, int ptn1, int menuType) {
  const char* name = MonthNamesEn[month];
  const bool simple = menuType != kStandard;
  switch (ptn1) {
    case 1: {
      // 令和 from May 2019 on, 平成 before.
      const bool reiwa = year > 2019 || (year == 2019 && month >= 5);
      std::snprintf(buffer, size, reiwa ? "令和%d年%d月" : "平成%d年%d月",
                    year - (reiwa ? 2018 : 1988), month);
      break;
    }
    case 2:
      if (simple) {
        std::snprintf(buffer, size, "'%02d %s", year % 100, name);
      } else {
        std::snprintf(buffer, size, "%4d %s", year, name);
      }
      break;
    case 3:
      if (simple) {
        std::snprintf(buffer, size, "%s '%02d", name, year % 100);
      } else {
        std::snprintf(buffer, size, "%s %d", name, year);
      }
      break;
    default:
      std::snprintf(buffer, size, "%4d年%d月", year, month);
      break;
  }
}

void LayoutButtonRow(HWND window, const Options& options) {
  const bool standard = options.MenuType == kStandard;
  const std::vector<ButtonPlace> places =
      ButtonRowPlaces(options, NotrikLinkUsable(options), options.TDBtn != 0);
  for (int id = IDB_TODAY; id <= IDB_EDITOR; ++id) {
    if (InRow(id)) ShowWindow(GetDlgItem(window, id), SW_HIDE);
  }
  for (const ButtonPlace& place : places) {
    HWND button = GetDlgItem(window, place.id);
    SetWindowTextA(button, place.caption);
    MoveWindow(button, place.x, 0, place.width, kButtonRowHeight, TRUE);
    ShowWindow(button, place.shown ? SW_SHOW : SW_HIDE);
  }
  SetWindowTextA(GetDlgItem(window, IDB_DAY_BACK), "<<");
  SetWindowTextA(GetDlgItem(window, IDB_DAY_FORWARD), ">>");
  HWND picker = GetDlgItem(window, IDC_DATE_PICKER);
  MoveWindow(picker, standard ? kPickerStandardX : kPickerSimpleX, 0, kPickerWidth,
             kButtonRowHeight, TRUE);
  ShowWindow(picker, SW_HIDE);
}

bool DrawButtonRowItem(const DRAWITEMSTRUCT& item, const ButtonRowState& state,
                       const Options& options, bool ticked) {
  if (item.CtlType != ODT_BUTTON) return false;
  const int id = static_cast<int>(item.CtlID);
  if (id == IDB_MONTH_TITLE) {
    DrawMonthTitle(item, state, options);
    return true;
  }
  if (id >= IDB_TODAY && id <= IDB_EDITOR) {
    DrawPushButton(item, options, ticked);
    return true;
  }
  return false;
}

}  // namespace hiyomi
