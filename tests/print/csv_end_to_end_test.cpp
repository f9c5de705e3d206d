// The export as a user reaches it: the real Hiyomi.exe over a year file
// with an entry today, command 273 of its menu, "出力" in the dialog that
// opens over the window, and the file and CSVOpt read back from disk.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "resources/csvdlg_ids.h"
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
    if (!text.empty()) return text;
    Sleep(100);
  }
  return {};
}

std::string ControlText(HWND control) {
  char text[300] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(CsvEndToEnd, TheMenuCommandExportsTheDaysOfTheRunningProgram) {
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-csv-export");
  ASSERT_FALSE(exe.empty());
  const std::string folder = FolderOf(exe);
  const SerialDay today = ClampSerial(TodaySerial());
  const CalendarDate date = DateFromSerial(today);
  const std::string base = folder + "\\Hiyomi";
  WriteBytes(YearFileName(base, date.year),
             YearFileBytes({DayFields{today - SerialOfNewYear(date.year), today, {{.text = "歯医者 15:00"}}}}));
  const std::string csv = folder + "\\Hiyomi.csv";
  DeleteFileA(csv.c_str());

  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_COMMAND, IDM_CSV_EXPORT, 0);
  HWND dialog = WaitForDialog("CSV出力");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, IDE_CSV_PATH)), csv);
  Press(dialog, IDB_CSV_WRITE);
  const std::string written = WaitForFile(csv);
  Press(dialog, IDB_CSV_CLOSE);
  ASSERT_TRUE(WaitGone(dialog));
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);

  char day[32];
  std::snprintf(day, sizeof day, "%d年%d月%d日", date.year, date.month, date.day);
  EXPECT_EQ(written, std::string(day) + ",\"Default,歯医者 15:00\"\r\n");
  EXPECT_NE(ReadFileText(folder + "\\Hiyomi.ini").find("CSVOpt=0000000"), std::string::npos);
}

}  // namespace
}  // namespace hiyomi
