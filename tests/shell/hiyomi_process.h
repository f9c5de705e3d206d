// The real Hiyomi.exe started as a user starts it, from a folder of the
// test's own, and found again from outside by its window.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace hiyomi_test {

inline constexpr DWORD kStartTimeoutMs = 60000;

struct Process {
  PROCESS_INFORMATION info{};
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() {
    if (info.hProcess != nullptr) {
      if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 99);
      }
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    }
  }
  // The exit code, or STILL_ACTIVE when it did not end within ms.
  DWORD WaitExit(DWORD ms) const {
    if (WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
};

inline std::string FolderOf(const std::string& exe) {
  return exe.substr(0, exe.find_last_of('\\'));
}

// A copy of the program in the temporary folder folderName, so its settings
// and files land there; ini is the settings file to start with ("" none).
inline std::string FreshCopy(const char* exePath, const char* folderName, const char* ini = "") {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + folderName;
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string exe = folder + "\\Hiyomi.exe";
  if (!CopyFileA(exePath, exe.c_str(), FALSE)) return "";
  for (const char* name : {"\\Hiyomi.ini", "\\Hiyomi.mem"}) DeleteFileA((folder + name).c_str());
  if (ini[0] != '\0') {
    FILE* file = std::fopen((folder + "\\Hiyomi.ini").c_str(), "wb");
    if (file == nullptr) return "";
    std::fputs(ini, file);
    std::fclose(file);
  }
  return exe;
}

inline std::string ReadFileText(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

// Started in its own folder, as from a shortcut there.
inline bool Start(const std::string& exe, Process& process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe + "\"";
  const std::string folder = FolderOf(exe);
  return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process.info) != FALSE;
}

// The main window of the given process once it shows (it exists from the
// start of its set-up, hidden). Another program's window of the same title
// is not taken for it.
inline HWND WaitForVisibleWindow(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  };
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    Search search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          char title[16] = {};
          char className[16] = {};
          GetWindowTextA(window, title, sizeof title);
          GetClassNameA(window, className, sizeof className);
          if (owner == s.processId && std::string(title) == "Hiyomi" &&
              std::string(className) == "#32770" && IsWindowVisible(window)) {
            s.found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(100);
  }
  return nullptr;
}

// A visible dialog of that title, from any process; null when none comes.
inline HWND WaitForDialog(const char* title) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    HWND dialog = FindWindowA("#32770", title);
    if (dialog != nullptr && IsWindowVisible(dialog)) return dialog;
    Sleep(100);
  }
  return nullptr;
}

inline bool WaitGone(HWND window) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    if (!IsWindow(window)) return true;
    Sleep(100);
  }
  return false;
}

}  // namespace hiyomi_test
