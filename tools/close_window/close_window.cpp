// hiyomi-close [TITLE] [SECONDS]: posts WM_CLOSE to the top-level dialog
// window titled TITLE ("Hiyomi" by default) and waits up to SECONDS (10)
// for it to disappear. Exit code 0 when it closed, 1 when there was no such
// window, 2 when it did not close in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kDialogClass = "#32770";
constexpr DWORD kPollMs = 100;

}  // namespace

int main(int argc, char** argv) {
  const char* title = argc > 1 ? argv[1] : "Hiyomi";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
  HWND window = FindWindowA(kDialogClass, title);
  if (window == nullptr) {
    std::fprintf(stderr, "hiyomi-close: no window \"%s\"\n", title);
    return 1;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  for (int waited = 0; waited < seconds * 1000; waited += kPollMs) {
    if (!IsWindow(window)) return 0;
    Sleep(kPollMs);
  }
  std::fprintf(stderr, "hiyomi-close: \"%s\" is still open\n", title);
  return 2;
}
