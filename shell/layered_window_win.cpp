#include "shell/layered_window_win.h"

namespace hiyomi {

namespace {

using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

constexpr int kOpaque = 255;

HMODULE user32 = nullptr;
SetLayeredAttributes setLayeredAttributes = nullptr;

}  // namespace

void LoadLayeredSupport() {
  if (user32 != nullptr) return;
  user32 = LoadLibraryA("user32.dll");
  if (user32 != nullptr) {
    setLayeredAttributes = reinterpret_cast<SetLayeredAttributes>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  }
}

void UnloadLayeredSupport() {
  setLayeredAttributes = nullptr;
  if (user32 != nullptr) FreeLibrary(user32);
  user32 = nullptr;
}

bool ApplyAlpha(HWND window, int alpha) {
  if (setLayeredAttributes == nullptr) return false;
  return setLayeredAttributes(window, 0, static_cast<BYTE>(alpha & 0xFF), LWA_ALPHA) != FALSE;
}

void ApplyTransparencyStyle(HWND window, int activeAlpha, int inactiveAlpha) {
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
  if (activeAlpha >= kOpaque && inactiveAlpha >= kOpaque) {
    SetWindowLongPtrA(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    return;
  }
  SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
  ApplyAlpha(window, activeAlpha);
}

}  // namespace hiyomi
