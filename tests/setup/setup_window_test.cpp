// Setup's window over real folders: a distribution whose files carry the
// version table's local stamps, and targets made for each case. Driven with
// the messages a user's clicks make; the questions answered through the
// message seam, one real box from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/win/folder_choice.h"
#include "resources/setup/setup_window_ids.h"
#include "setup/install_plan.h"
#include "setup/setup_window.h"
#include "tests/schedule/dialog_driver.h"
#include "tests/shell/hiyomi_process.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;
using hiyomi_test::ReadFileText;

struct Said {
  MessageKind kind;
  std::string text, caption;
  bool operator==(const Said&) const = default;
};

const Said kDone{MessageKind::Information, "処理を正常に終了しました。　　", "Setup"};

int Row(int firstRowId, int row) { return firstRowId + row * IDC_SETUP_ROW_STEP; }

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Stamps path with a local time, the way the version table lists it.
void Stamp(const std::string& path, const LocalStamp& at) {
  SYSTEMTIME local{static_cast<WORD>(at.year), static_cast<WORD>(at.month), 0,
                   static_cast<WORD>(at.day), static_cast<WORD>(at.hour),
                   static_cast<WORD>(at.minute), static_cast<WORD>(at.second), 0};
  SYSTEMTIME utc{};
  FILETIME time{};
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &time));
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}

void PutFile(const std::string& path, const std::string& bytes, int version) {
  WriteBytes(path, bytes);
  Stamp(path, kVersionTable[static_cast<size_t>(version)].stamp);
}

std::string Text(HWND dialog, int id) {
  char text[MAX_PATH] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// One row as the user sees it: which of しない/追加/上書/バックアップ are
// enabled and which is checked.
struct RowLook {
  std::string version;
  bool skip, add, overwrite, backup;  // enabled
  int checked;                        // the checked radio's first-row id, 0 none
  bool operator==(const RowLook&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RowLook& r) {
  return out << r.version << " enabled " << r.skip << r.add << r.overwrite << r.backup << " checked "
             << r.checked;
}

RowLook LookOf(HWND d, int i) {
  RowLook look{Text(d, Row(IDT_SETUP_VERSION, i)), Enabled(d, Row(IDR_SETUP_SKIP, i)),
               Enabled(d, Row(IDR_SETUP_ADD, i)), Enabled(d, Row(IDR_SETUP_OVERWRITE, i)),
               Enabled(d, Row(IDX_SETUP_BACKUP, i)), 0};
  for (int id : {IDR_SETUP_SKIP, IDR_SETUP_ADD, IDR_SETUP_OVERWRITE}) {
    if (Checked(d, Row(id, i))) look.checked = id;
  }
  return look;
}

class SetupTest : public ::testing::Test {
 protected:
  SetupTest() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "setup-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root_.c_str(), nullptr);
    source_ = root_ + "\\dist";
    target_ = root_ + "\\target";
    CreateDirectoryA(source_.c_str(), nullptr);
    CreateDirectoryA(target_.c_str(), nullptr);
    for (const DistributionFile& file : kDistributionFiles) {
      PutFile(source_ + "\\" + SourceNameOf(file), std::string("new ") + file.name, file.expectedVersion);
    }
    GetCurrentDirectoryA(sizeof previousFolder_, previousFolder_);
    SetCurrentDirectoryA(source_.c_str());
    previousAnswerer_ = SetCaptionedMessageAnswererForTests(
        [this](MessageKind kind, const char* text, const char* caption) {
          said.push_back({kind, text, caption});
          return answer;
        });
    previousChooser_ = SetFolderChooserForTests(
        [this](HWND, const char* title, const std::string&, std::string& chosen) {
          chooserTitle = title;
          chosen = target_;
          return true;
        });
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~SetupTest() override {
    SetCaptionedMessageAnswererForTests(std::move(previousAnswerer_));
    SetFolderChooserForTests(std::move(previousChooser_));
    SetSetupTodayForTests(0, 0);
    SetCurrentDirectoryA(previousFolder_);
    RemoveFolder(root_);
  }

  static void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveFolder(path);
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  // The window; `driver` acts on it and must end it (or press キャンセル).
  // Returns what RunSetupWindow returned.
  bool Run(std::function<void(HWND)> driver, bool toTarget = true) {
    DriveNextDialog(kSetupTitle, [driver = std::move(driver), toTarget](HWND d) {
      if (toTarget) Click(d, IDB_SETUP_BROWSE);
      driver(d);
      if (IsWindow(d) && IsWindowVisible(d)) Click(d, IDB_SETUP_CANCEL);
    });
    return RunSetupWindow(GetModuleHandleA(nullptr));
  }

  std::string root_, source_, target_;
  std::vector<Said> said;
  MessageAnswer answer = MessageAnswer::Yes;
  std::string chooserTitle;

 private:
  char previousFolder_[MAX_PATH] = {};
  CaptionedMessageAnswerer previousAnswerer_;
  FolderChooser previousChooser_;
};

TEST_F(SetupTest, TheWindowIsBuiltFromTheControlTable) {
  RECT frame{}, version{}, backup{}, deleteBox{};
  POINT client{0, 0};
  std::string face;
  LONG fontHeight = 0;
  std::string initialTarget;
  Run([&](HWND d) {
    initialTarget = Text(d, IDE_SETUP_TARGET);  // before 変更: the distribution
    GetWindowRect(d, &frame);
    ClientToScreen(d, &client);
    GetWindowRect(GetDlgItem(d, Row(IDT_SETUP_VERSION, 2)), &version);
    GetWindowRect(GetDlgItem(d, Row(IDX_SETUP_BACKUP, 5)), &backup);
    GetWindowRect(GetDlgItem(d, IDX_SETUP_DELETE_SOURCES), &deleteBox);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(d, Row(IDR_SETUP_ADD, 3), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    face = font.lfFaceName;
    fontHeight = font.lfHeight;
  }, false);
  EXPECT_EQ(initialTarget, source_);
  EXPECT_EQ(frame.right - frame.left, 483);
  EXPECT_EQ(frame.bottom - frame.top, 294);
  EXPECT_EQ(frame.left, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - 463) / 2));
  EXPECT_EQ(frame.top, std::max(0, (GetSystemMetrics(SM_CYSCREEN) - 284) / 2));
  EXPECT_EQ(version.left - client.x, 120);
  EXPECT_EQ(version.top - client.y, 65 + 25 * 2);
  EXPECT_EQ(backup.left - client.x, 350);
  EXPECT_EQ(backup.top - client.y, 65 + 25 * 5);
  EXPECT_EQ(backup.right - backup.left, 110);
  EXPECT_EQ(deleteBox.left - client.x, 260);
  EXPECT_EQ(deleteBox.bottom - deleteBox.top, 24);
  // Inside the window: nothing of the bottom row is cut off.
  EXPECT_LE(deleteBox.right, frame.right);
  EXPECT_LE(deleteBox.bottom, frame.bottom);
  EXPECT_EQ(face, "ＭＳ Ｐゴシック");
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(fontHeight, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
}

TEST_F(SetupTest, AnEmptyTargetOffersAddAndGetsEveryFile) {
  std::vector<RowLook> rows;
  std::string shown;
  const bool done = Run([&](HWND d) {
    shown = Text(d, IDE_SETUP_TARGET);
    for (int i = 0; i < kFileCount; ++i) rows.push_back(LookOf(d, i));
    Click(d, IDB_SETUP_RUN);
  });
  EXPECT_EQ(chooserTitle, "ディレクトリ変更");
  EXPECT_EQ(shown, target_);
  for (const RowLook& row : rows) {
    EXPECT_EQ(row, (RowLook{"なし    ", true, true, false, false, IDR_SETUP_ADD}));
  }
  EXPECT_TRUE(done);
  EXPECT_EQ(said, std::vector<Said>{kDone});
  EXPECT_EQ(ReadFileText(target_ + "\\Hiyomi.ini"), "new Hiyomi.ini");
  EXPECT_EQ(ReadFileText(target_ + "\\Kivrel.exe"), "new Kivrel.exe");
  EXPECT_FALSE(Exists(target_ + "\\_Hiyomi.ini"));
  EXPECT_FALSE(Exists(target_ + "\\Hiyomi.exe.new"));

  // The copies keep their stamps: a second look finds them current.
  std::vector<std::string> versions;
  Run([&](HWND d) {
    for (int i = 0; i < kFileCount; ++i) versions.push_back(Text(d, Row(IDT_SETUP_VERSION, i)));
  });
  EXPECT_EQ(versions, (std::vector<std::string>{"V1.51    ", "V1.51    ", "V1.51    ", "V1.51    ",
                                                "V1.44    ", "V1.44    "}));
}

TEST_F(SetupTest, ACurrentTargetEnablesNothingAndRunOnlyReportsSuccess) {
  for (const DistributionFile& file : kDistributionFiles) {
    PutFile(target_ + "\\" + file.name, "installed", file.expectedVersion);
  }
  // No seam: the real box comes up and is answered from outside.
  SetCaptionedMessageAnswererForTests(nullptr);
  std::vector<RowLook> rows;
  const bool done = Run([&](HWND d) {
    for (int i = 0; i < kFileCount; ++i) rows.push_back(LookOf(d, i));
    AnswerNextBox("処理を正常に終了しました。　　",
                  [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }, "Setup");
    Click(d, IDB_SETUP_RUN);
  });
  for (int i = 0; i < kFileCount; ++i) {
    const char* version = kDistributionFiles[static_cast<size_t>(i)].expectedVersion == 11 ? "V1.51    "
                                                                                          : "V1.44    ";
    EXPECT_EQ(rows[static_cast<size_t>(i)], (RowLook{version, false, false, false, false, 0})) << i;
  }
  EXPECT_TRUE(done);
  for (const DistributionFile& file : kDistributionFiles) {
    EXPECT_EQ(ReadFileText(target_ + "\\" + file.name), "installed") << file.name;
  }
}

TEST_F(SetupTest, OlderFilesAndTheBackupOnSeventhDecember) {
  PutFile(target_ + "\\Hiyomi.exe", "old program", 10);  // V1.50
  PutFile(target_ + "\\Hiyomi.ini", "my settings", 5);   // V1.40
  PutFile(target_ + "\\Hiyomi.exe_12071", "an earlier backup", 8);
  WriteBytes(target_ + "\\Kivrel.exe", "unknown");  // today's stamp: no version
  SetSetupTodayForTests(12, 7);
  std::vector<RowLook> before;
  std::vector<bool> backupEnabled;
  const bool done = Run([&](HWND d) {
    for (int i = 0; i < kFileCount; ++i) before.push_back(LookOf(d, i));
    // The preselected 上書 keeps the backup box off until 上書 is clicked.
    Click(d, Row(IDR_SETUP_OVERWRITE, 1));
    backupEnabled.push_back(Enabled(d, Row(IDX_SETUP_BACKUP, 1)));
    Click(d, Row(IDR_SETUP_SKIP, 1));
    backupEnabled.push_back(Enabled(d, Row(IDX_SETUP_BACKUP, 1)));
    Click(d, Row(IDR_SETUP_OVERWRITE, 1));
    backupEnabled.push_back(Enabled(d, Row(IDX_SETUP_BACKUP, 1)));
    Click(d, Row(IDX_SETUP_BACKUP, 1));
    Click(d, Row(IDR_SETUP_SKIP, 5));  // leave the unknown Kivrel.exe
    Click(d, IDB_SETUP_RUN);
  });
  EXPECT_EQ(before[1], (RowLook{"V1.50    ", true, false, true, false, IDR_SETUP_OVERWRITE}));
  EXPECT_EQ(before[3], (RowLook{"V1.40    ", true, false, true, false, IDR_SETUP_SKIP}));
  EXPECT_EQ(before[5], (RowLook{"????    ", true, false, true, false, IDR_SETUP_OVERWRITE}));
  EXPECT_EQ(backupEnabled, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(done);
  EXPECT_EQ(ReadFileText(target_ + "\\Hiyomi.exe"), "new Hiyomi.exe");
  EXPECT_EQ(ReadFileText(target_ + "\\Hiyomi.exe_12071"), "an earlier backup");
  EXPECT_EQ(ReadFileText(target_ + "\\Hiyomi.exe_12072"), "old program");
  EXPECT_EQ(ReadFileText(target_ + "\\Hiyomi.ini"), "my settings");
  EXPECT_EQ(ReadFileText(target_ + "\\Kivrel.exe"), "unknown");
  EXPECT_EQ(ReadFileText(target_ + "\\ReadMe.txt"), "new ReadMe.txt");
}

TEST_F(SetupTest, AFailedOverwriteLeavesTheInstalledFileWhole) {
  PutFile(target_ + "\\Hiyomi.exe", "old program", 10);
  // Held open without delete sharing, as a running program holds its file:
  // the replace is refused.
  HANDLE held = CreateFileA((target_ + "\\Hiyomi.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  answer = MessageAnswer::No;
  bool stillOpen = false;
  const bool done = Run([&](HWND d) {
    Click(d, IDB_SETUP_RUN);
    stillOpen = IsWindowVisible(d) != FALSE;
  });
  CloseHandle(held);
  EXPECT_FALSE(done);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(said, (std::vector<Said>{{MessageKind::YesNo,
                                      "Hiyomi.exeの上書に失敗しました。処理を続けますか？　　", "エラー"}}));
  EXPECT_EQ(ReadFileText(target_ + "\\Hiyomi.exe"), "old program");
  EXPECT_FALSE(Exists(target_ + "\\Hiyomi.exe.new"));
  EXPECT_EQ(ReadFileText(target_ + "\\ReadMe.txt"), "new ReadMe.txt");  // copied before it stays
  EXPECT_FALSE(Exists(target_ + "\\Kivrel.exe"));                         // stopped at once
}

TEST_F(SetupTest, IntoTheDistributionItselfOnlyTheSettingsSourcesGo) {
  const bool done = Run([&](HWND d) {
    Click(d, IDX_SETUP_DELETE_SOURCES);
    Click(d, IDB_SETUP_RUN);
  }, false);
  EXPECT_TRUE(done);
  EXPECT_EQ(said, (std::vector<Said>{{MessageKind::Information,
                                      "処理を正常に終了しました。なおSetup.exeは手動で削除してください。　　",
                                      "Setup"}}));
  EXPECT_EQ(ReadFileText(source_ + "\\Hiyomi.ini"), "new Hiyomi.ini");
  EXPECT_EQ(ReadFileText(source_ + "\\HiyomiAge.ini"), "new HiyomiAge.ini");
  EXPECT_FALSE(Exists(source_ + "\\_Hiyomi.ini"));
  EXPECT_FALSE(Exists(source_ + "\\_HiyomiAge.ini"));
  for (const char* name : {"ReadMe.txt", "Hiyomi.exe", "Hiyomi.chm", "Kivrel.exe"}) {
    EXPECT_TRUE(Exists(source_ + "\\" + name)) << name;
  }
}

TEST_F(SetupTest, ElsewhereTheDeletionTakesTheWholeDistribution) {
  const bool done = Run([&](HWND d) {
    Click(d, IDX_SETUP_DELETE_SOURCES);
    Click(d, IDB_SETUP_RUN);
  });
  EXPECT_TRUE(done);
  for (const DistributionFile& file : kDistributionFiles) {
    EXPECT_FALSE(Exists(source_ + "\\" + SourceNameOf(file))) << file.name;
    EXPECT_TRUE(Exists(target_ + "\\" + file.name)) << file.name;
  }
}

}  // namespace
}  // namespace hiyomi
