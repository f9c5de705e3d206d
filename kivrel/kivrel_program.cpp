// Program entry of Kivrel: the dialog over the folder Kivrel was started
// from, where Hiyomi keeps its ini file.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "base/path_text.h"
#include "kivrel/kivrel_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The folder browser of the new style needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  char program[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  const std::string folder = length > 0 && length < sizeof program ? hiyomi::FolderOfPath(program) : "";
  hiyomi::RunKivrelDialog(instance, folder.c_str());
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
