// The main window's four popup menus (main, tray, display, zoom) as Win32
// menus built from their item lists, owned by the view.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "base/win/gdi_objects.h"
#include "shell/main_menus.h"

namespace hiyomi {

// The state flags (MFS_CHECKED, MFS_GRAYED) an item shows now; the window's
// command table answers.
using MenuItemStates = UINT (*)(HWND window, int id);

struct MainMenus {
  MainMenus() = default;
  MainMenus(const MainMenus&) = delete;
  MainMenus& operator=(const MainMenus&) = delete;
  ~MainMenus() { Release(); }
  // Destroys all four; the shared submenus are taken out of their parents
  // first so that none is destroyed twice.
  void Release();

  OwnedMenu main;
  OwnedMenu tray;
  OwnedMenu display;
  OwnedMenu zoom;
  // The sections "設定読込" lists, in item order, and the current one's place.
  std::vector<std::string> sections;
  int currentSection = -1;
};

// What the main, display and zoom menus are rebuilt from.
struct MainMenusInput {
  MainMenuState main;
  DisplayTicks ticks;
  bool notrikOn = false;
  bool secretOn = false;
  std::span<const char* const> categoryNames;
  std::vector<std::string> sections;
  const char* currentSection = "";
};

// Replaces the main, display and zoom menus; the tray menu is kept.
void RebuildMainMenus(MainMenus& menus, MainMenusInput input);
// The tray menu, when it is not built yet.
void BuildTrayMenu(MainMenus& menus);
// Shows menu with the flags at a screen point, its items' ticks and greying
// brought up to date first; the chosen id, or 0.
int TrackMenu(HMENU menu, HWND window, POINT at, UINT flags, MenuItemStates states);
// The bottom-left corner of a control, on the screen.
POINT BelowControl(HWND control);

}  // namespace hiyomi
