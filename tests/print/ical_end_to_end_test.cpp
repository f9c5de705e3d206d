// The iCalendar export as a user reaches it: the real Hiyomi.exe over a
// year file with an entry today, command 290 of its menu, "出力" in the
// dialog that opens over the window, and the file and IcsOpt read back.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "resources/icsdlg_ids.h"
#include "resources/main_commands_ids.h"
#include "schedule/year_store.h"
#include "tests/schedule/schedule_fixtures.h"
#include "tests/shell/hiyomi_process.h"

namespace hiyomi {
namespace {

using namespace hiyomi_test;
using hiyomi::testing::DayFields;
using hiyomi::testing::WriteBytes;
using hiyomi::testing::YearFileBytes;

std::string WaitForFile(const std::string& path) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    const std::string text = ReadFileText(path);
    if (text.find("END:VCALENDAR\r\n") != std::string::npos) return text;
    Sleep(100);
  }
  return {};
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(IcsEndToEnd, TheMenuCommandExportsTheDaysOfTheRunningProgram) {
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-ics-export");
  ASSERT_FALSE(exe.empty());
  const std::string folder = FolderOf(exe);
  const SerialDay today = ClampSerial(TodaySerial());
  const CalendarDate date = DateFromSerial(today);
  WriteBytes(YearFileName(folder + "\\Hiyomi", date.year),
             YearFileBytes({DayFields{today - SerialOfNewYear(date.year), today, {{.text = "歯医者 15:00"}}}}));
  const std::string ics = folder + "\\Hiyomi.ics";
  DeleteFileA(ics.c_str());

  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_COMMAND, IDM_ICS_EXPORT, 0);
  HWND dialog = WaitForDialog("iCalendar出力");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
  PostMessageA(GetDlgItem(dialog, IDX_ICS_HOLIDAYS), BM_CLICK, 0, 0);
  Press(dialog, IDB_ICS_WRITE);
  const std::string written = WaitForFile(ics);
  Press(dialog, IDB_ICS_CLOSE);
  ASSERT_TRUE(WaitGone(dialog));
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);

  char start[48];
  std::snprintf(start, sizeof start, "DTSTART;VALUE=DATE:%04d%02d%02d\r\n", date.year, date.month, date.day);
  EXPECT_NE(written.find(start), std::string::npos) << written;
  // 歯医者 in UTF-8, and the category the program names by default.
  EXPECT_NE(written.find("SUMMARY:\xE6\xAD\xAF\xE5\x8C\xBB\xE8\x80\x85 15:00\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("CATEGORIES:Default\r\n"), std::string::npos) << written;
  EXPECT_NE(ReadFileText(folder + "\\Hiyomi.ini").find("IcsOpt=0001"), std::string::npos);
}

}  // namespace
}  // namespace hiyomi
