// The options sheet from its real templates, driven with messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "base/message_box.h"
#include "base/win/ui_helpers.h"
#include "resources/optpage_view_ids.h"
#include "settings/memory_backend.h"
#include "settings/options_sheet_win.h"
#include "settings/settings_store.h"
#include "tests/schedule/dialog_driver.h"

namespace hiyomi {
namespace {

using testing::Click;
using testing::DriveNextDialog;
using testing::ExpectNoDriverPending;

constexpr int kApplyButtonId = 0x3021;  // the sheet's "Apply" when it has one

class OptionsSheetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    auto owned = std::make_unique<MemorySettingsBackend>();
    backend = owned.get();
    store.Attach(std::move(owned), kDefaultSection);
  }
  void TearDown() override { ExpectNoDriverPending(); }

  OptionsDialogState Run(std::function<void(HWND)> driver) {
    DriveNextDialog("設定", std::move(driver));
    return ShowOptionsDialog(nullptr, options, store, services);
  }

  // Known values in the store, which the sheet loads its options from.
  void Store(std::initializer_list<std::pair<const char*, const char*>> keys) {
    for (const auto& [key, text] : keys) backend->Write(kDefaultSection, key, text);
  }
  std::string Key(const char* key) const {
    const std::string* text = backend->Find(kDefaultSection, key);
    return text != nullptr ? *text : "(none)";
  }
  // The sheet driven, OK pressed and the options saved as the main window does.
  void RunAndSave(std::function<void(HWND)> driver) {
    OptionsDialogState state = Run(std::move(driver));
    ASSERT_TRUE(state.applied);
    ASSERT_TRUE(SaveOptions(options, store, state));
  }

  MemorySettingsBackend* backend = nullptr;
  SettingsStore store;
  Options options{};
  OptionsSheetServices services;
};

std::vector<std::string> PageTitles(HWND sheet) {
  HWND tabs = PropSheet_GetTabControl(sheet);
  std::vector<std::string> titles;
  const int count = TabCtrl_GetItemCount(tabs);
  for (int k = 0; k < count; ++k) {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, k, reinterpret_cast<LPARAM>(&item));
    titles.emplace_back(text);
  }
  return titles;
}

TEST_F(OptionsSheetTest, SevenPagesInOrderAndCancelAppliesNothing) {
  std::vector<std::string> titles;
  const OptionsDialogState state = Run([&](HWND sheet) {
    titles = PageTitles(sheet);
    HWND apply = GetDlgItem(sheet, kApplyButtonId);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply)) << "the sheet shows no Apply button";
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(titles, (std::vector<std::string>{"基本", "全体表示", "日表示", "色設定", "定期予定",
                                              "一時予定", "その他"}));
  EXPECT_FALSE(state.applied);
}

TEST_F(OptionsSheetTest, OkAppliesAndKeepsTheLoadedOptions) {
  const OptionsDialogState state = Run([](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); });
  EXPECT_TRUE(state.applied);
  EXPECT_EQ(options.MemoLine2, 30);
}

// ---- driving the pages

enum Page { kBasic, kWholeView, kDayView, kColors };

HWND ShowPage(HWND sheet, int index) {
  PropSheet_SetCurSel(sheet, nullptr, index);
  return PropSheet_GetCurrentPageHwnd(sheet);
}

void Choose(HWND page, int id, int index) {
  HWND list = GetDlgItem(page, id);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int Chosen(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0)); }
int Entries(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0)); }

std::string Text(HWND page, int id) {
  char text[128] = "";
  GetDlgItemTextA(page, id, text, sizeof text);
  return text;
}

// The sheet posts its buttons' commands to itself: they run once its queue
// is handled.
void PressAndHandle(HWND sheet, int button) {
  PropSheet_PressButton(sheet, button);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(sheet, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void Type(HWND page, int id, const char* text) { SetDlgItemTextA(page, id, text); }

bool Ticked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

void Tick(HWND page, int id, bool ticked) {
  if (Ticked(page, id) != ticked) Click(page, id);
}

// Answers every message box, keeping what they said.
class BoxAnswers {
 public:
  BoxAnswers() {
    previous_ = SetMessageAnswererForTests([this](MessageKind, const char* text) {
      said.emplace_back(text);
      return MessageAnswer::Ok;
    });
  }
  ~BoxAnswers() { SetMessageAnswererForTests(std::move(previous_)); }
  std::vector<std::string> said;

 private:
  MessageAnswerer previous_;
};

unsigned DayRule(int frequency, int month, int day, int weekday) {
  return (1u << 28) | (static_cast<unsigned>(frequency) << 24) | (static_cast<unsigned>(month) << 16) |
         (static_cast<unsigned>(day) << 8) | static_cast<unsigned>(weekday);
}

// ---- 基本

TEST_F(OptionsSheetTest, BasicPageShowsTheStoredOptionsAndStoresTheEditedOnes) {
  const std::string rule = std::to_string(DayRule(2, 3, 2, 3));  // 毎年 3月 第二 水曜
  Store({{"Ptn5", "-3"}, {"Ptn0", "-2"}, {"Weekday", "0x401"}, {"WeekdayP1", rule.c_str()},
         {"Trns0", "200"}, {"FontSize0", "11"}, {"FontBold0", "1"}, {"Zoom", "120"},
         {"MenuType", "1"}, {"TTType", "0x10"}, {"Ptn6", "1"}, {"TSR", "1"}});
  RunAndSave([](HWND sheet) {
    HWND page = ShowPage(sheet, kBasic);
    // Shown as stored.
    EXPECT_EQ(Chosen(page, IDC_START_DAY), 2);  // 火曜, not fixed
    EXPECT_FALSE(Ticked(page, IDX_START_DAY_FIXED));
    EXPECT_TRUE(Enabled(page, IDX_START_DAY_FIXED));
    EXPECT_EQ(Chosen(page, IDC_TARGET_ROW), 1);
    EXPECT_TRUE(Ticked(page, IDX_MOVE_TO_DAY_ONE));
    EXPECT_TRUE(Ticked(page, 1600));
    EXPECT_FALSE(Ticked(page, 1606));
    EXPECT_TRUE(Ticked(page, 1610));  // 他2
    EXPECT_EQ(Chosen(page, 1635), 1);  // 日
    EXPECT_EQ(Entries(page, 1633), 37);
    EXPECT_EQ((std::vector<int>{Chosen(page, 1631), Chosen(page, 1632), Chosen(page, 1633), Chosen(page, 1634)}),
              (std::vector<int>{2, 3, 2, 3}));
    EXPECT_EQ(Entries(page, 1641), 0) << "a row without kind has empty lists";
    EXPECT_EQ(Text(page, IDE_OPACITY_ACTIVE), "200");
    EXPECT_EQ(Text(page, IDE_BASIC_FONT_SIZE), "11");
    EXPECT_TRUE(Ticked(page, IDX_BASIC_FONT_BOLD));
    EXPECT_EQ(Text(page, IDE_ZOOM), "120");
    EXPECT_TRUE(Ticked(page, IDR_MENU_SIMPLE));
    EXPECT_TRUE(Ticked(page, IDX_TOOLTIP_GENERAL));
    EXPECT_FALSE(Ticked(page, IDX_TOOLTIP_SCHEDULE));
    EXPECT_TRUE(Ticked(page, IDX_KEEP_WINDOW_PLACE));
    EXPECT_TRUE(Ticked(page, IDX_RESIDENT));

    // A date start day is always fixed; a weekday may be either again.
    Choose(page, IDC_START_DAY, 8);  // 毎月１日
    EXPECT_TRUE(Ticked(page, IDX_START_DAY_FIXED));
    EXPECT_FALSE(Enabled(page, IDX_START_DAY_FIXED));
    Choose(page, IDC_START_DAY, 3);  // 水曜
    EXPECT_TRUE(Enabled(page, IDX_START_DAY_FIXED));
    Tick(page, IDX_START_DAY_FIXED, false);
    Tick(page, IDX_MOVE_TO_DAY_ONE, false);
    Choose(page, IDC_TARGET_ROW, 2);

    Tick(page, 1600, false);
    Tick(page, 1606, true);
    // 他3 becomes a period: its lists are refilled for months and days.
    Tick(page, 1611, true);
    Choose(page, 1645, 2);
    EXPECT_EQ(Entries(page, 1641), 13);
    EXPECT_EQ(Entries(page, 1642), 32);
    Choose(page, 1641, 12);
    Choose(page, 1642, 29);
    Choose(page, 1643, 1);
    Choose(page, 1644, 3);
    // 他2's kind emptied: its word becomes 0.
    Choose(page, 1635, 0);
    EXPECT_EQ(Entries(page, 1631), 0);
    Tick(page, 1610, false);

    Type(page, IDE_OPACITY_ACTIVE, "300");
    Type(page, IDE_OPACITY_INACTIVE, "128");
    Type(page, IDE_BASIC_FONT_SIZE, "0");
    Type(page, IDC_BASIC_FONT, "IPAGothic");
    Tick(page, IDX_BASIC_FONT_ITALIC, true);
    Type(page, IDE_ZOOM, "500");
    Click(page, IDR_MENU_STANDARD);
    Tick(page, IDX_TOOLTIP_SCHEDULE, true);
    Tick(page, IDX_SCHEDULE_TABLE, true);
    Tick(page, IDX_RESIDENT, false);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });

  EXPECT_EQ(options.Ptn[5], ~3);
  EXPECT_EQ(options.Ptn[0], 2);
  const int restFlags[kRestFlagCount] = {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
  for (int i = 0; i < kRestFlagCount; ++i) EXPECT_EQ(options.Weekday[i], restFlags[i]) << "flag " << i;
  EXPECT_EQ(options.WeekdayP[1], 0u);
  EXPECT_EQ(options.WeekdayP[2], (2u << 28) | (12u << 24) | (29u << 16) | (1u << 8) | 3u);
  EXPECT_EQ(options.Trns[0], 255);
  EXPECT_EQ(options.Trns[1], 128);
  EXPECT_EQ(options.FontSize[0], 6) << "clamped to the smallest size";
  EXPECT_STREQ(options.FontName[0], "IPAGothic");
  EXPECT_EQ(options.FontBold[0], 1);
  EXPECT_EQ(options.FontItalic[0], 1);
  EXPECT_EQ(options.Zoom, 200) << "clamped to the largest zoom";
  EXPECT_EQ(options.MenuType, 0);
  EXPECT_EQ(options.FontSize[2], 12) << "the title font follows the standard menu type";
  EXPECT_EQ(options.TTType, 0x11);
  EXPECT_EQ(options.Note, 1);
  EXPECT_EQ(options.TSR, 0);
  EXPECT_EQ(options.Ptn[6], 1);

  EXPECT_EQ(Key("Ptn5"), "-4");
  EXPECT_EQ(Key("Ptn0"), "2");
  EXPECT_EQ(Key("Zoom"), "200");
  EXPECT_EQ(Key("FontSize0"), "6");
  EXPECT_EQ(Key("Trns0"), "255");
  EXPECT_EQ(Key("MenuType"), "0");
  EXPECT_EQ(Key("FontName0"), "IPAGothic");
  EXPECT_EQ(store.ReadInt("Weekday", "0", 0, 0xFFFF), (1 << 6) | (1 << 11));
  EXPECT_EQ(Key("WeekdayP1"), "0");
  EXPECT_EQ(Key("WeekdayP2"), std::to_string(options.WeekdayP[2]));
}

TEST_F(OptionsSheetTest, SimpleMenuTypeGivesTheTitleFontNinePoints) {
  RunAndSave([](HWND sheet) {
    HWND page = ShowPage(sheet, kBasic);
    Click(page, IDR_MENU_SIMPLE);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(options.MenuType, 1);
  EXPECT_EQ(options.FontSize[2], 9);
}

// A ticked rule is checked when the page is left and at OK; the sheet stays
// open on its message until the rule is mended.
TEST_F(OptionsSheetTest, AnInvalidTickedRestRuleRefusesOkUntilMended) {
  BoxAnswers boxes;
  std::vector<std::string> afterFirstOk;
  bool openAfterRefusal = false;
  RunAndSave([&](HWND sheet) {
    HWND page = ShowPage(sheet, kBasic);
    Tick(page, 1610, true);  // 他2
    Choose(page, 1635, 1);   // 日
    Choose(page, 1631, 1);   // 毎月
    Choose(page, 1632, 3);   // 3月: 毎月 takes no month
    Choose(page, 1633, 5);   // 1日
    // An unticked invalid row is not checked.
    Choose(page, 1625, 1);
    Choose(page, 1621, 2);  // 毎年 without month
    PressAndHandle(sheet, PSBTN_OK);
    afterFirstOk = boxes.said;
    openAfterRefusal = IsWindow(sheet) && PropSheet_GetCurrentPageHwnd(sheet) == page;
    // Leaving and coming back keeps it pending; mending it clears it.
    ShowPage(sheet, kWholeView);
    page = ShowPage(sheet, kBasic);
    Choose(page, 1632, 0);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(afterFirstOk, (std::vector<std::string>{"基本(休日 他2)のパラメタにエラーがあります。　　"}));
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(boxes.said.size(), 1u);
  EXPECT_EQ(options.Weekday[10], 1);
  EXPECT_EQ(options.WeekdayP[1], DayRule(1, 0, 5, 0));
}

// Every key and value a backend holds, in order.
std::string Dump(const MemorySettingsBackend& backend) {
  std::string out;
  for (const auto& section : backend.Sections()) {
    for (const auto& [key, value] : section.values) out += section.name + "." + key + "=" + value + "\n";
  }
  return out;
}

// Every page shown and OK pressed: what is stored is exactly what a save of
// the loaded options writes, so no control changes a value by itself.
TEST_F(OptionsSheetTest, OkWithoutChangesOnEveryPageStoresTheLoadedValues) {
  Store({{"BDayTime", "1440"}, {"Ptn5", "-9"}, {"PtnSDay", "9000"}, {"Ptn3", "0x12"}, {"MCType", "0"},
         {"Ptn0", "-3"}, {"WeekdayP0", std::to_string(DayRule(2, 12, 36, 0)).c_str()}, {"Weekday", "0x341"}});
  SettingsStore referenceStore;
  auto copy = std::make_unique<MemorySettingsBackend>(*backend);
  const MemorySettingsBackend& reference = *copy;
  referenceStore.Attach(std::move(copy), kDefaultSection);
  Options loaded{};
  LoadOptions(loaded, referenceStore, kDefaultSection);
  OptionsDialogState applied;
  applied.applied = true;
  SaveOptions(loaded, referenceStore, applied);

  RunAndSave([](HWND sheet) {
    constexpr int kPages = 7;
    for (int page = kPages - 1; page >= 0; --page) ShowPage(sheet, page);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(options.MemoLine2, 30);
  EXPECT_EQ(options.BDayTime, 1440) << "a time the picker cannot show is kept";
  EXPECT_EQ(Dump(*backend), Dump(reference));
}

}  // namespace
}  // namespace hiyomi
