// Window transparency through SetLayeredWindowAttributes, looked up at run
// time so that a system without it simply shows an opaque window.
#pragma once

#include <windows.h>

namespace hiyomi {

void LoadLayeredSupport();
void UnloadLayeredSupport();
// Applies alpha to window; false (nothing done) without the support.
bool ApplyAlpha(HWND window, int alpha);
// Layered only when one of the two alphas is below 255; applies active.
void ApplyTransparencyStyle(HWND window, int activeAlpha, int inactiveAlpha);

}  // namespace hiyomi
