// The options sheet from its real templates, driven with messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "base/message_box.h"
#include "base/win/ui_helpers.h"
#include "resources/optpage_view_ids.h"
#include "tests/settings/options_sheet_fixture.h"
#include "tests/settings/screen_picture.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr int kApplyButtonId = 0x3021;  // the sheet's "Apply" when it has one

class OptionsSheetTest : public OptionsSheetFixture {
 protected:
  // Known values in the store, which the sheet loads its options from.
  void Store(std::initializer_list<std::pair<const char*, const char*>> keys) {
    for (const auto& [key, text] : keys) backend->Write(kDefaultSection, key, text);
  }
  std::string Key(const char* key) const { return Stored(kDefaultSection, key); }
  // The sheet driven, OK pressed and the options saved as the main window does.
  void RunAndSave(std::function<void(HWND)> driver) {
    OptionsDialogState state = Run(std::move(driver));
    ASSERT_TRUE(state.applied);
    ASSERT_TRUE(SaveOptions(options, store, state));
  }
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

// Driving the pages.

enum Page { kBasic, kWholeView, kDayView, kColors };

int Entries(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0)); }

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

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

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

// Page 基本.

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

// Every key and value a backend holds, in order, but the keys of page
// 一時予定: that page writes them itself as it applies.
std::string DumpOptionKeys(const MemorySettingsBackend& backend) {
  std::string out;
  for (const auto& section : backend.Sections()) {
    for (const auto& [key, value] : section.values) {
      if (key.rfind("TD", 0) == 0) continue;
      out += section.name + "." + key + "=" + value + "\n";
    }
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
  EXPECT_EQ(DumpOptionKeys(*backend), DumpOptionKeys(reference));
}

// Page 全体表示.

TEST_F(OptionsSheetTest, WholeViewPageShowsTheStoredOptionsAndStoresTheEditedOnes) {
  Store({{"PenSize0", "3"}, {"Ptn1", "2"}, {"FontBold2", "0"}, {"FontItalic2", "1"}, {"Ptn2", "1"},
         {"YokoSize", "90"}, {"Yoko", "14"}, {"Ptn3", "0x12"}, {"TateLine", "4"}, {"Tate", "6"},
         {"MCType", "1"}, {"MemoPos", "0"}, {"MemoLine", "5"}, {"MemoLine2", "3"}, {"TextColor2", "0x123456"}});
  std::vector<std::string> monthTexts;
  RunAndSave([&](HWND sheet) {
    HWND page = ShowPage(sheet, kWholeView);
    EXPECT_EQ(Text(page, IDE_FRAME_PEN_SIZE), "3");
    EXPECT_EQ(Chosen(page, IDC_TITLE_FORMAT), 2);
    EXPECT_FALSE(Ticked(page, IDX_TITLE_FONT_BOLD));
    EXPECT_TRUE(Ticked(page, IDX_TITLE_FONT_ITALIC));
    EXPECT_EQ(Chosen(page, IDC_HORIZONTAL_HEADER), 1);
    EXPECT_EQ(Text(page, IDE_COLUMN_SIZE), "90");
    EXPECT_EQ(Text(page, IDE_DAYS_ACROSS), "14");
    EXPECT_EQ(Chosen(page, IDC_ROW_LABELS), 2);
    EXPECT_EQ(Chosen(page, IDC_ROW_NUMBERING), 1);
    EXPECT_EQ(Text(page, IDE_SCHEDULE_LINES), "4");
    EXPECT_EQ(Text(page, IDE_ROWS), "6");
    EXPECT_TRUE(Ticked(page, IDR_MEMO_ABOVE));
    EXPECT_EQ(Text(page, IDE_MEMO_LINES_MIN), "5");
    EXPECT_EQ(Text(page, IDE_MEMO_LINES_MAX), "5") << "raised to the minimum when loaded";
    EXPECT_TRUE(Ticked(page, 3001));
    EXPECT_TRUE(Enabled(page, 2001));
    EXPECT_FALSE(Ticked(page, 3105)) << "colour 5 has no background by default";
    EXPECT_FALSE(Enabled(page, 2105));

    for (int k = 0; k < 4; ++k) {
      monthTexts.push_back(Text(page, IDB_REFERENCE_MONTH));
      Click(page, IDB_REFERENCE_MONTH);
    }
    Click(page, IDB_REFERENCE_MONTH);  // five clicks from "当 月": "対象月"

    Type(page, IDE_FRAME_PEN_SIZE, "11");
    Choose(page, IDC_TITLE_FORMAT, 3);
    Tick(page, IDX_TITLE_FONT_BOLD, true);
    Type(page, IDC_TITLE_FONT, "IPAPGothic");
    Choose(page, IDC_HORIZONTAL_HEADER, 3);
    Type(page, IDE_COLUMN_SIZE, "5");
    Type(page, IDE_DAYS_ACROSS, "400");
    Choose(page, IDC_ROW_LABELS, 5);
    Choose(page, IDC_ROW_NUMBERING, 3);
    Type(page, IDE_SCHEDULE_LINES, "0");
    Type(page, IDE_ROWS, "99");
    Click(page, IDR_MEMO_BELOW);
    Type(page, IDE_MEMO_LINES_MIN, "8");
    Type(page, IDE_MEMO_LINES_MAX, "2");
    Tick(page, 3001, false);
    Tick(page, 3105, true);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(monthTexts, (std::vector<std::string>{"当 月", "対象月", "当 月", "対象月"}));
  EXPECT_EQ(options.PenSize[0], 10);
  EXPECT_EQ(options.Ptn[1], 3);
  EXPECT_EQ(options.FontBold[2], 1);
  EXPECT_STREQ(options.FontName[2], "IPAPGothic");
  EXPECT_EQ(options.Ptn[2], 3);
  EXPECT_EQ(options.YokoSize, 10);
  EXPECT_EQ(options.Yoko, 366);
  EXPECT_EQ(options.Ptn[3], 0x35);
  EXPECT_EQ(options.TateLine, 0);
  EXPECT_EQ(options.Tate, 52);
  EXPECT_EQ(options.MCType, 0);
  EXPECT_EQ(options.MemoPos, 1);
  EXPECT_EQ(options.MemoLine, 8);
  EXPECT_EQ(options.MemoLine2, 8) << "raised to the minimum";

  EXPECT_EQ(Key("PenSize0"), "10");
  EXPECT_EQ(Key("Yoko"), "366");
  EXPECT_EQ(Key("Ptn3"), "53");
  EXPECT_EQ(Key("MCType"), "0");
  EXPECT_EQ(Key("MemoLine2"), "8");
  EXPECT_EQ(Key("TextColor2"), "-1");
  EXPECT_EQ(Key("BackColor6"), "0xFFFFFF");
}

// Page 日表示.

SYSTEMTIME PickerTime(HWND page, int id) {
  SYSTEMTIME time{};
  SendDlgItemMessageA(page, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return time;
}

void SetPickerTime(HWND page, int id, SYSTEMTIME time) {
  SendDlgItemMessageA(page, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

std::string RowText(HWND page, int list, int row) {
  char text[32] = "";
  LVITEMA item{};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendDlgItemMessageA(page, list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

void SelectRow(HWND page, int list, int row) {
  ListView_SetItemState(GetDlgItem(page, list), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::vector<int> SelectedRows(HWND page, int list) {
  std::vector<int> rows;
  HWND view = GetDlgItem(page, list);
  for (int row = ListView_GetNextItem(view, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(view, row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

TEST_F(OptionsSheetTest, DayViewPageShowsTheStoredOptionsAndStoresTheEditedOnes) {
  const std::string origin = std::to_string(SerialFromDate(2026, 4, 1));
  Store({{"Ptn4", "0x4321"}, {"PtnSDay", origin.c_str()}, {"BDayTime", "570"}, {"FontName1", "IPAPMincho"},
         {"FontSize1", "0"}, {"FontBold1", "0"}, {"FontItalic1", "1"},
         {"PtnDay1", "13,12,11,10,09,08,07,06,05,04,03,02,01,00,"}, {"MCType21", "1"}, {"PenSize1", "4"},
         {"Ptn7", "1"}});
  RunAndSave([](HWND sheet) {
    HWND page = ShowPage(sheet, kDayView);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Chosen(page, IDC_DAY_ITEM_FIRST + c), c + 1) << "corner " << c;
    EXPECT_TRUE(Ticked(page, IDR_DIFFERENCE_DATE));
    const SYSTEMTIME date = PickerTime(page, IDC_DIFFERENCE_DATE);
    EXPECT_EQ((std::vector<int>{date.wYear, date.wMonth, date.wDay}), (std::vector<int>{2026, 4, 1}));
    const SYSTEMTIME time = PickerTime(page, IDC_BUSINESS_DAY_TIME);
    EXPECT_EQ((std::vector<int>{time.wHour, time.wMinute}), (std::vector<int>{9, 30}));
    EXPECT_EQ(Text(page, IDC_DAY_FONT), "IPAPMincho");
    EXPECT_EQ(Text(page, IDE_DAY_FONT_SIZE), "0");
    EXPECT_FALSE(Ticked(page, IDX_DAY_FONT_BOLD));
    EXPECT_TRUE(Ticked(page, IDX_DAY_FONT_ITALIC));
    EXPECT_EQ(RowText(page, 1301, 0), "当日");
    EXPECT_EQ(RowText(page, 1311, 0), "Default");
    EXPECT_EQ(RowText(page, 1311, 13), "当日");
    EXPECT_EQ(RowText(page, 1321, 2), "定期1") << "rest days come after the weekdays for the date text";
    EXPECT_EQ(RowText(page, 1321, 9), "休日");
    EXPECT_FALSE(Ticked(page, 1305));
    EXPECT_TRUE(Ticked(page, 1315));
    EXPECT_EQ(Text(page, IDE_TARGET_PEN_SIZE), "4");
    EXPECT_TRUE(Ticked(page, IDX_FRAME_TODAY));

    Choose(page, IDC_DAY_ITEM_FIRST, 15);
    Choose(page, IDC_DAY_ITEM_FIRST + 3, 0);
    SYSTEMTIME picked{};
    picked.wYear = 2027;
    picked.wMonth = 2;
    picked.wDay = 28;
    SetPickerTime(page, IDC_DIFFERENCE_DATE, picked);
    SYSTEMTIME evening = PickerTime(page, IDC_BUSINESS_DAY_TIME);
    evening.wHour = 18;
    evening.wMinute = 5;
    SetPickerTime(page, IDC_BUSINESS_DAY_TIME, evening);
    Type(page, IDE_DAY_FONT_SIZE, "99");
    Tick(page, IDX_DAY_FONT_BOLD, true);
    Tick(page, 1305, true);
    Tick(page, 1315, false);
    Type(page, IDE_TARGET_PEN_SIZE, "12");
    Tick(page, IDX_FRAME_TODAY, false);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(options.Ptn[4], 0x032F);
  EXPECT_EQ(options.PtnSDay, SerialFromDate(2027, 2, 28));
  EXPECT_EQ(options.BDayTime, 18 * 60 + 5);
  EXPECT_EQ(options.FontSize[1], 48);
  EXPECT_EQ(options.FontBold[1], 1);
  EXPECT_EQ((std::vector<int>{options.MCType2[0], options.MCType2[1], options.MCType2[2]}),
            (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(options.PenSize[1], 10);
  EXPECT_EQ(options.Ptn[7], 0);
  EXPECT_EQ(Key("Ptn4"), std::to_string(0x032F));
  EXPECT_EQ(Key("PtnSDay"), std::to_string(SerialFromDate(2027, 2, 28)));
  EXPECT_EQ(Key("BDayTime"), "1085");
  EXPECT_EQ(Key("FontSize1"), "48");
  EXPECT_EQ(Key("PtnDay1"), "13,12,11,10,09,08,07,06,05,04,03,02,01,00,");
  EXPECT_EQ(Key("MCType20"), "1");
  EXPECT_EQ(Key("MCType21"), "0");
}

// ↑ and ↓ swap the selected row with its neighbour and keep it selected;
// at the ends they do nothing.
TEST_F(OptionsSheetTest, PriorityRowsMoveWithTheirSelection) {
  Store({{"PtnSDay", "9000"}});
  struct Step {
    int list, button, row;
    std::vector<std::string> top;  // rows 0-2 afterwards
    int selected;
  };
  const Step steps[] = {
      {1301, 1302, 2, {"当日", "休日", "個別"}, 1},
      {1301, 1302, 1, {"休日", "当日", "個別"}, 0},
      {1301, 1302, 0, {"休日", "当日", "個別"}, 0},
      {1311, 1314, 0, {"個別", "当日", "休日"}, 1},
      {1321, 1324, 13, {"当日", "個別", "定期1"}, 13},
  };
  RunAndSave([&](HWND sheet) {
    HWND page = ShowPage(sheet, kDayView);
    for (const Step& step : steps) {
      SelectRow(page, step.list, step.row);
      Click(page, step.button);
      EXPECT_EQ((std::vector<std::string>{RowText(page, step.list, 0), RowText(page, step.list, 1),
                                          RowText(page, step.list, 2)}),
                step.top)
          << step.list << " row " << step.row;
      EXPECT_EQ(SelectedRows(page, step.list), std::vector<int>{step.selected}) << step.list << " row " << step.row;
    }
    EXPECT_EQ(RowText(page, 1321, 13), "Default");
    Click(page, IDR_DIFFERENCE_TODAY);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(Key("PtnDay0"), "02,00,01,03,04,05,06,07,08,09,10,11,12,13,");
  EXPECT_EQ(Key("PtnDay1"), "01,00,02,03,04,05,06,07,08,09,10,11,12,13,");
  EXPECT_EQ(Key("PtnDay2"), "00,01,03,04,05,06,07,08,09,02,10,11,12,13,");
  EXPECT_EQ(options.PtnSDay, 0) << "Today";
}

// Page 色設定.

TEST_F(OptionsSheetTest, ColorsPageButtonsEditTheColoursAndResetRestoresTheDefaults) {
  Store({{"TextColor19", "0x112233"}, {"TextColor20", "0x00FF00"}});
  std::vector<int> offered;
  const ColorChooser previous = SetColorChooserForTests([&](HWND, int preselected, int& chosen) {
    offered.push_back(preselected);
    chosen = 0x123456;
    return true;
  });
  RunAndSave([](HWND sheet) {
    HWND page = ShowPage(sheet, kColors);
    Click(page, 2019);  // 日曜's text: the chooser is offered the stored colour
    Click(page, 2025);  // 土曜's text
    Click(page, IDB_RESET_COLORS);
    Click(page, 2106);  // １月's background, after the reset
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  SetColorChooserForTests(previous);
  EXPECT_EQ(offered, (std::vector<int>{0x00FF00, 0xFF0000, 0xFFFFFF}));
  EXPECT_EQ(Key("TextColor20"), "0x0000FF") << "Sunday red again";
  EXPECT_EQ(Key("TextColor26"), "0xFF0000") << "Saturday blue again";
  EXPECT_EQ(Key("TextColor19"), "0x112233") << "today's colour is not reset";
  EXPECT_EQ(Key("BackColor7"), "0x123456");
  EXPECT_EQ(Key("BackColor28"), "0xFFECFF");
}

// The sheet is laid out in its own font and the pages in theirs: every
// control of every page lies inside the sheet's page area, whatever the two
// fonts measure.
TEST_F(OptionsSheetTest, EveryControlOfEveryPageIsInsideTheSheet) {
  std::vector<std::string> outside;
  Run([&](HWND sheet) {
    HWND tabs = PropSheet_GetTabControl(sheet);
    RECT area{};
    GetWindowRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    for (int index = 0; index < 7; ++index) {
      HWND page = ShowPage(sheet, index);
      for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        if (box.left < area.left || box.top < area.top || box.right > area.right || box.bottom > area.bottom) {
          outside.push_back("page " + std::to_string(index + 1) + " control " + std::to_string(GetDlgCtrlID(child)));
        }
      }
    }
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(outside, std::vector<std::string>{});
}

// Pictures for looking at the pages.

void HandleMessagesFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

// Run by hand with --gtest_also_run_disabled_tests and the folder in
// HIYOMI_SHEET_PICTURES: one BMP of the sheet per page.
TEST_F(OptionsSheetTest, DISABLED_PicturesOfEveryPage) {
  const char* folder = std::getenv("HIYOMI_SHEET_PICTURES");
  ASSERT_NE(folder, nullptr);
  Store({{"Weekday", "0x741"}, {"WeekdayP0", std::to_string(DayRule(2, 12, 36, 0)).c_str()},
         {"WeekdayP1", std::to_string((2u << 28) | (12u << 24) | (29u << 16) | (1u << 8) | 3u).c_str()}});
  Run([folder](HWND sheet) {
    SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    for (int page = 0; page < 7; ++page) {
      ShowPage(sheet, page);
      HandleMessagesFor(800);
      EXPECT_TRUE(SaveWindowPicture(sheet, std::string(folder) + "\\optpage" + std::to_string(page + 1) + ".bmp"));
    }
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
}

}  // namespace
}  // namespace hiyomi
