// ICSDLG from its real template, driven by messages: IcsOpt in and out,
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
#include "print/ical_dialog_win.h"
#include "print/ical_export.h"
#include "resources/icsdlg_ids.h"
#include "schedule/dialog_rows_win.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"
#include "export_dialog_fixture.h"
#include "tests/schedule/dialog_driver.h"
#include "tests/schedule/schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "iCalendar出力";
constexpr char kWriteFailed[] = "iCalendarファイルを書き込めませんでした。元のファイルはそのままです。　　";
const SerialDay kThursday = SerialFromDate(2026, 12, 10);

std::string FileText(const std::string& path) {
  const Bytes bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

class IcsDialogTest : public ::testing::Test {
 protected:
  IcsDialogTest() {
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
    in_.displayFlags = 0;  // the view shows nothing: the export does not follow it
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~IcsDialogTest() override {
    SetMessageAnswererForTests(nullptr);
    SetFileChooserForTests(nullptr);
  }

  void Run(std::function<void(HWND)> driver) {
    DriveNextDialog(kTitle, std::move(driver));
    const DayItemInputs inputs = in_.Inputs();
    RunIcsDialog(nullptr, IcsDialogData{inputs, settings_, SystemDataFiles()});
  }
  std::string StoredOpt() {
    char text[32] = {};
    memory_->Read(kDefaultSection, kIcsOptKey, "(none)", text, sizeof text);
    return text;
  }
  static void PickRange(HWND d, SerialDay first, SerialDay last) {
    SetPickerDay(GetDlgItem(d, IDC_ICS_FIRST_DAY), first);
    SetPickerDay(GetDlgItem(d, IDC_ICS_LAST_DAY), last);
  }

  ScratchDir dir_{"ics-dialog"};
  SettingsStore settings_;
  MemorySettingsBackend* memory_ = nullptr;
  CsvInputs in_;
  std::vector<std::string> messages_;
  std::vector<std::string> offered_;
  std::string chooserAnswer_;
};

TEST_F(IcsDialogTest, OpensFromIcsOptAndKeepsTheChoicesWhenClosed) {
  memory_->Write(kDefaultSection, kIcsOptKey, "1001");
  memory_->Write("Profile", kIcsOptKey, "0110");  // only Default counts
  Run([](HWND d) {
    EXPECT_TRUE(IsChecked(d, IDX_ICS_REGULAR) && IsChecked(d, IDX_ICS_HOLIDAYS));
    EXPECT_FALSE(IsChecked(d, IDX_ICS_TEMPORARY) || IsChecked(d, IDX_ICS_TODO));
    EXPECT_EQ(Text(d, IDE_ICS_PATH), ProgramPathWith(".ics"));
    EXPECT_EQ(SendDlgItemMessageA(d, IDE_ICS_PATH, EM_GETLIMITTEXT, 0, 0), 260);
    for (int id : {IDC_ICS_FIRST_DAY, IDC_ICS_LAST_DAY}) {
      EXPECT_EQ(PickerDay(GetDlgItem(d, id), kNoDay), kThursday);
      EXPECT_EQ(Text(d, id), "2026年 12月 10日 木曜日 ");
    }
    Click(d, IDX_ICS_REGULAR);
    Click(d, IDX_ICS_TODO);
    Click(d, IDB_ICS_CLOSE);
  });
  EXPECT_EQ(StoredOpt(), "0011");
  // The close box stores them as well.
  Run([](HWND d) {
    EXPECT_TRUE(IsChecked(d, IDX_ICS_TODO) && IsChecked(d, IDX_ICS_HOLIDAYS));
    Click(d, IDX_ICS_TEMPORARY);
    SendMessageA(d, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(StoredOpt(), "0111");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(IcsDialogTest, WritesTheRangeAndStaysOpen) {
  const std::string path = dir_.File("days.ics");
  Run([&](HWND d) {
    PickRange(d, kThursday, kThursday + 1);
    SetDlgItemTextA(d, IDE_ICS_PATH, path.c_str());
    Click(d, IDB_ICS_WRITE);
    EXPECT_TRUE(IsWindowVisible(d));
    const std::string text = FileText(path);
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(text.find("DTSTART;VALUE=DATE:20261210\r\n"), std::string::npos);
    EXPECT_NE(text.find("DTSTART;VALUE=DATE:20261211\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:\xE4\xBC\x9A\xE8\xAD\xB0\r\n"), std::string::npos);  // 会議 in UTF-8
    // A reversed range writes nothing and says nothing.
    PickRange(d, kThursday + 1, kThursday);
    DeleteFileA(path.c_str());
    Click(d, IDB_ICS_WRITE);
    EXPECT_FALSE(dir_.Has("days.ics"));
    Click(d, IDB_ICS_CLOSE);
  });
  EXPECT_TRUE(messages_.empty());
}

TEST_F(IcsDialogTest, AnEmptyPathWritesBesideTheProgram) {
  const std::string path = ProgramPathWith(".ics");
  DeleteFileA(path.c_str());
  Run([&](HWND d) {
    PickRange(d, kThursday, kThursday);
    SetDlgItemTextA(d, IDE_ICS_PATH, "");
    Click(d, IDB_ICS_WRITE);
    Click(d, IDB_ICS_CLOSE);
  });
  EXPECT_NE(FileText(path).find("DTSTART;VALUE=DATE:20261210\r\n"), std::string::npos);
  DeleteFileA(path.c_str());
}

TEST_F(IcsDialogTest, ChooseOffersThePathInTheEditAndTakesTheChoice) {
  Run([this](HWND d) {
    SetDlgItemTextA(d, IDE_ICS_PATH, "C:\\old\\days.ics");
    chooserAnswer_ = "";  // cancelled
    Click(d, IDB_ICS_CHOOSE);
    EXPECT_EQ(Text(d, IDE_ICS_PATH), "C:\\old\\days.ics");
    chooserAnswer_ = "C:\\予定表\\new.ics";
    Click(d, IDB_ICS_CHOOSE);
    EXPECT_EQ(Text(d, IDE_ICS_PATH), "C:\\予定表\\new.ics");
    Click(d, IDB_ICS_CLOSE);
  });
  EXPECT_EQ(offered_, (std::vector<std::string>{"C:\\old\\days.ics", "C:\\old\\days.ics"}));
}

TEST_F(IcsDialogTest, AFailedWriteSaysSoAndLeavesTheOldFile) {
  const std::string path = dir_.File("held.ics");
  const Bytes old = {'o', 'l', 'd'};
  WriteBytes(path, old);
  {
    HeldFile held(path);
    ASSERT_TRUE(held.Held());
    Run([&](HWND d) {
      SetDlgItemTextA(d, IDE_ICS_PATH, path.c_str());
      Click(d, IDB_ICS_WRITE);
      SetDlgItemTextA(d, IDE_ICS_PATH, dir_.File("no such folder\\x.ics").c_str());
      Click(d, IDB_ICS_WRITE);
      Click(d, IDB_ICS_CLOSE);
    });
  }
  EXPECT_EQ(messages_, (std::vector<std::string>{kWriteFailed, kWriteFailed}));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_FALSE(dir_.Has("held.ics.new"));
  EXPECT_FALSE(dir_.Has("no such folder"));
}

// The real box, answered from outside while the dialog waits under it.
TEST_F(IcsDialogTest, TheRealBoxOfAFailedWriteIsOwnedByTheDialog) {
  SetMessageAnswererForTests(nullptr);
  HWND owner = nullptr;
  Run([&](HWND d) {
    SetDlgItemTextA(d, IDE_ICS_PATH, dir_.File("no such folder\\x.ics").c_str());
    AnswerNextBox(kWriteFailed, [&](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Click(d, IDB_ICS_WRITE);
    EXPECT_EQ(owner, d);
    Click(d, IDB_ICS_CLOSE);
  });
  EXPECT_NE(owner, nullptr);
}

}  // namespace
}  // namespace hiyomi
