// The whole way of an entry, as a user makes it: the real Hiyomi.exe on a
// fresh folder, a double-click on today's cell at the place the default
// layout gives it, a text typed into the day dialog, OK, the program closed,
// and the year file on disk read back.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "resources/daydlg_ids.h"
#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "resources/optpage_view_ids.h"
#include "schedule/records.h"
#include "settings/options.h"
#include "shell/main_view_win.h"
#include "shell/program_objects_win.h"
#include "tests/shell/hiyomi_process.h"
#include "tests/shell/main_window_fixture.h"

namespace hiyomi {

namespace {

using namespace hiyomi_test;

// Client point of the middle of today's cell in a window laid out with the
// default options, computed here the way the program lays itself out.
POINT TodaysCellCentre() {
  hiyomi_test::OpenProgramIn("hiyomi-e2e-layout");
  MainView view;
  HWND window = hiyomi_test::CreateViewWindow(view);
  ApplyOptions(view, AppOptions());
  POINT centre{-1, -1};
  const GridGeometry& grid = view.grid;
  for (int row = 0; row < grid.rows; ++row) {
    const SerialDay start = view.rows.rowStart[row + 1];
    if (view.today >= start && view.today < view.rows.rowStart[row + 2]) {
      const int column = view.today - start;
      centre.x = grid.leftMargin + column * grid.cellWidth + grid.cellWidth / 2;
      centre.y = SurfaceTop(view) + grid.topMargin + row * grid.cellHeight + grid.cellHeight / 2;
    }
  }
  hiyomi_test::DestroyViewWindow(view, window);
  hiyomi_test::CloseProgram();
  return centre;
}

// Starts exe and opens the day dialog with a double-click on today's cell.
// False when a step did not happen.
bool StartOnTodaysDay(const std::string& exe, POINT cell, Process& program, HWND& window, HWND& day) {
  if (!Start(exe, program)) return false;
  window = WaitForVisibleWindow(program.info.dwProcessId);
  if (window == nullptr) return false;
  PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  day = WaitForDialog("日個別設定");
  return day != nullptr;
}

TEST(EndToEnd, AnEntryTypedIntoTodayReachesTheYearFile) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FF};
  InitCommonControlsEx(&controls);
  const POINT cell = TodaysCellCentre();
  ASSERT_GE(cell.x, 0);

  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-end-to-end");
  ASSERT_FALSE(exe.empty());
  const SerialDay today = ClampSerial(TodaySerial());
  const int year = DateFromSerial(today).year;
  const std::string yearFile = FolderOf(exe) + "\\Hiyomi_" + std::to_string(year) + ".dat";
  DeleteFileA(yearFile.c_str());

  Process program;
  HWND window = nullptr;
  HWND day = nullptr;
  ASSERT_TRUE(StartOnTodaysDay(exe, cell, program, window, day));
  SendMessageA(GetDlgItem(day, IDE_DAY_TEXT_BASE), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("歯医者 15:00"));
  SendMessageA(GetDlgItem(day, IDB_DAY_OK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitGone(day));

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);

  const std::string bytes = ReadFileText(yearFile);
  ASSERT_EQ(bytes.size(), kHeaderSize + kDayRecordSize);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const YearFileHeader header = DecodeHeader(data);
  ASSERT_EQ(header.count, 1);
  EXPECT_EQ(header.index[today - SerialFromDate(year, 1, 1)], 0);
  const DayRecord record = DecodeDayRecord(data + kHeaderSize);
  EXPECT_EQ(record.serial, today);
  EXPECT_EQ(record.entries[0].order, 1);
  EXPECT_STREQ(record.entries[0].text, "歯医者 15:00");
}

// The box of a dialog over the main window, found by its caption and text
// among the windows of its owner.
HWND WaitForBox(HWND owner, const char* text) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", "Hiyomi"); box != nullptr;
         box = FindWindowExA(nullptr, box, "#32770", "Hiyomi")) {
      if (GetWindow(box, GW_OWNER) != owner || !IsWindowVisible(box)) continue;
      for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char shown[128] = {};
        SendMessageA(child, WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
        if (std::strcmp(shown, text) == 0) return box;
      }
    }
    Sleep(100);
  }
  return nullptr;
}

// The centring hook the main window installs at start-up puts a box over
// the dialog that asks, wherever the user moved that dialog.
TEST(EndToEnd, TheProgramsHookCentresABoxOverTheDialogThatAsks) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FF};
  InitCommonControlsEx(&controls);
  const POINT cell = TodaysCellCentre();
  ASSERT_GE(cell.x, 0);
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-end-to-end-box");
  ASSERT_FALSE(exe.empty());
  Process program;
  HWND window = nullptr;
  HWND day = nullptr;
  ASSERT_TRUE(StartOnTodaysDay(exe, cell, program, window, day));
  // Away from where the main window or the screen would centre a box.
  SetWindowPos(day, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HWND clear = GetDlgItem(day, IDB_DAY_CLEAR);
  // Posted: the box's own loop runs inside the program's handler.
  PostMessageA(day, WM_COMMAND, MAKEWPARAM(IDB_DAY_CLEAR, BN_CLICKED), reinterpret_cast<LPARAM>(clear));
  HWND box = WaitForBox(day, "データをクリアしますか？");
  ASSERT_NE(box, nullptr);
  RECT area{};
  GetClientRect(day, &area);
  RECT frame{};
  GetWindowRect(box, &frame);
  POINT want{(area.right - (frame.right - frame.left)) / 2, (area.bottom - (frame.bottom - frame.top)) / 2};
  ClientToScreen(day, &want);
  EXPECT_EQ(frame.left, want.x);
  EXPECT_EQ(frame.top, want.y);
  PostMessageA(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitGone(box));

  PostMessageA(day, WM_COMMAND, MAKEWPARAM(IDB_DAY_CANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(day, IDB_DAY_CANCEL)));
  ASSERT_TRUE(WaitGone(day));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

// Real input from the X server, as a user's: xdotool, a Linux program that
// Wine starts as any other. Wine gives no handle to wait on for a Linux
// program: the caller waits for what the input does.
bool StartXdotool(const std::string& arguments) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string command = "xdotool " + arguments;
  if (!CreateProcessA("Z:\\usr\\bin\\xdotool", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  if (info.hThread != nullptr) CloseHandle(info.hThread);
  if (info.hProcess != nullptr) CloseHandle(info.hProcess);
  return true;
}

// The text of another process's control, asked of the control itself.
std::string ControlText(HWND control) {
  char text[128] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool WaitForText(HWND control, const std::string& text) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    if (ControlText(control) == text) return true;
    Sleep(100);
  }
  return false;
}

// The program may still place its window after showing it: wait until the
// place holds for half a second.
void WaitForSettledPlace(HWND window) {
  RECT before{};
  GetWindowRect(window, &before);
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 500) {
    Sleep(500);
    RECT now{};
    GetWindowRect(window, &now);
    if (EqualRect(&now, &before)) return;
    before = now;
  }
}

// No message is sent to the program: the mouse double-clicks today's cell,
// the keyboard types where the caret waits and presses Enter.
TEST(EndToEnd, DoubleClickTypeEnterStoresTheEntry) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FF};
  InitCommonControlsEx(&controls);
  POINT cell = TodaysCellCentre();
  ASSERT_GE(cell.x, 0);

  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-end-to-end-typed");
  ASSERT_FALSE(exe.empty());
  const SerialDay today = ClampSerial(TodaySerial());
  const int year = DateFromSerial(today).year;
  const std::string yearFile = FolderOf(exe) + "\\Hiyomi_" + std::to_string(year) + ".dat";
  DeleteFileA(yearFile.c_str());

  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);

  WaitForSettledPlace(window);
  ClientToScreen(window, &cell);
  // The X server maps the window a little after Wine shows it: a click
  // before that would land on the root window.
  ASSERT_TRUE(StartXdotool("search --sync --onlyvisible --name ^Hiyomi$ mousemove --sync " + std::to_string(cell.x) +
                           " " + std::to_string(cell.y) + " sleep 0.2 click --repeat 2 --delay 100 1"));
  HWND day = WaitForDialog("日個別設定");
  ASSERT_NE(day, nullptr);
  ASSERT_TRUE(StartXdotool("type --delay 30 \"Year-end party\""));
  ASSERT_TRUE(WaitForText(GetDlgItem(day, IDE_DAY_TEXT_BASE), "Year-end party"));
  ASSERT_TRUE(StartXdotool("key Return"));
  ASSERT_TRUE(WaitGone(day));

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);

  const std::string bytes = ReadFileText(yearFile);
  ASSERT_EQ(bytes.size(), kHeaderSize + kDayRecordSize);
  const DayRecord record = DecodeDayRecord(reinterpret_cast<const uint8_t*>(bytes.data()) + kHeaderSize);
  EXPECT_EQ(record.serial, today);
  EXPECT_EQ(record.entries[0].order, 1);
  EXPECT_STREQ(record.entries[0].text, "Year-end party");
}

// The popup menu window the process shows, null while none is open.
HWND OpenMenuOf(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (owner != s.processId || std::string(className) != "#32768" || !IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The X server maps a window a little after Wine shows it: the click waits
// for the main window to be mapped.
bool ClickAt(POINT at) {
  return StartXdotool("search --sync --onlyvisible --name ^Hiyomi$ mousemove --sync " + std::to_string(at.x) +
                      " " + std::to_string(at.y) + " sleep 0.2 click 1");
}

POINT CentreOf(HWND control) {
  RECT box{};
  GetWindowRect(control, &box);
  return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// Columns of ten pixels that fit the window's client width at zoom percent
// (the row labels take 1 pixel, the vertical bar 16), as the column bar's
// page shows them.
int ColumnsAt(HWND window, int zoom) {
  RECT client{};
  GetClientRect(window, &client);
  return std::max((static_cast<int>(client.right - 16) * 100 / zoom - 1) / 10, 1);
}

int ColumnPage(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_PAGE;
  GetScrollInfo(GetDlgItem(window, IDC_COLUMN_SCROLL), SB_CTL, &info);
  return static_cast<int>(info.nPage);
}

bool WaitForColumns(HWND window, int zoom) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    if (ColumnPage(window) == ColumnsAt(window, zoom)) return true;
    Sleep(100);
  }
  return false;
}

// The mouse opens "Menu" and chooses "設定", the zoom is typed into page
// 基本 and OK pressed: the calendar is drawn at the new zoom and the ini
// file has it. One row of 366 ten-pixel columns is wider than the screen,
// so the column bar's page tells the zoom the calendar is drawn at.
TEST(EndToEnd, AZoomSetInTheOptionsSheetShowsAndIsStored) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FF};
  InitCommonControlsEx(&controls);
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-end-to-end-options",
                                    "[Default]\r\nYoko=366\r\nYokoSize=10\r\nTate=1\r\nPtn0=0\r\n"
                                    "Ptn3=6\r\nPtn5=9\r\nPenSize0=2\r\n");
  ASSERT_FALSE(exe.empty());
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  WaitForSettledPlace(window);
  ASSERT_TRUE(WaitForColumns(window, 100)) << ColumnPage(window) << " columns";

  HWND menuButton = GetDlgItem(window, IDB_MENU);
  ASSERT_TRUE(ClickAt(CentreOf(menuButton)));
  HWND menu = nullptr;
  for (DWORD waited = 0; waited < kStartTimeoutMs && menu == nullptr; waited += 100) {
    Sleep(100);
    menu = OpenMenuOf(program.info.dwProcessId);
  }
  ASSERT_NE(menu, nullptr);
  RECT button{};
  GetWindowRect(menuButton, &button);
  RECT popup{};
  GetWindowRect(menu, &popup);
  EXPECT_EQ(popup.left, button.left) << "the menu opens below the button";
  EXPECT_EQ(popup.top, button.bottom);

  // "設定(Ini)" is the first item.
  ASSERT_TRUE(ClickAt(POINT{popup.left + 30, popup.top + 12}));
  HWND sheet = WaitForDialog("設定");
  ASSERT_NE(sheet, nullptr);
  HWND page = PropSheet_GetCurrentPageHwnd(sheet);
  ASSERT_NE(page, nullptr);
  HWND zoom = GetDlgItem(page, IDE_ZOOM);
  ASSERT_EQ(ControlText(zoom), "100");
  SendMessageA(zoom, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("150"));
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  ASSERT_TRUE(WaitGone(sheet));

  EXPECT_TRUE(WaitForColumns(window, 150)) << ColumnPage(window) << " columns";
  const std::string ini = FolderOf(exe) + "\\Hiyomi.ini";
  EXPECT_EQ(GetPrivateProfileIntA("Default", "Zoom", 0, ini.c_str()), 150u);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

// The column bar counts columns in the grid and surface pixels in the
// schedule-table view: its range tells the two apart.
int ColumnMaximum(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  GetScrollInfo(GetDlgItem(window, IDC_COLUMN_SCROLL), SB_CTL, &info);
  return info.nMax;
}

bool WaitForView(HWND window, bool table) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    if ((ColumnMaximum(window) > 100) == table) return true;
    Sleep(100);
  }
  return false;
}

// The table view comes back at start from `N` (with the window's place
// kept) or from the option `Note`; "予定表" switches it, and `N` at exit
// says which view was left.
TEST(EndToEnd, TheTableViewStartsFromNOrNoteAndItsMenuItemSwitchesIt) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FF};
  InitCommonControlsEx(&controls);
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-end-to-end-table", "[Default]\r\nPtn6=1\r\nN=1\r\n");
  ASSERT_FALSE(exe.empty());
  const std::string ini = FolderOf(exe) + "\\Hiyomi.ini";
  {
    Process program;
    ASSERT_TRUE(Start(exe, program));
    HWND window = WaitForVisibleWindow(program.info.dwProcessId);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForView(window, true)) << ColumnMaximum(window);
    PostMessageA(window, WM_COMMAND, IDM_TABLE_VIEW, 0);
    EXPECT_TRUE(WaitForView(window, false)) << ColumnMaximum(window);
    EXPECT_EQ(ColumnMaximum(window), 6) << "seven columns of the grid";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
  }
  EXPECT_EQ(GetPrivateProfileIntA("Default", "N", 9, ini.c_str()), 0u);

  WritePrivateProfileStringA("Default", "Ptn6", "0", ini.c_str());
  WritePrivateProfileStringA("Default", "Note", "1", ini.c_str());
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitForView(window, true)) << ColumnMaximum(window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

}  // namespace

}  // namespace hiyomi
