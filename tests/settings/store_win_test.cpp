#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "base/message_box.h"
#include "settings/options.h"
#include "settings/settings_win.h"

namespace hiyomi {
namespace {

// A temporary folder for ini files and a registry key of this process's own,
// both removed afterwards.
class WinStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "hiyomi-settings-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    base_ = "Software\\Sorafu\\HiyomiTest" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  void WriteFile(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string ReadFile(const char* name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  void SetRegistry(const char* section, const char* name, DWORD type, const void* data,
                   DWORD bytes) const {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\" + section).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
  }
  void SetRegistryText(const char* section, const char* name, const char* text) const {
    SetRegistry(section, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text)));
  }
  // Opens store on this test's ini file and registry key.
  void Open(SettingsStore& store, bool registryAllowed, const char* ini = "Hiyomi.ini") const {
    OpenSettings(store, registryAllowed, "Default", Path(ini).c_str(), base_.c_str());
  }
  void AttachIni(SettingsStore& store, const char* ini = "Hiyomi.ini") const {
    store.Attach(MakeIniBackend(Path(ini).c_str()), "Default", "Default", Path(ini).c_str());
  }
  void AttachRegistry(SettingsStore& store) const {
    store.Attach(MakeRegistryBackend(base_.c_str()), "Default");
  }

  std::string folder_;
  std::string base_;
};

TEST_F(WinStoreTest, IniReadsConvertClampAndFallBack) {
  WriteFile("Hiyomi.ini",
            "[Default]\r\nA=0x01B0\r\nB= -12\r\nC=&h1f\r\nD=abc\r\nE=500\r\nEmpty=\r\n"
            "Minus1=-1\r\nMinus5=-5\r\nBlue=0xFF0000\r\n[Work]\r\nName=日曜\r\n"
            "Long=A" + std::string(300, '9') + "\r\nKanji=A日曜日\r\n");
  SettingsStore store;
  AttachIni(store);
  EXPECT_EQ(store.ReadInt("A", "0", 0, 0xFFFF), 432);
  EXPECT_EQ(store.ReadInt("b", "0", -100, 100, "DEFAULT"), -12);
  EXPECT_EQ(store.ReadInt("C", "0", 0, 100), 31);
  EXPECT_EQ(store.ReadInt("D", "5", 0, 100), 0);
  EXPECT_EQ(store.ReadInt("E", "0", 10, 200), 200);
  EXPECT_EQ(store.ReadInt("Missing", "0x141", 0, 0xFFFF), 0x141);
  char text[32];
  EXPECT_STREQ(store.ReadString("Empty", "編集1", text, sizeof text), "編集1");
  EXPECT_STREQ(store.ReadString("name", "", text, sizeof text, "work"), "日曜");
  // Cut-off values: within the buffer, and never half a character.
  EXPECT_EQ(store.ReadString("Long", "", text, sizeof text, "Work"), "A" + std::string(30, '9'));
  EXPECT_EQ(store.ReadInt("Long", "5", 0, 100, "Work"), 0);
  EXPECT_STREQ(store.ReadString("Kanji", "", text, 5, "Work"), "A日");
  EXPECT_STREQ(store.ReadString("Kanji", "", text, 4, "Work"), "A日");
  EXPECT_EQ(store.ReadColor("Missing", 0x123456), 0x123456);
  EXPECT_EQ(store.ReadColor("Minus1", 0), -1);
  EXPECT_EQ(store.ReadColor("Minus5", 0), -1);
  EXPECT_EQ(store.ReadColor("Blue", 0), 16711680);
}

TEST_F(WinStoreTest, IniWritesLandInTheFileInTheirFormats) {
  SettingsStore store;
  AttachIni(store);
  store.WriteColor("None", -1);
  store.WriteColor("Red", 255);
  store.WriteInt("Count", -3, "Work");
  store.WriteBool("Flag", true, "Work");
  store.WriteString("Gone", "x", "Work");
  store.WriteString("Gone", nullptr, "Work");
  store.WriteString("Name", "給料日\r\n[Default]\r\nUseReg=2", "Work");
  store.FlushSettings();
  char text[32];
  EXPECT_STREQ(store.ReadString("Name", "", text, sizeof text, "Work"), "給料日");
  EXPECT_EQ(store.ReadInt("UseReg", "0", 0, 9), 0);
  const std::string file = ReadFile("Hiyomi.ini");
  EXPECT_NE(file.find("[Default]\r\nNone=-1\r\nRed=0x0000FF\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[Work]\r\nCount=-3\r\nFlag=1\r\n"), std::string::npos) << file;
  EXPECT_EQ(file.find("Gone"), std::string::npos) << file;
}

TEST_F(WinStoreTest, IniSectionsListAndDelete) {
  const std::string original = "[Default]\r\nSection=Work\r\n[Work]\r\nYoko=7\r\n";
  WriteFile("Hiyomi.ini", original);
  SettingsStore store;
  AttachIni(store);
  char list[64];
  std::memset(list, 'Z', sizeof list);
  store.ListSections(list, sizeof list);
  EXPECT_EQ(std::string(list, 14), std::string("Default\0Work\0\0", 14));

  store.DeleteSection("Missing");
  store.FlushSettings();
  EXPECT_EQ(ReadFile("Hiyomi.ini"), original);
  store.DeleteSection("work");
  store.FlushSettings();
  EXPECT_EQ(ReadFile("Hiyomi.ini").find("Yoko"), std::string::npos);
  EXPECT_EQ(store.ReadInt("Yoko", "3", 1, 366, "Work"), 3);
}

TEST_F(WinStoreTest, RegistryValuesAreTextWithoutTheirZero) {
  SettingsStore store;
  AttachRegistry(store);
  EXPECT_FALSE(store.UsesIniFile());
  store.WriteColor("Red", 255, "Work");
  store.WriteString("Name", "日曜", "Work");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (base_ + "\\Work").c_str(), 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  DWORD bytes = 0;
  char data[32] = {};
  bytes = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key, "Red", nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data, 8), "0x0000FF");
  EXPECT_EQ(store.ReadColor("red", 0, "WORK"), 255);
  char text[16];
  EXPECT_STREQ(store.ReadString("Name", "", text, sizeof text, "Work"), "日曜");

  store.WriteInt("Yoko", 14, "Work");
  EXPECT_EQ(store.ReadInt("Yoko", "7", 1, 366, "Work"), 14);
  store.WriteString("Yoko", nullptr, "Work");
  EXPECT_EQ(store.ReadInt("Yoko", "7", 1, 366, "Work"), 7);
  // Nothing to delete: no section is made, and the other section keeps its values.
  store.WriteString("Yoko", nullptr, "NoSuchSection");
  HKEY none = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (base_ + "\\NoSuchSection").c_str(), 0, KEY_READ,
                          &none),
            ERROR_FILE_NOT_FOUND);
  if (none != nullptr) RegCloseKey(none);
  EXPECT_STREQ(store.ReadString("Name", "", text, sizeof text, "Work"), "日曜");
  EXPECT_EQ(store.ReadColor("Red", 0, "Work"), 255);
}

TEST_F(WinStoreTest, RegistryReadsOfOddValuesStayInRangeAndInTheBuffer) {
  const DWORD number = 12345;
  const BYTE binary[] = {0x01, 0xFF, 0x00, 0x80, '9'};
  const std::string longText(300, '7');
  SetRegistry("Work", "Dword", REG_DWORD, &number, sizeof number);
  SetRegistry("Work", "Binary", REG_BINARY, binary, sizeof binary);
  SetRegistryText("Work", "Long", longText.c_str());
  SetRegistryText("Work", "Eight", "ABCDEFGH");
  SetRegistry("Work", "Zeroed", REG_SZ, "ABCDEFG", 8);  // with its own zero
  SettingsStore store;
  AttachRegistry(store);
  EXPECT_EQ(store.ReadInt("Dword", "4", 0, 100, "Work"), 90);  // bytes 39 30 00 00 as text
  EXPECT_EQ(store.ReadInt("Binary", "4", 5, 9, "Work"), 5);
  EXPECT_EQ(store.ReadInt("Long", "42", 0, 100, "Work"), 42);  // longer than 30: the default
  char buffer[12];
  std::memset(buffer, 'Z', sizeof buffer);
  // Exactly the buffer's size and no zero of its own: no room, so the default.
  EXPECT_STREQ(store.ReadString("Eight", "dflt", buffer, 8, "Work"), "dflt");
  EXPECT_EQ(buffer[8], 'Z');
  EXPECT_STREQ(store.ReadString("Eight", "dflt", buffer, 9, "Work"), "ABCDEFGH");
  EXPECT_STREQ(store.ReadString("Zeroed", "dflt", buffer, 8, "Work"), "ABCDEFG");
  EXPECT_EQ(buffer[9], 'Z');
}

TEST_F(WinStoreTest, RegistrySectionsListAndDelete) {
  SettingsStore store;
  AttachRegistry(store);
  char list[64];
  EXPECT_EQ(store.ListSections(list, sizeof list), 0);
  EXPECT_EQ(std::string(list, 2), std::string("\0\0", 2));
  store.WriteInt("UseReg", 2);
  store.WriteInt("Yoko", 7, "Work");
  std::memset(list, 'Z', sizeof list);
  EXPECT_EQ(store.ListSections(list, sizeof list), 13);
  EXPECT_EQ(std::string(list, 14), std::string("Default\0Work\0\0", 14));
  std::memset(list, 'Z', sizeof list);
  store.ListSections(list, 12);
  EXPECT_EQ(std::string(list, 9), std::string("Default\0\0", 9));

  store.DeleteSection("Missing");
  EXPECT_EQ(store.ListSections(list, sizeof list), 13);
  store.SelectSection("Work", false);
  store.DeleteSection();
  EXPECT_EQ(store.ListSections(list, sizeof list), 8);
  EXPECT_EQ(store.ReadInt("Yoko", "3", 1, 366, "Work"), 3);
}

TEST_F(WinStoreTest, UseRegPicksTheKind) {
  const struct {
    const char* iniUseReg;  // null: no key in the ini file
    const char* regUseReg;  // null: no registry value
    bool allowed;
    bool registryKind;
  } cases[] = {
      {nullptr, nullptr, true, false}, {"2", "1", true, true},   {nullptr, "2", true, true},
      {"1", "2", true, false},         {"0", nullptr, true, false}, {"2", "2", false, false},
  };
  for (const auto& c : cases) {
    DeleteFileA(Path("Hiyomi.ini").c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    if (c.iniUseReg != nullptr) {
      WriteFile("Hiyomi.ini", std::string("[Default]\r\nUseReg=") + c.iniUseReg +
                                  "\r\nSection=IniProfile\r\n");
    }
    if (c.regUseReg != nullptr) SetRegistryText("Default", "UseReg", c.regUseReg);
    SetRegistryText("Default", "Section", "RegProfile");
    SettingsStore store;
    Open(store, c.allowed);
    const char* label = c.iniUseReg != nullptr ? c.iniUseReg : "-";
    EXPECT_EQ(!store.UsesIniFile(), c.registryKind) << label;
    EXPECT_STREQ(store.CurrentSection(),
                 c.registryKind ? "RegProfile" : (c.iniUseReg ? "IniProfile" : "Default"))
        << label;
    EXPECT_EQ(store.IniPath(), Path("Hiyomi.ini"));
  }
}

TEST_F(WinStoreTest, NothingStoredMeansIniKindDefaultSectionAndDefaults) {
  SettingsStore store;
  Open(store, true);
  EXPECT_TRUE(store.UsesIniFile());
  EXPECT_STREQ(store.CurrentSection(), "Default");
  EXPECT_EQ(store.ReadInt("Yoko", "7", 1, 366), 7);
  EXPECT_EQ(GetFileAttributesA(Path("Hiyomi.ini").c_str()), INVALID_FILE_ATTRIBUTES)
      << "opening must not create the file";
}

TEST_F(WinStoreTest, SettingsFilesSitBesideTheProgram) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string folder(program, std::strrchr(program, '\\') + 1);
  char path[MAX_PATH];
  ASSERT_TRUE(ModulePathWithExtension(path, sizeof path, ".ini"));
  EXPECT_EQ(std::string(path), folder + "settings_win_test.ini");
  ASSERT_TRUE(ModulePathWithExtension(path, sizeof path, nullptr));
  EXPECT_STREQ(path, program);
  EXPECT_FALSE(ModulePathWithExtension(path, 5, ".ini"));
  EXPECT_STREQ(path, "");

  SettingsStore main;
  OpenSettings(main, true, "Default", nullptr, base_.c_str());
  EXPECT_EQ(std::string(main.IniPath()), folder + "settings_win_test.ini");
  SettingsStore age;
  OpenSettings(age, false, "Default", "HiyomiAge.ini", base_.c_str());
  EXPECT_EQ(std::string(age.IniPath()), folder + "HiyomiAge.ini");
  SettingsStore absolute;
  OpenSettings(absolute, false, "Default", Path("x.ini").c_str(), base_.c_str());
  EXPECT_EQ(std::string(absolute.IniPath()), Path("x.ini"));
}

TEST_F(WinStoreTest, TheProgramsStoresOpenAndCloseExplicitly) {
  EXPECT_FALSE(MainSettings().IsOpen());
  OpenMainSettings();
  OpenAgeSettings();
  char path[MAX_PATH];
  ModulePathWithExtension(path, sizeof path, ".ini");
  EXPECT_STREQ(MainSettings().IniPath(), path);
  EXPECT_TRUE(AgeSettings().UsesIniFile());
  EXPECT_NE(std::string(AgeSettings().IniPath()).find("\\HiyomiAge.ini"), std::string::npos);
  CloseSettingsStores();
  EXPECT_FALSE(MainSettings().IsOpen());
  EXPECT_FALSE(AgeSettings().IsOpen());
  EXPECT_EQ(MainSettings().ReadInt("Yoko", "7", 1, 366), 7);
}

TEST_F(WinStoreTest, AgeStoreStaysOnItsIniFileWhateverUseRegSays) {
  WriteFile("HiyomiAge.ini", "[Default]\r\nUseReg=2\r\n");
  SetRegistryText("Default", "UseReg", "2");
  SettingsStore age;
  Open(age, false, "HiyomiAge.ini");
  EXPECT_TRUE(age.UsesIniFile());
}

TEST_F(WinStoreTest, OptionsFileHoldsTheSavedKeysInTheirFormats) {
  auto previous = SetMessageAnswererForTests([](MessageKind, const char*) {
    ADD_FAILURE() << "no question expected";
    return MessageAnswer::No;
  });
  SettingsStore store;
  Open(store, true);
  auto o = std::make_unique<Options>();
  LoadOptions(*o, store, "Work");
  o->Yoko = 14;
  o->workColors.back[1] = -1;
  OptionsDialogState dialog;
  dialog.applied = true;
  ASSERT_TRUE(SaveOptions(*o, store, dialog));
  SetMessageAnswererForTests(std::move(previous));
  const std::string file = ReadFile("Hiyomi.ini");
  for (const char* line : {"[Work]\r\nOptDef=0\r\nTextColor29=-1\r\n", "\r\nWeekday=321\r\n",
                           "\r\nYoko=14\r\n", "\r\nPtn4=432\r\n", "\r\nTextColor1=0x000000\r\n",
                           "\r\nBackColor2=-1\r\n", "\r\nPenColor0=0x999999\r\n",
                           "\r\nFontName0=ＭＳ Ｐゴシック\r\n",
                           "\r\nPtnDay2=00,01,03,04,05,06,07,08,09,02,10,11,12,13,\r\n",
                           "\r\nNotrik=0\r\nNotrikType=2\r\nNotrikDir=\r\nNotrikTypeD=0\r\n",
                           "[Default]\r\nSecret=0\r\n"}) {
    EXPECT_NE(file.find(line), std::string::npos) << line;
  }
  auto again = std::make_unique<Options>();
  LoadOptions(*again, store, "Work");
  EXPECT_EQ(again->Yoko, 14);
  EXPECT_EQ(again->colors.back[1], -1);
}

TEST_F(WinStoreTest, OptionsRoundTripThroughTheRegistry) {
  SetRegistryText("Default", "UseReg", "2");
  SettingsStore store;
  Open(store, true);
  ASSERT_FALSE(store.UsesIniFile());
  auto o = std::make_unique<Options>();
  LoadOptions(*o, store, "Work");
  SetStartDayCode(*o, -2);  // Monday, not fixed
  std::strcpy(o->FontName[1], "ＭＳ 明朝");
  o->workSDay[4] = 1010101;
  std::strcpy(o->workSDayName[4], "給料日");
  o->workColors.text[30] = 0x00FF00;
  OptionsDialogState dialog;
  dialog.applied = true;
  SaveOptions(*o, store, dialog);
  auto again = std::make_unique<Options>();
  LoadOptions(*again, store, "Work");
  EXPECT_EQ(StartDayCode(*again), -2);
  EXPECT_STREQ(again->FontName[1], "ＭＳ 明朝");
  EXPECT_EQ(again->SDay[4], 1010101);
  EXPECT_STREQ(again->SDayName[4], "給料日");
  EXPECT_EQ(again->colors.text[30], 0x00FF00);
  EXPECT_EQ(GetFileAttributesA(Path("Hiyomi.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace hiyomi
