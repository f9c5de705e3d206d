// Pages 定期予定, 一時予定 and その他 of the options sheet and the group
// dialog, from their real templates driven with messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/win/file_choice.h"
#include "resources/optpage_data_ids.h"
#include "resources/optpage_ids.h"
#include "resources/spddlg_ids.h"
#include "tests/settings/options_sheet_fixture.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr int kRegularPage = 4;
constexpr int kTemporaryPage = 5;
constexpr int kOtherPage = 6;
constexpr char kGroupDialog[] = "定期予定グループ設定";
constexpr char kBadName[] = "Section名に「\\」「[」「]」は使えません。　　";

int Row(int group, int offset) { return IDC_REGULAR_ROW_FIRST + IDC_REGULAR_ROW_STEP * group + offset; }
int GroupRow(int offset) { return IDC_GROUP_ROW_FIRST + offset; }

// A row's lists, as indices: kind, month, day, weekday, shift.
void SetRule(HWND dialog, int base, int kind, int month, int day, int weekday, int shift) {
  const int values[] = {kind, month, day, weekday, shift};
  for (int k = 0; k < 5; ++k) Choose(dialog, base + IDO_REGULAR_KIND + k, values[k]);
}

class OptionsPagesDataTest : public OptionsSheetFixture {
 protected:
  void SetUp() override {
    OptionsSheetFixture::SetUp();
    previousAnswerer = SetMessageAnswererForTests([this](MessageKind, const char* text) {
      said.emplace_back(text);
      return answer;
    });
  }
  void TearDown() override {
    SetMessageAnswererForTests(std::move(previousAnswerer));
    SetFileChooserForTests(nullptr);
    OptionsSheetFixture::TearDown();
  }

  void Put(const char* section, const char* key, const char* value) { backend->Write(section, key, value); }

  // Runs the sheet and saves what it applied, as the options command does.
  bool RunAndSave(std::function<void(HWND)> driver) {
    OptionsDialogState state = Run(std::move(driver));
    return SaveOptions(options, store, state);
  }

  std::vector<std::string> said;
  MessageAnswer answer = MessageAnswer::Yes;
  MessageAnswerer previousAnswerer;
};

// ---------------------------------------------------------------------------
// 定期予定

TEST_F(OptionsPagesDataTest, RegularRowsShowTheirSchedulesAndStoreWhatIsChosen) {
  Put("Default", "SDay1", "1000011");  // weekly Monday, 前移動
  Put("Default", "SDayName1", "朝会");
  Put("Default", "SDay2", "-3123679");  // switched off: yearly 12月 末日 日曜 +3営業日
  Put("Default", "SDayName2", "締め");
  Put("Default", "TextColor29", "0x0000FF");
  std::vector<int> shown;
  bool firstEnabled = false, secondEnabled = true;
  const bool saved = RunAndSave([&](HWND sheet) {
    HWND page = ShowPage(sheet, kRegularPage);
    for (int g : {0, 1}) {
      for (int k = IDO_REGULAR_KIND; k <= IDO_REGULAR_SHIFT; ++k) shown.push_back(Chosen(page, Row(g, k)));
    }
    firstEnabled = IsDlgButtonChecked(page, Row(0, IDO_REGULAR_ENABLED)) == BST_CHECKED;
    secondEnabled = IsDlgButtonChecked(page, Row(1, IDO_REGULAR_ENABLED)) == BST_CHECKED;
    EXPECT_EQ(Text(page, Row(0, IDO_REGULAR_NAME)), "朝会");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDB_TEXT_COLOR_FIRST + 28)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDB_BACK_COLOR_FIRST + 28)));

    // Row 3: monthly 26日, the first enabled; row 4 the same switched off.
    for (int g : {2, 3}) {
      SetRule(page, Row(g, 0), 2, 0, 30, 0, 0);
      SetDlgItemTextA(page, Row(g, IDO_REGULAR_NAME), g == 2 ? "給料日" : "休止");
    }
    Tick(page, Row(2, IDO_REGULAR_ENABLED), true);
    // Row 1 loses its name: the schedule leaves the store.
    SetDlgItemTextA(page, Row(0, IDO_REGULAR_NAME), "");
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  ASSERT_TRUE(saved);
  EXPECT_EQ(shown, (std::vector<int>{1, 0, 0, 1, 1, 3, 12, 36, 7, 9}));
  EXPECT_TRUE(firstEnabled);
  EXPECT_FALSE(secondEnabled);
  EXPECT_EQ(Stored("Default", "SDay1"), "(none)");
  EXPECT_EQ(Stored("Default", "SDay2"), "-3123679");
  EXPECT_EQ(Stored("Default", "SDay3"), "2003000");
  EXPECT_EQ(Stored("Default", "SDayName3"), "給料日");
  EXPECT_EQ(Stored("Default", "SDay4"), "-2003000");
  EXPECT_EQ(options.SDay[2], 2003000);
  EXPECT_TRUE(said.empty());
}

TEST_F(OptionsPagesDataTest, AnInvalidEnabledRowRefusesOkWithItsNumber) {
  struct Case {
    int kind, month, day, weekday, shift;
    bool enabled;
    bool refused;
  };
  const Case cases[] = {
      {1, 0, 0, 1, 7, true, true},   // weekly Monday +1営業日
      {1, 0, 0, 1, 1, true, false},  // weekly Monday 前移動
      {2, 0, 2, 0, 0, true, true},   // monthly 第二 without a weekday
      {2, 0, 19, 3, 0, true, true},  // monthly 15日 on Wednesday
      {3, 12, 36, 0, 5, true, true}, // yearly 12月 末日 -1営業日
      {0, 0, 0, 0, 0, true, true},   // enabled without a kind
      {1, 0, 0, 0, 7, false, false}, // switched off: never checked
  };
  for (const Case& c : cases) {
    said.clear();
    const OptionsDialogState state = Run([&](HWND sheet) {
      HWND page = ShowPage(sheet, kRegularPage);
      SetRule(page, Row(3, 0), c.kind, c.month, c.day, c.weekday, c.shift);
      Tick(page, Row(3, IDO_REGULAR_ENABLED), c.enabled);
      PropSheet_PressButton(sheet, PSBTN_OK);
      Pump();
      // Refused, the sheet is still there to be cancelled.
      if (c.refused) PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    const std::string what = "kind " + std::to_string(c.kind) + " day " + std::to_string(c.day);
    EXPECT_EQ(state.applied, !c.refused) << what;
    if (c.refused) {
      EXPECT_EQ(said, std::vector<std::string>{"定期予定(定期4)のパラメタにエラーがあります。　　"}) << what;
    } else {
      EXPECT_TRUE(said.empty()) << what;
    }
  }
}

// Rows 2-10 of group 3 are schedules 8, 13, ... 48 (indices 7, 12, ... 47).
TEST_F(OptionsPagesDataTest, GroupDialogKeepsAnInvalidRowAndOkStoresTheRows) {
  Put("Default", "SDay8", "2001000");  // row 2: monthly 6日
  Put("Default", "SDayName8", "六日");
  std::vector<int> rowsAfterRefusal;
  std::string nameShown;
  const bool saved = RunAndSave([&](HWND sheet) {
    HWND page = ShowPage(sheet, kRegularPage);
    DriveNextDialog(kGroupDialog, [&](HWND dialog) {
      EXPECT_EQ(Chosen(dialog, IDC_GROUP_ROW_LIST), 0);
      EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_GROUP_ROW_LIST, CB_GETCOUNT, 0, 0), 9);
      nameShown = Text(dialog, GroupRow(IDO_REGULAR_NAME));
      // Monthly 第一 without a weekday: neither another row nor OK leaves it.
      Choose(dialog, GroupRow(IDO_REGULAR_DAY), 1);
      Choose(dialog, IDC_GROUP_ROW_LIST, 4);
      rowsAfterRefusal.push_back(Chosen(dialog, IDC_GROUP_ROW_LIST));
      Click(dialog, IDB_GROUP_OK);
      rowsAfterRefusal.push_back(Chosen(dialog, IDC_GROUP_ROW_LIST));
      EXPECT_TRUE(IsWindowVisible(dialog));
      // Mended with 水曜, then row 6 (schedule 28) gets a weekly rule.
      Choose(dialog, GroupRow(IDO_REGULAR_WEEKDAY), 3);
      Choose(dialog, IDC_GROUP_ROW_LIST, 4);
      rowsAfterRefusal.push_back(Chosen(dialog, IDC_GROUP_ROW_LIST));
      SetRule(dialog, IDC_GROUP_ROW_FIRST, 1, 0, 0, 5, 2);
      Tick(dialog, GroupRow(IDO_REGULAR_ENABLED), true);
      SetDlgItemTextA(dialog, GroupRow(IDO_REGULAR_NAME), "金曜");
      Click(dialog, IDB_GROUP_OK);
    });
    Click(page, Row(2, IDO_REGULAR_GROUP));
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  ASSERT_TRUE(saved);
  EXPECT_EQ(nameShown, "六日");
  EXPECT_EQ(said, (std::vector<std::string>{"定期予定のパラメタにエラーがあります。　　",
                                            "定期予定のパラメタにエラーがあります。　　"}));
  EXPECT_EQ(rowsAfterRefusal, (std::vector<int>{0, 0, 4}));
  EXPECT_EQ(Stored("Default", "SDay8"), "2000130");
  EXPECT_EQ(Stored("Default", "SDay28"), "1000052");
  EXPECT_EQ(Stored("Default", "SDayName28"), "金曜");
}

TEST_F(OptionsPagesDataTest, GroupDialogCancelAndCloseRestoreEveryRow) {
  Put("Default", "SDay6", "3010500");  // group 1 row 2: yearly 1月 1日
  Put("Default", "SDayName6", "元日");
  for (const bool viaClose : {false, true}) {
    int wordsAfter[kRegularCount] = {};
    char nameAfter[kRegularNameSize] = "";
    const OptionsDialogState state = Run([&](HWND sheet) {
      HWND page = ShowPage(sheet, kRegularPage);
      DriveNextDialog(kGroupDialog, [&](HWND dialog) {
        for (int row : {0, 3, 8}) {  // rows 2, 5 and 10, each stored by the next choice
          Choose(dialog, IDC_GROUP_ROW_LIST, row);
          SetRule(dialog, IDC_GROUP_ROW_FIRST, 2, 0, 10, 0, 4);
          Tick(dialog, GroupRow(IDO_REGULAR_ENABLED), true);
          SetDlgItemTextA(dialog, GroupRow(IDO_REGULAR_NAME), "変更");
        }
        Choose(dialog, IDC_GROUP_ROW_LIST, 1);
        if (viaClose) {
          SendMessageA(dialog, WM_CLOSE, 0, 0);
        } else {
          Click(dialog, IDB_GROUP_CANCEL);
        }
      });
      Click(page, Row(0, IDO_REGULAR_GROUP));
      std::copy(std::begin(options.workSDay), std::end(options.workSDay), wordsAfter);
      lstrcpynA(nameAfter, options.workSDayName[5], sizeof nameAfter);
      PropSheet_PressButton(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(state.applied);
    EXPECT_TRUE(said.empty());
    EXPECT_EQ(wordsAfter[5], 3010500) << viaClose;
    EXPECT_STREQ(nameAfter, "元日") << viaClose;
    for (int slot : {20, 45}) EXPECT_EQ(wordsAfter[slot], 0) << slot << " " << viaClose;
  }
}

// ---------------------------------------------------------------------------
// 一時予定

TEST_F(OptionsPagesDataTest, TemporaryPageWritesItsKeysStraightToTheStore) {
  Put("Default", "Section", "Home");
  Put("Default", "TDFile", "C:\\予定\\一時.txt");
  Put("Default", "TDEdit1", "notepad.exe C:\\予定\\一時.txt");
  Put("Default", "TDType", "2");
  Put("Home", "TDTxtColor", "0x00FF00");
  Put("Home", "TDMemo", "3");
  store.SelectSection("Home", false);
  services.categoryName = [](int k) -> const char* { return k == 2 ? "仕事" : k == 3 ? nullptr : "私用"; };
  std::string proposed;
  SetFileChooserForTests([&](HWND, const char* path, std::string& chosen) {
    proposed = path;
    chosen = "D:\\editor\\edit.exe";
    return true;
  });
  const OptionsDialogState state = Run([&](HWND sheet) {
    HWND page = ShowPage(sheet, kTemporaryPage);
    EXPECT_EQ(Text(page, IDE_TEMPORARY_FILE), "C:\\予定\\一時.txt");
    EXPECT_EQ(Text(page, IDC_TEMPORARY_CATEGORY), "仕事");
    EXPECT_EQ(Chosen(page, IDC_TEMPORARY_MEMO), 3);
    EXPECT_EQ(Text(page, IDE_TEMPORARY_BUTTON_TITLE), "編集1");
    EXPECT_EQ(IsDlgButtonChecked(page, IDX_TEMPORARY_TEXT_COLOR), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, IDX_TEMPORARY_BACK_COLOR), BST_UNCHECKED);
    Click(page, IDB_TEMPORARY_EDIT2_CHOOSE);
    Tick(page, IDX_TEMPORARY_START, true);
    Tick(page, IDX_TEMPORARY_BACK_COLOR, true);  // no colour yet: white
    Choose(page, IDC_TEMPORARY_CATEGORY, 4);
    Choose(page, IDC_TEMPORARY_MEMO, 1);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_TRUE(state.applied);
  EXPECT_EQ(proposed, "");
  // Written by the page itself, before any SaveOptions.
  EXPECT_EQ(Stored("Default", "TDEdit2"), "D:\\editor\\edit.exe");
  EXPECT_EQ(Stored("Default", "TDEdit1"), "notepad.exe C:\\予定\\一時.txt");
  EXPECT_EQ(Stored("Default", "TDStart"), "1");
  EXPECT_EQ(Stored("Default", "TDType"), "4");
  EXPECT_EQ(Stored("Home", "TDTxtColor"), "0x00FF00");
  EXPECT_EQ(Stored("Home", "TDBkColor"), "0xFFFFFF");
  EXPECT_EQ(Stored("Home", "TDMemo"), "1");
  EXPECT_EQ(Stored("Default", "TDTxtColor"), "(none)");
}

// The real file-open dialog, answered as a user would: a file typed into
// its name box and "OK" (its name box is cmb13, or edt1 in the old style).
TEST_F(OptionsPagesDataTest, ChooseButtonPutsThePickedFileIntoItsEdit) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string file = std::string(folder) + "hiyomi-td-choice.txt";
  HANDLE created = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);
  std::string shown;
  const OptionsDialogState state = Run([&](HWND sheet) {
    HWND page = ShowPage(sheet, kTemporaryPage);
    SetDlgItemTextA(page, IDE_TEMPORARY_FILE, folder);
    testing::DriveNextOwnedDialog(sheet, [&](HWND dialog) {
      constexpr int kNameCombo = 0x47C, kNameEdit = 0x480;
      const int nameBox = GetDlgItem(dialog, kNameCombo) != nullptr ? kNameCombo : kNameEdit;
      SetDlgItemTextA(dialog, nameBox, file.c_str());
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Click(page, IDB_TEMPORARY_FILE_CHOOSE);
    shown = Text(page, IDE_TEMPORARY_FILE);
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(state.applied);
  std::string expected = file;
  CharUpperA(shown.data());
  CharUpperA(expected.data());
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(Stored("Default", "TDFile"), "(none)") << "cancelled: nothing written";
  DeleteFileA(file.c_str());
}

TEST_F(OptionsPagesDataTest, ButtonTitleFollowsItsButton) {
  struct Case {
    bool button;
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {{true, "", "編集1"}, {false, "書く", ""}, {true, "メモ帳", "メモ帳"}};
  for (const Case& c : cases) {
    const OptionsDialogState state = Run([&](HWND sheet) {
      HWND page = ShowPage(sheet, kTemporaryPage);
      Tick(page, IDX_TEMPORARY_BUTTON, c.button);
      SetDlgItemTextA(page, IDE_TEMPORARY_BUTTON_TITLE, c.typed);
      PropSheet_PressButton(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(state.applied);
    EXPECT_EQ(Stored("Default", "TDBtn"), c.button ? "1" : "0") << c.typed;
    EXPECT_EQ(Stored("Default", "TDBtnTitle"), c.stored) << c.typed;
    EXPECT_STREQ(options.TDBtnTitle, c.stored) << c.typed;
  }
}

// ---------------------------------------------------------------------------
// その他

TEST_F(OptionsPagesDataTest, OtherPageRoundTrip) {
  Put("Default", "OptDef", "65");  // 0x41: shared rest days, and a bit of no box
  Put("Default", "MemoFTitle1", "買物");
  Put("Default", "Notrik", "1");
  Put("Default", "NotrikType", "1");
  Put("Default", "Secret", "1");
  Put("Default", "PassChar", "#");
  int registered = 0;
  services.registerPassword = [&](HWND) { ++registered; };
  SetFileChooserForTests([](HWND, const char*, std::string& chosen) {
    chosen = "C:\\memo\\page3.rtf";
    return true;
  });
  bool registerEnabledAfterClear = true;
  const bool saved = RunAndSave([&](HWND sheet) {
    HWND page = ShowPage(sheet, kOtherPage);
    EXPECT_EQ(IsDlgButtonChecked(page, IDX_SHARE_REGULAR), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, IDR_NOTRIK_CATEGORY2), BST_CHECKED);
    EXPECT_EQ(Text(page, IDE_MEMO_TITLE_FIRST + 1), "買物");
    EXPECT_EQ(Text(page, IDE_SECRET_MARK), "#");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDB_SECRET_REGISTER)));
    Click(page, IDB_SECRET_REGISTER);
    Tick(page, IDX_SHARE_REGULAR, false);
    Tick(page, IDX_SHARE_CATEGORIES, true);
    Click(page, IDB_MEMO_FILE_CHOOSE_FIRST + 2);
    Tick(page, IDX_MEMO_RTF_FIRST + 2, true);
    SetDlgItemTextA(page, IDE_NOTRIK_PATH, "C:\\Tools\\Notrik.exe");
    Click(page, IDR_NOTRIK_NO_CATEGORY);
    Tick(page, IDX_NOTRIK_COLOR, true);
    Tick(page, IDX_SECRET, false);
    registerEnabledAfterClear = IsWindowEnabled(GetDlgItem(page, IDB_SECRET_REGISTER)) != FALSE;
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  ASSERT_TRUE(saved);
  EXPECT_EQ(registered, 1);
  EXPECT_FALSE(registerEnabledAfterClear);
  EXPECT_EQ(Stored("Default", "OptDef"), "80");  // 0x50
  EXPECT_EQ(Stored("Default", "MemoFile2"), "C:\\memo\\page3.rtf");
  EXPECT_EQ(Stored("Default", "MemoRTF2"), "1");
  EXPECT_EQ(Stored("Default", "MemoFTitle1"), "買物");
  EXPECT_EQ(Stored("Default", "NotrikDir"), "C:\\Tools\\Notrik.exe");
  EXPECT_EQ(Stored("Default", "NotrikType"), "2");
  EXPECT_EQ(Stored("Default", "NotrikTypeC"), "1");
  EXPECT_EQ(Stored("Default", "Secret"), "0");
}

// Profiles: Home is in use, Work is another; Default holds the store's keys.
class ProfilesTest : public OptionsPagesDataTest {
 protected:
  void SetUp() override {
    OptionsPagesDataTest::SetUp();
    Put("Default", "Section", "Home");
    Put("Home", "Yoko", "10");
    Put("Home", "SDay1", "1000010");
    Put("Home", "SDayName1", "家");
    Put("Work", "Yoko", "20");
    Put("Work", "SDay1", "1000020");
    Put("Work", "SDayName1", "職場");
    store.SelectSection("Home", false);
  }
  std::vector<std::string> SectionNames() const {
    std::vector<std::string> names;
    for (const auto& section : backend->Sections()) names.push_back(section.name);
    return names;
  }
};

TEST_F(ProfilesTest, ChoosingAnotherProfileLoadsItIntoEveryPage) {
  std::string regularName;
  std::string asked;
  const OptionsDialogState state = Run([&](HWND sheet) {
    ShowPage(sheet, kRegularPage);
    HWND page = ShowPage(sheet, kOtherPage);
    EXPECT_EQ(Text(page, IDC_PROFILE_LIST), "Home");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDB_PROFILE_DELETE)));
    answer = MessageAnswer::No;
    Choose(page, IDC_PROFILE_LIST, 2);  // Work, declined: the list shows Home again
    EXPECT_EQ(Text(page, IDC_PROFILE_LIST), "Home");
    answer = MessageAnswer::Yes;
    SendDlgItemMessageA(page, IDC_PROFILE_LIST, CB_SETCURSEL, 2, 0);
    Click(page, IDB_PROFILE_LOAD);
    regularName = Text(PropSheet_IndexToHwnd(sheet, kRegularPage), Row(0, IDO_REGULAR_NAME));
    EXPECT_EQ(Text(page, IDC_PROFILE_LIST), "Work");
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(state.applied);
  EXPECT_EQ(said, (std::vector<std::string>{"設定を読み込みますか？　　", "設定を読み込みますか？　　"}));
  EXPECT_STREQ(store.CurrentSection(), "Work");
  EXPECT_EQ(Stored("Default", "Section"), "Work");
  EXPECT_EQ(options.Yoko, 20);
  EXPECT_STREQ(options.profileName, "Work");
  EXPECT_EQ(regularName, "職場");
}

// As a user chooses from the open list with the keys: the moves inside it
// ask nothing, the choice asks once.
TEST_F(ProfilesTest, ChoosingFromTheOpenListAsksOnce) {
  Run([&](HWND sheet) {
    HWND page = ShowPage(sheet, kOtherPage);
    HWND list = GetDlgItem(page, IDC_PROFILE_LIST);
    HWND edit = GetWindow(list, GW_CHILD);
    SetMessageAnswererForTests([&](MessageKind, const char* text) {
      said.emplace_back(text);
      if (SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0)) said.emplace_back("(asked over the open list)");
      return MessageAnswer::Yes;
    });
    SetFocus(edit);
    for (WPARAM key : {WPARAM{VK_F4}, WPARAM{VK_DOWN}, WPARAM{VK_RETURN}}) {
      SendMessageA(edit, WM_KEYDOWN, key, 0);
      SendMessageA(edit, WM_KEYUP, key, 0xC0000000);
      Pump();
    }
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(said, std::vector<std::string>{"設定を読み込みますか？　　"});
  EXPECT_STREQ(store.CurrentSection(), "Work");
  EXPECT_EQ(options.Yoko, 20);
}

TEST_F(ProfilesTest, DeleteIsRefusedForDefaultAndForTheLastSection) {
  struct Case {
    const char* current;
    bool onlyOne;  // Home alone in the store
  };
  for (const Case& c : {Case{"Default", false}, Case{"Home", true}}) {
    if (c.onlyOne) {
      backend->DeleteSection("Default");
      backend->DeleteSection("Work");
    }
    store.SelectSection(c.current, false);
    const std::vector<std::string> before = SectionNames();
    said.clear();
    bool deleteEnabled = true;
    Run([&](HWND sheet) {
      HWND page = ShowPage(sheet, kOtherPage);
      deleteEnabled = IsWindowEnabled(GetDlgItem(page, IDB_PROFILE_DELETE)) != FALSE;
      // As if the button were pressed anyway.
      SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDB_PROFILE_DELETE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(page, IDB_PROFILE_DELETE)));
      PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_FALSE(deleteEnabled) << c.current;
    EXPECT_TRUE(said.empty()) << c.current;
    EXPECT_EQ(SectionNames(), before) << c.current;
  }
}

TEST_F(ProfilesTest, DeleteRemovesTheSectionAndLoadsTheFirst) {
  Put("Default", "Yoko", "30");
  std::string shownAfter;
  Run([&](HWND sheet) {
    HWND page = ShowPage(sheet, kOtherPage);
    answer = MessageAnswer::No;
    Click(page, IDB_PROFILE_DELETE);
    answer = MessageAnswer::Yes;
    Click(page, IDB_PROFILE_DELETE);
    shownAfter = Text(page, IDC_PROFILE_LIST);
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(said, (std::vector<std::string>{"設定を削除しますか？　　", "設定を削除しますか？　　"}));
  EXPECT_EQ(SectionNames(), (std::vector<std::string>{"Default", "Work"}));
  EXPECT_EQ(shownAfter, "Default");
  EXPECT_STREQ(store.CurrentSection(), "Default");
  EXPECT_EQ(Stored("Default", "Section"), "Default");
  EXPECT_EQ(options.Yoko, 30);
}

TEST_F(ProfilesTest, ATypedNewNameBecomesASectionOnOk) {
  for (const char* name : {"Travel", "表示"}) {  // 表 ends in the byte of "\"
    const bool saved = RunAndSave([&](HWND sheet) {
      HWND page = ShowPage(sheet, kOtherPage);
      SetDlgItemTextA(page, IDC_PROFILE_LIST, name);
      PropSheet_PressButton(sheet, PSBTN_OK);
    });
    ASSERT_TRUE(saved) << name;
    EXPECT_STREQ(store.CurrentSection(), name);
    EXPECT_EQ(Stored("Default", "Section"), name);
    EXPECT_EQ(Stored(name, "Yoko"), "10") << name;
    EXPECT_EQ(Stored("Home", "Yoko"), "10") << name;
  }
  EXPECT_TRUE(said.empty());
}

TEST_F(ProfilesTest, ANameThatWouldBreakTheStoreIsRefusedAndNothingIsSaved) {
  for (const char* name : {"Work\\Sub", "[Work]", "Wo]rk"}) {
    const std::vector<std::string> before = SectionNames();
    said.clear();
    HWND focusAfter = nullptr;
    HWND listEdit = nullptr;
    const bool saved = RunAndSave([&](HWND sheet) {
      HWND page = ShowPage(sheet, kOtherPage);
      SetDlgItemTextA(page, IDC_PROFILE_LIST, name);
      PropSheet_PressButton(sheet, PSBTN_OK);
      Pump();
      focusAfter = GetFocus();
      listEdit = GetWindow(GetDlgItem(page, IDC_PROFILE_LIST), GW_CHILD);
      // 読込 refuses it too, before asking.
      Click(page, IDB_PROFILE_LOAD);
      PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_FALSE(saved) << name;
    EXPECT_EQ(said, (std::vector<std::string>{kBadName, kBadName})) << name;
    EXPECT_EQ(focusAfter, listEdit) << name << ": the caret is back in the name";
    EXPECT_EQ(SectionNames(), before) << name;
    EXPECT_EQ(Stored("Default", "Section"), "Home") << name;
    EXPECT_STREQ(store.CurrentSection(), "Home") << name;
  }
}

}  // namespace
}  // namespace hiyomi
