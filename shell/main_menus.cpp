#include "shell/main_menus.h"

#include <cstdio>
#include <cstring>

#include "base/text.h"
#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "schedule/display_flags.h"
#include "settings/settings_store.h"

namespace hiyomi {

namespace {

constexpr int kSimplified = 1;
constexpr int kFirstZoomStep = IDM_ZOOM_STANDARD - IDM_DISPLAY_FIRST + 1;  // n = 51
constexpr int kLastZoomStep = IDM_AGE_TABLE - IDM_DISPLAY_FIRST - 1;      // n = 97
constexpr int kFlagBits = 32;

MenuItem Command(int id, std::string caption, bool ticked = false) {
  return MenuItem{MenuItemKind::kCommand, id, std::move(caption), ticked, Submenu::kNone};
}
MenuItem Separator() { return MenuItem{}; }
MenuItem Opens(Submenu submenu, std::string caption) {
  return MenuItem{MenuItemKind::kSubmenu, 0, std::move(caption), false, submenu};
}

bool FlagSet(uint32_t flags, int bit) { return bit < kFlagBits && (flags >> bit & 1u) != 0; }

}  // namespace

std::vector<MenuItem> MainMenuItems(const MainMenuState& state) {
  std::vector<MenuItem> items;
  if (state.menuType == kSimplified) {
    // The buttons the simplified row leaves out lead the menu instead.
    items.push_back(Opens(Submenu::kDisplay, "表示"));
    items.push_back(Command(IDB_TOP, "Top", state.onTop));
    items.push_back(Command(IDB_MEMO, "メモ", state.memoEditing));
    if (state.notrikUsable) items.push_back(Command(IDB_NOTRIK, "Notrik", state.notrikRunning));
    items.push_back(Separator());
  }
  items.push_back(Command(IDM_OPTIONS, state.iniFile ? "設定(Ini)" : "設定(Reg)"));
  items.push_back(Opens(Submenu::kSections, "設定読込"));
  items.push_back(Command(IDM_PRINT_SETTINGS, "予定表設定"));
  items.push_back(Command(IDM_CSV_EXPORT, "CSV出力"));
  items.push_back(Command(IDM_ICS_EXPORT, "iCalendar出力"));
  items.push_back(Separator());
  items.push_back(Opens(Submenu::kTemporary, "一時予定"));
  items.push_back(Separator());
  items.push_back(Command(IDM_HELP, "Help"));
  items.push_back(Command(IDM_ABOUT, "About"));
  items.push_back(Separator());
  if (state.resident) {
    items.push_back(Command(IDM_TO_TRAY, "閉じる"));
  } else {
    items.push_back(Command(IDM_TO_TRAY, "ﾀｽｸﾄﾚｲへ"));
    items.push_back(Command(IDM_EXIT, "終了"));
  }
  return items;
}

std::vector<MenuItem> TemporaryMenuItems() {
  return {Command(IDM_TEMPORARY_READ, "読込"), Command(IDM_TEMPORARY_EDIT1, "編集1"),
          Command(IDM_TEMPORARY_EDIT2, "編集2"), Separator(), Command(IDM_TEMPORARY_COPY, "複写")};
}

std::vector<MenuItem> TrayMenuItems() {
  return {Command(IDM_RESTORE, "開く"),         Separator(), Command(IDM_HELP, "Help"),
          Command(IDM_ABOUT_ON_SCREEN, "About"), Separator(), Command(IDM_EXIT, "終了")};
}

std::vector<std::string> SectionNames(const char* list, int bytes) {
  std::vector<std::string> names;
  int at = 0;
  while (at < bytes && list[at] != '\0' && static_cast<int>(names.size()) < kMaxSectionItems) {
    const int length = static_cast<int>(std::strlen(list + at));
    char name[kSectionItemTextSize];
    CopyText(name, list + at, sizeof name);
    names.emplace_back(name);
    at += length + 1;
  }
  return names;
}

int SectionIndexOf(std::span<const std::string> names, const char* current) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameSettingsName(names[i].c_str(), current)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<MenuItem> SectionMenuItems(std::span<const std::string> names, const char* current) {
  std::vector<MenuItem> items;
  const int currentIndex = SectionIndexOf(names, current);
  for (size_t i = 0; i < names.size() && i < kMaxSectionItems; ++i) {
    items.push_back(Command(IDM_SECTION_FIRST + static_cast<int>(i), names[i],
                            static_cast<int>(i) == currentIndex));
  }
  return items;
}

bool DisplayItemTicked(const DisplayTicks& ticks, int id) {
  if (id == IDM_SHOW_SECRET) return ticks.secretUnlocked;
  if (id == IDM_TABLE_VIEW) return ticks.tableView;
  if (id >= IDM_ZOOM_STANDARD && id < IDM_AGE_TABLE) return id == ticks.zoomItem;
  if (id >= IDM_DISPLAY_FIRST && id < IDM_CLEAR_ALL) return FlagSet(ticks.flags, id - IDM_DISPLAY_FIRST);
  return false;
}

std::vector<MenuItem> DisplayMenuItems(const DisplayTicks& ticks, bool notrikOn, bool secretOn,
                                       std::span<const char* const> categoryNames) {
  auto item = [&ticks](int id, const char* caption) {
    return Command(id, caption, DisplayItemTicked(ticks, id));
  };
  std::vector<MenuItem> items;
  items.push_back(item(IDM_SHOW_REGULAR, "定期予定"));
  if (notrikOn) items.push_back(item(IDM_SHOW_TODO, "ＴｏＤｏ"));
  if (secretOn) items.push_back(item(IDM_SHOW_SECRET, "Secret"));
  items.push_back(item(IDM_SHOW_TEMPORARY, "一時予定"));
  items.push_back(Separator());
  for (size_t k = 0; k < categoryNames.size(); ++k) {
    const char* name = categoryNames[k];
    if (name != nullptr && name[0] != '\0') {
      items.push_back(item(IDM_SHOW_CATEGORY_FIRST + static_cast<int>(k), name));
    }
  }
  items.push_back(Separator());
  items.push_back(item(IDM_CLEAR_ALL, "全クリア"));
  items.push_back(item(IDM_SELECT_ALL, "全選択"));
  items.push_back(Opens(Submenu::kZoom, "倍率"));
  items.push_back(Separator());
  items.push_back(item(IDM_AGE_TABLE, "年齢早見表"));
  items.push_back(item(IDM_TABLE_VIEW, "予定表"));
  return items;
}

std::vector<MenuItem> ZoomMenuItems(const DisplayTicks& ticks) {
  std::vector<MenuItem> items;
  items.push_back(Command(IDM_ZOOM_STANDARD, "標準", DisplayItemTicked(ticks, IDM_ZOOM_STANDARD)));
  items.push_back(Separator());
  for (int step : kZoomSteps) {
    char caption[8];
    std::snprintf(caption, sizeof caption, "%3d%%", 10 * step);
    const int id = IDM_ZOOM_STANDARD + step;
    items.push_back(Command(id, caption, DisplayItemTicked(ticks, id)));
  }
  return items;
}

DisplayStep RunDisplayCommand(int n, uint32_t& flags, bool notrikOn, int optionZoom) {
  constexpr int kSecret = IDM_SHOW_SECRET - IDM_DISPLAY_FIRST;
  constexpr int kClearAll = IDM_CLEAR_ALL - IDM_DISPLAY_FIRST;
  constexpr int kSelectAll = IDM_SELECT_ALL - IDM_DISPLAY_FIRST;
  constexpr int kStandardZoom = IDM_ZOOM_STANDARD - IDM_DISPLAY_FIRST;
  constexpr int kAgeTable = IDM_AGE_TABLE - IDM_DISPLAY_FIRST;
  constexpr int kTableView = IDM_TABLE_VIEW - IDM_DISPLAY_FIRST;
  if (n == kSecret) return DisplayStep{DisplayAction::kSecret};
  if (n == kClearAll) {
    flags = 0;
  } else if (n == kSelectAll) {
    // Without the Notrik link there are no to-do entries to show.
    flags = notrikOn ? kShowAll : kShowAll & ~kShowToDo;
  } else if (n == kStandardZoom) {
    return DisplayStep{DisplayAction::kZoom, optionZoom, IDM_ZOOM_STANDARD};
  } else if (n >= kFirstZoomStep && n <= kLastZoomStep) {
    return DisplayStep{DisplayAction::kZoom, 10 * n - 500, IDM_DISPLAY_FIRST + n};
  } else if (n == kAgeTable) {
    return DisplayStep{DisplayAction::kAgeTable};
  } else if (n == kTableView) {
    return DisplayStep{DisplayAction::kTableView};
  } else if (n >= 0 && n < kFlagBits) {
    flags ^= 1u << n;
  }
  return DisplayStep{};
}

int ZoomItemAfterLeaving(int zoomItem, int oldZoom, int optionZoom) {
  if (zoomItem == IDM_ZOOM_STANDARD && oldZoom == optionZoom) return 0;
  if (zoomItem == IDM_ZOOM_STANDARD + oldZoom / 10) return 0;
  return zoomItem;
}

std::vector<ButtonPlace> ButtonRowPlaces(const Options& options, bool notrikButton,
                                         bool editorButton) {
  if (options.MenuType == kSimplified) {
    return {{IDB_TODAY, "■", 0, 15, true},          {IDB_YEAR_BACK, "<<", 15, 15, true},
            {IDB_MONTH_BACK, "<", 30, 15, true},     {IDB_MONTH_TITLE, "", 45, 80, true},
            {IDB_MONTH_FORWARD, ">", 125, 15, true}, {IDB_YEAR_FORWARD, ">>", 140, 15, true},
            {IDB_PICKER_OK, "○", 125, 15, false},    {IDB_PICKER_CANCEL, "×", 140, 15, false},
            {IDB_MENU, "M", 155, 15, true}};
  }
  std::vector<ButtonPlace> places = {
      {IDB_TODAY, MovesToDayOne(options) ? "今月" : "今日", 0, 30, true},
      {IDB_YEAR_BACK, "<<年", 30, 30, true},
      {IDB_MONTH_BACK, "<月", 60, 30, true},
      {IDB_MONTH_TITLE, "", 90, 150, true},
      {IDB_MONTH_FORWARD, "月>", 240, 30, true},
      {IDB_YEAR_FORWARD, "年>>", 270, 30, true},
      {IDB_PICKER_OK, "○", 200, 20, false},
      {IDB_PICKER_CANCEL, "×", 220, 20, false},
      {IDB_DISPLAY, "表示", 300, 40, true},
      {IDB_TOP, "Top", 340, 40, true},
      {IDB_MEMO, "メモ", 380, 40, true},
  };
  int next = 420;
  if (notrikButton) {
    places.push_back({IDB_NOTRIK, "Notrik", next, 40, true});
    next += 40;
  }
  if (editorButton) {
    places.push_back({IDB_EDITOR, options.TDBtnTitle, next, 40, true});
    next += 40;
  }
  places.push_back({IDB_MENU, "Menu", next, 40, true});
  return places;
}

}  // namespace hiyomi
