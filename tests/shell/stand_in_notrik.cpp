// A stand-in for the to-do program Notrik, for the end-to-end tests only:
// it holds the mutex "Notrik", shows a window whose class and title are
// "Notrik", keeps its ini file beside itself and, when it closes, writes its
// data file with to-do items around today, as a to-do program saves on
// exit. Each start adds a line to "<program>.log".
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "tests/schedule/notrik_records.h"

namespace {

constexpr char kName[] = "Notrik";
std::string programPath;

std::string Beside(const char* extension) {
  return programPath.substr(0, programPath.find_last_of('.')) + extension;
}

void AppendLine(const std::string& path, const char* line) {
  if (FILE* file = std::fopen(path.c_str(), "ab")) {
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
  }
}

// One item tomorrow, one covering three days from the day after, one
// repeating item whose stored due day has passed.
void WriteDataFile() {
  using hiyomi::testing::AppendNotrikRecord;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const hiyomi::SerialDay today = hiyomi::SerialFromDate(now.wYear, now.wMonth, now.wDay);
  std::vector<uint8_t> bytes;
  AppendNotrikRecord(bytes, {.text = "電話する", .kind = 1, .due = today + 1});
  AppendNotrikRecord(bytes, {.class1 = 2, .text = "出張", .kind = 4, .from = today + 2, .days = 3});
  AppendNotrikRecord(bytes, {.text = "毎日", .kind = 3, .due = today - 5, .from = today - 5,
                             .rules = {0, 0, 0, 0, 100000 + today - 5}});
  const std::string path = programPath.substr(0, programPath.find_last_of('\\')) + "\\todo.dat";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      WriteDataFile();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  programPath = path;
  HANDLE mutex = CreateMutexA(nullptr, TRUE, kName);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    AppendLine(Beside(".log"), "second");
    CloseHandle(mutex);
    return 1;
  }
  AppendLine(Beside(".log"), "started");
  // The data file lies beside the program as "todo.dat".
  const std::string ini = Beside(".ini");
  WritePrivateProfileStringA("Default", "Section", "Main", ini.c_str());
  WritePrivateProfileStringA("Main", "file", "todo", ini.c_str());

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kName;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA(kName, kName, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 200, 120,
                              nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 2;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return 0;
}
