// AGEDLG from its real template over a real "HiyomiAge.ini", driven with
// the messages a user's clicks make; what it wrote is read back from the
// file.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "agetable/age_table_dialog.h"
#include "base/text.h"
#include "base/win/gdi_objects.h"
#include "resources/agedlg_ids.h"
#include "settings/settings_store.h"
#include "settings/settings_win.h"
#include "tests/schedule/dialog_driver.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "年齢早見表";
constexpr int kNow = 2026;
constexpr int kSystemCount = 7;  // ----, 西暦, 令和, 平成, 昭和, 大正, 明治

class AgeTableDialogTest : public ::testing::Test {
 protected:
  AgeTableDialogTest() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "hiyomi-age-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    ini_ = folder_ + "\\HiyomiAge.ini";
    DeleteFileA(ini_.c_str());
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~AgeTableDialogTest() override {
    DeleteFileA(ini_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  void WriteIni(const std::string& bytes) const { std::ofstream(ini_, std::ios::binary) << bytes; }
  std::string ReadIni() const {
    std::ifstream in(ini_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::string Value(const char* section, const char* key) const {
    char text[8192] = {};
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, ini_.c_str());
    return text;
  }

  // The store as the program opens it: ini kind, section from Default.
  void Run(std::function<void(HWND)> driver) {
    SettingsStore store;
    OpenSettings(store, false, kDefaultSection, ini_.c_str());
    DriveNextDialog(kTitle, [driver = std::move(driver)](HWND d) {
      driver(d);
      Click(d, IDB_AGE_CLOSE);
    });
    RunAgeTableDialog(nullptr, store, kNow);
  }

  static HWND Table(HWND d) { return GetDlgItem(d, IDC_AGE_TABLE); }
  static int Rows(HWND d) { return static_cast<int>(SendMessageA(Table(d), LVM_GETITEMCOUNT, 0, 0)); }
  static std::string Cell(HWND d, int row, int column) {
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Table(d), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  static int RowOfYear(HWND d, int year) {
    for (int row = 0; row < Rows(d); ++row) {
      if (Cell(d, row, 0) == std::to_string(year)) return row;
    }
    ADD_FAILURE() << year << " is not listed";
    return 0;
  }
  static std::string Remark(HWND d, int year) { return Cell(d, RowOfYear(d, year), 4); }
  static std::string Text(HWND d, int id) {
    char text[256] = {};
    GetDlgItemTextA(d, id, text, sizeof text);
    return text;
  }
  static int Selected(HWND d, int id) { return static_cast<int>(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0)); }
  static void Choose(HWND d, int id, int index) {
    SendDlgItemMessageA(d, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
  }
  static void Show(HWND d, int system, const char* number, int kind = 0) {
    Choose(d, IDC_AGE_SYSTEM, system);
    SetDlgItemTextA(d, IDE_AGE_NUMBER, number);
    Choose(d, IDC_AGE_KIND, kind);
    Click(d, IDB_AGE_SHOW);
  }
  static void SetEarly(HWND d, bool early) {
    CheckDlgButton(d, IDX_AGE_EARLY, early ? BST_CHECKED : BST_UNCHECKED);
  }

  // A click as the list view gets it from the mouse, in the middle of the
  // cell; the list view itself tells the dialog.
  static void ClickCell(HWND d, int row, int column, bool right = false) {
    HWND table = Table(d);
    SendMessageA(table, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(table, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    RECT client{};
    GetClientRect(table, &client);
    const int x = (cell.left + std::min(cell.right, client.right)) / 2;
    const LPARAM at = MAKELPARAM(x, (cell.top + cell.bottom) / 2);
    PostMessageA(table, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageA(table, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    Pump();
  }
  static void Pump() {
    MSG msg;
    for (int round = 0; round < 5; ++round) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      Sleep(10);
    }
  }

  // The context menu that the next right click opens: the item at position
  // `item` (from 0) is chosen with the keys.
  static void ChooseInNextMenu(int item) {
    DriveNext("the age table's context menu",
              []() -> HWND {
                HWND found = nullptr;
                EnumThreadWindows(
                    GetCurrentThreadId(),
                    [](HWND window, LPARAM data) -> BOOL {
                      char className[16] = {};
                      GetClassNameA(window, className, sizeof className);
                      if (std::string(className) != "#32768" || !IsWindowVisible(window)) return TRUE;
                      *reinterpret_cast<HWND*>(data) = window;
                      return FALSE;
                    },
                    reinterpret_cast<LPARAM>(&found));
                return found;
              },
              [item](HWND menu) {
                for (int i = 0; i <= item; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
                PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
              });
  }
  static void RightClickAndChoose(HWND d, int year, int item) {
    ChooseInNextMenu(item);
    ClickCell(d, RowOfYear(d, year), 4, true);
    EXPECT_EQ(PendingDriver().driver, nullptr) << "no menu came";
  }
  static void Type(HWND d, const char* text) { SetWindowTextA(GetDlgItem(d, IDE_AGE_REMARK_EDITOR), text); }
  static bool Editing(HWND d) { return IsWindowVisible(GetDlgItem(d, IDE_AGE_REMARK_EDITOR)) != FALSE; }

  std::string folder_;
  std::string ini_;
};

TEST_F(AgeTableDialogTest, OpensOnEveryYearFromNowTo1880WithNothingCutOff) {
  WriteIni("[Default]\r\nBirth1=花子,-1990\r\n");
  Run([](HWND d) {
    ASSERT_EQ(Rows(d), kNow - 1880 + 1);
    EXPECT_EQ(Cell(d, 0, 0), "2026");
    EXPECT_EQ(Cell(d, 0, 1), "令和8");
    EXPECT_EQ(Cell(d, 0, 2), "丙午");
    EXPECT_EQ(Cell(d, 0, 3), "  0");
    EXPECT_EQ(Cell(d, Rows(d) - 1, 0), "1880");
    EXPECT_EQ(Cell(d, Rows(d) - 1, 1), "明治13");
    EXPECT_EQ(Cell(d, Rows(d) - 1, 3), "146");
    EXPECT_EQ(Cell(d, RowOfYear(d, 2019), 1), "平成31");
    EXPECT_EQ(Cell(d, RowOfYear(d, 1989), 1), "昭和64");
    EXPECT_EQ(SendMessageA(Table(d), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    // The year system list: the systems, then the persons.
    const char* systems[] = {"----", "西暦", "令和", "平成", "昭和", "大正", "明治", "花子"};
    ASSERT_EQ(SendDlgItemMessageA(d, IDC_AGE_SYSTEM, CB_GETCOUNT, 0, 0), 8);
    for (int i = 0; i < 8; ++i) {
      char text[64] = {};
      SendDlgItemMessageA(d, IDC_AGE_SYSTEM, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      EXPECT_STREQ(text, systems[i]);
    }
    EXPECT_EQ(Selected(d, IDC_AGE_SYSTEM), 0);
    EXPECT_EQ(SendDlgItemMessageA(d, IDC_AGE_KIND, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Selected(d, IDC_AGE_KIND), 0);
    EXPECT_EQ(IsDlgButtonChecked(d, IDR_AGE_REMARK_SET_FIRST), BST_CHECKED);
    EXPECT_FALSE(Editing(d));
    // Every column is as wide as its header and its widest cell.
    HWND table = Table(d);
    const char* headers[] = {"西暦", "和暦", "干支", "年齢", "備考"};
    for (int column = 0; column < 4; ++column) {
      const LRESULT width = SendMessageA(table, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
      LRESULT widest = SendMessageA(table, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(headers[column]));
      for (int row = 0; row < Rows(d); ++row) {
        const std::string text = Cell(d, row, column);
        widest = std::max(widest, SendMessageA(table, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
      }
      EXPECT_GE(width, widest + 8) << headers[column];
    }
  });
}

TEST_F(AgeTableDialogTest, BirthYearsInEachSystemAndAgeKind) {
  Run([](HWND d) {
    Show(d, 4, "64");  // 昭和64, 満年齢(誕生日後)
    ASSERT_EQ(Rows(d), 121);
    EXPECT_EQ(Cell(d, 0, 0), "2109");
    EXPECT_EQ(Cell(d, 120, 0), "1989");
    EXPECT_EQ(Cell(d, 120, 3), "  0");
    Show(d, 4, "64", 2);  // 数え年
    EXPECT_EQ(Cell(d, 120, 3), "  1");
    Show(d, 4, "64", 1);  // 満年齢(誕生日前)
    EXPECT_EQ(Cell(d, 120, 3), "  0");
    EXPECT_EQ(Cell(d, 119, 3), "  0");
    Show(d, 6, "13");  // 明治13
    EXPECT_EQ(Cell(d, Rows(d) - 1, 0), "1880");
    EXPECT_EQ(Cell(d, 0, 0), "2000");
    Show(d, 2, "1");  // 令和1
    EXPECT_EQ(Cell(d, Rows(d) - 1, 0), "2019");
    EXPECT_EQ(Cell(d, Rows(d) - 1, 1), "令和1");
    Show(d, 3, "40");  // 平成40 is after this year: the whole list
    EXPECT_EQ(Rows(d), kNow - 1880 + 1);
    Show(d, 0, "");
    EXPECT_EQ(Rows(d), kNow - 1880 + 1);
    EXPECT_EQ(Text(d, IDE_AGE_NUMBER), "");
  });
}

TEST_F(AgeTableDialogTest, APersonSelectsTheWesternYearAndEarly) {
  WriteIni("[Default]\r\nBirth1=太郎,1985\r\nBirth2=花子 -1990\r\n");
  Run([](HWND d) {
    Choose(d, IDC_AGE_SYSTEM, kSystemCount + 1);
    EXPECT_EQ(Text(d, IDE_AGE_NUMBER), "1990");
    EXPECT_EQ(IsDlgButtonChecked(d, IDX_AGE_EARLY), BST_CHECKED);
    int low = 0;
    int high = 0;
    SendDlgItemMessageA(d, IDS_AGE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1880);
    EXPECT_EQ(high, kNow);
    Click(d, IDB_AGE_SHOW);
    EXPECT_EQ(Cell(d, 0, 0), "2110");
    EXPECT_EQ(Cell(d, Rows(d) - 1, 0), "1990");
    Choose(d, IDC_AGE_SYSTEM, kSystemCount);
    EXPECT_EQ(Text(d, IDE_AGE_NUMBER), "1985");
    EXPECT_EQ(IsDlgButtonChecked(d, IDX_AGE_EARLY), BST_UNCHECKED);
    Choose(d, IDC_AGE_SYSTEM, 3);  // 平成: 1..31
    SendDlgItemMessageA(d, IDS_AGE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 31);
    Choose(d, IDC_AGE_SYSTEM, 2);  // 令和: 1..now - 2018
    SendDlgItemMessageA(d, IDS_AGE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(high, kNow - 2018);
  });
}

TEST_F(AgeTableDialogTest, AClickedRowBecomesTheInput) {
  Run([](HWND d) {
    const struct {
      int system;  // chosen before the click
      int year;
      int systemAfter;
      const char* number;
    } cases[] = {
        {3, 2019, 3, "31"},   // 平成31
        {3, 2020, 2, "2"},    // 令和2
        {2, 2019, 2, "1"},    // 令和1
        {4, 1989, 4, "64"},   // 昭和64
        {4, 2000, 1, "2000"}, // outside 昭和: 西暦
        {5, 1912, 5, "1"},    // 大正1
        {0, 1950, 1, "1950"},
    };
    for (const auto& c : cases) {
      Choose(d, IDC_AGE_SYSTEM, c.system);
      ClickCell(d, RowOfYear(d, c.year), 1);
      EXPECT_EQ(Selected(d, IDC_AGE_SYSTEM), c.systemAfter) << c.year;
      EXPECT_EQ(Text(d, IDE_AGE_NUMBER), c.number) << c.year;
    }
  });
}

TEST_F(AgeTableDialogTest, AnEarlyAgeRemarkShowsOneRowEarlier) {
  WriteIni("[Default]\r\nSection=Family\r\n[Family]\r\nBirth1=花子,-1990\r\nN1Age10=1,早十\r\n"
           "N1Age20=0,成人\r\nN1Year2000=ミレニアム\r\nN2Year2000=二組\r\n");
  Run([](HWND d) {
    Choose(d, IDC_AGE_SYSTEM, kSystemCount);
    Click(d, IDB_AGE_SHOW);
    EXPECT_EQ(Remark(d, 1999), "早十");
    EXPECT_EQ(Remark(d, 2000), "ミレニアム");
    EXPECT_EQ(Remark(d, 2010), "成人");
    SetEarly(d, false);
    Click(d, IDB_AGE_SHOW);
    EXPECT_EQ(Remark(d, 1999), "");
    EXPECT_EQ(Remark(d, 2000), "ミレニアム/早十");
    Click(d, IDR_AGE_REMARK_SET_FIRST + 1);
    EXPECT_EQ(Remark(d, 2000), "二組");
    EXPECT_EQ(Remark(d, 2010), "");
  });
}

TEST_F(AgeTableDialogTest, YearRemarksEditedSavedAndDiscarded) {
  WriteIni("[Default]\r\nN1Year2001=古い\r\n");
  Run([](HWND d) {
    RightClickAndChoose(d, 2000, 1);  // 備考編集(Year)
    ASSERT_TRUE(Editing(d));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDR_AGE_REMARK_SET_FIRST)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDB_AGE_SHOW)));
    EXPECT_EQ(Text(d, IDE_AGE_REMARK_EDITOR), "");
    // The editor stands over column 5 of the row.
    RECT editor{};
    GetWindowRect(GetDlgItem(d, IDE_AGE_REMARK_EDITOR), &editor);
    RECT cell{};
    cell.top = 4;
    cell.left = LVIR_BOUNDS;
    SendMessageA(Table(d), LVM_GETSUBITEMRECT, static_cast<WPARAM>(RowOfYear(d, 2000)), reinterpret_cast<LPARAM>(&cell));
    MapWindowPoints(Table(d), nullptr, reinterpret_cast<POINT*>(&cell), 2);
    EXPECT_EQ(editor.left, cell.left);
    EXPECT_EQ(editor.top, cell.top);
    Type(d, "ミレニアム");
    ClickCell(d, RowOfYear(d, 2001), 4);
    EXPECT_EQ(Remark(d, 2000), "ミレニアム");
    EXPECT_EQ(Text(d, IDE_AGE_REMARK_EDITOR), "古い");
    Type(d, "");
    ClickCell(d, RowOfYear(d, 2002), 4);
    Type(d, "二〇〇二");
    RightClickAndChoose(d, 2002, 0);  // 編集終了(保存あり)
    EXPECT_FALSE(Editing(d));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDR_AGE_REMARK_SET_FIRST)));
    EXPECT_EQ(Remark(d, 2000), "ミレニアム");
    EXPECT_EQ(Remark(d, 2002), "二〇〇二");
  });
  EXPECT_EQ(Value("Default", "N1Year2000"), "ミレニアム");
  EXPECT_EQ(Value("Default", "N1Year2001"), "<none>");
  EXPECT_EQ(Value("Default", "N1Year2002"), "二〇〇二");

  const std::string saved = ReadIni();
  Run([](HWND d) {
    RightClickAndChoose(d, 2000, 1);
    Type(d, "捨てる");
    RightClickAndChoose(d, 2000, 1);  // 編集終了(保存なし)
    EXPECT_FALSE(Editing(d));
    EXPECT_EQ(Remark(d, 2000), "ミレニアム");
  });
  EXPECT_EQ(ReadIni(), saved);
}

TEST_F(AgeTableDialogTest, AgeRemarksAreKeyedByTheRowsOwnAge) {
  Run([](HWND d) {
    Show(d, 1, "1990", 2);  // 数え年: the column shows age + 1
    RightClickAndChoose(d, 2000, 2);  // 備考編集(Age)
    ASSERT_TRUE(Editing(d));
    Type(d, "十歳");
    ClickCell(d, RowOfYear(d, 2001), 4);
    Type(d, "1,早い十一");
    RightClickAndChoose(d, 2001, 0);
    EXPECT_EQ(Remark(d, 2000), "十歳");
    EXPECT_EQ(Remark(d, 2001), "早い十一");
    SetEarly(d, true);
    Click(d, IDB_AGE_SHOW);
    EXPECT_EQ(Remark(d, 2000), "十歳/早い十一");
    // Editing shows the stored texts with their prefixes.
    RightClickAndChoose(d, 2000, 2);
    EXPECT_EQ(Text(d, IDE_AGE_REMARK_EDITOR), "0,十歳");
    EXPECT_EQ(Remark(d, 2001), "1,早い十一");
    RightClickAndChoose(d, 2000, 1);
  });
  EXPECT_EQ(Value("Default", "N1Age10"), "0,十歳");
  EXPECT_EQ(Value("Default", "N1Age11"), "1,早い十一");
}

TEST_F(AgeTableDialogTest, MarkedRowsAreDrawnInTheMarkColour) {
  WriteIni("[Default]\r\nMarkColor=0x0000FF\r\n");
  Run([](HWND d) {
    HWND table = Table(d);
    const int row = RowOfYear(d, 2020);
    const auto pixel = [&] {
      SendMessageA(table, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
      UpdateWindow(table);
      RECT cell{};
      cell.top = 2;
      cell.left = LVIR_BOUNDS;
      SendMessageA(table, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
      WindowDc dc(table);
      return GetPixel(dc.get(), cell.right - 3, (cell.top + cell.bottom) / 2);
    };
    // A right click selects the row as well: another row is clicked
    // before looking, so the selection does not cover the mark.
    const auto markAndLook = [&] {
      RightClickAndChoose(d, 2020, 0);  // 行マーク
      ClickCell(d, RowOfYear(d, 1950), 0);
      return pixel();
    };
    EXPECT_NE(pixel(), RGB(255, 0, 0));
    EXPECT_EQ(markAndLook(), RGB(255, 0, 0));
    EXPECT_NE(markAndLook(), RGB(255, 0, 0));
  });
}

// Hand-edited values: what cannot be used is skipped, and nothing the user
// did not edit is written back.
TEST_F(AgeTableDialogTest, BadEntriesAreSkippedAndNeverRewritten) {
  std::string longRemark;
  for (int i = 0; i < 2500; ++i) longRemark += "長";
  const std::string ini = "[Default]\r\nBirth1=名無し\r\nBirth2=太郎,19a0\r\nBirth3=次郎,12345678901234567890\r\n"
                          "Birth4=花子,-1990\r\nN1Year1990=" + longRemark + "\r\nN1Year1991=終わり\x82\r\n"
                          "N1Age-5=0,負\r\nN1Age100000=0,遠い\r\nN1Age5=0," + longRemark + "\r\n";
  WriteIni(ini);
  Run([](HWND d) {
    ASSERT_EQ(SendDlgItemMessageA(d, IDC_AGE_SYSTEM, CB_GETCOUNT, 0, 0), kSystemCount + 1);
    Choose(d, IDC_AGE_SYSTEM, kSystemCount);
    Click(d, IDB_AGE_SHOW);
    std::string cut;
    for (int i = 0; i < 63; ++i) cut += "長";
    // Wine's profile reader already turns the lone lead byte into a
    // character of its own; either way only whole characters are shown.
    const std::string ended = Remark(d, 1991);
    EXPECT_EQ(ended.rfind("終わり", 0), 0u) << ended;
    char whole[64];
    CopyText(whole, ended.c_str(), sizeof whole);
    EXPECT_EQ(ended, whole);
    EXPECT_EQ(Remark(d, 1995), cut.substr(0, 60));
    EXPECT_EQ(Remark(d, 1990), cut.substr(0, 126));
    for (int row = 0; row < Rows(d); ++row) {
      const std::string remark = Cell(d, row, 4);
      EXPECT_EQ(remark.find("負"), std::string::npos);
      EXPECT_EQ(remark.find("遠い"), std::string::npos);
    }
    RightClickAndChoose(d, 2000, 1);
    Type(d, "新しい");
    RightClickAndChoose(d, 2000, 0);
    RightClickAndChoose(d, 1995, 2);
    RightClickAndChoose(d, 1995, 0);
  });
  // Line by line as written, the one new key added; the platform writes
  // the file whole and spells the lone lead byte in its own way.
  const std::vector<std::string> before = Lines(ini + "N1Year2000=新しい\r\n");
  const std::vector<std::string> after = Lines(ReadIni());
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i].rfind("N1Year1991=", 0) == 0) continue;
    EXPECT_TRUE(after[i] == before[i]) << "line " << i << " now starts " << after[i].substr(0, 40);
  }
}

}  // namespace
}  // namespace hiyomi
