// The outside sources with the real Hiyomi.exe: an editor started at
// start-up whose end brings the file's items in, and a stand-in Notrik that
// is watched from the start, brought forward instead of started twice,
// whose to-do items show when it ends, started by the Notrik command, and
// whose watch does not hold up the exit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "almanac/dates.h"
#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "tests/shell/hiyomi_process.h"

namespace {

using namespace hiyomi_test;

constexpr COLORREF kPressed = 0x0000FF;   // BackColor37
constexpr COLORREF kToDoBack = 0x00FF00;  // BackColor39

bool CopyBeside(const char* from, const std::string& to) { return CopyFileA(from, to.c_str(), FALSE) != FALSE; }

// How many pixels of the window's client area have the colour, as the
// screen shows it: another process's window surface is not readable
// through its own DC under Wine, the screen is.
int CountPixels(HWND window, COLORREF color) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return 0;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const uint32_t wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  int count = 0;
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) count += (pixels[i] & 0xFFFFFF) == wanted ? 1 : 0;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return count;
}

// Milliseconds from the close request until the window is gone.
DWORD CloseAndTime(HWND window, Process& program) {
  const DWORD closing = GetTickCount();
  PostMessageA(window, WM_CLOSE, 0, 0);
  while (IsWindow(window) && GetTickCount() - closing < 10000) Sleep(10);
  const DWORD took = GetTickCount() - closing;
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
  return took;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms = 15000) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

int CountLines(const std::string& text, const std::string& line) {
  int count = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++count;
  return count;
}

TEST(OutsideSources, AnEditorStartedAtStartUpBringsTheFilesItemsWhenItEnds) {
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-editor-e2e");
  ASSERT_FALSE(exe.empty());
  const std::string folder = FolderOf(exe);
  const std::string editor = folder + "\\stand_in_editor.exe";
  ASSERT_TRUE(CopyBeside(STAND_IN_EDITOR_EXE, editor));
  const std::string file = folder + "\\Hiyomi_Data.dat";
  const hiyomi::SerialDay today = hiyomi::ClampSerial(hiyomi::TodaySerial());
  const hiyomi::CalendarDate date = hiyomi::DateFromSerial(today);
  char before[64];
  std::snprintf(before, sizeof before, "$%04d%02d%02d\r\nBeforeEdit\r\n", date.year, date.month, date.day);
  {
    FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs(before, out);
    std::fclose(out);
  }
  const std::string ini = folder + "\\Hiyomi.ini";
  WritePrivateProfileStringA("Default", "TDStart", "1", ini.c_str());
  WritePrivateProfileStringA("Default", "TDEdit1", ("\"" + editor + "\" " + file + " AfterEdit").c_str(),
                             ini.c_str());
  const hiyomi::CalendarDate tomorrow = hiyomi::DateFromSerial(today + 1);
  const std::string yearFile = folder + "\\Hiyomi_" + std::to_string(date.year) + ".dat";
  const std::string nextYearFile = folder + "\\Hiyomi_" + std::to_string(tomorrow.year) + ".dat";
  DeleteFileA(yearFile.c_str());
  DeleteFileA(nextYearFile.c_str());

  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  // Copying into the days shows what has been read: nothing until the
  // editor ends, then its item.
  SendMessageA(window, WM_COMMAND, IDM_TEMPORARY_COPY, 0);
  EXPECT_EQ(ReadFileText(yearFile).find("BeforeEdit"), std::string::npos);
  EXPECT_TRUE(WaitFor([&] {
    SendMessageA(window, WM_COMMAND, IDM_TEMPORARY_COPY, 0);
    return ReadFileText(nextYearFile).find("AfterEdit") != std::string::npos;
  }));
  EXPECT_EQ(ReadFileText(yearFile).find("BeforeEdit"), std::string::npos);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

TEST(OutsideSources, NotrikIsWatchedBroughtForwardStartedAndLeftAtExit) {
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-notrik-e2e");
  ASSERT_FALSE(exe.empty());
  const std::string folder = FolderOf(exe);
  const std::string notrikExe = folder + "\\Notrik.exe";
  ASSERT_TRUE(CopyBeside(STAND_IN_NOTRIK_EXE, notrikExe));
  for (const char* name : {"\\Notrik.log", "\\Notrik.ini", "\\todo.dat"}) DeleteFileA((folder + name).c_str());
  const std::string ini = folder + "\\Hiyomi.ini";
  WritePrivateProfileStringA("Default", "Notrik", "1", ini.c_str());
  WritePrivateProfileStringA("Default", "NotrikDir", notrikExe.c_str(), ini.c_str());
  WritePrivateProfileStringA("Default", "BackColor37", "0x0000FF", ini.c_str());
  WritePrivateProfileStringA("Default", "BackColor39", "0x00FF00", ini.c_str());

  Process notrik;
  ASSERT_TRUE(Start(notrikExe, notrik));
  ASSERT_TRUE(WaitFor([] { return FindWindowA("Notrik", "Notrik") != nullptr; }));

  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  HWND button = GetDlgItem(window, IDB_NOTRIK);
  ASSERT_TRUE(IsWindowVisible(button));
  EXPECT_TRUE(WaitFor([&] { return CountPixels(button, kPressed) > 0; })) << "picked up at start";
  EXPECT_EQ(CountPixels(window, kToDoBack), 0);

  SendMessageA(window, WM_COMMAND, IDB_NOTRIK, 0);
  Sleep(1500);
  const std::string log = folder + "\\Notrik.log";
  EXPECT_EQ(CountLines(ReadFileText(log), "started"), 1);
  EXPECT_EQ(CountLines(ReadFileText(log), "second"), 0);

  PostMessageA(FindWindowA("Notrik", "Notrik"), WM_CLOSE, 0, 0);
  EXPECT_EQ(notrik.WaitExit(kStartTimeoutMs), 0u);
  EXPECT_TRUE(WaitFor([&] { return CountPixels(button, kPressed) == 0; })) << "the watch ends";
  EXPECT_TRUE(WaitFor([&] { return CountPixels(window, kToDoBack) > 0; })) << "to-do items shown";

  // Not running: the command starts it and watches it again.
  SendMessageA(window, WM_COMMAND, IDB_NOTRIK, 0);
  ASSERT_TRUE(WaitFor([] { return FindWindowA("Notrik", "Notrik") != nullptr; }));
  EXPECT_EQ(CountLines(ReadFileText(log), "started"), 2);
  EXPECT_TRUE(WaitFor([&] { return CountPixels(button, kPressed) > 0; }));

  const DWORD watched = CloseAndTime(window, program);
  PostMessageA(FindWindowA("Notrik", "Notrik"), WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([] { return FindWindowA("Notrik", "Notrik") == nullptr; }));

  // The same close with nothing to watch: the watch adds less than a second.
  Process alone;
  ASSERT_TRUE(Start(exe, alone));
  window = WaitForVisibleWindow(alone.info.dwProcessId);
  ASSERT_NE(window, nullptr);
  const DWORD unwatched = CloseAndTime(window, alone);
  EXPECT_LT(watched, unwatched + 1000) << watched << " ms against " << unwatched << " ms";
}

}  // namespace
