// UDATDLG on its own (modal, on the stored days) from its real template,
// driven by messages; transfers are checked in the year file on disk.
#include <gtest/gtest.h>

#include <cstdio>

#include "resources/colordlg_ids.h"
#include "resources/passdlg_ids.h"
#include "resources/typedlg_ids.h"
#include "resources/udatdlg_ids.h"
#include "schedule/undated_dialog.h"
#include "schedule_dialog_fixture.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "未定データ設定";

int Row(int base, int row) { return base + IDC_UDAT_ROW_STEP * row; }

class UndatedDialogTest : public ScheduleDialogTest {
 protected:
  UndatedDialogTest() : ScheduleDialogTest("undated-dialog") {}

  // Entries "E0" .. "E49" with display offsets 100 + n.
  void NumberTheEntries() {
    for (int n = 0; n < kUndatedEntries; ++n) {
      char text[8];
      std::snprintf(text, sizeof text, "E%d", n);
      undated_.entries[n] = MakeEntry(text);
      undated_.entries[n].span = 100 + n;
    }
  }
  void Run(SerialDay day, std::function<void(HWND)> driver) {
    DriveNextDialog(kTitle, std::move(driver));
    EXPECT_EQ(RunUndatedDialog(nullptr, day, Data()), 0);
  }
  static std::string FirstRow(HWND d) { return Text(d, IDE_UDAT_TEXT_BASE); }
  static void Scroll(HWND d, int code, int thumb = 0) {
    SendMessageA(d, WM_VSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(GetDlgItem(d, IDS_UDAT_SCROLL)));
  }
  static int Checked(HWND d) {
    for (int k = 0; k < 5; ++k) {
      if (IsDlgButtonChecked(d, IDR_UDAT_CURRENT_BASE + k) == BST_CHECKED) return k;
    }
    return -1;
  }
};

TEST_F(UndatedDialogTest, PagesScrollingAndTheWheelStayWithinTheList) {
  OpenStore();
  NumberTheEntries();
  Run(kNoDay, [](HWND d) {
    EXPECT_EQ(Picked(d, IDC_UDAT_DATE), Day(12, 10));  // no day: today
    EXPECT_EQ(Text(d, IDC_UDAT_DAY_ROW), "1行目");
    EXPECT_EQ(Checked(d), 0);
    Click(d, IDB_UDAT_PAGE_BASE + 2);
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(Text(d, Row(IDE_UDAT_TEXT_BASE, k)), "E" + std::to_string(20 + k));
      EXPECT_EQ(Text(d, Row(IDE_UDAT_OFFSET_BASE, k)), std::to_string(120 + k));
    }
    EXPECT_EQ(Checked(d), -1);  // entry 0 is out of view
    struct Step {
      int code;
      int thumb;
      const char* first;
    } steps[] = {{SB_THUMBPOSITION, 44, "E44"}, {SB_PAGEDOWN, 0, "E45"}, {SB_PAGEDOWN, 0, "E45"},
                 {SB_LINEDOWN, 0, "E45"},       {SB_PAGEUP, 0, "E40"},   {SB_LINEUP, 0, "E39"},
                 {SB_TOP, 0, "E0"},             {SB_LINEUP, 0, "E0"},    {SB_BOTTOM, 0, "E45"}};
    for (const Step& s : steps) {
      Scroll(d, s.code, s.thumb);
      EXPECT_EQ(FirstRow(d), s.first) << s.code;
    }
    EXPECT_EQ(GetScrollPos(GetDlgItem(d, IDS_UDAT_SCROLL), SB_CTL), 45);
    SendMessageA(d, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(FirstRow(d), "E44");
    SendMessageA(d, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(FirstRow(d), "E45");
    Click(d, IDB_UDAT_PAGE_BASE + 4);
    EXPECT_EQ(FirstRow(d), "E40");
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(viewRepaints_, 1);
}

TEST_F(UndatedDialogTest, TheCaretWaitsInTheFirstEmptyEntry) {
  OpenStore();
  undated_.entries[0] = MakeEntry("first");
  undated_.entries[1] = MakeEntry("second");
  Run(kNoDay, [](HWND d) {
    EXPECT_EQ(GetFocus(), GetDlgItem(d, Row(IDE_UDAT_TEXT_BASE, 2)));
    Click(d, IDB_UDAT_CLOSE);
  });
}

TEST_F(UndatedDialogTest, UpAndDownSwapWithinTheEndsAndFollowTheCurrentEntry) {
  OpenStore();
  NumberTheEntries();
  Run(kNoDay, [this](HWND d) {
    Click(d, IDB_UDAT_UP);  // entry 0: nothing to swap with
    EXPECT_EQ(FirstRow(d), "E0");
    Click(d, IDR_UDAT_CURRENT_BASE + 4);
    Click(d, IDB_UDAT_DOWN);  // entry 4 to 5: the view follows
    EXPECT_EQ(FirstRow(d), "E1");
    EXPECT_EQ(Text(d, Row(IDE_UDAT_TEXT_BASE, 4)), "E4");
    EXPECT_EQ(Checked(d), 4);
    Click(d, IDB_UDAT_PAGE_BASE + 4);
    Scroll(d, SB_BOTTOM);
    Click(d, IDR_UDAT_CURRENT_BASE + 4);
    Click(d, IDB_UDAT_DOWN);  // entry 49: nothing
    EXPECT_EQ(Text(d, Row(IDE_UDAT_TEXT_BASE, 4)), "E49");
    Scroll(d, SB_TOP);
    Click(d, IDB_UDAT_UP);  // entry 49 to 48: the view comes back down to it
    EXPECT_EQ(FirstRow(d), "E44");
    EXPECT_EQ(Text(d, Row(IDE_UDAT_TEXT_BASE, 4)), "E49");
    EXPECT_EQ(Checked(d), 4);
    Click(d, IDB_UDAT_CLEAR);
    EXPECT_EQ(Text(d, Row(IDE_UDAT_TEXT_BASE, 4)), "");
    Click(d, IDB_UDAT_CLOSE);
    EXPECT_EQ(EntryText(undated_.entries[5]), "E4");
    EXPECT_EQ(EntryText(undated_.entries[4]), "E5");
  });
  EXPECT_EQ(EntryText(undated_.entries[48]), "");
  EXPECT_EQ(undated_.entries[48].order, 1);
  EXPECT_EQ(undated_.entries[48].textColor, -1);
  EXPECT_EQ(EntryText(undated_.entries[49]), "E48");
}

TEST_F(UndatedDialogTest, RowsAreTakenBackBeforeEveryStep) {
  OpenStore();
  Run(kNoDay, [](HWND d) {
    SetDlgItemTextA(d, Row(IDE_UDAT_TEXT_BASE, 1), "typed");
    SetDlgItemTextA(d, Row(IDE_UDAT_OFFSET_BASE, 1), "-3");
    SetDlgItemTextA(d, Row(IDE_UDAT_MARK_BASE, 1), "!");
    SetDlgItemTextA(d, Row(IDE_UDAT_OFFSET_BASE, 2), "7");  // no text: the offset goes
    Scroll(d, SB_LINEDOWN);
    EXPECT_EQ(FirstRow(d), "typed");
    EXPECT_EQ(Text(d, IDE_UDAT_OFFSET_BASE), "-3");
    EXPECT_EQ(Text(d, Row(IDE_UDAT_OFFSET_BASE, 1)), "0");
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(EntryText(undated_.entries[1]), "typed");
  EXPECT_EQ(undated_.entries[1].span, -3);
  EXPECT_EQ(undated_.entries[1].mark, '!');
  EXPECT_EQ(undated_.entries[2].span, 0);
}

TEST_F(UndatedDialogTest, MoveAndCopyGoToTheSpecifiedDayOnDisk) {
  const SerialDay free = Day(4, 1);
  const SerialDay full = Day(4, 2);
  std::vector<EntryFields> busy;
  for (int k = 0; k < kEntriesPerDay; ++k) busy.push_back({.text = "busy"});
  WriteYear({DayWith(free, {{.text = "already"}}), DayWith(full, busy)});
  OpenStore();
  undated_.entries[0] = MakeEntry("moved", -4);
  undated_.entries[0].span = 9;
  undated_.entries[1] = MakeEntry("copied", 5);
  undated_.entries[1].span = 2;
  undated_.entries[2] = MakeEntry("stuck");
  Run(free, [&](HWND d) {
    Click(d, IDB_UDAT_MOVE);
    EXPECT_EQ(FirstRow(d), "");
    Click(d, IDR_UDAT_CURRENT_BASE + 1);
    Click(d, IDB_UDAT_COPY);
    EXPECT_EQ(viewRepaints_, 2);  // the view shows both the days and the list
    Click(d, IDR_UDAT_CURRENT_BASE + 2);
    SetPicker(d, IDC_UDAT_DATE, full);
    Click(d, IDB_UDAT_MOVE);
    EXPECT_EQ(Text(d, Row(IDE_UDAT_TEXT_BASE, 2)), "stuck");
    Click(d, IDR_UDAT_CURRENT_BASE + 3);  // an empty entry adds nothing
    SetPicker(d, IDC_UDAT_DATE, free);
    Click(d, IDB_UDAT_COPY);
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(messages_, std::vector<std::string>{"指定日には空き領域がありません。　　"});
  EXPECT_EQ(EntryText(undated_.entries[0]), "");
  EXPECT_EQ(EntryText(undated_.entries[1]), "copied");
  EXPECT_EQ(undated_.entries[1].span, 2);
  EXPECT_EQ(EntryText(undated_.entries[2]), "stuck");
  const DayRecord r = MustBeOnDisk(free);
  EXPECT_EQ(EntryText(r.entries[1]), "moved");
  EXPECT_EQ(r.entries[1].order, -4);
  EXPECT_EQ(r.entries[1].span, 0);
  EXPECT_EQ(EntryText(r.entries[2]), "copied");
  EXPECT_EQ(r.entries[2].order, 1);
  EXPECT_EQ(r.entries[2].span, 0);
  EXPECT_EQ(r.entries[3].order, 0);
  EXPECT_EQ(EntryText(MustBeOnDisk(full).entries[7]), "busy");
}

// An undated file shorter than the list leaves entries without an order.
TEST_F(UndatedDialogTest, AMovedEntryWithoutAnOrderShowsOnTheDay) {
  const SerialDay day = Day(4, 3);
  OpenStore();
  undated_.entries[0] = MakeEntry("no order", 0);
  Run(day, [](HWND d) {
    Click(d, IDB_UDAT_MOVE);
    Click(d, IDB_UDAT_CLOSE);
  });
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(EntryText(r.entries[0]), "no order");
  EXPECT_EQ(r.entries[0].order, 1);
}

TEST_F(UndatedDialogTest, TakeReadsARowOfTheSpecifiedDay) {
  const SerialDay day = Day(6, 1);
  WriteYear({DayWith(day, {{.text = "one"}, {.text = "two"}, {.order = 0}, {.order = -2, .text = "four", .span = 3}})});
  OpenStore();
  undated_.entries[0] = MakeEntry("kept");
  undated_.entries[0].span = 5;
  Run(day + 1, [&](HWND d) {
    Click(d, IDB_UDAT_TAKE);
    SetPicker(d, IDC_UDAT_DATE, day);
    SendDlgItemMessageA(d, IDC_UDAT_DAY_ROW, CB_SETCURSEL, 2, 0);
    Click(d, IDB_UDAT_TAKE);
    EXPECT_EQ(FirstRow(d), "kept");
    SendDlgItemMessageA(d, IDC_UDAT_DAY_ROW, CB_SETCURSEL, 3, 0);
    Click(d, IDB_UDAT_TAKE);
    EXPECT_EQ(FirstRow(d), "four");
    EXPECT_EQ(Text(d, IDE_UDAT_OFFSET_BASE), "0");
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(messages_, (std::vector<std::string>{"指定日にはデータがありません。　　",
                                                 "指定行にはデータがありません。　　"}));
  EXPECT_EQ(EntryText(undated_.entries[0]), "four");
  EXPECT_EQ(undated_.entries[0].span, 0);
  EXPECT_EQ(EntryText(MustBeOnDisk(day).entries[3]), "four");  // the day keeps it
}

TEST_F(UndatedDialogTest, CategoryAndColourDialogsRefillTheLists) {
  OpenStore();
  Run(kNoDay, [this](HWND d) {
    DriveNextDialog("分類設定", [](HWND t) {
      SetDlgItemTextA(t, IDE_TYPE_NAME_BASE + 1, "家族");
      Click(t, IDB_TYPE_OK);
    });
    Click(d, IDB_UDAT_CATEGORIES);
    EXPECT_EQ(SendDlgItemMessageA(d, Row(IDC_UDAT_CATEGORY_BASE, 4), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(categoryRebuilds_, 1);
    DriveNextDialog("色設定", [](HWND c) {
      SetDlgItemTextA(c, IDE_COLOR_BACK_NAME_BASE, "桃");
      Click(c, IDB_COLOR_OK);
    });
    Click(d, IDB_UDAT_COLOR_SETS);
    EXPECT_EQ(SendDlgItemMessageA(d, Row(IDC_UDAT_ROW_BACK_COLOR_BASE, 4), CB_GETCOUNT, 0, 0), 3);
    Select(d, Row(IDC_UDAT_ROW_BACK_COLOR_BASE, 0), 1);
    Select(d, Row(IDC_UDAT_CATEGORY_BASE, 0), 1);
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(undated_.entries[0].backColor, 0xFFFFFF);
  EXPECT_EQ(undated_.entries[0].category, 1);
}

TEST_F(UndatedDialogTest, LockedTextsAskForThePasswordOnlyOnce) {
  OpenStore();
  SecretTexts sealer;
  sealer.Cipher().DeriveKey("pw");
  sealer.SetLockState(kUnlocked);
  struct NoPrompts : SecretPrompts {
    void Tell(const char*) noexcept override {}
    bool AskYesNo(const char*) noexcept override { return false; }
    void AskForPassword() noexcept override {}
  } none;
  for (int n : {0, 7}) {
    undated_.entries[n] = MakeEntry("&secret");
    sealer.EncipherText(undated_.entries[n].text, none);
  }
  const ScheduleEntry sealed = undated_.entries[7];
  secrets_.SetLockState(kLocked);
  DriveNextDialog("パスワード入力", [](HWND pass) {
    Click(pass, IDB_PASS_CANCEL);
    DriveNextDialog(kTitle, [](HWND d) {
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDE_UDAT_TEXT_BASE)));
      SetDlgItemTextA(d, Row(IDE_UDAT_TEXT_BASE, 1), "&plain one");
      SetDlgItemTextA(d, Row(IDE_UDAT_TEXT_BASE, 2), "&plain two");
      // Taking the rows back asks once for a password to encipher with.
      DriveNextDialog("パスワード入力", [](HWND again) { Click(again, IDB_PASS_CANCEL); });
      Click(d, IDB_UDAT_PAGE_BASE + 0);
      Scroll(d, SB_PAGEDOWN);
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, Row(IDE_UDAT_TEXT_BASE, 2))));
      Click(d, IDB_UDAT_CLOSE);
    });
  });
  RunUndatedDialog(nullptr, kNoDay, Data());
  EXPECT_EQ(messages_, (std::vector<std::string>{"暗号化された情報があります。パスワードを入力してください。　　",
                                                 "パスワード未登録です。登録しますか？　　",
                                                 "暗号化用のパスワードを入力してください。　　",
                                                 "パスワード未登録です。登録しますか？　　"}));
  EXPECT_EQ(std::memcmp(undated_.entries[7].text, sealed.text, sizeof sealed.text), 0);
  EXPECT_EQ(EntryText(undated_.entries[1]), "&plain one");
  EXPECT_EQ(EntryText(undated_.entries[2]), "&plain two");
}

TEST_F(UndatedDialogTest, AnUndatedFileHeldByAnotherProgramKeepsTheDialogShut) {
  Bytes file(3200, 0);
  const Bytes e = EntryBytes({.text = "kept"});
  std::copy(e.begin(), e.end(), file.begin());
  const std::string path = UndatedFileName(dir_.Base());
  WriteBytes(path, file);
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  OpenStore();
  bool shown = false;
  DriveNextDialog(kTitle, [&](HWND d) {
    shown = true;
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(RunUndatedDialog(nullptr, kNoDay, Data()), 0);
  // The dialog never came up, so its driver is still waiting: it must not.
  StopPendingDriver();
  CloseHandle(held);
  EXPECT_FALSE(shown);
  EXPECT_EQ(messages_, std::vector<std::string>{"データファイルを読み込めませんでした。　　"});
  EXPECT_TRUE(undated_.SaveUndated());
  EXPECT_EQ(ReadBytes(path), file);
  // Let go, it opens over the file's entries.
  DriveNextDialog(kTitle, [&](HWND d) {
    EXPECT_EQ(FirstRow(d), "kept");
    Click(d, IDB_UDAT_CLOSE);
  });
  EXPECT_EQ(RunUndatedDialog(nullptr, kNoDay, Data()), 0);
}

}  // namespace
}  // namespace hiyomi
