// What the main window's menus hold: the items of the main, display, zoom,
// section and tray menus for a given state, the ticks of the display
// commands, and the display commands' effect on the display flags and zoom.
// Portable: the Windows side turns these lists into menus.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "schedule/notrik.h"
#include "settings/options.h"

namespace hiyomi {

inline constexpr int kMaxSectionItems = 100;
inline constexpr int kSectionItemTextSize = 101;  // 100 bytes + NUL
inline constexpr int kZoomSteps[] = {5, 8, 9, 10, 12, 15, 20};

enum class MenuItemKind : uint8_t { kCommand, kSeparator, kSubmenu };
// The submenus an item may open; the Windows side owns one menu for each.
enum class Submenu : uint8_t { kNone, kDisplay, kSections, kTemporary, kZoom };

struct MenuItem {
  MenuItemKind kind = MenuItemKind::kSeparator;
  int id = 0;  // the command of a kCommand item
  std::string caption;
  bool ticked = false;
  Submenu submenu = Submenu::kNone;
};

// What the main menu shows besides its fixed items.
struct MainMenuState {
  int menuType = 0;  // 0 standard, 1 simplified
  bool resident = false;  // TSR
  bool iniFile = true;
  bool notrikUsable = false;
  bool onTop = false;
  bool memoEditing = false;
  bool notrikRunning = false;
};

std::vector<MenuItem> MainMenuItems(const MainMenuState& state);
std::vector<MenuItem> TemporaryMenuItems();
std::vector<MenuItem> TrayMenuItems();

// The names of a section list (each ended by a zero byte, the list by one
// more), at most kMaxSectionItems, each cut to kSectionItemTextSize - 1
// bytes. bytes: the list's length without the final zero.
std::vector<std::string> SectionNames(const char* list, int bytes);
// One item per name, ids 400 upwards; the current section's is ticked.
std::vector<MenuItem> SectionMenuItems(std::span<const std::string> names, const char* current);
// The place of current in names, or -1.
int SectionIndexOf(std::span<const std::string> names, const char* current);

// The state the display items tick from; the view holds it.
struct DisplayTicks {
  uint32_t flags = 0xFFFFFFFFu;
  int zoomItem = 350;  // the ticked zoom item, 0 for none
  bool tableView = false;
  bool secretUnlocked = false;
};
bool DisplayItemTicked(const DisplayTicks& ticks, int id);

// categoryNames: the ten category names, "" for an unused row.
std::vector<MenuItem> DisplayMenuItems(const DisplayTicks& ticks, bool notrikOn, bool secretOn,
                                       std::span<const char* const> categoryNames);
std::vector<MenuItem> ZoomMenuItems(const DisplayTicks& ticks);

// What a display command leaves to the window once the flags are set.
enum class DisplayAction : uint8_t { kRedraw, kZoom, kSecret, kAgeTable, kTableView };
struct DisplayStep {
  DisplayAction action = DisplayAction::kRedraw;
  int zoom = 0;      // kZoom: the new zoom, before clamping
  int zoomItem = 0;  // kZoom: the item to tick
};
// n = id - 300. Changes flags for the toggles, "全クリア" and "全選択".
DisplayStep RunDisplayCommand(int n, uint32_t& flags, bool notrikOn, int optionZoom);
// The ticked zoom item once the zoom leaves oldZoom: the old value's items
// lose their tick.
int ZoomItemAfterLeaving(int zoomItem, int oldZoom, int optionZoom);

// One button of the row above the grid, for the options' menu type.
struct ButtonPlace {
  int id;
  const char* caption;  // the month title and 215 draw their own
  int x;
  int width;
  bool shown;  // false: placed but hidden (the picker's "○" and "×")
};
// The buttons of the row in their order; a button the list lacks is hidden.
// notrikButton and editorButton: whether 213 and 215 have a place.
std::vector<ButtonPlace> ButtonRowPlaces(const Options& options, bool notrikButton,
                                         bool editorButton);

}  // namespace hiyomi
