// What a user does with the download: the distribution folder copied as an
// unpacked zip leaves it, the real Setup.exe started there and driven from
// outside through its window, the folder browser and its message box, into
// a fresh empty folder; then the installed Hiyomi.exe started from that
// folder, its help command sent and its help file found beside it.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "resources/setup/setup_window_ids.h"
#include "tests/shell/hiyomi_process.h"

namespace {

using namespace hiyomi_test;

constexpr int kRows = 6;
// What Setup installs, in its rows' order, and the name each comes under in
// the distribution.
constexpr struct {
  const char* installed;
  const char* source;
} kInstalled[kRows] = {
    {"ReadMe.txt", "ReadMe.txt"},       {"Hiyomi.exe", "Hiyomi.exe"},
    {"Hiyomi.chm", "Hiyomi.chm"},       {"Hiyomi.ini", "_Hiyomi.ini"},
    {"HiyomiAge.ini", "_HiyomiAge.ini"}, {"Kivrel.exe", "Kivrel.exe"},
};
constexpr char kSetupTitle[] = "Hiyomi Setup";
constexpr char kDoneText[] = "処理を正常に終了しました。　　";
// The help window's title, from the window type the help file defines.
constexpr char kHelpTitle[] = "Hiyomi ヘルプ";

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void RemoveFolder(const std::string& folder) {
  for (const std::string& name : FileNamesIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

bool LastWriteOf(const std::string& path, FILETIME& written) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  written = data.ftLastWriteTime;
  return true;
}

// Another process's control text, through the message the system carries
// across processes.
std::string TextOf(HWND window) {
  char text[512] = "";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, kStartTimeoutMs, &ignored);
  return text;
}

std::string TitleOf(HWND window) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The first visible top-level window of the process that `accept` takes,
// waited for; null when none came.
template <typename Accept>
HWND WaitForWindowOf(DWORD processId, Accept accept) {
  struct Search {
    DWORD processId;
    Accept* accept;
    HWND found;
  };
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 100) {
    Search search{processId, &accept, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner != s.processId || !IsWindowVisible(window) || !(*s.accept)(window)) return TRUE;
          s.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(100);
  }
  return nullptr;
}

HWND ChildOfClass(HWND parent, const char* className) {
  struct Search {
    const char* className;
    HWND found;
  } search{className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (ClassOf(child) != s.className) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The message box of `caption` that says `text`, and what every box of that
// process says meanwhile (an unexpected one is reported, not waited out).
HWND WaitForBox(DWORD processId, const char* caption, const char* text, std::string& seen) {
  return WaitForWindowOf(processId, [&](HWND window) {
    if (ClassOf(window) != "#32770" || TitleOf(window) == kSetupTitle) return false;
    bool says = false;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      const std::string said = TextOf(child);
      if (ClassOf(child) == "Static" && !said.empty()) {
        if (seen.find(said) == std::string::npos) seen += "[" + TitleOf(window) + "] " + said + "\n";
        says = says || said == text;
      }
    }
    return says && TitleOf(window) == caption;
  });
}

template <typename Done>
bool WaitUntil(Done done, DWORD ms = kStartTimeoutMs) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    if (done()) return true;
    Sleep(100);
  }
  return done();
}

bool SameText(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

class Install : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char longTemp[MAX_PATH];
    GetLongPathNameA(temp, longTemp, sizeof longTemp);
    root_ = std::string(longTemp) + "hiyomi-install";
    download_ = root_ + "\\download";
    target_ = root_ + "\\target";
    RemoveFolder(download_);
    RemoveFolder(target_);
    CreateDirectoryA(root_.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(download_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(target_.c_str(), nullptr));
    // As the zip unpacks: every file with its last-write time.
    for (const std::string& name : FileNamesIn(HIYOMI_DISTRIBUTION_DIR)) {
      ASSERT_TRUE(CopyFileA((std::string(HIYOMI_DISTRIBUTION_DIR) + "\\" + name).c_str(),
                            (download_ + "\\" + name).c_str(), TRUE))
          << name;
    }
  }
  void TearDown() override {
    RemoveFolder(download_);
    RemoveFolder(target_);
    RemoveDirectoryA(root_.c_str());
  }

  // Setup started from the unpacked folder, as by a double-click there.
  bool StartSetup(Process& setup) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const std::string exe = download_ + "\\Setup.exe";
    std::string command = "\"" + exe + "\"";
    return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          download_.c_str(), &startup, &setup.info) != FALSE;
  }

  std::string root_, download_, target_;
};

void ExpectRowsOverAnEmptyTarget(HWND setup) {
  for (int i = 0; i < kRows; ++i) {
    const int step = i * IDC_SETUP_ROW_STEP;
    const char* name = kInstalled[i].installed;
    EXPECT_EQ(TextOf(GetDlgItem(setup, IDT_SETUP_VERSION + step)), "なし    ") << name;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(setup, IDR_SETUP_SKIP + step))) << name;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(setup, IDR_SETUP_ADD + step))) << name;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(setup, IDR_SETUP_OVERWRITE + step))) << name;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(setup, IDX_SETUP_BACKUP + step))) << name;
    EXPECT_EQ(SendMessageA(GetDlgItem(setup, IDR_SETUP_ADD + step), BM_GETCHECK, 0, 0), BST_CHECKED)
        << name;
    EXPECT_EQ(SendMessageA(GetDlgItem(setup, IDR_SETUP_SKIP + step), BM_GETCHECK, 0, 0), BST_UNCHECKED)
        << name;
  }
  EXPECT_EQ(SendMessageA(GetDlgItem(setup, IDX_SETUP_DELETE_SOURCES), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

HTREEITEM Selected(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// The text of a tree item in another process: the item record and its
// text buffer lent in that process's memory, as the tree writes into them.
std::string ItemText(HWND tree, HTREEITEM item) {
  DWORD processId = 0;
  GetWindowThreadProcessId(tree, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return "";
  constexpr int kTextSize = MAX_PATH;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
  std::string text;
  if (remote != nullptr) {
    TVITEMA record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = remote + sizeof(TVITEMA);
    record.cchTextMax = kTextSize;
    char buffer[kTextSize] = "";
    if (WriteProcessMemory(process, remote, &record, sizeof record, nullptr) &&
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) &&
        ReadProcessMemory(process, remote, &record, sizeof record, nullptr) &&
        ReadProcessMemory(process, record.pszText, buffer, sizeof buffer - 1, nullptr)) {
      text = buffer;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

// The tree joins letters typed within this long into one name to look for.
constexpr DWORD kTreeTypingPauseMs = 1000;
// A typed name's search is done long before this.
constexpr DWORD kTypedSearchMs = 5000;

HTREEITEM ParentOf(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

bool IsOpen(HWND tree, HTREEITEM item) {
  return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void PressKey(HWND tree, WPARAM key) {
  PostMessageA(tree, WM_KEYDOWN, key, 1);
  PostMessageA(tree, WM_KEYUP, key, 0xC0000001);
}

// "変更", then in the folder browser the way to the target as a user goes
// it in the tree: up with the left arrow from the folder it opens at (Wine's
// browser opens at the current target or, at times, only at the user's own
// folder above it) to the last folder on the way, then down: the selected
// folder opened with the right arrow, the next folder's name typed; then OK.
void ChooseTargetFolder(DWORD setupId, HWND setup, const std::string& target) {
  char profile[MAX_PATH] = "";
  ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile), 0u);
  const std::string start = std::string(profile) + "\\";
  ASSERT_TRUE(SameText(target.substr(0, start.size()), start)) << target << " is not under " << profile;
  const std::string profileName = std::string(profile).substr(std::string(profile).find_last_of('\\') + 1);
  std::vector<std::string> way;
  for (size_t at = start.size(); at < target.size();) {
    const size_t end = std::min(target.find('\\', at), target.size());
    way.push_back(target.substr(at, end - at));
    at = end + 1;
  }

  PostMessageA(GetDlgItem(setup, IDB_SETUP_BROWSE), BM_CLICK, 0, 0);
  HWND browser = WaitForWindowOf(setupId, [setup](HWND window) {
    return ClassOf(window) == "#32770" && GetWindow(window, GW_OWNER) == setup;
  });
  ASSERT_NE(browser, nullptr) << "no folder browser";
  HWND tree = ChildOfClass(browser, "SysTreeView32");
  ASSERT_NE(tree, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Selected(tree) != nullptr; }));
  // The names from the user's folder down to the selected one.
  std::vector<std::string> at;
  for (HTREEITEM item = Selected(tree); item != nullptr; item = ParentOf(tree, item)) {
    const std::string name = ItemText(tree, item);
    if (SameText(name, profileName)) break;
    at.insert(at.begin(), name);
  }
  size_t common = 0;
  while (common < at.size() && common < way.size() && SameText(at[common], way[common])) ++common;
  for (size_t up = at.size(); up > common; --up) {
    const HTREEITEM from = Selected(tree);
    const HTREEITEM parent = ParentOf(tree, from);
    // An open folder closes at the first press and is left at the next.
    ASSERT_TRUE(WaitUntil([&] {
      if (Selected(tree) == parent) return true;
      PressKey(tree, VK_LEFT);
      return WaitUntil([&] { return Selected(tree) == parent || !IsOpen(tree, from); }, kTypedSearchMs) &&
             Selected(tree) == parent;
    })) << "the left arrow did not go up from " << ItemText(tree, from);
  }
  for (size_t i = common; i < way.size(); ++i) {
    // A fresh name, not the last one continued; by then the last name's
    // letters have all been taken.
    if (i > common) Sleep(kTreeTypingPauseMs);
    const HTREEITEM parent = Selected(tree);
    // On an open folder the arrow would move down instead.
    if (!IsOpen(tree, parent)) PressKey(tree, VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] {
      return SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)) != 0;
    })) << ItemText(tree, parent) << ", the folder above " << way[i] << ", did not open";
    // A key's character with its repeat count: the tree ignores one without.
    // A busy machine may split a name into two searches: then it is typed
    // again after a pause, as a user does who sees the wrong folder.
    bool found = false;
    for (int attempt = 0; attempt < 3 && !found; ++attempt) {
      if (attempt > 0) Sleep(kTreeTypingPauseMs);
      for (const char c : way[i]) {
        PostMessageA(tree, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
      }
      found = WaitUntil([&] { return SameText(ItemText(tree, Selected(tree)), way[i]); },
                        kTypedSearchMs);
    }
    ASSERT_TRUE(found) << "typing " << way[i] << " selected " << ItemText(tree, Selected(tree));
  }
  PostMessageA(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitGone(browser));
  EXPECT_TRUE(WaitUntil([&] { return SameText(TextOf(GetDlgItem(setup, IDE_SETUP_TARGET)), target); }))
      << TextOf(GetDlgItem(setup, IDE_SETUP_TARGET));
}

TEST_F(Install, SetupInstallsTheDistributionIntoAnEmptyFolderAndHiyomiRunsFromThere) {
  Process setup;
  ASSERT_TRUE(StartSetup(setup));
  const DWORD setupId = setup.info.dwProcessId;
  HWND window = WaitForWindowOf(setupId, [](HWND w) { return TitleOf(w) == kSetupTitle; });
  ASSERT_NE(window, nullptr) << "Setup showed no window";
  EXPECT_TRUE(SameText(TextOf(GetDlgItem(window, IDE_SETUP_TARGET)), download_));

  ChooseTargetFolder(setupId, window, target_);
  if (HasFatalFailure()) return;
  ExpectRowsOverAnEmptyTarget(window);

  // 実行: every file added, one message, and Setup ends.
  PostMessageA(GetDlgItem(window, IDB_SETUP_RUN), BM_CLICK, 0, 0);
  std::string seen;
  HWND done = WaitForBox(setupId, "Setup", kDoneText, seen);
  ASSERT_NE(done, nullptr) << "Setup said:\n" << seen;
  EXPECT_EQ(seen, std::string("[Setup] ") + kDoneText + "\n") << "no other message comes";
  PostMessageA(done, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(setup.WaitExit(kStartTimeoutMs), 0u) << "Setup's window stayed open";

  // The six files under their installed names, with the times that make them
  // the current versions, and nothing else: no half-copied leftovers.
  const std::vector<std::string> names = FileNamesIn(target_);
  std::set<std::string> expected;
  for (const auto& file : kInstalled) {
    expected.insert(file.installed);
    FILETIME installed{};
    FILETIME distributed{};
    ASSERT_TRUE(LastWriteOf(target_ + "\\" + file.installed, installed)) << file.installed;
    ASSERT_TRUE(LastWriteOf(download_ + "\\" + file.source, distributed)) << file.source;
    EXPECT_EQ(CompareFileTime(&installed, &distributed), 0) << file.installed;
    EXPECT_EQ(ReadFileText(target_ + "\\" + file.installed), ReadFileText(download_ + "\\" + file.source))
        << file.installed;
  }
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
  EXPECT_EQ(FileNamesIn(download_).size(), 7u) << "the download is left as it was";

  // The installed program, started from its folder.
  const std::string ini = target_ + "\\Hiyomi.ini";
  FILETIME settingsBefore{};
  ASSERT_TRUE(LastWriteOf(ini, settingsBefore));
  Process hiyomi;
  ASSERT_TRUE(Start(target_ + "\\Hiyomi.exe", hiyomi));
  HWND calendar = WaitForVisibleWindow(hiyomi.info.dwProcessId);
  ASSERT_NE(calendar, nullptr) << "Hiyomi showed no window";
  // The calendar is laid out: its column bar pages over the days shown.
  EXPECT_TRUE(WaitUntil([&] {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE;
    GetScrollInfo(GetDlgItem(calendar, IDC_COLUMN_SCROLL), SB_CTL, &info);
    return info.nPage > 0;
  }));

  PostMessageA(calendar, WM_COMMAND, IDM_HELP, 0);
  HWND help = WaitForWindowOf(hiyomi.info.dwProcessId, [](HWND w) { return TitleOf(w) == kHelpTitle; });
  EXPECT_NE(help, nullptr) << "no help window from " << target_ << "\\Hiyomi.chm";
  if (help != nullptr) {
    PostMessageA(help, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitGone(help));
  }

  // The options sheet confirmed as it opens: the settings are written into
  // the installed Hiyomi.ini, the file the first-start settings came in.
  PostMessageA(calendar, WM_COMMAND, IDM_OPTIONS, 0);
  HWND sheet = WaitForDialog("設定");
  ASSERT_NE(sheet, nullptr) << "no options sheet";
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  ASSERT_TRUE(WaitGone(sheet));

  PostMessageA(calendar, WM_CLOSE, 0, 0);
  EXPECT_EQ(hiyomi.WaitExit(kStartTimeoutMs), 0u);
  FILETIME settingsAfter{};
  ASSERT_TRUE(LastWriteOf(ini, settingsAfter));
  EXPECT_NE(CompareFileTime(&settingsAfter, &settingsBefore), 0) << "Hiyomi wrote no settings in " << ini;
  EXPECT_EQ(GetPrivateProfileIntA("Default", "UseReg", 0, ini.c_str()), 1u);
}

}  // namespace
