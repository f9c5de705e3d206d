// The real Hiyomi.exe, started as a user starts it: one instance only, and
// a clean exit through the close box.
#include <windows.h>

#include <gtest/gtest.h>

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

// A copy of the program in a fresh folder, so its settings land there.
std::string FreshCopy() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "hiyomi-program-test";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string exe = folder + "\\Hiyomi.exe";
  EXPECT_TRUE(CopyFileA(HIYOMI_EXE, exe.c_str(), FALSE)) << HIYOMI_EXE;
  DeleteFileA((folder + "\\Hiyomi.ini").c_str());
  return exe;
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

}  // namespace
