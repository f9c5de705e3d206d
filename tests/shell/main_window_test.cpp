// The main window as a user drives it: the real Hiyomi.exe started from a
// fresh folder and steered from outside by the messages its scroll bar,
// wheel and buttons send; the focus day is read back through the date
// picker of the month title. What shows nothing outside or needs a fixed
// today (the hit test, the zoom limits, month steps from the 31st, the
// window's height with the memo) runs in-process on the real MAINDLG
// template, and the lock state behind "Secret" on the real main window.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "base/win/gdi_objects.h"
#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "resources/passdlg_ids.h"
#include "schedule/memo_area_win.h"
#include "schedule/secret_text.h"
#include "settings/options.h"
#include "settings/settings_store.h"
#include "shell/button_row_win.h"
#include "shell/main_view_win.h"
#include "shell/main_window_win.h"
#include "shell/program_objects_win.h"
#include "tests/shell/hiyomi_process.h"
#include "tests/shell/main_window_fixture.h"
#include "tests/schedule/dialog_driver.h"

namespace hiyomi {

namespace {

using hiyomi_test::Process;

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

std::string DayText(SerialDay day) {
  const CalendarDate date = DateFromSerial(day);
  char text[32];
  std::snprintf(text, sizeof text, "%d (%04d-%02d-%02d)", day, date.year, date.month, date.day);
  return text;
}

// The sizes these tests expect are those of the 1280 x 1024 screen the test
// command gives Xvfb.
void AssertTestScreen() {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280) << "the tests expect a 1280 x 1024 screen";
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024) << "the tests expect a 1280 x 1024 screen";
}

// ---------------------------------------------------------------------------
// From outside.

// A SYSTEMTIME in the program's own memory: the picker's messages carry a
// pointer, which only means something in the picker's process.
class RemoteTime {
 public:
  explicit RemoteTime(HANDLE process) : process_(process) {
    address_ = VirtualAllocEx(process, nullptr, sizeof(SYSTEMTIME), MEM_COMMIT | MEM_RESERVE,
                              PAGE_READWRITE);
  }
  ~RemoteTime() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteTime(const RemoteTime&) = delete;
  RemoteTime& operator=(const RemoteTime&) = delete;

  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const SYSTEMTIME& time) const {
    return WriteProcessMemory(process_, address_, &time, sizeof time, nullptr) != FALSE;
  }
  bool Read(SYSTEMTIME& time) const {
    return ReadProcessMemory(process_, address_, &time, sizeof time, nullptr) != FALSE;
  }

 private:
  HANDLE process_;
  void* address_ = nullptr;
};

// The program's today, read when it starts, and the machine's date just
// before it started.
SerialDay programToday = kNoDay;
SerialDay dayBeforeStart = kNoDay;

class RunningProgram : public ::testing::Test {
 protected:
  // One program per suite: starting it under Wine takes seconds.
  static void StartWith(const char* folderName, const char* ini) {
    process_ = new Process;
    const std::string exe = hiyomi_test::FreshCopy(HIYOMI_EXE, folderName, ini);
    ASSERT_FALSE(exe.empty()) << HIYOMI_EXE;
    dayBeforeStart = MachineToday();
    ASSERT_TRUE(hiyomi_test::Start(exe, *process_));
    window_ = hiyomi_test::WaitForVisibleWindow(process_->info.dwProcessId);
    ASSERT_NE(window_, nullptr);
    // The program opens on its today: read from it, not from this test's
    // clock, so a start just before midnight does not mismatch.
    programToday = FocusDay();
  }
  static SerialDay MachineToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Day(now.wYear, now.wMonth, now.wDay);
  }
  static void Close() {
    if (window_ != nullptr) {
      PostMessageA(window_, WM_CLOSE, 0, 0);
      EXPECT_EQ(process_->WaitExit(hiyomi_test::kStartTimeoutMs), 0u);
    }
    delete process_;
    process_ = nullptr;
    window_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(window_, nullptr) << "the program did not start"; }

  static HWND Control(int id) { return GetDlgItem(window_, id); }

  static void Command(int id) {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
  }
  static void MonthBar(int code, int position = 0) {
    SendMessageA(window_, WM_VSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(Control(IDC_MONTH_SCROLL)));
  }
  static void Wheel(int delta, bool control) {
    RECT frame{};
    GetWindowRect(window_, &frame);
    const WPARAM keys = control ? MK_CONTROL : 0;
    SendMessageA(window_, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                 MAKELPARAM(frame.left + 100, frame.top + 100));
  }
  static int MonthBarPosition() { return GetScrollPos(Control(IDC_MONTH_SCROLL), SB_CTL); }

  // The month title opens the picker on the focus day; Cancel closes it.
  static SerialDay FocusDay() {
    RemoteTime remote(process_->info.hProcess);
    Command(IDB_MONTH_TITLE);
    SYSTEMTIME time{};
    const LRESULT state =
        SendMessageA(Control(IDC_DATE_PICKER), DTM_GETSYSTEMTIME, 0, remote.address());
    const bool read = remote.Read(time);
    Command(IDB_PICKER_CANCEL);
    if (state != GDT_VALID || !read) {
      ADD_FAILURE() << "the picker gave no date";
      return -1;
    }
    return Day(time.wYear, time.wMonth, time.wDay);
  }
  // As the user picks a date: month title, a date, OK.
  static void GoTo(SerialDay day) {
    RemoteTime remote(process_->info.hProcess);
    const CalendarDate date = DateFromSerial(day);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    ASSERT_TRUE(remote.Write(time));
    Command(IDB_MONTH_TITLE);
    SendMessageA(Control(IDC_DATE_PICKER), DTM_SETSYSTEMTIME, GDT_VALID, remote.address());
    Command(IDB_PICKER_OK);
    ASSERT_EQ(FocusDay(), day) << "could not go to " << DayText(day);
  }

  static Process* process_;
  static HWND window_;
};

Process* RunningProgram::process_ = nullptr;
HWND RunningProgram::window_ = nullptr;

// Month and year steps keep the program's today's day of the month, cut to
// the month's length.
SerialDay OnTodaysDay(int year, int month) {
  const int day = DateFromSerial(programToday).day;
  return Day(year, month, std::min(day, DaysInMonth(year, month)));
}

// Weeks from Monday, the focus in the second row.
class WindowNavigation : public RunningProgram {
 protected:
  static void SetUpTestSuite() {
    StartWith("hiyomi-main-window-test", "[Default]\r\nYoko=7\r\nTate=5\r\nPtn0=1\r\nPtn5=1\r\n");
  }
  static void TearDownTestSuite() { Close(); }
};

TEST_F(WindowNavigation, StartsOnTodayAndTheTodayButtonComesBack) {
  // The machine's date when the program started, or a day later if midnight
  // passed meanwhile.
  const SerialDay today = programToday;
  EXPECT_GE(today, dayBeforeStart);
  EXPECT_LE(today, MachineToday());
  EXPECT_EQ(FocusDay(), today);
  const int month = DateFromSerial(today).month;
  EXPECT_EQ(MonthBarPosition(), month + 1);
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(Control(IDC_MONTH_SCROLL), SB_CTL, &bar));
  EXPECT_EQ(bar.nMin, 1);
  EXPECT_EQ(bar.nMax, 14);
  EXPECT_EQ(bar.nPage, 1u);
  GoTo(Day(2040, 3, 3));
  Command(IDB_TODAY);
  EXPECT_EQ(FocusDay(), today);
  EXPECT_EQ(MonthBarPosition(), month + 1);
}

// Each of the 14 places of the thumb, dragged to from June: the month
// moves by the distance, so the end places reach into the years around.
TEST_F(WindowNavigation, EveryThumbPlaceOfTheMonthBar) {
  for (int place = 1; place <= 14; ++place) {
    GoTo(Day(2030, 6, 15));
    ASSERT_EQ(MonthBarPosition(), 7);
    MonthBar(SB_THUMBTRACK, place);
    const int months = 2030 * 12 + 6 - 1 + (place - 7);  // months since year 0
    const SerialDay expected =
        place == 7 ? Day(2030, 6, 15) : OnTodaysDay(months / 12, months % 12 + 1);
    EXPECT_EQ(FocusDay(), expected) << "place " << place;
    EXPECT_EQ(MonthBarPosition(), months % 12 + 2) << "place " << place;
  }
}

// The bar has 14 places for 12 months: the two ends step into the
// neighbouring years, dragging the thumb moves by its distance in months.
TEST_F(WindowNavigation, MonthBarMovesByRowsMonthsAndYears) {
  struct Case {
    SerialDay from;
    int code;
    int thumb;
    SerialDay expected;
  };
  const Case cases[] = {
      {Day(2030, 1, 15), SB_THUMBTRACK, 1, OnTodaysDay(2029, 12)},
      {Day(2030, 12, 15), SB_THUMBTRACK, 14, OnTodaysDay(2031, 1)},
      {Day(2030, 1, 15), SB_THUMBTRACK, 14, OnTodaysDay(2031, 1)},
      {Day(2030, 12, 15), SB_THUMBTRACK, 1, OnTodaysDay(2029, 12)},
      {Day(2030, 6, 15), SB_THUMBPOSITION, 2, Day(2030, 6, 15)},  // only tracking moves
      {Day(2030, 6, 15), SB_ENDSCROLL, 0, Day(2030, 6, 15)},
      {Day(2030, 6, 15), SB_LINEUP, 0, Day(2030, 6, 8)},
      {Day(2030, 6, 15), SB_LINEDOWN, 0, Day(2030, 6, 22)},
      {Day(2030, 6, 30), SB_LINEDOWN, 0, Day(2030, 7, 7)},
      {Day(2030, 6, 15), SB_PAGEUP, 0, OnTodaysDay(2030, 5)},
      {Day(2030, 12, 15), SB_PAGEDOWN, 0, OnTodaysDay(2031, 1)},
      {Day(2030, 1, 15), SB_PAGEUP, 0, OnTodaysDay(2029, 12)},
      {Day(2030, 6, 15), SB_TOP, 0, OnTodaysDay(2029, 6)},
      {Day(2030, 6, 15), SB_BOTTOM, 0, OnTodaysDay(2031, 6)},
      // The range ends hold.
      {Day(2001, 1, 20), SB_THUMBTRACK, 1, kFirstSerial},
      {Day(2001, 1, 3), SB_LINEUP, 0, kFirstSerial},
      {Day(2001, 6, 20), SB_TOP, 0, kFirstSerial},
      {Day(2099, 12, 20), SB_THUMBTRACK, 14, kLastSerial},
      {Day(2099, 12, 31), SB_LINEDOWN, 0, kLastSerial},
      {Day(2099, 12, 20), SB_PAGEDOWN, 0, kLastSerial},
      {Day(2099, 6, 20), SB_BOTTOM, 0, kLastSerial},
  };
  for (const Case& c : cases) {
    GoTo(c.from);
    MonthBar(c.code, c.thumb);
    const SerialDay focus = FocusDay();
    EXPECT_EQ(focus, c.expected) << "from " << DayText(c.from) << " code " << c.code << " thumb "
                                 << c.thumb << ": got " << DayText(focus);
    EXPECT_EQ(MonthBarPosition(), DateFromSerial(c.expected).month + 1) << DayText(c.from);
  }
}

TEST_F(WindowNavigation, WheelMovesOneRowPerMessageAgainstItsDirection) {
  struct Case {
    SerialDay from;
    int delta;
    SerialDay expected;
  };
  const Case cases[] = {
      {Day(2030, 6, 15), 120, Day(2030, 6, 8)},
      {Day(2030, 6, 15), -120, Day(2030, 6, 22)},
      {Day(2030, 6, 15), 480, Day(2030, 6, 8)},  // a fast turn is still one row
      {Day(2030, 6, 15), -1, Day(2030, 6, 22)},
      {Day(2030, 6, 15), 0, Day(2030, 6, 15)},
      {Day(2099, 12, 31), -120, kLastSerial},
      {Day(2001, 1, 1), 120, kFirstSerial},
  };
  for (const Case& c : cases) {
    GoTo(c.from);
    Wheel(c.delta, false);
    EXPECT_EQ(FocusDay(), c.expected) << DayText(c.from) << " delta " << c.delta;
  }

  // The wheel goes to the window with the focus; a button that took it
  // with a click passes the turn on to the calendar.
  GoTo(Day(2030, 6, 15));
  HWND button = Control(IDB_MONTH_FORWARD);
  SendMessageA(button, BM_CLICK, 0, 0);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(process_->info.dwThreadId, &thread));
  ASSERT_EQ(thread.hwndFocus, button);
  SendMessageA(button, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(FocusDay(), OnTodaysDay(2030, 7) - 7);
}

TEST_F(WindowNavigation, ButtonsStepAndStopAtTheEnds) {
  struct Case {
    SerialDay from;
    int button;
    SerialDay expected;
  };
  const Case cases[] = {
      {Day(2030, 6, 15), IDB_MONTH_BACK, OnTodaysDay(2030, 5)},
      {Day(2030, 6, 15), IDB_MONTH_FORWARD, OnTodaysDay(2030, 7)},
      {Day(2030, 6, 15), IDB_YEAR_BACK, OnTodaysDay(2029, 6)},
      {Day(2030, 6, 15), IDB_YEAR_FORWARD, OnTodaysDay(2031, 6)},
      {Day(2030, 6, 30), IDB_DAY_FORWARD, Day(2030, 7, 1)},
      {Day(2030, 6, 1), IDB_DAY_BACK, Day(2030, 5, 31)},
      {Day(2099, 12, 5), IDB_YEAR_FORWARD, kLastSerial},
      {Day(2099, 12, 5), IDB_MONTH_FORWARD, kLastSerial},
      {Day(2099, 1, 5), IDB_YEAR_FORWARD, kLastSerial},
      {kLastSerial, IDB_DAY_FORWARD, kLastSerial},
      {Day(2099, 12, 5), IDB_YEAR_BACK, OnTodaysDay(2098, 12)},
      {Day(2001, 1, 25), IDB_YEAR_BACK, kFirstSerial},
      {Day(2001, 1, 25), IDB_MONTH_BACK, kFirstSerial},
      {kFirstSerial, IDB_DAY_BACK, kFirstSerial},
  };
  for (const Case& c : cases) {
    GoTo(c.from);
    Command(c.button);
    EXPECT_EQ(FocusDay(), c.expected) << DayText(c.from) << " button " << c.button;
  }
  // And further steps do not wander off the end.
  GoTo(Day(2099, 12, 20));
  for (int i = 0; i < 3; ++i) Command(IDB_YEAR_FORWARD);
  MonthBar(SB_LINEDOWN);
  Wheel(-120, false);
  EXPECT_EQ(FocusDay(), kLastSerial);
  EXPECT_EQ(MonthBarPosition(), 13);
}

// The month title opens the date picker in its place; OK goes to the
// picked day, Cancel leaves the view where it was.
TEST_F(WindowNavigation, DatePickerGoesOnOkOnly) {
  GoTo(Day(2030, 6, 15));
  const auto shown = [](int id) { return IsWindowVisible(Control(id)) != FALSE; };
  RemoteTime remote(process_->info.hProcess);
  SYSTEMTIME picked{};
  picked.wYear = 2031;
  picked.wMonth = 2;
  picked.wDay = 3;
  ASSERT_TRUE(remote.Write(picked));
  for (const int close : {IDB_PICKER_CANCEL, IDB_PICKER_OK}) {
    Command(IDB_MONTH_TITLE);
    EXPECT_TRUE(shown(IDC_DATE_PICKER));
    EXPECT_TRUE(shown(IDB_PICKER_OK));
    EXPECT_TRUE(shown(IDB_PICKER_CANCEL));
    EXPECT_FALSE(shown(IDB_MONTH_TITLE));
    SendMessageA(Control(IDC_DATE_PICKER), DTM_SETSYSTEMTIME, GDT_VALID, remote.address());
    Command(close);
    EXPECT_FALSE(shown(IDC_DATE_PICKER));
    EXPECT_FALSE(shown(IDB_PICKER_OK));
    EXPECT_FALSE(shown(IDB_PICKER_CANCEL));
    EXPECT_TRUE(shown(IDB_MONTH_TITLE));
    EXPECT_EQ(FocusDay(), close == IDB_PICKER_OK ? Day(2031, 2, 3) : Day(2030, 6, 15));
  }
}

// Client rectangle of a child, in the window's client coordinates.
RECT ChildRect(HWND window, int id) {
  RECT rect{};
  HWND child = GetDlgItem(window, id);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// When the user drags the frame the bars follow the edges.
TEST_F(WindowNavigation, ScrollBarsFollowTheWindowEdges) {
  RECT frame{};
  GetWindowRect(window_, &frame);
  std::vector<LONG> widths;
  for (const int grow : {60, 0}) {
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + grow,
                 frame.bottom - frame.top + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(window_, &client);
    const RECT months = ChildRect(window_, IDC_MONTH_SCROLL);
    const RECT columns = ChildRect(window_, IDC_COLUMN_SCROLL);
    EXPECT_TRUE(SameRect(months, RECT{client.right - 16, 0, client.right, client.bottom}))
        << RectText(months) << " in " << RectText(client);
    EXPECT_TRUE(SameRect(columns, RECT{0, client.bottom - 16, client.right - 16, client.bottom}))
        << RectText(columns) << " in " << RectText(client);
    widths.push_back(client.right);
  }
  EXPECT_EQ(widths[0] - widths[1], 60);
}

// Ids the window has no command for (Enter and Escape among them) change
// nothing; "ﾀｽｸﾄﾚｲへ" hides the window and "開く" brings it back as it was.
TEST_F(WindowNavigation, UnknownCommandsDoNothingAndTheTrayGivesTheWindowBack) {
  GoTo(Day(2030, 6, 15));
  for (int id : {0, IDOK, IDCANCEL, 199, 216, 250, 255, 280, 299, 500, 0xFFFF}) {
    Command(id);
    EXPECT_TRUE(IsWindowVisible(window_)) << id;
  }
  EXPECT_EQ(FocusDay(), Day(2030, 6, 15));
  Command(IDM_TO_TRAY);
  EXPECT_FALSE(IsWindowVisible(window_));
  Command(IDM_RESTORE);
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(FocusDay(), Day(2030, 6, 15));
}

// One row of 366 ten-pixel columns from 1 January, no row labels: wider
// than the screen, so the column bar has work to do. The zoom shows outside
// only in that bar's page, which counts the columns that fit at the zoom;
// with columns this narrow it tells the zoom apart almost percent by percent.
class WindowWideRows : public RunningProgram {
 protected:
  static void SetUpTestSuite() {
    StartWith("hiyomi-main-window-wide-test",
              "[Default]\r\nYoko=366\r\nYokoSize=10\r\nTate=1\r\nPtn0=0\r\nPtn3=6\r\n"
              "Ptn5=9\r\nPenSize0=2\r\nZoom=100\r\n");
  }
  static void TearDownTestSuite() { Close(); }

  // Columns that fit at the zoom, worked out by hand: the surface of
  // 1 + 366 x 10 + 1 pixels shows at most 2 x 1256 of them, cut by whole
  // columns until it fits the screen, 2512 - 126 x 10 = 1252, and with the
  // vertical bar the client area is 1268 pixels wide; at the zoom it holds
  // ((1268 - 16) x 100 / zoom - 1) / 10 columns, the row-label column being
  // PenSize0 / 2 = 1 pixel.
  static int PageAt(int zoom) {
    const struct {
      int zoom;
      int page;
    } pages[] = {{50, 250}, {51, 245}, {98, 127}, {99, 126}, {100, 125},
                 {101, 123}, {190, 65}, {200, 62}};
    for (const auto& p : pages) {
      if (p.zoom == zoom) return p.page;
    }
    ADD_FAILURE() << "no page worked out for zoom " << zoom;
    return 0;
  }
  static void AssertClientWidth() {
    ASSERT_NO_FATAL_FAILURE(AssertTestScreen());
    RECT client{};
    GetClientRect(window_, &client);
    ASSERT_EQ(client.right, 1268);
  }
  static int Page() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE;
    GetScrollInfo(Control(IDC_COLUMN_SCROLL), SB_CTL, &info);
    return static_cast<int>(info.nPage);
  }
  static int ColumnPosition() { return GetScrollPos(Control(IDC_COLUMN_SCROLL), SB_CTL); }
  static void ColumnBar(int code, int position = 0) {
    SendMessageA(window_, WM_HSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(Control(IDC_COLUMN_SCROLL)));
  }
};

TEST_F(WindowWideRows, ControlWheelZoomsOnePercentPerMessageWithinLimits) {
  ASSERT_NO_FATAL_FAILURE(AssertClientWidth());
  ASSERT_EQ(Page(), PageAt(100));
  struct Step {
    int delta;
    int times;
    int zoom;  // after the step
  };
  const Step steps[] = {
      {120, 1, 101},   {-120, 3, 98},    {480, 1, 99},  // one percent however far it turns
      {0, 1, 99},      {-1, 1, 98},      {-120, 60, 50},
      {120, 1, 51},    {120, 200, 200},  {-120, 10, 190},
  };
  const SerialDay focus = FocusDay();
  int zoom = 100;
  for (const Step& s : steps) {
    if (s.zoom != zoom) {
      ASSERT_NE(PageAt(s.zoom), PageAt(zoom)) << "the page does not tell " << zoom << " from "
                                              << s.zoom << " on this screen";
    }
    for (int i = 0; i < s.times; ++i) Wheel(s.delta, true);
    EXPECT_EQ(Page(), PageAt(s.zoom)) << "delta " << s.delta << " x" << s.times;
    zoom = s.zoom;
  }
  EXPECT_EQ(FocusDay(), focus) << "a zoom step moved the rows";

  // Without Ctrl the wheel leaves the zoom alone.
  Wheel(120, false);
  Wheel(-120, false);
  EXPECT_EQ(Page(), PageAt(190));
}

TEST_F(WindowWideRows, ColumnBarScrollsWithinItsRangeAndNavigationFollows) {
  GoTo(Day(2030, 1, 1));  // column 0
  ASSERT_EQ(ColumnPosition(), 0);
  int low = -1;
  int high = -1;
  GetScrollRange(Control(IDC_COLUMN_SCROLL), SB_CTL, &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 365);
  const int page = Page();
  ASSERT_LT(page, 200);
  const int last = 366 - page;  // the last place where a whole page shows
  struct Case {
    int code;
    int value;
    int expected;
  };
  const Case cases[] = {
      {SB_LINERIGHT, 0, 1},
      {SB_PAGERIGHT, 0, 1 + page},
      {SB_LINELEFT, 0, page},
      {SB_THUMBTRACK, 100, page},  // dragging moves the view only on release
      {SB_THUMBPOSITION, 100, 100},
      {SB_PAGELEFT, 0, std::max(100 - page, 0)},
      {SB_RIGHT, 0, last},
      {SB_LINERIGHT, 0, last},
      {SB_PAGERIGHT, 0, last},
      {SB_THUMBPOSITION, 1000, last},
      {SB_LEFT, 0, 0},
      {SB_LINELEFT, 0, 0},
      {SB_PAGELEFT, 0, 0},
  };
  for (const Case& c : cases) {
    ColumnBar(c.code, c.value);
    EXPECT_EQ(ColumnPosition(), c.expected) << "code " << c.code << " value " << c.value;
  }

  // Going to a day scrolls as little as shows its column...
  GoTo(Day(2030, 12, 31));  // column 364
  EXPECT_EQ(ColumnPosition(), 365 - page);
  GoTo(Day(2030, 6, 1));  // column 151, left of the view
  EXPECT_EQ(ColumnPosition(), 151);
  GoTo(Day(2030, 6, 5));  // in view: no scroll
  EXPECT_EQ(ColumnPosition(), 151);
  // ...while a row step keeps the columns where they are.
  Wheel(120, false);
  EXPECT_EQ(FocusDay(), Day(2029, 6, 5));
  EXPECT_EQ(ColumnPosition(), 151);

  // Zooming out at the right end widens the page, which pulls the view back
  // so that no column past the last is shown.
  ColumnBar(SB_RIGHT);
  for (int i = 0; i < 10; ++i) Wheel(-120, true);
  const int wider = Page();
  EXPECT_GT(wider, page);
  EXPECT_EQ(ColumnPosition(), 366 - wider);
  for (int i = 0; i < 10; ++i) Wheel(120, true);
  EXPECT_EQ(Page(), page);
}

// ---------------------------------------------------------------------------
// In-process, on the real template.

class MainViewInProcess : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    richEdit_ = LoadLibraryA("Riched20.dll");
    const LocalTime today{2026, 12, 10, 9, 0};  // a Thursday
    folder_ = hiyomi_test::OpenProgramIn("hiyomi-main-view-test", {}, &today);
  }
  static void TearDownTestSuite() {
    hiyomi_test::CloseProgram();
    if (richEdit_ != nullptr) FreeLibrary(richEdit_);
  }

  void SetUp() override {
    options_ = AppOptions();
    window_ = hiyomi_test::CreateViewWindow(view_);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyMemoArea(memo_);
    hiyomi_test::DestroyViewWindow(view_, window_);
    AppOptions() = options_;
    SetFixedClockForTests(LocalTime{2026, 12, 10, 9, 0});
  }

  void Show(SerialDay focus) {
    view_.rows.focusDay = focus;
    ApplyOptions(view_, AppOptions());
  }

  // A memo page of the given lines, above the grid (MemoPos 0) or below.
  void AddMemo(int lines, bool above) {
    const std::string page = folder_ + "\\memo-page.txt";
    FILE* file = std::fopen(page.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (int i = 0; i < lines; ++i) {
      std::fprintf(file, "%s買い物 %d", i == 0 ? "" : "\r\n", i + 1);
    }
    std::fclose(file);
    Options& options = AppOptions();
    lstrcpynA(options.MemoFile[0], page.c_str(), sizeof options.MemoFile[0]);
    options.MemoRTF[0] = 0;
    options.MemoPos = above ? 0 : 1;
    if (memo_.control == nullptr) {
      ASSERT_TRUE(CreateMemoArea(memo_, window_, "RichEdit20A"));
    }
    view_.memo = &memo_;
  }

  int MonthBarPosition() const {
    return GetScrollPos(GetDlgItem(window_, IDC_MONTH_SCROLL), SB_CTL);
  }

  static HMODULE richEdit_;
  static std::string folder_;
  HWND window_ = nullptr;
  MainView view_;
  MemoArea memo_;
  Options options_;
};

HMODULE MainViewInProcess::richEdit_ = nullptr;
std::string MainViewInProcess::folder_;

TEST_F(MainViewInProcess, ZoomStaysWithinFiftyAndTwoHundred) {
  Show(Day(2026, 12, 10));
  struct Case {
    int from;
    bool absolute;
    int value;
    int expected;
  };
  const Case cases[] = {
      {100, true, 30, 50},   {100, true, 250, 200},  {100, true, 75, 75},
      {100, true, -5, 50},   {200, false, 120, 200}, {50, false, -120, 50},
      {120, false, 0, 120},  {120, false, -5000, 119}, {199, false, 1, 200},
  };
  for (const Case& c : cases) {
    view_.zoom = c.from;
    SetZoom(view_, c.absolute, c.value);
    EXPECT_EQ(view_.zoom, c.expected) << c.from << (c.absolute ? " to " : " by ") << c.value;
  }
  // The horizontal page follows the zoom: the 665-pixel client area (the
  // 649-pixel surface and the 16-pixel bar) holds all 7 columns at 100 and
  // ((665 - 16) * 100 / 200 - 53) / 85 = 3 at 200.
  ASSERT_NO_FATAL_FAILURE(AssertTestScreen());
  RECT client{};
  GetClientRect(window_, &client);
  ASSERT_EQ(client.right, 665);
  SetZoom(view_, true, 100);
  EXPECT_EQ(view_.columns.page, 7);
  SetZoom(view_, true, 200);
  EXPECT_EQ(view_.columns.page, 3);
}

// Month and year steps take today's day of the month, read again at every
// step, and cut it to the month; the month bar follows.
TEST_F(MainViewInProcess, MonthStepsFromTheThirtyFirst) {
  struct Case {
    LocalTime today;
    int ptn0;
    SerialDay from;
    NavigateKind kind;
    int amount;
    SerialDay expected;
  };
  const Case cases[] = {
      {{2024, 1, 31, 9, 0}, 1, Day(2024, 1, 31), NavigateKind::kByMonths, 1, Day(2024, 2, 29)},
      {{2023, 1, 31, 9, 0}, 1, Day(2023, 1, 31), NavigateKind::kByMonths, 1, Day(2023, 2, 28)},
      {{2023, 1, 31, 9, 0}, 1, Day(2023, 1, 31), NavigateKind::kByMonths, -1, Day(2022, 12, 31)},
      {{2023, 1, 31, 9, 0}, 1, Day(2023, 1, 31), NavigateKind::kByMonths, 3, Day(2023, 4, 30)},
      {{2023, 1, 31, 9, 0}, 1, Day(2030, 6, 10), NavigateKind::kByMonths, 1, Day(2030, 7, 31)},
      {{2023, 1, 31, 9, 0}, -1, Day(2023, 1, 31), NavigateKind::kByMonths, 1, Day(2023, 2, 1)},
      {{2024, 2, 29, 9, 0}, 1, Day(2024, 2, 29), NavigateKind::kByYears, 1, Day(2025, 2, 28)},
      {{2023, 1, 31, 9, 0}, 0, Day(2030, 6, 10), NavigateKind::kToday, 0, Day(2023, 1, 31)},
      {{2023, 1, 31, 9, 0}, -1, Day(2030, 6, 10), NavigateKind::kToday, 0, Day(2023, 1, 1)},
      {{2023, 1, 31, 9, 0}, -2, Day(2030, 6, 10), NavigateKind::kByMonths, -1, Day(2030, 5, 1)},
  };
  for (const Case& c : cases) {
    SetFixedClockForTests(c.today);
    SetTargetRowCode(AppOptions(), c.ptn0);
    Show(c.from);
    Navigate(view_, c.kind, c.amount);
    EXPECT_EQ(view_.rows.focusDay, c.expected) << DayText(c.from) << " by " << c.amount;
    EXPECT_EQ(view_.today, Day(c.today.year, c.today.month, c.today.day));
    EXPECT_EQ(MonthBarPosition(), DateFromSerial(c.expected).month + 1);
    // The focus sits in the row chosen by Ptn0: first, second or third.
    const int anchor = c.ptn0 < 0 ? -c.ptn0 : c.ptn0 + 1;
    EXPECT_LE(view_.rows.rowStart[anchor], c.expected);
    EXPECT_GT(view_.rows.rowStart[anchor + 1], c.expected);
  }
}

// Rows give way until half the surface fits the screen, so zoom 50 shows
// the whole of it; at zoom 100 the window shows the rows that fit. Cells of
// 7 lines are 31 + 7 x 15 + 4 = 140 pixels high under a 22-pixel header:
// 13 rows make a surface of 22 + 13 x 140 + 1 = 1843 pixels, whose half
// (with 2 to spare) fits the 960-pixel client height, 14 would not.
TEST_F(MainViewInProcess, TallGridFitsTheScreenWholeAtZoomFifty) {
  ASSERT_NO_FATAL_FAILURE(AssertTestScreen());
  AppOptions().Tate = 52;
  AppOptions().TateLine = 6;
  struct Case {
    int zoom;
    int shown;  // client height of the grid
    bool whole;
  };
  const Case cases[] = {
      {100, 22 + 6 * 140 + 1, false},  // 6 rows fit 960, 7 would take 1003
      {50, 1843 / 2, true},
  };
  for (const Case& c : cases) {
    view_.zoom = c.zoom;
    Show(Day(2026, 12, 10));
    ASSERT_EQ(view_.maxClientHeight, 960) << "the work area or the frame is not the expected one";
    ASSERT_EQ(view_.grid.cellHeight, 140) << "font heights changed";
    ASSERT_EQ(view_.grid.topMargin, 22) << "font heights changed";
    EXPECT_EQ(view_.grid.rows, 13) << c.zoom;
    EXPECT_EQ(view_.surfaceHeight, 1843) << c.zoom;
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int shown = frame.bottom - frame.top - view_.frameHeight;
    EXPECT_EQ(shown, c.shown) << c.zoom;
    EXPECT_EQ(shown == view_.surfaceHeight * c.zoom / 100, c.whole) << c.zoom;
  }
}

// A grid wider than the screen opens scrolled as little as shows today:
// rows of 62 days from 1 January put 10 December in column 33. The surface
// of 53 + 62 x 85 + 1 pixels shows at most 2 x 1256 of them, cut to whole
// cells until it fits the screen: 2512 - 15 x 85 = 1237, and with the bar
// the client area is 1253 pixels, holding (1253 - 16 - 53) / 85 = 13 columns.
TEST_F(MainViewInProcess, WideGridOpensScrolledAsLittleAsShowsToday) {
  ASSERT_NO_FATAL_FAILURE(AssertTestScreen());
  AppOptions().Yoko = 62;
  SetStartDayCode(AppOptions(), 9);
  Show(Day(2026, 12, 10));
  ASSERT_EQ(view_.rows.rowStart[2], Day(2026, 11, 7));
  RECT client{};
  GetClientRect(window_, &client);
  ASSERT_EQ(client.right, 1253);
  EXPECT_EQ(view_.columns.page, 13);
  EXPECT_EQ(view_.columns.position, 33 - 13 + 1);
}

// Rows that do not start on a fixed day get the day buttons at the bottom
// left, and the column bar makes room for them.
TEST_F(MainViewInProcess, DayButtonsOnlyForRowsWithoutAFixedStart) {
  for (const int ptn5 : {1, ~1}) {
    SetStartDayCode(AppOptions(), ptn5);
    Show(Day(2026, 12, 10));
    RECT client{};
    GetClientRect(window_, &client);
    const int bottom = client.bottom;
    const bool buttons = ptn5 < 0;
    const RECT columns = ChildRect(window_, IDC_COLUMN_SCROLL);
    EXPECT_TRUE(SameRect(columns, RECT{buttons ? 32 : 0, bottom - 16, client.right - 16, bottom}))
        << ptn5 << ": " << RectText(columns);
    EXPECT_EQ(IsWindowVisible(GetDlgItem(window_, IDB_DAY_BACK)) != FALSE, buttons) << ptn5;
    EXPECT_EQ(IsWindowVisible(GetDlgItem(window_, IDB_DAY_FORWARD)) != FALSE, buttons) << ptn5;
    if (buttons) {
      EXPECT_TRUE(SameRect(ChildRect(window_, IDB_DAY_BACK), RECT{0, bottom - 16, 16, bottom}));
      EXPECT_TRUE(SameRect(ChildRect(window_, IDB_DAY_FORWARD), RECT{16, bottom - 16, 32, bottom}));
    }
  }
}

// The memo shows its lines, up to MemoLine2, beside the grid. When both do
// not fit the screen the grid's rows give way first, down to one, and then
// the memo, which keeps about a line. Memo lines are 13 pixels high at 9
// points and 34 at 24; grid cells 95 pixels under a 22-pixel header with
// 3 lines at 9 points, 292 under a 43-pixel header with 6 lines at 24.
TEST_F(MainViewInProcess, MemoAndGridShareTheScreenHeight) {
  ASSERT_NO_FATAL_FAILURE(AssertTestScreen());
  enum class GivesWay { kNothing, kGrid, kGridThenMemo };
  struct Case {
    int rows;       // Tate
    int lines;      // TateLine
    int fontSize;   // FontSize0, also the memo's font
    int memoLines;
    int lineHeight;  // of the memo
    int gridRows;    // that the surface holds
    int memoHeight;
    int shown;       // client height of the grid
    GivesWay givesWay;
    const char* what;
  };
  const Case cases[] = {
      // 5 rows of 95 and 3 memo lines: 498 + 39 fit 960.
      {5, 3, 9, 3, 13, 5, 3 * 13, 22 + 5 * 95 + 1, GivesWay::kNothing, "both fit"},
      // 19 rows on the surface; beside 390 of memo 5 rows fit, 6 would not.
      {52, 3, 9, 30, 13, 19, 30 * 13, 22 + 5 * 95 + 1, GivesWay::kGrid, "the grid gives way"},
      // One row of 336 leaves the memo 960 - 336 of its 1020.
      {52, 6, 24, 30, 34, 6, 960 - 336, 43 + 292 + 1, GivesWay::kGridThenMemo,
       "the grid is down to a row, the memo gives way"},
  };
  for (const Case& c : cases) {
    Options& options = AppOptions();
    options.Tate = c.rows;
    options.TateLine = c.lines;
    options.FontSize[0] = c.fontSize;
    options.MemoLine = 0;
    options.MemoLine2 = 30;
    AddMemo(c.memoLines, false);
    Show(Day(2026, 12, 10));
    ASSERT_EQ(view_.maxClientHeight, 960) << "the work area or the frame is not the expected one";
    ASSERT_EQ(memo_.lineHeight, c.lineHeight) << c.what << ": font heights changed";
    const GridGeometry& grid = view_.grid;
    EXPECT_EQ(grid.rows, c.gridRows) << c.what;
    EXPECT_EQ(view_.memoHeight, c.memoHeight) << c.what;
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int shown = frame.bottom - frame.top - view_.frameHeight - view_.memoHeight;
    EXPECT_EQ(shown, c.shown) << c.what;
    EXPECT_LE(shown + view_.memoHeight, 960) << c.what;
    // The case it is: what shows whole, what gave way.
    const bool memoWhole = view_.memoHeight == c.memoLines * c.lineHeight;
    const bool gridWhole = shown == view_.surfaceHeight;
    const bool oneRow = shown == grid.topMargin + grid.cellHeight + grid.halfPen;
    EXPECT_EQ(memoWhole, c.givesWay != GivesWay::kGridThenMemo) << c.what;
    EXPECT_EQ(gridWhole, c.givesWay == GivesWay::kNothing) << c.what;
    EXPECT_EQ(oneRow, c.givesWay == GivesWay::kGridThenMemo) << c.what;
  }
}

// A right click counts only in the day-number box, a double click anywhere
// in the cell; the box is found where the surface is painted, at the zoom,
// A button has the pressed colours (BackColor37) while it is held down or
// its command is ticked, else the normal ones (BackColor38).
TEST_F(MainViewInProcess, ButtonsLookPressedWhileHeldOrTicked) {
  constexpr COLORREF kPressed = RGB(200, 0, 0);
  constexpr COLORREF kNormal = RGB(0, 160, 0);
  AppOptions().colors.back[36] = static_cast<int>(kPressed);
  AppOptions().colors.back[37] = static_cast<int>(kNormal);
  Show(Day(2026, 12, 10));
  constexpr RECT kFace{0, 0, 40, kButtonRowHeight};
  HDC screen = GetDC(nullptr);
  MemoryDc dc(screen);
  Bitmap bitmap(CreateCompatibleBitmap(screen, kFace.right, kFace.bottom));
  ReleaseDC(nullptr, screen);
  SelectedObject selected(dc.get(), bitmap.get());
  struct Case {
    int id;
    bool ticked;
    UINT state;
    COLORREF expected;
  };
  const Case cases[] = {
      {IDB_TOP, true, 0, kPressed},          {IDB_TOP, false, 0, kNormal},
      {IDB_MEMO, true, 0, kPressed},         {IDB_MEMO, false, 0, kNormal},
      {IDB_TOP, false, ODS_SELECTED, kPressed}, {IDB_TODAY, false, 0, kNormal},
  };
  for (const Case& c : cases) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(c.id);
    item.itemState = c.state;
    item.hwndItem = GetDlgItem(window_, c.id);
    item.hDC = dc.get();
    item.rcItem = kFace;
    EXPECT_TRUE(DrawButtonRowItem(item, view_, AppOptions(), c.ticked)) << c.id;
    // Inside the edge, left of the centred caption.
    EXPECT_EQ(GetPixel(dc.get(), 4, 4), c.expected) << c.id << " ticked " << c.ticked << " state " << c.state;
  }
}

// with a memo above the grid or below it.
TEST_F(MainViewInProcess, HitTestFindsTheDayNumberBoxWhereItIsPainted) {
  enum class Memo { kNone, kAbove, kBelow };
  for (const Memo memo : {Memo::kNone, Memo::kAbove, Memo::kBelow}) {
    if (memo != Memo::kNone) AddMemo(3, memo == Memo::kAbove);
    Show(Day(2026, 12, 10));
    ASSERT_EQ(view_.memoHeight > 0, memo != Memo::kNone);
    for (const int zoom : {100, 200}) {
      SetZoom(view_, true, zoom);
      const GridGeometry& grid = view_.grid;
      const SerialDay day = Day(2026, 12, 17);  // Thursday of the third row
      ASSERT_EQ(view_.rows.rowStart[3], Day(2026, 12, 14));
      const int cellLeft = grid.leftMargin + 3 * grid.cellWidth;
      const int cellTop = grid.topMargin + 2 * grid.cellHeight;
      const int boxLeft = cellLeft + grid.halfPen;
      const int boxRight = cellLeft + grid.dayNumberWidth + 8;
      const int boxTop = cellTop + grid.halfPen;
      const int boxBottom = boxTop + grid.lineHeight - 1;
      // Surface pixel to the first client pixel showing it.
      const int top = SurfaceTop(view_);
      const auto at = [&](int x, int y) {
        return POINT{(x * zoom + 99) / 100, top + (y * zoom + 99) / 100};
      };
      struct Case {
        POINT point;
        bool wholeCell;
        SerialDay expected;
      };
      const Case cases[] = {
          {at(boxLeft, boxTop), false, day},
          {at(boxRight, boxBottom), false, day},
          {at((boxLeft + boxRight) / 2, (boxTop + boxBottom) / 2), false, day},
          {at(boxLeft - 1, boxTop), false, kNoDay},
          {at(boxRight + 1, boxTop), false, kNoDay},
          {at(boxLeft, boxTop - 1), false, kNoDay},
          {at(boxLeft, boxBottom + 1), false, kNoDay},
          {at(cellLeft + grid.cellWidth - 2, cellTop + grid.cellHeight - 2), false, kNoDay},
          {at(cellLeft + grid.cellWidth - 2, cellTop + grid.cellHeight - 2), true, day},
          {at(cellLeft, cellTop), true, day},
          {at(cellLeft - 1, cellTop), true, day - 1},
          {at(cellLeft, cellTop - 1), true, day - 7},
          {at(grid.leftMargin + 7 * grid.cellWidth, cellTop), true, kNoDay},  // past the last column
      };
      for (const Case& c : cases) {
        EXPECT_EQ(HitTestView(view_, c.point, c.wholeCell), c.expected)
            << "memo " << static_cast<int>(memo) << " zoom " << zoom << " at " << c.point.x << ","
            << c.point.y << (c.wholeCell ? " whole cell" : " number box");
      }
      // Above the surface is the button row or the memo: never a day.
      EXPECT_EQ(HitTestView(view_, POINT{boxLeft * zoom / 100, top - 1}, true), kNoDay);
    }
    // Only a memo above the grid moves it down.
    EXPECT_EQ(SurfaceTop(view_),
              kButtonRowHeight + (memo == Memo::kAbove ? view_.memoHeight : 0));
  }
}

// ---------------------------------------------------------------------------
// The real main window in-process: "Secret" (302) locks and unlocks.

constexpr char kSecretPassword[] = "秘密";

// Whether item 302 of the display menu shows its tick, read from the menu
// while it is open below "表示".
bool SecretItemTicked(HWND window) {
  bool ticked = false;
  bool seen = false;
  testing::DriveNext(
      "the display menu",
      [] {
        struct Search {
          HWND found;
        } search{nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM data) -> BOOL {
              char className[16] = {};
              GetClassNameA(w, className, sizeof className);
              if (std::string(className) != "#32768" || !IsWindowVisible(w)) return TRUE;
              reinterpret_cast<Search*>(data)->found = w;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
      },
      [&](HWND popup) {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        const UINT state = GetMenuState(menu, IDM_SHOW_SECRET, MF_BYCOMMAND);
        seen = state != static_cast<UINT>(-1);
        ticked = seen && (state & MF_CHECKED) != 0;
        EndMenu();
      });
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDB_DISPLAY, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, IDB_DISPLAY)));
  EXPECT_TRUE(seen) << "the display menu has no item Secret";
  return ticked;
}

void ChooseSecret(HWND window) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_SHOW_SECRET, 0), 0);
}

// Entering mode over the registered password; OK or cancel.
void AnswerPassword(const char* typed) {
  testing::DriveNextDialog("パスワード入力", [typed](HWND dialog) {
    if (typed == nullptr) {
      testing::Click(dialog, IDB_PASS_CANCEL);
      return;
    }
    SetDlgItemTextA(dialog, IDE_PASS_PASSWORD, typed);
    testing::Click(dialog, IDB_PASS_OK);
  });
}

TEST(SecretCommand, TickedExactlyWhileUnlockedAndTheOptionActsAtOnce) {
  HMODULE richEdit = LoadLibraryA("Riched20.dll");
  hiyomi_test::OpenProgramIn("hiyomi-secret-command-test");
  MainSettings().WriteString("Pass", FormatVerifier(CheckValueOf(kSecretPassword), 7).c_str(),
                             kDefaultSection);
  SecretTexts& secrets = Program().secrets;
  std::vector<int> states;
  std::vector<bool> ticks;
  testing::DriveNextDialog("Hiyomi", [&](HWND window) {
    // Switched on in the options: locked from then on.
    AppOptions().Secret = 1;
    OnOptionsChanged(AppOptions());
    states.push_back(secrets.LockState());
    ticks.push_back(SecretItemTicked(window));
    AnswerPassword(nullptr);  // cancelled: still locked
    ChooseSecret(window);
    states.push_back(secrets.LockState());
    AnswerPassword(kSecretPassword);
    ChooseSecret(window);
    states.push_back(secrets.LockState());
    ticks.push_back(SecretItemTicked(window));
    ChooseSecret(window);  // ticked: locks without asking
    states.push_back(secrets.LockState());
    ticks.push_back(SecretItemTicked(window));
    AnswerPassword(kSecretPassword);
    ChooseSecret(window);
    // Switched off: off at once, and the command asks nothing.
    AppOptions().Secret = 0;
    OnOptionsChanged(AppOptions());
    states.push_back(secrets.LockState());
    ChooseSecret(window);
    states.push_back(secrets.LockState());
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  RunMainWindow(GetModuleHandleA(nullptr), "RichEdit20A");
  testing::ExpectNoDriverPending();
  EXPECT_EQ(states, (std::vector<int>{kLocked, kLocked, kUnlocked, kLocked, kLockOff, kLockOff}));
  EXPECT_EQ(ticks, (std::vector<bool>{false, true, false}));
  hiyomi_test::CloseProgram();
  if (richEdit != nullptr) FreeLibrary(richEdit);
}

}  // namespace

}  // namespace hiyomi
