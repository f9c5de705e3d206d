// The real Hiyomi.exe, started as a user starts it: one instance only, and
// a clean exit through the close box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/shell/hiyomi_process.h"

namespace hiyomi {

namespace {

using hiyomi_test::FolderOf;
using hiyomi_test::kStartTimeoutMs;
using hiyomi_test::Process;
using hiyomi_test::ReadFileText;
using hiyomi_test::Start;

std::string FreshCopy(const char* ini = "") {
  const std::string exe = hiyomi_test::FreshCopy(HIYOMI_EXE, "hiyomi-program-test", ini);
  EXPECT_FALSE(exe.empty()) << HIYOMI_EXE;
  return exe;
}

HWND WaitForVisibleWindow(const Process& process) {
  return hiyomi_test::WaitForVisibleWindow(process.info.dwProcessId);
}

TEST(Program, OneInstanceAndACleanExit) {
  const std::string exe = FreshCopy();
  Process first;
  ASSERT_TRUE(Start(exe, first));
  HWND window = WaitForVisibleWindow(first);
  ASSERT_NE(window, nullptr);

  Process second;
  ASSERT_TRUE(Start(exe, second));
  EXPECT_EQ(second.WaitExit(kStartTimeoutMs), 1u);
  // Tests running beside this one may show windows of the same title.
  EXPECT_TRUE(IsWindow(window));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitExit(kStartTimeoutMs), 0u);
  EXPECT_FALSE(IsWindow(window));
}

TEST(Program, ResidentModeClosesToTheTrayAndEndsFromItsMenu) {
  const std::string exe = FreshCopy("[Default]\r\nTSR=1\r\n");
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program);
  ASSERT_NE(window, nullptr);
  // Closed once the program is idle, so no start-up step is still to come.
  // Posted, not sent: a close sent from outside is handled inside the dialog
  // loop's wait for messages, and Wine's loop shows the window again after it.
  ASSERT_EQ(WaitForInputIdle(program.info.hProcess, kStartTimeoutMs), 0u);
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  // Hidden, not destroyed: the window stays, its dialog loop still answers
  // after the close, and the program is still running.
  DWORD_PTR answer = 0;
  const DWORD start = GetTickCount();
  while (IsWindowVisible(window) && GetTickCount() - start < kStartTimeoutMs) Sleep(20);
  EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kStartTimeoutMs, &answer),
            0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(program.WaitExit(0), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_FALSE(IsWindowVisible(window));
  constexpr WPARAM kExitCommand = 266;
  EXPECT_TRUE(PostMessageA(window, WM_COMMAND, kExitCommand, 0));  // fails on a window gone
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

TEST(Program, WindowPlaceIsKeptOnlyWhenAskedFor) {
  for (const bool keep : {false, true}) {
    const std::string exe = FreshCopy(keep ? "[Default]\r\nPtn6=1\r\n" : "");
    Process program;
    ASSERT_TRUE(Start(exe, program));
    HWND window = WaitForVisibleWindow(program);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
    const std::string ini = ReadFileText(FolderOf(exe) + "\\Hiyomi.ini");
    for (const char* key : {"\nX=", "\nY=", "\nW=", "\nH=", "\nN="}) {
      EXPECT_EQ(ini.find(key) != std::string::npos, keep) << key << " in\n" << ini;
    }
  }
}

TEST(Program, ASavedPlaceOffTheScreenOpensInsideTheWorkArea) {
  // Saved at the far corner of a larger screen.
  const std::string exe = FreshCopy("[Default]\r\nPtn6=1\r\nX=1270\r\nY=1010\r\nW=600\r\nH=400\r\n");
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program);
  ASSERT_NE(window, nullptr);
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  // The window shows while its options are applied, a moment before it is
  // put in its saved place: wait for the saved width.
  RECT frame{};
  for (const DWORD start = GetTickCount(); GetTickCount() - start < kStartTimeoutMs; Sleep(20)) {
    GetWindowRect(window, &frame);
    if (frame.right - frame.left == 600) break;
  }
  EXPECT_GE(frame.left, area.left);
  EXPECT_GE(frame.top, area.top);
  EXPECT_LE(frame.right, area.right);
  EXPECT_LE(frame.bottom, area.bottom);
  EXPECT_EQ(frame.right - frame.left, 600);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

TEST(Program, MemoBeingEditedIsSavedOnExit) {
  const std::string exe = FreshCopy();
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow(program);
  ASSERT_NE(window, nullptr);
  constexpr WPARAM kMemoCommand = 212;
  constexpr int kMemoControl = 251;
  SendMessageA(window, WM_COMMAND, kMemoCommand, 0);
  HWND memo = GetDlgItem(window, kMemoControl);
  ASSERT_NE(memo, nullptr);
  SendMessageA(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("買い物 牛乳"));
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
  EXPECT_EQ(ReadFileText(FolderOf(exe) + "\\Hiyomi.mem"), "買い物 牛乳");
}

}  // namespace

}  // namespace hiyomi
