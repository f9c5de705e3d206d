// The About box ABOUTDLG: product, version, legal line and the project's
// home page as a link.
#pragma once

#include <windows.h>

namespace hiyomi {

inline constexpr int kAboutOverOwner = 0;  // from the main menu
inline constexpr int kAboutOnScreen = 1;   // from the tray menu, window hidden

extern const char kAboutProduct[];
extern const char kAboutVersion[];
extern const char kAboutLegal[];
extern const char kAboutHomePage[];

// Runs the box modally; returns 1 when it is closed.
INT_PTR ShowAbout(HWND owner, int placement);

// Tests only: receives the address instead of the shell while set.
using LinkOpener = void (*)(const char* address);
LinkOpener SetLinkOpenerForTests(LinkOpener opener);

}  // namespace hiyomi
