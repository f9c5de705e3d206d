// CSVDLG from its real template, driven by messages: CSVOpt in and out,
// the default path, "選択", writing while the dialog stays open, and the
// message of a failed write that leaves the old file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/path_text.h"
#include "base/win/file_choice.h"
#include "csv_days.h"
#include "print/csv_dialog_win.h"
#include "print/csv_export.h"
#include "resources/csvdlg_ids.h"
#include "schedule/dialog_rows_win.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"
#include "export_dialog_fixture.h"
#include "tests/schedule/dialog_driver.h"
#include "tests/schedule/schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "CSV出力";
constexpr char kOpenFailed[] = "ファイルオープンに失敗しました。　　";
const SerialDay kThursday = SerialFromDate(2026, 12, 10);

class CsvDialogTest : public ::testing::Test {
 protected:
  CsvDialogTest() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    auto backend = std::make_unique<MemorySettingsBackend>();
    memory_ = backend.get();
    settings_.Attach(std::move(backend), "Profile");
    SetMessageAnswererForTests([this](MessageKind kind, const char* text) {
      messages_.emplace_back(text);
      return SafeAnswer(kind);
    });
    SetFileChooserForTests([this](HWND, const char* initial, std::string& chosen) {
      offered_.push_back(initial);
      chosen = chooserAnswer_;
      return !chooserAnswer_.empty();
    });
    in_.today = kThursday;
    in_.days.Add(kThursday, "会議", 0);
    in_.days.Add(kThursday + 1, "買物", 1);
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~CsvDialogTest() override {
    SetMessageAnswererForTests(nullptr);
    SetFileChooserForTests(nullptr);
  }

  void Run(std::function<void(HWND)> driver) {
    DriveNextDialog(kTitle, std::move(driver));
    const DayItemInputs inputs = in_.Inputs();
    RunCsvDialog(nullptr, CsvDialogData{inputs, settings_, SystemDataFiles()});
  }
  std::string StoredOpt() {
    char text[32] = {};
    memory_->Read(kDefaultSection, kCsvOptKey, "(none)", text, sizeof text);
    return text;
  }
  static void PickRange(HWND d, SerialDay first, SerialDay last) {
    SetPickerDay(GetDlgItem(d, IDC_CSV_FIRST_DAY), first);
    SetPickerDay(GetDlgItem(d, IDC_CSV_LAST_DAY), last);
  }

  ScratchDir dir_{"csv-dialog"};
  SettingsStore settings_;
  MemorySettingsBackend* memory_ = nullptr;
  CsvInputs in_;
  std::vector<std::string> messages_;
  std::vector<std::string> offered_;
  std::string chooserAnswer_;
};

TEST_F(CsvDialogTest, OpensFromCsvOptAndKeepsTheChoicesWhenClosed) {
  memory_->Write(kDefaultSection, kCsvOptKey, "2101000");
  Run([](HWND d) {
    EXPECT_FALSE(IsChecked(d, IDR_CSV_COMMA) || IsChecked(d, IDR_CSV_TAB));
    EXPECT_TRUE(IsChecked(d, IDR_CSV_LINE_BREAK));
    EXPECT_TRUE(IsChecked(d, IDX_CSV_ONLY_DAYS_WITH_ENTRIES) && IsChecked(d, IDX_CSV_WEEKDAY));
    for (int id : {IDX_CSV_ONE_ENTRY_PER_LINE, IDX_CSV_HOLIDAY, IDX_CSV_ROKUYO, IDX_CSV_SOLAR_TERM}) {
      EXPECT_FALSE(IsChecked(d, id)) << id;
    }
    EXPECT_EQ(Text(d, IDE_CSV_PATH), ProgramPathWith(".csv"));
    EXPECT_EQ(SendDlgItemMessageA(d, IDE_CSV_PATH, EM_GETLIMITTEXT, 0, 0), 260);
    Click(d, IDR_CSV_TAB);
    Click(d, IDX_CSV_ONLY_DAYS_WITH_ENTRIES);
    Click(d, IDX_CSV_SOLAR_TERM);
    Click(d, IDB_CSV_CLOSE);
  });
  EXPECT_EQ(StoredOpt(), "1001001");
  // The close box stores them as well.
  Run([](HWND d) {
    EXPECT_TRUE(IsChecked(d, IDR_CSV_TAB) && IsChecked(d, IDX_CSV_SOLAR_TERM));
    Click(d, IDR_CSV_COMMA);
    SendMessageA(d, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(StoredOpt(), "0001001");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(CsvDialogTest, PickersShowTheFullDateWithinTheRangeFromToday) {
  Run([](HWND d) {
    for (int id : {IDC_CSV_FIRST_DAY, IDC_CSV_LAST_DAY}) {
      HWND picker = GetDlgItem(d, id);
      EXPECT_EQ(PickerDay(picker, kNoDay), kThursday);
      SYSTEMTIME range[2] = {};
      ASSERT_EQ(SendMessageA(picker, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)),
                GDTR_MIN | GDTR_MAX);
      EXPECT_EQ(range[0].wYear * 10000 + range[0].wMonth * 100 + range[0].wDay, 20010101);
      EXPECT_EQ(range[1].wYear * 10000 + range[1].wMonth * 100 + range[1].wDay, 20991231);
      EXPECT_EQ(Text(d, id), "2026年 12月 10日 木曜日 ");
    }
    Click(d, IDB_CSV_CLOSE);
  });
}

TEST_F(CsvDialogTest, WritesTheRangeAndStaysOpen) {
  const std::string path = dir_.File("days.csv");
  Run([&](HWND d) {
    PickRange(d, kThursday, kThursday + 1);
    SetDlgItemTextA(d, IDE_CSV_PATH, path.c_str());
    Click(d, IDX_CSV_ONE_ENTRY_PER_LINE);
    Click(d, IDX_CSV_WEEKDAY);
    Click(d, IDB_CSV_WRITE);
    EXPECT_TRUE(IsWindowVisible(d));
    const std::string expected = "2026年12月10日,木,仕事,会議\r\n2026年12月11日,金,私用,買物\r\n";
    EXPECT_EQ(ReadBytes(path), Bytes(expected.begin(), expected.end()));
    // A reversed range writes nothing and says nothing.
    PickRange(d, kThursday + 1, kThursday);
    DeleteFileA(path.c_str());
    Click(d, IDB_CSV_WRITE);
    EXPECT_FALSE(dir_.Has("days.csv"));
    Click(d, IDB_CSV_CLOSE);
  });
  EXPECT_TRUE(messages_.empty());
}

TEST_F(CsvDialogTest, AnEmptyPathWritesBesideTheProgram) {
  const std::string path = ProgramPathWith(".csv");
  DeleteFileA(path.c_str());
  Run([&](HWND d) {
    PickRange(d, kThursday, kThursday);
    SetDlgItemTextA(d, IDE_CSV_PATH, "");
    Click(d, IDB_CSV_WRITE);
    Click(d, IDB_CSV_CLOSE);
  });
  const std::string expected = "2026年12月10日,\"仕事,会議\"\r\n";
  EXPECT_EQ(ReadBytes(path), Bytes(expected.begin(), expected.end()));
  DeleteFileA(path.c_str());
}

TEST_F(CsvDialogTest, ChooseOffersThePathInTheEditAndTakesTheChoice) {
  Run([this](HWND d) {
    SetDlgItemTextA(d, IDE_CSV_PATH, "C:\\old\\days.csv");
    chooserAnswer_ = "";  // cancelled
    Click(d, IDB_CSV_CHOOSE);
    EXPECT_EQ(Text(d, IDE_CSV_PATH), "C:\\old\\days.csv");
    chooserAnswer_ = "C:\\予定表\\new.csv";
    Click(d, IDB_CSV_CHOOSE);
    EXPECT_EQ(Text(d, IDE_CSV_PATH), "C:\\予定表\\new.csv");
    Click(d, IDB_CSV_CLOSE);
  });
  EXPECT_EQ(offered_, (std::vector<std::string>{"C:\\old\\days.csv", "C:\\old\\days.csv"}));
}

TEST_F(CsvDialogTest, AFailedWriteSaysSoAndLeavesTheOldFile) {
  const std::string path = dir_.File("held.csv");
  const Bytes old = {'o', 'l', 'd'};
  WriteBytes(path, old);
  {
    HeldFile held(path);
    ASSERT_TRUE(held.Held());
    Run([&](HWND d) {
      SetDlgItemTextA(d, IDE_CSV_PATH, path.c_str());
      Click(d, IDB_CSV_WRITE);
      SetDlgItemTextA(d, IDE_CSV_PATH, dir_.File("no such folder\\x.csv").c_str());
      Click(d, IDB_CSV_WRITE);
      Click(d, IDB_CSV_CLOSE);
    });
  }
  EXPECT_EQ(messages_, (std::vector<std::string>{kOpenFailed, kOpenFailed}));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_FALSE(dir_.Has("held.csv.new"));
  EXPECT_FALSE(dir_.Has("no such folder"));
}

// The real box, answered from outside while the dialog waits under it.
TEST_F(CsvDialogTest, TheRealBoxOfAFailedWriteIsOwnedByTheDialog) {
  SetMessageAnswererForTests(nullptr);
  HWND owner = nullptr;
  Run([&](HWND d) {
    SetDlgItemTextA(d, IDE_CSV_PATH, dir_.File("no such folder\\x.csv").c_str());
    AnswerNextBox(kOpenFailed, [&](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Click(d, IDB_CSV_WRITE);
    EXPECT_EQ(owner, d);
    Click(d, IDB_CSV_CLOSE);
  });
  EXPECT_NE(owner, nullptr);
}

}  // namespace
}  // namespace hiyomi
