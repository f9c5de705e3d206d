// The real Hiyomi.exe, started as a user starts it: one instance only, and
// a clean exit through the close box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;

struct Process {
  PROCESS_INFORMATION info{};
  ~Process() {
    if (info.hProcess != nullptr) {
      if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    }
  }
  DWORD WaitExit(DWORD ms) const {
    if (WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
};

std::string FolderOf(const std::string& exe) { return exe.substr(0, exe.find_last_of('\\')); }

// A copy of the program in a fresh folder, so its settings and files land
// there; ini is the settings file to start with.
std::string FreshCopy(const char* ini = "") {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "hiyomi-program-test";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string exe = folder + "\\Hiyomi.exe";
  EXPECT_TRUE(CopyFileA(HIYOMI_EXE, exe.c_str(), FALSE)) << HIYOMI_EXE;
  for (const char* name : {"\\Hiyomi.ini", "\\Hiyomi.mem"}) DeleteFileA((folder + name).c_str());
  if (ini[0] != '\0') {
    FILE* file = std::fopen((folder + "\\Hiyomi.ini").c_str(), "wb");
    std::fputs(ini, file);
    std::fclose(file);
  }
  return exe;
}

std::string ReadFileText(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

bool Start(const std::string& exe, Process& process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe + "\"";
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process.info) != FALSE;
}

// The window exists from the start of its set-up; it shows when ready.
HWND WaitForVisibleWindow() {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    HWND window = FindWindowA("#32770", "Hiyomi");
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

TEST(Program, OneInstanceAndACleanExit) {
  const std::string exe = FreshCopy();
  Process first;
  ASSERT_TRUE(Start(exe, first));
  HWND window = WaitForVisibleWindow();
  ASSERT_NE(window, nullptr);

  Process second;
  ASSERT_TRUE(Start(exe, second));
  EXPECT_EQ(second.WaitExit(kStartTimeoutMs), 1u);
  EXPECT_EQ(FindWindowA("#32770", "Hiyomi"), window);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitExit(kStartTimeoutMs), 0u);
  EXPECT_EQ(FindWindowA("#32770", "Hiyomi"), nullptr);
}

TEST(Program, ResidentModeClosesToTheTrayAndEndsFromItsMenu) {
  const std::string exe = FreshCopy("[Default]\r\nTSR=1\r\n");
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(1500), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_FALSE(IsWindowVisible(window));
  constexpr WPARAM kExitCommand = 266;
  PostMessageA(window, WM_COMMAND, kExitCommand, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
}

TEST(Program, WindowPlaceIsKeptOnlyWhenAskedFor) {
  for (const bool keep : {false, true}) {
    const std::string exe = FreshCopy(keep ? "[Default]\r\nPtn6=1\r\n" : "");
    Process program;
    ASSERT_TRUE(Start(exe, program));
    HWND window = WaitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitExit(kStartTimeoutMs), 0u);
    const std::string ini = ReadFileText(FolderOf(exe) + "\\Hiyomi.ini");
    for (const char* key : {"\nX=", "\nY=", "\nW=", "\nH=", "\nN="}) {
      EXPECT_EQ(ini.find(key) != std::string::npos, keep) << key << " in\n" << ini;
    }
  }
}

TEST(Program, MemoBeingEditedIsSavedOnExit) {
  const std::string exe = FreshCopy();
  Process program;
  ASSERT_TRUE(Start(exe, program));
  HWND window = WaitForVisibleWindow();
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
