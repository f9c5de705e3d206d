// Kivrel's MAINDLG from its real template over a real "Hiyomi.ini" and
// Wine's registry, driven with the messages a user's clicks make; then the
// real Hiyomi.exe started on the storage Kivrel chose.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/win/folder_choice.h"
#include "kivrel/kivrel_dialog.h"
#include "kivrel/settings_copy_win.h"
#include "resources/kivrel/kivrel_dialog_ids.h"
#include "tests/schedule/dialog_driver.h"
#include "tests/shell/hiyomi_process.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "UseReg for Hiyomi";
const std::string kSettingsPath = std::string(kSettingsKey) + "\\";

struct Said {
  MessageKind kind;
  std::string text;
  bool operator==(const Said&) const = default;
};

void DeleteTree(const char* path) { RegDeleteTreeA(HKEY_CURRENT_USER, path); }

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Written as Hiyomi writes them: REG_SZ without the terminating zero.
void PutValue(const char* section, const char* name, const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kSettingsPath + section).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
  RegCloseKey(key);
}

// Every value of a subkey with its text.
std::map<std::string, std::string> ValuesOf(const char* section) {
  std::map<std::string, std::string> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (kSettingsPath + section).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return values;
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLength = sizeof name;
    BYTE data[1024];
    DWORD dataLength = sizeof data;
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, nullptr, data, &dataLength) != ERROR_SUCCESS) {
      break;
    }
    // The ANSI read hands a string back with a terminator whether or not
    // one was stored.
    if (dataLength > 0 && data[dataLength - 1] == '\0') --dataLength;
    values[name] = std::string(reinterpret_cast<char*>(data), dataLength);
  }
  RegCloseKey(key);
  return values;
}

class KivrelTest : public ::testing::Test {
 protected:
  KivrelTest() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "kivrel-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    ini_ = folder_ + "\\Hiyomi.ini";
    DeleteFileA(ini_.c_str());
    DeleteTree(kMakerKey);
    previous_ = SetCaptionedMessageAnswererForTests(
        [this](MessageKind kind, const char* text, const char* caption) {
          EXPECT_STREQ(caption, "UseReg") << text;
          said.push_back({kind, text});
          return SafeAnswer(kind);
        });
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~KivrelTest() override {
    SetCaptionedMessageAnswererForTests(std::move(previous_));
    DeleteFileA(ini_.c_str());
    RemoveDirectoryA(folder_.c_str());
    DeleteTree(kMakerKey);
  }

  void WriteIni(const std::string& bytes) const { std::ofstream(ini_, std::ios::binary) << bytes; }
  std::string ReadIni() const { return hiyomi_test::ReadFileText(ini_); }
  std::string Value(const char* section, const char* key) const {
    char text[1024] = {};
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, ini_.c_str());
    return text;
  }

  // The dialog over `folder` (the test's own unless given); `driver` acts,
  // then the dialog is closed with its button.
  void Run(std::function<void(HWND)> driver, const std::string& folder = "") {
    const std::string start = folder.empty() ? folder_ : folder;
    DriveNextDialog(kTitle, [driver = std::move(driver)](HWND d) {
      driver(d);
      Click(d, IDB_KIVREL_CLOSE);
    });
    RunKivrelDialog(GetModuleHandleA(nullptr), start.c_str());
  }
  // Clicks one button and returns what it said.
  std::vector<Said> Press(int id, const char* folder = nullptr, int radio = 0) {
    said.clear();
    Run([&](HWND d) {
      if (folder != nullptr) SetDlgItemTextA(d, IDE_KIVREL_FOLDER, folder);
      if (radio != 0) Click(d, radio);
      Click(d, id);
    });
    return said;
  }

  std::string folder_;
  std::string ini_;
  std::vector<Said> said;

 private:
  CaptionedMessageAnswerer previous_;
};

const Said kCopied{MessageKind::Information, "複写しました。　　"};

TEST_F(KivrelTest, OpensWithItsTitleOnKivrelsFolderAndAnswersARealBox) {
  SetCaptionedMessageAnswererForTests(nullptr);
  std::string title, shown;
  DriveNextDialog(kTitle, [&](HWND d) {
    char text[MAX_PATH] = {};
    GetWindowTextA(d, text, sizeof text);
    title = text;
    GetDlgItemTextA(d, IDE_KIVREL_FOLDER, text, sizeof text);
    shown = text;
    // Nothing chosen: the box itself comes up, under the tool's caption.
    AnswerNextBox(
        "設定先を選択してください。　　",
        [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }, "UseReg");
    Click(d, IDB_KIVREL_SET_SWITCH);
    Click(d, IDB_KIVREL_CLOSE);
  });
  RunKivrelDialog(GetModuleHandleA(nullptr), folder_.c_str());
  EXPECT_EQ(title, kTitle);
  EXPECT_EQ(shown, folder_);
}

TEST_F(KivrelTest, RegistryToIniCopiesEverySectionAsItIs) {
  PutValue("Default", "UseReg", "2");
  PutValue("Default", "Section", "Work");
  for (int i = 0; i < 6; ++i) PutValue("Long", ("Key" + std::to_string(i)).c_str(), "長い値");
  PutValue("Short", "Only", "1");
  PutValue("Work", "Ptn6", "1");
  WriteIni("[Short]\r\nStale=old\r\n");
  EXPECT_EQ(Press(IDB_KIVREL_REG_TO_INI), std::vector<Said>{kCopied});
  EXPECT_EQ(Value("Default", "UseReg"), "2");
  EXPECT_EQ(Value("Default", "Section"), "Work");
  EXPECT_EQ(Value("Work", "Ptn6"), "1");
  EXPECT_EQ(Value("Long", "Key5"), "長い値");
  // The short section after the long one: its own key only, the old one gone.
  char section[512] = {};
  const DWORD length = GetPrivateProfileSectionA("Short", section, sizeof section, ini_.c_str());
  EXPECT_EQ(std::string(section, length), std::string("Only=1\0", 7)) << ReadIni();
}

TEST_F(KivrelTest, RegistryToIniWithoutSettingsKeyReportsTheCode) {
  EXPECT_EQ(Press(IDB_KIVREL_REG_TO_INI),
            (std::vector<Said>{{MessageKind::Stop, "複写(Reg→Ini)エラー(-1)"}}));
  EXPECT_EQ(GetFileAttributesA(ini_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(KivrelTest, IniToRegistryLeavesExactlyTheIniKeys) {
  PutValue("Work", "Ptn6", "0");
  PutValue("Work", "Extra", "gone");
  PutValue("Kept", "A", "1");  // not in the ini file: untouched
  WriteIni("[Default]\r\nUseReg=2\r\nSection=Work\r\n[Work]\r\nPtn6=1\r\nText=a=b\r\nno equals\r\n");
  EXPECT_EQ(Press(IDB_KIVREL_INI_TO_REG), std::vector<Said>{kCopied});
  EXPECT_EQ(ValuesOf("Work"), (std::map<std::string, std::string>{{"Ptn6", "1"}, {"Text", "a=b"}}));
  EXPECT_EQ(ValuesOf("Default"),
            (std::map<std::string, std::string>{{"Section", "Work"}, {"UseReg", "2"}}));
  EXPECT_EQ(ValuesOf("Kept"), (std::map<std::string, std::string>{{"A", "1"}}));
}

TEST_F(KivrelTest, ABadFolderOrAMissingFileChangesNothing) {
  PutValue("Work", "Ptn6", "0");
  const Said invalid{MessageKind::Stop, "Iniファイルのパスが無効です。　　"};
  EXPECT_EQ(Press(IDB_KIVREL_INI_TO_REG), (std::vector<Said>{{MessageKind::Stop,
                                                              "Iniファイルが見つかりません。　　"}}));
  const std::string missing = folder_ + "\\nowhere";
  EXPECT_EQ(Press(IDB_KIVREL_INI_TO_REG, missing.c_str()), std::vector<Said>{invalid});
  EXPECT_EQ(Press(IDB_KIVREL_REG_TO_INI, missing.c_str()), std::vector<Said>{invalid});
  EXPECT_EQ(ValuesOf("Work"), (std::map<std::string, std::string>{{"Ptn6", "0"}}));
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(KivrelTest, DeletingTwiceAndTheMakersKey) {
  const struct {
    bool sibling;  // another program of the maker keeps its key
  } cases[] = {{false}, {true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sibling);
    PutValue("Default", "UseReg", "2");
    PutValue("Work\\Deeper", "x", "1");  // below a section: deleted with it
    if (c.sibling) {
      HKEY other = nullptr;
      RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Sorafu\\Notrik", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &other, nullptr);
      RegCloseKey(other);
    }
    EXPECT_EQ(Press(IDB_KIVREL_DELETE), (std::vector<Said>{{MessageKind::Information, "削除しました。　　"}}));
    EXPECT_FALSE(KeyExists(kSettingsKey));
    EXPECT_EQ(KeyExists(kMakerKey), c.sibling);
    EXPECT_EQ(Press(IDB_KIVREL_DELETE),
              (std::vector<Said>{{MessageKind::Stop, "キーをオープンできませんでした。　　"}}));
    DeleteTree(kMakerKey);
  }
}

TEST_F(KivrelTest, SettingTheSwitch) {
  const Said iniDone{MessageKind::Information, "Iniファイルに登録しました。　　"};
  const Said iniFailed{MessageKind::Stop, "Iniファイル登録に失敗しました。　　"};
  const Said regDone{MessageKind::Information, "レジストリに登録しました。　　"};
  const std::string missing = folder_ + "\\nowhere";
  const struct {
    const char* what;
    bool keyBefore;
    bool goodFolder;
    int radio;
    std::vector<Said> said;
    const char* iniValue;  // "<none>": not written
    const char* regValue;  // "": the settings key is absent
  } cases[] = {
      {"ini, no key", false, true, IDR_KIVREL_USE_INI, {iniDone}, "1", ""},
      {"ini, a key", true, true, IDR_KIVREL_USE_INI, {iniDone, regDone}, "1", "1"},
      {"registry", false, true, IDR_KIVREL_USE_REGISTRY, {iniDone, regDone}, "2", "2"},
      {"registry, bad folder", false, false, IDR_KIVREL_USE_REGISTRY, {regDone}, "<none>", "2"},
      {"ini, bad folder", false, false, IDR_KIVREL_USE_INI, {iniFailed, regDone}, "<none>", "1"},
      {"nothing chosen", true, true, 0, {{MessageKind::Stop, "設定先を選択してください。　　"}},
       "<none>", "2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteTree(kMakerKey);
    DeleteFileA(ini_.c_str());
    if (c.keyBefore) PutValue("Default", "UseReg", "2");
    EXPECT_EQ(Press(IDB_KIVREL_SET_SWITCH, c.goodFolder ? folder_.c_str() : missing.c_str(), c.radio),
              c.said);
    EXPECT_EQ(Value("Default", "UseReg"), c.iniValue);
    if (c.regValue[0] == '\0') {
      EXPECT_FALSE(KeyExists(kSettingsKey));
    } else {
      EXPECT_EQ(ValuesOf("Default")["UseReg"], c.regValue);
    }
  }
}

TEST_F(KivrelTest, TheFolderBrowserReplacesTheFolder) {
  std::string title, preselected;
  auto previous = SetFolderChooserForTests(
      [&](HWND, const char* t, const std::string& p, std::string& chosen) {
        title = t;
        preselected = p;
        chosen = "C:\\windows";
        return true;
      });
  std::string shown;
  Run([&](HWND d) {
    Click(d, IDB_KIVREL_BROWSE);
    char text[MAX_PATH] = {};
    GetDlgItemTextA(d, IDE_KIVREL_FOLDER, text, sizeof text);
    shown = text;
  });
  SetFolderChooserForTests(std::move(previous));
  EXPECT_EQ(title, "ディレクトリ選択");
  EXPECT_EQ(preselected, folder_);
  EXPECT_EQ(shown, "C:\\windows");
}

// Hiyomi keeps its window place in the current section when Ptn6 is set:
// where X lands shows which storage it opened.
TEST_F(KivrelTest, HiyomiStartsOnTheStorageKivrelChose) {
  const std::string exe = hiyomi_test::FreshCopy(HIYOMI_EXE, "kivrel-hiyomi");
  ASSERT_FALSE(exe.empty());
  const std::string folder = hiyomi_test::FolderOf(exe);
  const std::string ini = folder + "\\Hiyomi.ini";
  auto startAndClose = [&] {
    hiyomi_test::Process program;
    ASSERT_TRUE(hiyomi_test::Start(exe, program));
    HWND window = hiyomi_test::WaitForVisibleWindow(program.info.dwProcessId);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitExit(hiyomi_test::kStartTimeoutMs), 0u);
  };
  for (const char* section : {"Default", "Work"}) PutValue(section, "Ptn6", "1");
  PutValue("Default", "UseReg", "2");
  PutValue("Default", "Section", "Work");
  said.clear();
  Run([](HWND d) { Click(d, IDB_KIVREL_REG_TO_INI); }, folder);
  ASSERT_EQ(said, std::vector<Said>{kCopied});

  startAndClose();
  EXPECT_EQ(ValuesOf("Work").count("X"), 1u) << "the registry, as [Default] UseReg=2 says";
  EXPECT_EQ(hiyomi_test::ReadFileText(ini).find("\nX="), std::string::npos);

  said.clear();
  Run([](HWND d) {
    Click(d, IDR_KIVREL_USE_INI);
    Click(d, IDB_KIVREL_SET_SWITCH);
  }, folder);
  startAndClose();
  char x[16] = {};
  GetPrivateProfileStringA("Work", "X", "", x, sizeof x, ini.c_str());
  EXPECT_NE(x[0], '\0') << "the ini file now:\n" << hiyomi_test::ReadFileText(ini);
  DeleteFileA(ini.c_str());
  DeleteFileA(exe.c_str());
}

}  // namespace
}  // namespace hiyomi
