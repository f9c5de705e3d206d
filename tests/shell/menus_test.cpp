// The main window's menus as a user meets them: the real Hiyomi.exe, its
// "Menu" and "表示" buttons pressed from outside, the popup menus found on
// the screen and steered with the keys a user presses, and what the choice
// changed read back from the window and the settings file.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "shell/main_menus_win.h"
#include "tests/shell/hiyomi_process.h"

namespace hiyomi {

namespace {

using hiyomi_test::Process;

// A layout wider than the screen (366 ten-pixel columns in one row), so the
// column bar tells the zoom by its page and the column count by its range.
constexpr char kWideRows[] =
    "YokoSize=10\r\nTate=1\r\nPtn0=0\r\nPtn3=6\r\nPtn5=9\r\nPenSize0=2\r\nZoom=150\r\n";

class ProgramMenus : public ::testing::Test {
 protected:
  static void StartWith(const char* folderName, const std::string& ini) {
    process_ = new Process;
    exe_ = hiyomi_test::FreshCopy(HIYOMI_EXE, folderName, ini.c_str());
    ASSERT_FALSE(exe_.empty()) << HIYOMI_EXE;
    ASSERT_TRUE(hiyomi_test::Start(exe_, *process_));
    window_ = hiyomi_test::WaitForVisibleWindow(process_->info.dwProcessId);
    ASSERT_NE(window_, nullptr);
  }
  static void Close() {
    if (window_ != nullptr) {
      PostMessageA(window_, WM_CLOSE, 0, 0);
      EXPECT_EQ(process_->WaitExit(hiyomi_test::kStartTimeoutMs), 0u);
    }
    delete process_;
    process_ = nullptr;
    window_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(window_, nullptr) << "the program did not start"; }

  static HWND Control(int id) { return GetDlgItem(window_, id); }

  // As a click on the button: posted, since the menu runs until chosen.
  static void Press(int id) {
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
  }

  // The program's open popup menu windows, the newest (a submenu) first.
  static HWND OpenMenu() {
    struct Search {
      DWORD processId;
      HWND found;
    } search{process_->info.dwProcessId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          char className[16] = {};
          GetClassNameA(window, className, sizeof className);
          if (owner == s.processId && std::string(className) == "#32768" &&
              IsWindowVisible(window)) {
            s.found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  static HWND WaitForMenu() {
    for (int waited = 0; waited < 10000; waited += 50) {
      if (HWND menu = OpenMenu()) return menu;
      Sleep(50);
    }
    return nullptr;
  }
  static bool WaitMenuGone() {
    for (int waited = 0; waited < 10000; waited += 50) {
      if (OpenMenu() == nullptr) return true;
      Sleep(50);
    }
    return false;
  }

  // Keys go to the menu's thread, where the menu reads them. Wine destroys
  // a submenu's window when it closes, so they are posted to the top one.
  static void Keys(HWND menu, std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) {
      PostMessageA(menu, WM_KEYDOWN, key, 1);
      PostMessageA(menu, WM_KEYUP, key, 0xC0000001);
    }
  }

  static POINT BottomLeft(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    return POINT{box.left, box.bottom};
  }
  static POINT TopLeft(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    return POINT{box.left, box.top};
  }

  static SCROLLINFO ColumnBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    GetScrollInfo(Control(IDC_COLUMN_SCROLL), SB_CTL, &info);
    return info;
  }
  // Columns that fit the client width at the zoom: the row-label column is
  // PenSize0 / 2 = 1 pixel, the vertical bar 16.
  static int PageAt(int zoom) {
    RECT client{};
    GetClientRect(window_, &client);
    const int page = std::max((static_cast<int>(client.right - 16) * 100 / zoom - 1) / 10, 1);
    return std::min(page, static_cast<int>(ColumnBar().nMax) + 1);
  }
  static bool WaitFor(bool (*condition)()) {
    for (int waited = 0; waited < 10000; waited += 50) {
      if (condition()) return true;
      Sleep(50);
    }
    return condition();
  }

  static Process* process_;
  static HWND window_;
  static std::string exe_;
};

Process* ProgramMenus::process_ = nullptr;
HWND ProgramMenus::window_ = nullptr;
std::string ProgramMenus::exe_;

// The profile in use is "Home"; "Work" is another with more columns.
class StandardMenus : public ProgramMenus {
 protected:
  static void SetUpTestSuite() {
    StartWith("hiyomi-menus-test", std::string("[Default]\r\nSection=Home\r\n[Home]\r\nYoko=366\r\n") +
                                       kWideRows + "[Work]\r\nYoko=300\r\n" + kWideRows);
  }
  static void TearDownTestSuite() { Close(); }
};

TEST_F(StandardMenus, MenuAndDisplayOpenBelowTheirButtons) {
  for (int button : {IDB_MENU, IDB_DISPLAY}) {
    ASSERT_TRUE(IsWindowVisible(Control(button))) << button;
    Press(button);
    HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr) << button;
    const POINT corner = TopLeft(menu);
    const POINT below = BottomLeft(Control(button));
    EXPECT_EQ(corner.x, below.x) << button;
    EXPECT_EQ(corner.y, below.y) << button;
    Keys(menu, {VK_ESCAPE});
    ASSERT_TRUE(WaitMenuGone()) << button;
  }
}

// "倍率" is the third item from the end of the display menu; "100%" the
// fourth below "標準" (the separator is passed over).
TEST_F(StandardMenus, AZoomChosenFromTheDisplayMenuShowsInTheColumnPage) {
  ASSERT_EQ(static_cast<int>(ColumnBar().nPage), PageAt(150));
  Press(IDB_DISPLAY);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  Keys(menu, {VK_END, VK_UP, VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(WaitMenuGone());
  EXPECT_TRUE(WaitFor([] { return static_cast<int>(ColumnBar().nPage) == PageAt(100); }))
      << ColumnBar().nPage << " columns";
}

// "設定読込" is the second item; its list is Default, Home, Work.
TEST_F(StandardMenus, LoadingAnotherSectionKeepsTheCurrentOne) {
  ASSERT_EQ(ColumnBar().nMax, 365);
  Press(IDB_MENU);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  Keys(menu, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(WaitMenuGone());
  EXPECT_TRUE(WaitFor([] { return ColumnBar().nMax == 299; })) << ColumnBar().nMax;
  char section[64] = {};
  const std::string ini = hiyomi_test::FolderOf(exe_) + "\\Hiyomi.ini";
  GetPrivateProfileStringA("Default", "Section", "", section, sizeof section, ini.c_str());
  EXPECT_STREQ(section, "Home");
  char workColumns[16] = {};
  GetPrivateProfileStringA("Work", "Yoko", "", workColumns, sizeof workColumns, ini.c_str());
  EXPECT_STREQ(workColumns, "300");
}

// "年齢早見表" is the second item from the end; the table reads
// HiyomiAge.ini beside the program.
TEST_F(StandardMenus, TheAgeTableOpensFromTheDisplayMenu) {
  const std::string ageIni = hiyomi_test::FolderOf(exe_) + "\\HiyomiAge.ini";
  WritePrivateProfileStringA("Default", "Birth1", "花子,-1990", ageIni.c_str());
  Press(IDB_DISPLAY);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  Keys(menu, {VK_END, VK_UP, VK_RETURN});
  HWND table = nullptr;
  for (int waited = 0; waited < 10000 && table == nullptr; waited += 50) {
    // Visible once its initialisation has filled it.
    table = FindWindowA("#32770", "年齢早見表");
    if (table != nullptr && !IsWindowVisible(table)) table = nullptr;
    if (table == nullptr) Sleep(50);
  }
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(GetWindow(table, GW_OWNER), window_);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(SendDlgItemMessageA(table, 8001, LVM_GETITEMCOUNT, 0, 0), now.wYear - 1880 + 1);
  EXPECT_EQ(SendDlgItemMessageA(table, 8002, CB_GETCOUNT, 0, 0), 8);  // seven systems and 花子
  PostMessageA(table, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([] { return FindWindowA("#32770", "年齢早見表") == nullptr; }));
  DeleteFileA(ageIni.c_str());
}

class SimplifiedMenus : public ProgramMenus {
 protected:
  static void SetUpTestSuite() { StartWith("hiyomi-menus-simple-test", "[Default]\r\nMenuType=1\r\n"); }
  static void TearDownTestSuite() { Close(); }
};

TEST_F(SimplifiedMenus, RowEndsWithMAndItsMenuOpensBelowIt) {
  int shown = 0;
  for (int id = IDB_TODAY; id <= IDB_EDITOR; ++id) {
    if (id != IDB_DAY_BACK && id != IDB_DAY_FORWARD && IsWindowVisible(Control(id))) ++shown;
  }
  EXPECT_EQ(shown, 7);  // with "○" and "×", hidden until the picker opens, the row's nine
  for (int id : {IDB_DISPLAY, IDB_TOP, IDB_MEMO, IDB_NOTRIK, IDB_EDITOR}) {
    EXPECT_FALSE(IsWindowVisible(Control(id))) << id;
  }
  RECT button{};
  GetWindowRect(Control(IDB_MENU), &button);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, 155);
  EXPECT_EQ(button.right - button.left, 15);
  char caption[8] = {};
  GetWindowTextA(Control(IDB_MENU), caption, sizeof caption);
  EXPECT_STREQ(caption, "M");

  Press(IDB_MENU);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  const POINT corner = TopLeft(menu);
  const POINT below = BottomLeft(Control(IDB_MENU));
  EXPECT_EQ(corner.x, below.x);
  EXPECT_EQ(corner.y, below.y);
  // The first item opens the display menu.
  Keys(menu, {VK_DOWN, VK_RIGHT});
  for (int waited = 0; waited < 5000 && OpenMenu() == menu; waited += 50) Sleep(50);
  HWND display = OpenMenu();
  EXPECT_NE(display, menu);
  Keys(menu, {VK_ESCAPE, VK_ESCAPE});
  ASSERT_TRUE(WaitMenuGone());
}

// In-process: the Win32 menus the lists become, and who destroys them.
HMENU SubmenuAt(HMENU menu, HMENU wanted) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetSubMenu(menu, i) == wanted) return wanted;
  }
  return nullptr;
}

bool Checked(HMENU menu, int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

TEST(MenuHandles, RebuiltWithTheirSubmenusAndAllGoneOnRelease) {
  MainMenus menus;
  BuildTrayMenu(menus);
  const HMENU tray = menus.tray.get();
  EXPECT_EQ(GetMenuItemCount(tray), 6);
  const char* categories[10] = {"仕事", "", "", "", "", "", "", "", "", ""};
  std::vector<HMENU> earlier;
  for (int menuType : {0, 1, 0}) {
    MainMenusInput input;
    input.main.menuType = menuType;
    input.categoryNames = categories;
    input.sections = {"Default", "Home"};
    input.currentSection = "Home";
    input.ticks.zoomItem = IDM_ZOOM_STANDARD + 12;
    RebuildMainMenus(menus, input);
    for (HMENU old : earlier) EXPECT_FALSE(IsMenu(old)) << menuType;
    earlier = {menus.main.get(), menus.display.get(), menus.zoom.get()};
    EXPECT_EQ(menus.tray.get(), tray);

    const HMENU main = menus.main.get();
    EXPECT_EQ(GetMenuItemCount(main), static_cast<int>(MainMenuItems(input.main).size()));
    EXPECT_EQ(SubmenuAt(main, menus.display.get()) != nullptr, menuType == 1) << menuType;
    const HMENU sections = GetSubMenu(main, menuType == 1 ? 5 : 1);
    ASSERT_NE(sections, nullptr);
    EXPECT_EQ(GetMenuItemCount(sections), 2);
    EXPECT_FALSE(Checked(sections, IDM_SECTION_FIRST));
    EXPECT_TRUE(Checked(sections, IDM_SECTION_FIRST + 1));
    EXPECT_EQ(menus.currentSection, 1);

    EXPECT_NE(SubmenuAt(menus.display.get(), menus.zoom.get()), nullptr);
    EXPECT_NE(GetMenuState(menus.display.get(), IDM_SHOW_CATEGORY_FIRST, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_TRUE(Checked(menus.zoom.get(), IDM_ZOOM_STANDARD + 12));
    EXPECT_FALSE(Checked(menus.zoom.get(), IDM_ZOOM_STANDARD));
  }
  earlier.push_back(tray);
  menus.Release();
  for (HMENU gone : earlier) EXPECT_FALSE(IsMenu(gone));
  EXPECT_EQ(menus.main.get(), nullptr);
}

}  // namespace

}  // namespace hiyomi
