// Program entry of Hiyomi: one instance, the libraries the window needs,
// the program-wide objects in their order, and the main window.
#include <windows.h>

#include <commctrl.h>

#include "base/message_box.h"
#include "settings/settings_win.h"
#include "shell/help_win.h"
#include "shell/main_window_win.h"
#include "shell/program_objects_win.h"

namespace hiyomi {
namespace {

constexpr int kAlreadyRunning = 1;
constexpr DWORD kCommonControlClasses = 0x7FF;  // every group up to the rebar classes
constexpr DWORD kMutexWaitMs = 1000;

struct RichEditLibrary {
  const char* file;
  const char* className;
};

// Preferred row from REV, falling back towards the oldest.
constexpr RichEditLibrary kRichEditLibraries[] = {
    {"Riched32.dll", "RICHEDIT"},
    {"Riched20.dll", "RichEdit20A"},
    {"Msftedit.dll", "RICHEDIT50W"},
};

HMODULE LoadRichEdit(int preferred, int* loadedIndex) {
  for (int i = preferred; i >= 0; --i) {
    if (HMODULE library = LoadLibraryA(kRichEditLibraries[i].file)) {
      *loadedIndex = i;
      return library;
    }
  }
  return nullptr;
}

}  // namespace

int RunProgram(HINSTANCE instance) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Hiyomi");
  if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
    if (mutex != nullptr) CloseHandle(mutex);
    return kAlreadyRunning;
  }
  WaitForSingleObject(mutex, kMutexWaitMs);

  INITCOMMONCONTROLSEX controls{sizeof controls, kCommonControlClasses};
  InitCommonControlsEx(&controls);
  InitializeHelp();
  CreateProgramObjects();

  int richEditIndex = 0;
  const int preferred = MainSettings().ReadInt("REV", "1", 0, 2);
  HMODULE richEdit = LoadRichEdit(preferred, &richEditIndex);
  if (richEdit == nullptr) {
    ShowMessage(nullptr, MessageKind::Stop, "LoadLibraryに失敗しました。");
  } else {
    RunMainWindow(instance, kRichEditLibraries[richEditIndex].className);
    FreeLibrary(richEdit);
  }
  UninitializeHelp();

  DestroyProgramObjects();
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return 0;
}

}  // namespace hiyomi

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return hiyomi::RunProgram(instance); }
