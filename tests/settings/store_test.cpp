#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "settings/memory_backend.h"
#include "base/message_box.h"
#include "base/number_parse.h"
#include "base/numeric_text.h"
#include "base/path_text.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

TEST(ParseNumber, AcceptsDecimalAndBothHexPrefixes) {
  const struct {
    const char* text;
    int64_t value;
  } cases[] = {
      {"0x01B0", 432}, {" -12", -12},   {"&h1f", 31},     {"&H1F", 31},   {"0X1f", 31},
      {"abc", 0},      {"", 0},         {"   ", 0},       {"-", 0},       {"0x", 0},
      {"+7", 7},       {"12abc", 12},   {"0x1G", 1},      {"\t5", 0},     {"-0x10", -16},
      {"- 5", 0},      {"00042", 42},   {"0x7FFFFFFF", INT_MAX},
      {"99999999999999999999999", INT64_MAX}, {"-99999999999999999999999", -INT64_MAX},
      {"0xFFFFFFFFFFFFFFFFFFFF", INT64_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(ParseNumber(nullptr), 0);
}

TEST(ParseNumber, ClampKeepsHugeValuesAtTheNearEnd) {
  EXPECT_EQ(ClampInt(ParseNumber("500"), 10, 200), 200);
  EXPECT_EQ(ClampInt(ParseNumber("99999999999999999999"), 0, 200), 200);
  EXPECT_EQ(ClampInt(ParseNumber("-99999999999999999999"), -5, 200), -5);
  EXPECT_EQ(ClampInt(INT64_MIN, INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(ClampInt(7, 0, 10), 7);
}

TEST(ParseHexField, PrefixesUnlessPlainAndCopiesAtMost29) {
  EXPECT_EQ(ParseHexField("1F", 2, false), 31);
  EXPECT_EQ(ParseHexField("1F", 1, false), 1);
  EXPECT_EQ(ParseHexField("0x1F", 10, true), 31);
  EXPECT_EQ(ParseHexField("1F", 10, true), 1);
  EXPECT_EQ(ParseHexField("12", 2, true), 12);
  // Thirty digits: only 29 reach the parser.
  EXPECT_EQ(ParseHexField("000000000000000000000000000019", 100, true), 1);
  EXPECT_EQ(ParseHexField(nullptr, 5, false), 0);
  EXPECT_EQ(ParseHexField("FF", -3, false), 0);
}

// A store on an in-memory ini with the given lines.
struct MemoryStore {
  MemorySettingsBackend* backend;
  SettingsStore store;
  MemoryStore() {
    auto owned = std::make_unique<MemorySettingsBackend>();
    backend = owned.get();
    store.Attach(std::move(owned), "Default");
  }
  void Put(const char* section, const char* key, const char* value) {
    backend->Write(section, key, value);
  }
  std::string Get(const char* section, const char* key) const {
    const std::string* v = backend->Find(section, key);
    return v != nullptr ? *v : std::string("<absent>");
  }
};

TEST(SettingsStore, TypedReadsConvertClampAndFallBack) {
  MemoryStore m;
  m.Put("Default", "A", "0x01B0");
  m.Put("Default", "B", " -12");
  m.Put("Default", "C", "&h1f");
  m.Put("Default", "D", "abc");
  m.Put("Default", "E", "500");
  m.Put("Default", "Empty", "");
  const struct {
    const char* key;
    const char* def;
    int min, max, expected;
  } cases[] = {
      {"A", "0", 0, 0xFFFF, 432}, {"B", "0", -100, 100, -12}, {"C", "0", 0, 100, 31},
      {"D", "9", 0, 100, 0},      {"E", "0", 10, 200, 200},   {"Missing", "0x141", 0, 0xFFFF, 321},
      {"Missing", "-1", 0, 5, 0}, {"Empty", "85", 10, 200, 10},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(m.store.ReadInt(c.key, c.def, c.min, c.max), c.expected) << c.key;
  }
  // Names match regardless of case.
  EXPECT_EQ(m.store.ReadInt("a", "0", 0, 0xFFFF, "DEFAULT"), 432);

  m.Put("Default", "One", "1");
  m.Put("Default", "Two", "2");
  m.Put("Default", "Neg", "-3");
  EXPECT_TRUE(m.store.ReadBool("One", "0"));
  EXPECT_TRUE(m.store.ReadBool("Two", "0"));  // clamped to 1
  EXPECT_FALSE(m.store.ReadBool("Neg", "1"));
  EXPECT_TRUE(m.store.ReadBool("Missing", "1"));
}

TEST(SettingsStore, ReadColorTellsAbsentFromNoColour) {
  MemoryStore m;
  m.Put("Default", "Minus1", "-1");
  m.Put("Default", "Minus5", "-5");
  m.Put("Default", "Blue", "0xFF0000");
  m.Put("Default", "Wide", "0x1FFFFFF");
  m.Put("Default", "Text", "abc");
  m.Put("Default", "Spaced", " -7");
  EXPECT_EQ(m.store.ReadColor("Absent", 0x123456), 0x123456);
  EXPECT_EQ(m.store.ReadColor("Minus1", 0x123456), -1);
  EXPECT_EQ(m.store.ReadColor("Minus5", 0x123456), -1);
  EXPECT_EQ(m.store.ReadColor("Blue", 0), 16711680);
  EXPECT_EQ(m.store.ReadColor("Wide", 0), 0xFFFFFF);
  EXPECT_EQ(m.store.ReadColor("Text", 5), 0);
  EXPECT_EQ(m.store.ReadColor("Spaced", 5), -1);
}

TEST(SettingsStore, WritesUseTheStoredFormats) {
  MemoryStore m;
  m.store.WriteColor("None", -1);
  m.store.WriteColor("Red", 255);
  m.store.WriteColor("Grey", 0x999999);
  m.store.WriteColor("Wide", 0x7F123456);
  m.store.WriteInt("Int", -40);
  m.store.WriteBool("Flag", true);
  m.store.WriteBool("Off", false);
  m.store.WriteString("Text", "日曜", "Work");
  EXPECT_EQ(m.Get("Default", "None"), "-1");
  EXPECT_EQ(m.Get("Default", "Red"), "0x0000FF");
  EXPECT_EQ(m.Get("Default", "Grey"), "0x999999");
  EXPECT_EQ(m.Get("Default", "Wide"), "0x123456");
  EXPECT_EQ(m.Get("Default", "Int"), "-40");
  EXPECT_EQ(m.Get("Default", "Flag"), "1");
  EXPECT_EQ(m.Get("Default", "Off"), "0");
  EXPECT_EQ(m.Get("Work", "Text"), "日曜");
  m.store.WriteString("Text", nullptr, "Work");
  EXPECT_EQ(m.Get("Work", "Text"), "<absent>");
  m.store.WriteString("Name", "給料日\r\n[Default]\r\nUseReg=2", "Work");
  EXPECT_EQ(m.Get("Work", "Name"), "給料日");
  m.store.WriteString("Name", "\nx", "Work");
  EXPECT_EQ(m.Get("Work", "Name"), "");
  EXPECT_EQ(m.store.ReadInt("Text", "7", 0, 9, "Work"), 7);
}

TEST(SettingsStore, ReadStringFallsBackOnEmptyAndNeverOverflows) {
  MemoryStore m;
  m.Put("Default", "Empty", "");
  m.Put("Default", "Name", "ABCDEFGH");
  m.Put("Default", "Kanji", "A日曜");  // 'A', then two double-byte characters
  char buffer[8];
  EXPECT_STREQ(m.store.ReadString("Empty", "編集1", buffer, sizeof buffer), "編集1");
  EXPECT_STREQ(m.store.ReadString("Missing", "x", buffer, sizeof buffer), "x");
  EXPECT_STREQ(m.store.ReadString("Name", "", buffer, 4), "ABC");
  // Four bytes hold 'A' and one whole character, never half of the second.
  EXPECT_STREQ(m.store.ReadString("Kanji", "", buffer, 5), "A日");
  EXPECT_STREQ(m.store.ReadString("Kanji", "", buffer, 4), "A日");
  EXPECT_STREQ(m.store.ReadString("Kanji", "", buffer, 3), "A");
  // Sizes that leave no room write nothing at all.
  std::memset(buffer, 'Z', sizeof buffer);
  m.store.ReadString("Name", "dflt", buffer, 0);
  m.store.ReadString("Name", "dflt", buffer, -5);
  EXPECT_EQ(buffer[0], 'Z');
  EXPECT_STREQ(m.store.ReadString("Name", "dflt", buffer, 1), "");
  EXPECT_EQ(buffer[1], 'Z');
}

TEST(SettingsStore, ReadsSurviveOverlongAndBinaryValues) {
  MemoryStore m;
  const std::string huge(100000, '9');
  std::string binary = "\x01\xFF\x80\x7F";
  binary += std::string(5000, '\xFE');
  m.Put("Default", "Huge", huge.c_str());
  m.Put("Default", "Binary", binary.c_str());
  m.Put("Default", "Lead", "\x81");  // a lone lead byte
  EXPECT_EQ(m.store.ReadInt("Huge", "0", -3, 17), 17);  // only 30 digits read, then clamped
  EXPECT_EQ(m.store.ReadInt("Binary", "0", 5, 9), 5);
  EXPECT_EQ(m.store.ReadColor("Binary", 0), 0);
  EXPECT_FALSE(m.store.ReadBool("Binary", "1"));
  char buffer[40];
  m.store.ReadString("Huge", "", buffer, sizeof buffer);
  EXPECT_EQ(std::strlen(buffer), sizeof buffer - 1);
  m.store.ReadString("Binary", "", buffer, sizeof buffer);
  EXPECT_LT(std::strlen(buffer), sizeof buffer);
  EXPECT_STREQ(m.store.ReadString("Lead", "d", buffer, sizeof buffer), "d");
}

TEST(SettingsStore, SectionsListSelectAndDelete) {
  MemoryStore m;
  m.Put("Default", "UseReg", "1");
  m.Put("Work", "Yoko", "7");
  char list[64];
  std::memset(list, 'Z', sizeof list);
  const int used = m.store.ListSections(list, sizeof list);
  EXPECT_EQ(used, 13);
  EXPECT_EQ(std::string(list, 14), std::string("Default\0Work\0\0", 14));

  // A buffer too small for the second name keeps the list well formed.
  std::memset(list, 'Z', sizeof list);
  m.store.ListSections(list, 12);
  EXPECT_EQ(std::string(list, 9), std::string("Default\0\0", 9));
  EXPECT_EQ(m.store.ListSections(list, 0), 0);

  EXPECT_STREQ(m.store.SelectSection("Work", true), "Work");
  EXPECT_EQ(m.Get("Default", "Section"), "Work");
  EXPECT_STREQ(m.store.SelectSection(nullptr, true), "Work");
  EXPECT_STREQ(m.store.SelectSection("", true), "Work");
  EXPECT_STREQ(m.store.SelectSection("Home", false), "Home");
  EXPECT_EQ(m.Get("Default", "Section"), "Work");

  m.store.DeleteSection("Missing");
  EXPECT_EQ(m.backend->Sections().size(), 2u);
  m.store.SelectSection("WORK", false);
  m.store.DeleteSection();
  ASSERT_EQ(m.backend->Sections().size(), 1u);
  EXPECT_EQ(m.backend->Sections()[0].name, "Default");
}

TEST(SettingsStore, UnopenedStoreReadsDefaultsAndIgnoresWrites) {
  SettingsStore store;
  EXPECT_STREQ(store.CurrentSection(), "Default");
  EXPECT_TRUE(store.UsesIniFile());
  EXPECT_EQ(store.ReadInt("Yoko", "7", 1, 366), 7);
  EXPECT_EQ(store.ReadColor("TextColor1", 0x123), 0x123);
  store.WriteInt("Yoko", 3);
  store.FlushSettings();
  char list[4] = "abc";
  EXPECT_EQ(store.ListSections(list, sizeof list), 0);
  EXPECT_EQ(list[0], '\0');
  EXPECT_EQ(list[1], '\0');
}

TEST(SettingsStore, NamesIgnoreCaseButNotInsideDoubleByteCharacters) {
  EXPECT_TRUE(SameSettingsName("TextColor1", "textcolor1"));
  EXPECT_TRUE(SameSettingsName("日曜", "日曜"));
  EXPECT_FALSE(SameSettingsName("Work", "Work2"));
  // 0x83 0x41 and 0x83 0x61 are two different katakana; their trail bytes
  // look like 'A' and 'a'.
  EXPECT_FALSE(SameSettingsName("\x83\x41", "\x83\x61"));
}

// The in-memory ini keeps one value per name, in the order first written;
// a deleted key leaves the keys after it readable.
TEST(MemorySettingsBackend, KeysKeepOrderThroughRewritesAndDeletes) {
  MemorySettingsBackend ini;
  ini.Write("Work", "Yoko", "7");
  ini.Write("Work", "Tate", "5");
  ini.Write("Work", "Memo", "1");
  ini.Write("work", "YOKO", "8");
  ini.Write("Work", "tate", nullptr);
  ini.Write("Work", "Tate", "6");
  ASSERT_EQ(ini.Sections().size(), 1u);
  std::vector<std::string> order;
  for (const auto& [key, value] : ini.Sections()[0].values) order.push_back(key + "=" + value);
  EXPECT_EQ(order, (std::vector<std::string>{"Yoko=8", "Memo=1", "Tate=6"}));
  ASSERT_NE(ini.Find("WORK", "memo"), nullptr);
  EXPECT_EQ(*ini.Find("WORK", "memo"), "1");
  EXPECT_EQ(ini.Find("Work", "\x83\x61"), nullptr);
  ini.Write("Work", "\x83\x41", "ア");
  EXPECT_EQ(ini.Find("Work", "\x83\x61"), nullptr);
  EXPECT_NE(ini.Find("Work", "\x83\x41"), nullptr);
}

// Which kind OpenSettingsOn picks, from the two UseReg values.
TEST(OpenSettingsOn, UseRegInTheIniFileDecidesFirst) {
  const struct {
    const char* iniUseReg;  // null: no key
    const char* regUseReg;
    bool allowed;
    bool registryKind;
  } cases[] = {
      {nullptr, nullptr, true, false}, {"2", "1", true, true},     {nullptr, "2", true, true},
      {"1", "2", true, false},         {"0", "2", true, false},    {"2", "2", false, false},
      {nullptr, "2", false, false},    {"21", nullptr, true, true}, {"x", "2", true, false},
      {nullptr, "20", true, true},     {nullptr, "12", true, false},
  };
  for (const auto& c : cases) {
    auto ini = std::make_unique<MemorySettingsBackend>(true);
    auto reg = std::make_unique<MemorySettingsBackend>(false);
    if (c.iniUseReg != nullptr) ini->Write("Default", "UseReg", c.iniUseReg);
    if (c.regUseReg != nullptr) reg->Write("Default", "UseReg", c.regUseReg);
    ini->Write("Default", "Section", "FromIni");
    reg->Write("Default", "Section", "FromRegistry");
    SettingsStore store;
    OpenSettingsOn(store, std::move(ini), std::move(reg), c.allowed, "Default", "C:\\x.ini");
    EXPECT_EQ(!store.UsesIniFile(), c.registryKind)
        << (c.iniUseReg ? c.iniUseReg : "-") << " / " << (c.regUseReg ? c.regUseReg : "-");
    EXPECT_STREQ(store.CurrentSection(), c.registryKind ? "FromRegistry" : "FromIni");
    EXPECT_STREQ(store.IniPath(), "C:\\x.ini");
  }
}

TEST(OpenSettingsOn, EmptyOrMissingSectionMeansTheDefault) {
  for (const char* stored : {static_cast<const char*>(nullptr), ""}) {
    auto ini = std::make_unique<MemorySettingsBackend>(true);
    if (stored != nullptr) ini->Write("Default", "Section", stored);
    SettingsStore store;
    OpenSettingsOn(store, std::move(ini), nullptr, true, "Default", "");
    EXPECT_STREQ(store.CurrentSection(), "Default");
    EXPECT_TRUE(store.UsesIniFile());
  }
}

TEST(ShowMessage, TestsAnswerAndNothingWaitsWithoutThem) {
  MessageKind seenKind = MessageKind::Stop;
  std::string seenText;
  auto previous = SetMessageAnswererForTests([&](MessageKind kind, const char* text) {
    seenKind = kind;
    seenText = text;
    return MessageAnswer::Yes;
  });
  EXPECT_EQ(ShowMessage(nullptr, MessageKind::YesNo, "削除しますか？　　"), MessageAnswer::Yes);
  EXPECT_EQ(seenKind, MessageKind::YesNo);
  EXPECT_EQ(seenText, "削除しますか？　　");
  EXPECT_FALSE(CenterNextWindowPending());
  SetMessageAnswererForTests(std::move(previous));

  EXPECT_EQ(SafeAnswer(MessageKind::Stop), MessageAnswer::Ok);
  EXPECT_EQ(SafeAnswer(MessageKind::Exclamation), MessageAnswer::Ok);
  EXPECT_EQ(SafeAnswer(MessageKind::YesNo), MessageAnswer::No);
  EXPECT_EQ(SafeAnswer(MessageKind::YesNoCancel), MessageAnswer::Cancel);
  EXPECT_EQ(SafeAnswer(static_cast<MessageKind>(9)), MessageAnswer::Ok);
}

TEST(ShowMessage, CaptionIsTheProgramsOwnOrTheOneOfTheBox) {
  std::vector<std::string> captions;
  auto previous = SetCaptionedMessageAnswererForTests(
      [&](MessageKind, const char*, const char* caption) {
        captions.push_back(caption);
        return MessageAnswer::Ok;
      });
  ShowMessage(nullptr, MessageKind::Information, "x");
  SetMessageCaption("UseReg");
  ShowMessage(nullptr, MessageKind::Information, "x");
  ShowMessage(nullptr, MessageKind::YesNo, "x", "エラー");
  SetMessageCaption(nullptr);
  ShowMessage(nullptr, MessageKind::Stop, "x");
  SetCaptionedMessageAnswererForTests(std::move(previous));
  EXPECT_EQ(captions, (std::vector<std::string>{"Hiyomi", "UseReg", "エラー", "Hiyomi"}));
  EXPECT_EQ(SafeAnswer(MessageKind::Information), MessageAnswer::Ok);
}

#ifndef _WIN32
TEST(ShowMessage, WithoutAWindowSystemNothingWaits) {
  int owner = 0;  // stands for a window; never dereferenced
  EXPECT_EQ(ShowMessage(&owner, MessageKind::YesNo, "上書きしますか？"), MessageAnswer::No);
  EXPECT_EQ(ShowMessage(&owner, MessageKind::YesNoCancel, "x"), MessageAnswer::Cancel);
  EXPECT_EQ(ShowMessage(nullptr, MessageKind::Stop, "x"), MessageAnswer::Ok);
  EXPECT_FALSE(CenterNextWindowPending()) << "an unconsumed request must not outlive the box";
}
#endif

TEST(ShowMessage, CentreRequestIsOneShot) {
  RequestCenterNextWindow();
  EXPECT_TRUE(CenterNextWindowPending());
  EXPECT_TRUE(ConsumeCenterNextWindow());
  EXPECT_FALSE(ConsumeCenterNextWindow());
}

TEST(CleanNumericText, KeepsAnIntegerAndTheCaret) {
  const struct {
    const char* text;
    int maxLength;
    const char* clean;
    int caretBefore, caretAfter;
  } cases[] = {
      {"123", 10, "123", 3, 3},       {"12a3", 10, "123", 3, 2},   {"007", 10, "7", 3, 1},
      {"0", 10, "0", 1, 1},           {"00", 10, "0", 2, 1},       {"-05", 10, "-5", 3, 2},
      {"+12", 10, "+12", 3, 3},       {"1-2", 10, "12", 3, 2},     {"--1", 10, "-1", 3, 2},
      {"12345", 3, "123", 5, 3},      {"1234567890123456789", 0, "123456789012345", 19, 15},
      {"x", 10, "", 1, 0},            {"", 10, "", 0, 0},          {"1日2", 10, "12", 4, 2},
  };
  for (const auto& c : cases) {
    char out[64];
    int start = c.caretBefore;
    int end = c.caretBefore;
    CleanNumericText(c.text, c.maxLength, out, sizeof out, &start, &end);
    EXPECT_STREQ(out, c.clean) << c.text;
    EXPECT_EQ(start, c.caretAfter) << c.text;
    EXPECT_EQ(end, c.caretAfter) << c.text;
  }
}

TEST(PathText, JoinAndFolderKeepDoubleByteNames) {
  const struct {
    const char* folder;
    const char* joined;
  } joins[] = {
      {"C:\\Hiyomi", "C:\\Hiyomi\\Hiyomi.ini"},
      {"C:\\", "C:\\Hiyomi.ini"},
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\Hiyomi.ini"},  // the trail byte is no separator
      {"", "Hiyomi.ini"},
  };
  for (const auto& c : joins) EXPECT_EQ(JoinPath(c.folder, "Hiyomi.ini"), c.joined) << c.folder;
  EXPECT_EQ(FolderOfPath("C:\\\x95\x5C\\Kivrel.exe"), "C:\\\x95\x5C");
  EXPECT_EQ(FolderOfPath("C:\\Kivrel.exe"), "C:\\");
  EXPECT_EQ(FolderOfPath("Kivrel.exe"), "");
}

TEST(PathText, SeparatorsAreFoundByCharacterNotByByte) {
  // 0x95 0x5C is a kanji whose trail byte is the backslash.
  const char* program = "C:\\\x95\x5C\\Hiyomi.exe";
  EXPECT_EQ(FileNameOffset(program), 6);
  EXPECT_EQ(FileNameOffset("C:\\\x95\x5C"), 3);
  char path[64];
  std::strcpy(path, program);
  ASSERT_TRUE(ReplaceExtension(path, sizeof path, ".ini"));
  EXPECT_STREQ(path, "C:\\\x95\x5C\\Hiyomi.ini");
  std::strcpy(path, "C:\\a.b\\Hiyomi");
  ASSERT_TRUE(ReplaceExtension(path, sizeof path, ".ini"));
  EXPECT_STREQ(path, "C:\\a.b\\Hiyomi.ini");
  std::strcpy(path, "C:\\Hiyomi.exe");
  EXPECT_FALSE(ReplaceExtension(path, 13, ".chm2"));
  EXPECT_STREQ(path, "C:\\Hiyomi.exe");

  ASSERT_TRUE(SettingsFilePath(path, sizeof path, program, "HiyomiAge.ini"));
  EXPECT_STREQ(path, "C:\\\x95\x5C\\HiyomiAge.ini");
  ASSERT_TRUE(SettingsFilePath(path, sizeof path, program, "D:\\x\\a.ini"));
  EXPECT_STREQ(path, "D:\\x\\a.ini");
  ASSERT_TRUE(SettingsFilePath(path, sizeof path, program, "\\share\\a.ini"));
  EXPECT_STREQ(path, "\\share\\a.ini");
  EXPECT_FALSE(SettingsFilePath(path, 10, program, "HiyomiAge.ini"));
  EXPECT_STREQ(path, "");
}

}  // namespace
}  // namespace hiyomi
