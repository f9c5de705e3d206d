#include "shell/button_row_win.h"

#include <cstdio>

#include "almanac/dates.h"
#include "resources/main_dialog_ids.h"
#include "shell/cell_colors.h"
#include "base/win/gdi_objects.h"

namespace hiyomi {

namespace {

constexpr int kStandard = 0;

struct ButtonPlace {
  int id;
  const char* standardCaption;
  int standardX;
  int standardWidth;
  const char* simpleCaption;
  int simpleX;
  int simpleWidth;
  bool hiddenAtStart;  // shown only while the date picker is open
  bool standardOnly;   // the simplified type has it in its menu instead
};

// The buttons both menu types have. The rest of the row ("表示", "Top",
// "メモ", "Notrik", the editor and "Menu") arrives with the menus.
constexpr ButtonPlace kButtons[] = {
    {IDB_TODAY, "今日", 0, 30, "■", 0, 15, false, false},
    {IDB_YEAR_BACK, "<<年", 30, 30, "<<", 15, 15, false, false},
    {IDB_MONTH_BACK, "<月", 60, 30, "<", 30, 15, false, false},
    {IDB_MONTH_TITLE, "", 90, 150, "", 45, 80, false, false},
    {IDB_MONTH_FORWARD, "月>", 240, 30, ">", 125, 15, false, false},
    {IDB_YEAR_FORWARD, "年>>", 270, 30, ">>", 140, 15, false, false},
    {IDB_PICKER_OK, "○", 200, 20, "○", 125, 15, true, false},
    {IDB_PICKER_CANCEL, "×", 220, 20, "×", 140, 15, true, false},
    {IDB_TOP, "Top", 340, 40, "", 0, 0, false, true},
    {IDB_MEMO, "メモ", 380, 40, "", 0, 0, false, true},
};
constexpr int kPickerStandardX = 90;
constexpr int kPickerSimpleX = 15;
constexpr int kPickerWidth = 110;

constexpr int kNotShownYet[] = {IDB_DISPLAY, IDB_MENU, IDB_NOTRIK, IDB_EDITOR};

const ButtonPlace* PlaceOf(int id) {
  for (const ButtonPlace& place : kButtons) {
    if (place.id == id) return &place;
  }
  return nullptr;
}

const char* CaptionOf(const ButtonPlace& place, const Options& options) {
  if (options.MenuType != kStandard) return place.simpleCaption;
  if (place.id == IDB_TODAY && hiyomi::MovesToDayOne(options)) return "今月";
  return place.standardCaption;
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
  for (const ButtonPlace& place : kButtons) {
    HWND button = GetDlgItem(window, place.id);
    SetWindowTextA(button, CaptionOf(place, options));
    MoveWindow(button, standard ? place.standardX : place.simpleX, 0,
               standard ? place.standardWidth : place.simpleWidth, kButtonRowHeight, TRUE);
    const bool hidden = place.hiddenAtStart || (place.standardOnly && !standard);
    ShowWindow(button, hidden ? SW_HIDE : SW_SHOW);
  }
  SetWindowTextA(GetDlgItem(window, IDB_DAY_BACK), "<<");
  SetWindowTextA(GetDlgItem(window, IDB_DAY_FORWARD), ">>");
  for (int id : kNotShownYet) ShowWindow(GetDlgItem(window, id), SW_HIDE);
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
  if (PlaceOf(id) != nullptr || id == IDB_DAY_BACK || id == IDB_DAY_FORWARD) {
    DrawPushButton(item, options, ticked);
    return true;
  }
  return false;
}

}  // namespace hiyomi
