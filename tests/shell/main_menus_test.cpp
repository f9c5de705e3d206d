#include "shell/main_menus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "schedule/display_flags.h"

namespace hiyomi {

namespace {

// A list as one line: "id caption" for a command ("*" after a ticked one),
// "-" for a separator, ">caption" for a submenu.
std::string Shape(const std::vector<MenuItem>& items) {
  std::string shape;
  for (const MenuItem& item : items) {
    if (!shape.empty()) shape += " | ";
    switch (item.kind) {
      case MenuItemKind::kSeparator: shape += "-"; break;
      case MenuItemKind::kSubmenu: shape += ">" + item.caption; break;
      case MenuItemKind::kCommand:
        shape += std::to_string(item.id) + " " + item.caption + (item.ticked ? "*" : "");
        break;
    }
  }
  return shape;
}

TEST(MainMenu, ItemsForBothMenuTypesAndBothResidentModes) {
  const std::string common =
      "260 設定(Ini) | >設定読込 | 261 予定表設定 | 273 CSV出力 | 290 iCalendar出力 | - | >一時予定 | - | "
      "262 Help | "
      "263 About | - | ";
  const std::string simplified = ">表示 | 211 Top | 212 メモ | - | ";
  struct Case {
    int menuType;
    bool resident;
    std::string expected;
  } cases[] = {
      {0, false, common + "265 ﾀｽｸﾄﾚｲへ | 266 終了"},
      {0, true, common + "265 閉じる"},
      {1, false, simplified + common + "265 ﾀｽｸﾄﾚｲへ | 266 終了"},
      {1, true, simplified + common + "265 閉じる"},
  };
  for (const Case& c : cases) {
    MainMenuState state;
    state.menuType = c.menuType;
    state.resident = c.resident;
    EXPECT_EQ(Shape(MainMenuItems(state)), c.expected) << c.menuType << " " << c.resident;
  }
}

TEST(MainMenu, SimplifiedTypeTicksItsTogglesAndShowsNotrikOnlyWhenUsable) {
  MainMenuState state;
  state.menuType = 1;
  state.iniFile = false;
  state.onTop = true;
  state.notrikUsable = true;
  state.notrikRunning = true;
  const std::vector<MenuItem> items = MainMenuItems(state);
  EXPECT_EQ(Shape({items.begin(), items.begin() + 6}),
            ">表示 | 211 Top* | 212 メモ | 213 Notrik* | - | 260 設定(Reg)");
  EXPECT_EQ(items[0].submenu, Submenu::kDisplay);
  state.menuType = 0;
  EXPECT_EQ(MainMenuItems(state).front().caption, "設定(Reg)");
}

TEST(MainMenu, SubmenusAndTrayMenu) {
  EXPECT_EQ(Shape(TemporaryMenuItems()), "274 読込 | 275 編集1 | 276 編集2 | - | 279 複写");
  EXPECT_EQ(Shape(TrayMenuItems()), "267 開く | - | 262 Help | 264 About | - | 266 終了");
  MainMenuState state;
  const std::vector<MenuItem> items = MainMenuItems(state);
  EXPECT_EQ(items[1].submenu, Submenu::kSections);
  EXPECT_EQ(items[6].submenu, Submenu::kTemporary);
}

std::string SectionList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += name + '\0';
  return list;  // the final zero is the string's own
}

TEST(SectionMenu, CurrentSectionTickedRegardlessOfCase) {
  const std::string list = SectionList({"Default", "Home", "仕事"});
  const std::vector<std::string> names = SectionNames(list.c_str(), static_cast<int>(list.size()));
  EXPECT_EQ(Shape(SectionMenuItems(names, "home")), "400 Default | 401 Home* | 402 仕事");
  EXPECT_EQ(Shape(SectionMenuItems(names, "仕事")), "400 Default | 401 Home | 402 仕事*");
  EXPECT_EQ(SectionIndexOf(names, "Nowhere"), -1);
  EXPECT_EQ(Shape(SectionMenuItems(names, "Nowhere")), "400 Default | 401 Home | 402 仕事");
  EXPECT_TRUE(SectionNames("", 0).empty());
}

TEST(SectionMenu, MoreThanAHundredSectionsListTheFirstHundred) {
  std::vector<std::string> many;
  for (int i = 0; i < 150; ++i) many.push_back("S" + std::to_string(i));
  const std::string list = SectionList(many);
  const std::vector<std::string> names = SectionNames(list.c_str(), static_cast<int>(list.size()));
  ASSERT_EQ(names.size(), 100u);
  const std::vector<MenuItem> items = SectionMenuItems(names, "S120");
  ASSERT_EQ(items.size(), 100u);
  EXPECT_EQ(items.front().id, IDM_SECTION_FIRST);
  EXPECT_EQ(items.back().id, IDM_SECTION_LAST);
  EXPECT_EQ(items.back().caption, "S99");
  for (const MenuItem& item : items) EXPECT_FALSE(item.ticked) << item.caption;
}

TEST(SectionMenu, ANameIsCutToAHundredBytesOnACharacter) {
  // 99 ASCII bytes, then a double-byte character that would end on byte 101.
  const std::string longName = std::string(99, 'a') + "表" + "b";
  const std::string list = SectionList({longName});
  const std::vector<std::string> names = SectionNames(list.c_str(), static_cast<int>(list.size()));
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], std::string(99, 'a'));
}

constexpr const char* kNoCategories[10] = {"", "", "", "", "", "", "", "", "", ""};

TEST(DisplayMenu, ItemsFollowTheOptionsAndTheNamedCategories) {
  const std::string tail =
      "- | 348 全クリア | 349 全選択 | >倍率 | - | 398 年齢早見表 | 399 予定表";
  DisplayTicks ticks;
  ticks.flags = ~(kShowTemporary | 1u << (kFirstCategoryBit + 2));
  const char* categories[10] = {"仕事", "", "私用", "", "", "", "", "", "", "旅行"};
  struct Case {
    bool notrik;
    bool secret;
    bool unlocked;
    const char* const* names;
    std::string expected;
  } cases[] = {
      {false, false, false, kNoCategories, "300 定期予定* | 303 一時予定 | - | " + tail},
      {true, true, false, kNoCategories,
       "300 定期予定* | 301 ＴｏＤｏ* | 302 Secret | 303 一時予定 | - | " + tail},
      {false, true, true, categories,
       "300 定期予定* | 302 Secret* | 303 一時予定 | - | 304 仕事* | 306 私用 | 313 旅行* | " +
           tail},
  };
  for (const Case& c : cases) {
    ticks.secretUnlocked = c.unlocked;
    EXPECT_EQ(Shape(DisplayMenuItems(ticks, c.notrik, c.secret, {c.names, 10})), c.expected)
        << c.notrik << c.secret << c.unlocked;
  }
  ticks.tableView = true;
  EXPECT_TRUE(DisplayMenuItems(ticks, false, false, kNoCategories).back().ticked);
}

TEST(DisplayCommands, TogglesClearAndSelectAll) {
  struct Case {
    int n;
    bool notrik;
    uint32_t before;
    uint32_t after;
  } cases[] = {
      {0, false, 0xFFFFFFFFu, 0xFFFFFFFEu},
      {0, false, 0xFFFFFFFEu, 0xFFFFFFFFu},
      {3, false, 0u, kShowTemporary},
      {4 + 9, false, 0u, 1u << 13},
      {47, false, 0x1234u, 0x1234u},  // beyond the 32 flags: nothing
      {48, true, 0xFFFFFFFFu, 0u},
      // Without the Notrik link the to-do entries stay hidden.
      {49, false, 0u, 0xFFFFFFFDu},
      {49, true, 0u, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) {
    uint32_t flags = c.before;
    const DisplayStep step = RunDisplayCommand(c.n, flags, c.notrik, 100);
    EXPECT_EQ(step.action, DisplayAction::kRedraw) << c.n;
    EXPECT_EQ(flags, c.after) << c.n;
  }
}

TEST(DisplayCommands, ZoomAndTheCommandsOfOtherFeatures) {
  struct Case {
    int n;
    DisplayAction action;
    int zoom;
    int zoomItem;
  } cases[] = {
      {50, DisplayAction::kZoom, 130, 350}, {55, DisplayAction::kZoom, 50, 355},
      {60, DisplayAction::kZoom, 100, 360}, {70, DisplayAction::kZoom, 200, 370},
      {2, DisplayAction::kSecret, 0, 0},    {98, DisplayAction::kAgeTable, 0, 0},
      {99, DisplayAction::kTableView, 0, 0},
  };
  for (const Case& c : cases) {
    uint32_t flags = 0xFFFFFFFFu;
    const DisplayStep step = RunDisplayCommand(c.n, flags, true, 130);
    EXPECT_EQ(step.action, c.action) << c.n;
    EXPECT_EQ(step.zoom, c.zoom) << c.n;
    EXPECT_EQ(step.zoomItem, c.zoomItem) << c.n;
    EXPECT_EQ(flags, 0xFFFFFFFFu) << c.n;
  }
}

TEST(ZoomMenu, CaptionsAndTheTickKeptAcrossRebuilds) {
  DisplayTicks ticks;
  EXPECT_EQ(Shape(ZoomMenuItems(ticks)),
            "350 標準* | - | 355  50% | 358  80% | 359  90% | 360 100% | 362 120% | 365 150% | "
            "370 200%");
  uint32_t flags = ticks.flags;
  ticks.zoomItem = RunDisplayCommand(65, flags, false, 100).zoomItem;
  for (int build = 0; build < 2; ++build) {
    int tickedId = 0;
    int tickedCount = 0;
    for (const MenuItem& item : ZoomMenuItems(ticks)) {
      if (item.ticked) {
        tickedId = item.id;
        ++tickedCount;
      }
    }
    EXPECT_EQ(tickedCount, 1) << build;
    EXPECT_EQ(tickedId, 365) << build;
  }
}

TEST(ZoomMenu, LeavingAZoomUnticksItsItems) {
  struct Case {
    int zoomItem;
    int oldZoom;
    int optionZoom;
    int after;
  } cases[] = {
      {350, 120, 120, 0},  {350, 121, 120, 350}, {362, 120, 100, 0},
      {360, 100, 100, 0},  {355, 101, 100, 355}, {0, 100, 100, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZoomItemAfterLeaving(c.zoomItem, c.oldZoom, c.optionZoom), c.after)
        << c.zoomItem << " from " << c.oldZoom;
  }
}

TEST(NotrikLink, UsableWhenOnAndThePathNamesTheProgram) {
  struct Case {
    int on;
    const char* path;
    bool usable;
  } cases[] = {
      {1, "C:\\Tools\\Notrik.exe", true},
      {1, "C:\\表示\\NOTRIK.EXE", true},
      {1, "notrik.exe", true},
      {0, "C:\\Tools\\Notrik.exe", false},
      {1, "C:\\Tools\\Notrik.exe.bak", false},
      {1, "otrik.exe", false},
      {1, "", false},
      // "ク" ends in the byte of "N": no program name starts there.
      {1, "C:\\クotrik.exe", false},
  };
  for (const Case& c : cases) {
    Options options{};
    options.Notrik = c.on;
    std::strcpy(options.NotrikDir, c.path);
    EXPECT_EQ(NotrikLinkUsable(options), c.usable) << c.path;
  }
}

std::string RowShape(const std::vector<ButtonPlace>& places) {
  std::string shape;
  for (const ButtonPlace& p : places) {
    if (!p.shown) continue;
    if (!shape.empty()) shape += " ";
    shape += std::to_string(p.id) + "@" + std::to_string(p.x) + "+" + std::to_string(p.width);
  }
  return shape;
}

TEST(ButtonRow, SimplifiedTypeHasNineButtonsEndingWithMAt155) {
  Options options{};
  options.MenuType = 1;
  const std::vector<ButtonPlace> places = ButtonRowPlaces(options, true, true);
  ASSERT_EQ(places.size(), 9u);
  EXPECT_EQ(places.back().id, IDB_MENU);
  EXPECT_STREQ(places.back().caption, "M");
  EXPECT_EQ(places.back().x, 155);
  EXPECT_EQ(places.back().width, 15);
  EXPECT_EQ(RowShape(places), "200@0+15 203@15+15 201@30+15 214@45+80 202@125+15 204@140+15 206@155+15");
}

TEST(ButtonRow, StandardMenuButtonFollowsTheLastShownButton) {
  const std::string front = "200@0+30 203@30+30 201@60+30 214@90+150 202@240+30 204@270+30 ";
  const std::string middle = "205@300+40 211@340+40 212@380+40";
  struct Case {
    bool notrik;
    bool editor;
    std::string expected;
  } cases[] = {
      {false, false, front + middle + " 206@420+40"},
      {true, false, front + middle + " 213@420+40 206@460+40"},
      {false, true, front + middle + " 215@420+40 206@460+40"},
      {true, true, front + middle + " 213@420+40 215@460+40 206@500+40"},
  };
  Options options{};
  std::strcpy(options.TDBtnTitle, "編集1");
  for (const Case& c : cases) {
    const std::vector<ButtonPlace> places = ButtonRowPlaces(options, c.notrik, c.editor);
    EXPECT_EQ(RowShape(places), c.expected) << c.notrik << c.editor;
    EXPECT_STREQ(places.back().caption, "Menu");
  }
  EXPECT_STREQ(ButtonRowPlaces(options, false, true)[11].caption, "編集1");
}

}  // namespace

}  // namespace hiyomi
