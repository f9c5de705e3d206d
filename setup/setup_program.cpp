// Program entry of Setup: COM for the folder browser, then the window over
// the folder Setup was started in, which holds the unpacked distribution.
#include <windows.h>
#include <objbase.h>

#include "setup/setup_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  hiyomi::RunSetupWindow(instance);
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
