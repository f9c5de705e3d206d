// The main window's pieces in-process, as the shell tests and the paint
// bench set them up: the program's objects over a folder of their own and
// the real MAINDLG template as a quiet window whose view paints from the
// program's day data.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

#include "almanac/clock.h"
#include "resources/main_dialog_ids.h"
#include "shell/main_view_win.h"
#include "shell/program_objects_win.h"

namespace hiyomi_test {

inline INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Makes `name` under the temporary folder the current folder, removes the
// listed files in it and the settings file beside the running program (so
// the options are the defaults), fixes the clock when `today` is given and
// creates the program's objects. Returns the folder.
inline std::string OpenProgramIn(const char* name, std::initializer_list<const char*> freshFiles = {},
                                 const hiyomi::LocalTime* today = nullptr) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FF};
  InitCommonControlsEx(&controls);
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  SetCurrentDirectoryA(folder.c_str());
  for (const char* file : freshFiles) DeleteFileA((folder + "\\" + file).c_str());
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  const std::string ini = exe;
  DeleteFileA((ini.substr(0, ini.size() - 4) + ".ini").c_str());
  if (today != nullptr) hiyomi::SetFixedClockForTests(*today);
  hiyomi::CreateProgramObjects();
  return folder;
}

inline void CloseProgram() {
  hiyomi::DestroyProgramObjects();
  hiyomi::SetClockForTests(nullptr);
}

// A MAINDLG window with its view set up over the program's day data, not
// yet laid out (ApplyOptions does that); null when the template failed.
inline HWND CreateViewWindow(hiyomi::MainView& view) {
  HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), IDD_MAINDLG, nullptr, QuietProc, 0);
  if (window != nullptr) hiyomi::InitView(view, window, hiyomi::Program().dayData);
  return window;
}

inline void DestroyViewWindow(hiyomi::MainView& view, HWND window) {
  hiyomi::ReleaseView(view);
  DestroyWindow(window);
}

}  // namespace hiyomi_test
