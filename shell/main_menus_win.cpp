#include "shell/main_menus_win.h"

#include <utility>

#include "base/win/ui_helpers.h"

namespace hiyomi {

namespace {

// Takes child out of parent without destroying it.
void Detach(HMENU parent, HMENU child) {
  if (parent == nullptr || child == nullptr) return;
  for (int i = GetMenuItemCount(parent) - 1; i >= 0; --i) {
    if (GetSubMenu(parent, i) == child) RemoveMenu(parent, static_cast<UINT>(i), MF_BYPOSITION);
  }
}

// The submenus that belong to one parent only (sections, temporary) are made
// here and go with it; display and zoom are the owned ones.
HMENU Fill(HMENU menu, const std::vector<MenuItem>& items, const MainMenus& menus,
           const MainMenusInput& input) {
  UINT position = 0;
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItemKind::kSeparator:
        InsertMenuItemText(menu, MFT_SEPARATOR, 0, nullptr, nullptr, position++, 0);
        break;
      case MenuItemKind::kCommand:
        InsertMenuItemText(menu, MFT_STRING, static_cast<UINT>(item.id), item.caption.c_str(),
                           nullptr, position++, item.ticked ? MFS_CHECKED : 0);
        break;
      case MenuItemKind::kSubmenu: {
        HMENU submenu = nullptr;
        switch (item.submenu) {
          case Submenu::kDisplay: submenu = menus.display.get(); break;
          case Submenu::kZoom: submenu = menus.zoom.get(); break;
          case Submenu::kSections:
            submenu = Fill(CreatePopupMenu(), SectionMenuItems(menus.sections, input.currentSection),
                           menus, input);
            break;
          case Submenu::kTemporary:
            submenu = Fill(CreatePopupMenu(), TemporaryMenuItems(), menus, input);
            break;
          case Submenu::kNone: break;
        }
        InsertMenuItemText(menu, MFT_STRING, 0, item.caption.c_str(), submenu, position++, 0);
        break;
      }
    }
  }
  return menu;
}

void Refresh(HMENU menu, HWND window, MenuItemStates states) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU submenu = GetSubMenu(menu, i)) {
      Refresh(submenu, window, states);
      continue;
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) {
      continue;
    }
    info.fMask = MIIM_STATE;
    info.fState = states(window, static_cast<int>(info.wID));
    SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
  }
}

// The rebuilt menus go; the shared submenus are taken out of their parents
// first, so none is destroyed twice.
void ReleaseRebuiltMenus(MainMenus& menus) {
  Detach(menus.main.get(), menus.display.get());
  Detach(menus.display.get(), menus.zoom.get());
  menus.main.Reset();
  menus.display.Reset();
  menus.zoom.Reset();
}

}  // namespace

void MainMenus::Release() {
  ReleaseRebuiltMenus(*this);
  tray.Reset();
}

void RebuildMainMenus(MainMenus& menus, MainMenusInput input) {
  ReleaseRebuiltMenus(menus);
  menus.sections = std::move(input.sections);
  menus.currentSection = SectionIndexOf(menus.sections, input.currentSection);
  menus.zoom.Reset(Fill(CreatePopupMenu(), ZoomMenuItems(input.ticks), menus, input));
  menus.display.Reset(Fill(CreatePopupMenu(),
                           DisplayMenuItems(input.ticks, input.notrikOn, input.secretOn,
                                            input.categoryNames),
                           menus, input));
  menus.main.Reset(Fill(CreatePopupMenu(), MainMenuItems(input.main), menus, input));
}

void BuildTrayMenu(MainMenus& menus) {
  if (menus.tray.get() != nullptr) return;
  menus.tray.Reset(Fill(CreatePopupMenu(), TrayMenuItems(), menus, MainMenusInput{}));
}

int TrackMenu(HMENU menu, HWND window, POINT at, UINT flags, MenuItemStates states) {
  if (menu == nullptr) return 0;
  Refresh(menu, window, states);
  return TrackPopupMenu(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr);
}

POINT BelowControl(HWND control) {
  RECT box{};
  GetWindowRect(control, &box);
  return POINT{box.left, box.bottom};
}

}  // namespace hiyomi
