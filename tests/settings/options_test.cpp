#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/memory_backend.h"
#include "base/message_box.h"
#include "base/number_parse.h"
#include "settings/options.h"

namespace hiyomi {
namespace {

template <typename T, size_t N>
void ExpectArray(const T (&a)[N], const T (&b)[N], const char* name) {
  for (size_t i = 0; i < N; ++i) EXPECT_EQ(a[i], b[i]) << name << '[' << i << ']';
}

using enum OptionType;
using enum OptionSection;

// Calls visit(key, number, name) for every key of the table, in load order.
template <typename Visit>
void ForEachKey(Visit visit) {
  for (const OptionKey& key : OptionKeys()) {
    for (int i = 0; i < key.count; ++i) {
      visit(key, key.first + i, std::string(NameOf(key, key.first + i).text));
    }
  }
}

// The row holding key name with number (kNoNumber for a lone key).
const OptionKey& Row(const char* name, int number) {
  for (const OptionKey& key : OptionKeys()) {
    if (std::strcmp(key.name, name) == 0 && number >= key.first && number < key.first + key.count) {
      return key;
    }
  }
  ADD_FAILURE() << "no key " << name << ' ' << number;
  return OptionKeys().front();
}

// Every key of the table, and what the load derives beside the keys.
void ExpectKeysEqual(const Options& a, const Options& b) {
  ForEachKey([&](const OptionKey& key, int n, const std::string& name) {
    switch (key.type) {
      case kInt:
      case kFlag:
      case kColor:
        EXPECT_EQ(key.field.get(a, n), key.field.get(b, n)) << name;
        break;
      case kString:
        EXPECT_STREQ(key.field.text(a, n), key.field.text(b, n)) << name;
        break;
      case kPriorityList:
        ExpectArray(a.PtnDay[n], b.PtnDay[n], name.c_str());
        break;
    }
  });
  ExpectArray(a.Weekday, b.Weekday, "Weekday");
  ExpectArray(a.WeekdayP, b.WeekdayP, "WeekdayP");
  EXPECT_EQ(a.FontSize[2], b.FontSize[2]);
  EXPECT_STREQ(a.profileName, b.profileName);
}

// The built-in table, written out row by row: {text, background}.
constexpr int kFace = -2;  // the system's button face
constexpr int kBuiltInColors[kColorCount][2] = {
    {0x000000, 0xFFFFFF}, {0x000000, 0xFFECD7}, {-1, 0xECFFEC},       {0x000000, 0xECFFEC},
    {0x000000, 0xFFFFFF}, {-1, -1},             {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF},
    {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF},
    {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF},
    {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {-1, 0xECFFEC},       {0x0000FF, 0xFFFFFF},
    {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF},
    {0x000000, 0xFFFFFF}, {0xFF0000, 0xFFFFFF}, {0x0000FF, 0xFFFFFF}, {0x0000FF, 0xFFECFF},
    {-1, -1},             {-1, -1},             {-1, -1},             {-1, -1},
    {-1, -1},             {-1, 0xFFFFFF},       {-1, -1},             {0x000000, kFace},
    {0x000000, kFace},    {0x000000, kFace},    {-1, -1},             {-1, -1},
};

void FillBuiltInColors(ColorTable& t) {
  for (int i = 0; i < kColorCount; ++i) {
    t.text[i] = kBuiltInColors[i][0];
    t.back[i] = kBuiltInColors[i][1] == kFace ? ButtonFaceColor() : kBuiltInColors[i][1];
  }
}

Options ExpectedDefaults(const char* profile) {
  Options o{};
  o.Yoko = 7;
  o.YokoSize = 85;
  o.Tate = 5;
  o.TateLine = 3;
  const int ptn[8] = {1, 0, 0, 0x31, 0x01B0, 1, 0, 0};
  for (int i = 0; i < 8; ++i) Row("Ptn", i).field.set(o, i, ptn[i]);
  const int dateText[kPrioritySources] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11, 12, 13};
  for (int i = 0; i < kPrioritySources; ++i) {
    o.PtnDay[0][i] = i;
    o.PtnDay[1][i] = i;
    o.PtnDay[2][i] = dateText[i];
  }
  o.BDayMove = 2;
  o.Weekday[0] = o.Weekday[6] = o.Weekday[8] = 1;
  for (auto& name : o.FontName) std::strcpy(name, "ＭＳ Ｐゴシック");
  o.FontSize[0] = 9;
  o.FontSize[1] = 20;
  o.FontSize[2] = 12;
  o.FontBold[1] = o.FontBold[2] = 1;
  FillBuiltInColors(o.colors);
  o.PenSize[0] = o.PenSize[1] = 2;
  o.PenColor[0] = 0x999999;
  o.PenColor[1] = 0xFF0000;
  o.Trns[0] = o.Trns[1] = 255;
  o.Zoom = 100;
  o.TTType = 0x11;
  o.MCType = 1;
  o.MemoPos = 1;
  o.MemoLine2 = 30;
  std::strcpy(o.profileName, profile);
  o.NotrikType = 2;
  std::strcpy(o.MemoFile[0], "Hiyomi.mem");
  std::strcpy(o.MemoFTitle[0], "Memo1");
  std::strcpy(o.MemoFTitle[1], "Memo2");
  std::strcpy(o.MemoFTitle[2], "Memo3");
  std::strcpy(o.PassChar, "&");
  o.workColors = o.colors;
  o.workPenColor[0] = o.PenColor[0];
  o.workPenColor[1] = o.PenColor[1];
  return o;
}

struct Fixture {
  MemorySettingsBackend* backend;
  SettingsStore store;
  Fixture() {
    auto owned = std::make_unique<MemorySettingsBackend>();
    backend = owned.get();
    store.Attach(std::move(owned), "Default");
  }
  std::string Get(const char* section, const char* key) const {
    const std::string* v = backend->Find(section, key);
    return v != nullptr ? *v : std::string("<absent>");
  }
  std::vector<std::string> Order(const char* section) const {
    std::vector<std::string> keys;
    for (const auto& s : backend->Sections()) {
      if (s.name == section) {
        for (const auto& kv : s.values) keys.push_back(kv.first);
      }
    }
    return keys;
  }
  std::set<std::string> Keys(const char* section) const {
    const std::vector<std::string> keys = Order(section);
    return {keys.begin(), keys.end()};
  }
};

// Fails the test when a question is asked that should not be.
struct NoQuestions {
  MessageAnswerer previous;
  NoQuestions() {
    previous = SetMessageAnswererForTests([](MessageKind, const char* text) {
      ADD_FAILURE() << "unexpected question: " << text;
      return MessageAnswer::No;
    });
  }
  ~NoQuestions() { SetMessageAnswererForTests(std::move(previous)); }
};

TEST(Options, EmptyStoreGivesEveryDefault) {
  Fixture f;
  auto loaded = std::make_unique<Options>();
  LoadOptions(*loaded, f.store, "Work");
  const Options expected = ExpectedDefaults("Work");
  ExpectKeysEqual(*loaded, expected);
  EXPECT_EQ(loaded->BDayMove, 2);
  EXPECT_EQ(loaded->optDefAtLoad, 0);
  EXPECT_EQ(loaded->TDBtn, 0);
  EXPECT_STREQ(loaded->TDBtnTitle, "");
  EXPECT_STREQ(loaded->PassChar, "&");
  ExpectArray(loaded->workColors.text, expected.colors.text, "working text colour");
  ExpectArray(loaded->workColors.back, expected.colors.back, "working back colour");
  ExpectArray(loaded->workPenColor, expected.PenColor, "working pen colour");
  ExpectArray(loaded->workSDay, expected.SDay, "working SDay");
  EXPECT_STREQ(f.store.CurrentSection(), "Work");
  EXPECT_TRUE(f.backend->Sections().empty()) << "loading wrote to the store";
}

TEST(Options, LoadsTheTitleOnlyWithTheButtonAndSharedKeysFromDefault) {
  Fixture f;
  f.backend->Write("Default", "TDBtnTitle", "編集X");
  f.backend->Write("Default", "Secret", "1");
  f.backend->Write("Default", "PassChar", "#%$@!");
  f.backend->Write("Work", "Secret", "0");
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  EXPECT_STREQ(o->TDBtnTitle, "");
  EXPECT_EQ(o->Secret, 1);
  EXPECT_STREQ(o->PassChar, "#%$");
  f.backend->Write("Default", "TDBtn", "1");
  LoadOptions(*o, f.store, "Work");
  EXPECT_STREQ(o->TDBtnTitle, "編集X");
  f.backend->Write("Default", "TDBtnTitle", "");
  LoadOptions(*o, f.store, "Work");
  EXPECT_STREQ(o->TDBtnTitle, "編集1");
}

TEST(Options, StoredValuesAreCorrectedOnLoad) {
  const struct {
    const char* key;
    const char* value;
    int Options::*field;
    int expected;
  } cases[] = {
      {"Ptn5", "-9", nullptr, 8},   {"Ptn5", "-2", nullptr, -2},  {"Ptn5", "-8", nullptr, 7},
      {"Ptn5", "-7", nullptr, -7},  {"Ptn5", "-99", nullptr, 10}, {"Ptn5", "11", nullptr, 10},
      {"Yoko", "0", &Options::Yoko, 1}, {"Zoom", "0x1F4", &Options::Zoom, 200},
      {"TTType", "0x20", &Options::TTType, 17}, {"PtnSDay", "36160", &Options::PtnSDay, 36159},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.backend->Write("Work", c.key, c.value);
    auto o = std::make_unique<Options>();
    LoadOptions(*o, f.store, "Work");
    EXPECT_EQ(c.field != nullptr ? (*o).*c.field : StartDayCode(*o), c.expected)
        << c.key << '=' << c.value;
  }

  Fixture f;
  f.backend->Write("Work", "MemoLine", "8");
  f.backend->Write("Work", "MemoLine2", "5");
  f.backend->Write("Work", "MenuType", "1");
  f.backend->Write("Work", "FontName0", "ＭＳ 明朝");
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  EXPECT_EQ(o->MemoLine, 8);
  EXPECT_EQ(o->MemoLine2, 8);
  EXPECT_EQ(o->FontSize[2], 9);
  EXPECT_STREQ(o->FontName[1], "ＭＳ 明朝");
  EXPECT_STREQ(o->FontName[2], "ＭＳ 明朝");
}

TEST(Options, StoredTextsAreCutToTheLengthOfTheirKey) {
  const struct {
    const char* section;
    const char* name;
    int number;
    size_t kept;
  } cases[] = {
      {"Work", "FontName", 0, 30},       {"Work", "FontName", 2, 30},
      {"Work", "SDayName", 1, 39},       {"Work", "SDayName", 50, 39},
      {"Work", "MemoFile", 0, 260},      {"Work", "MemoFile", 2, 260},
      {"Work", "MemoFTitle", 0, 15},     {"Work", "MemoFTitle", 2, 15},
      {"Work", "NotrikDir", kNoNumber, 260}, {"Default", "TDBtnTitle", kNoNumber, 6},
      {"Default", "PassChar", kNoNumber, 3},
  };
  Fixture f;
  const std::string longText(300, 'x');
  for (const auto& c : cases) {
    f.backend->Write(c.section, NameOf(Row(c.name, c.number), c.number).text, longText.c_str());
  }
  f.backend->Write("Default", "TDBtn", "1");
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  for (const auto& c : cases) {
    EXPECT_EQ(std::strlen(Row(c.name, c.number).field.text(*o, c.number)), c.kept)
        << c.name << c.number;
  }
}

TEST(Options, PriorityListsAreCheckedBeforeUse) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"13,12,11,10,09,08,07,06,05,04,03,02,01,00,", true},
      {"00,01,02,03,04,05,06,07,08,09,10,11,12,12,", false},  // repeated 12
      {"00,01,02,03,04,05,06,07,08,09,10,11,12,14,", false},  // 14 out of range
      {"13,12,11,10,09,08,07,06,05,04,03,02,01,00", true},    // 41 characters
      {"13,12,11,10,09,08,07,06,05,04,03,02,01,0", false},    // 40 characters
      {"-1,01,02,03,04,05,06,07,08,09,10,11,12,13,", false},
      {"#", false},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.backend->Write("Work", "PtnDay1", c.text);
    auto o = std::make_unique<Options>();
    LoadOptions(*o, f.store, "Work");
    for (int i = 0; i < kPrioritySources; ++i) {
      EXPECT_EQ(o->PtnDay[1][i], c.valid ? 13 - i : i) << c.text;
      EXPECT_EQ(o->PtnDay[0][i], i);
    }
  }
}

TEST(Options, ResetOfTheColourPageTouchesOnlyItsRows) {
  ColorTable t;
  for (int i = 0; i < kColorCount; ++i) t.text[i] = t.back[i] = 0x123456;
  SetDefaultColors(t, false);
  const std::set<int> reset = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20,
                               21, 22, 23, 24, 25, 26, 27, 36, 37};
  ColorTable builtIn;
  FillBuiltInColors(builtIn);
  for (int i = 0; i < kColorCount; ++i) {
    const bool wasReset = reset.count(i) != 0;
    EXPECT_EQ(t.text[i], wasReset ? builtIn.text[i] : 0x123456) << i;
    EXPECT_EQ(t.back[i], wasReset ? builtIn.back[i] : 0x123456) << i;
  }
}

// A record that differs from the defaults in every stored field.
Options Edited(const char* profile, int optDef) {
  Options o = ExpectedDefaults(profile);
  o.Yoko = 14;
  o.YokoSize = 120;
  o.Tate = 6;
  o.TateLine = 4;
  const int ptn[8] = {-2, 3, 2, 0x12, 0xABCD, -3, 1, 1};
  for (int i = 0; i < 8; ++i) Row("Ptn", i).field.set(o, i, ptn[i]);
  for (int i = 0; i < kPrioritySources; ++i) {
    o.PtnDay[0][i] = 13 - i;
    o.PtnDay[1][i] = (i + 5) % 14;
    o.PtnDay[2][i] = (i + 9) % 14;
  }
  o.PtnSDay = 36159;
  o.BDayTime = 1440;
  o.OptDef = optDef;
  o.optDefAtLoad = optDef;
  std::fill(std::begin(o.Weekday), std::end(o.Weekday), 0);
  o.Weekday[1] = o.Weekday[12] = 1;
  for (int i = 0; i < kRestRuleCount; ++i) o.WeekdayP[i] = 0x7FFFFFF0u + static_cast<unsigned>(i);
  for (int i = 0; i < kRegularCount; ++i) {
    o.SDay[i] = i % 2 == 0 ? -4000000 + i : 3000000 + i;
    std::snprintf(o.SDayName[i], kRegularNameSize, "定期予定%02dの名前", i);
  }
  std::strcpy(o.FontName[0], "ＭＳ ゴシック");
  std::strcpy(o.FontName[1], "ＭＳ 明朝");
  std::strcpy(o.FontName[2], "ＭＳ Ｐ明朝");
  o.FontSize[0] = 48;
  o.FontSize[1] = 0;
  o.FontSize[2] = 9;
  o.MenuType = 1;
  for (int i = 0; i < kFontCount; ++i) {
    o.FontBold[i] = i != 1;
    o.FontItalic[i] = 1;
  }
  for (int i = 0; i < kColorCount; ++i) {
    o.colors.text[i] = i % 3 == 0 ? -1 : 0x010101 * i;
    o.colors.back[i] = i % 4 == 0 ? -1 : 0xFFFFFF - i;
  }
  o.PenSize[0] = 0;
  o.PenSize[1] = 10;
  o.PenColor[0] = -1;
  o.PenColor[1] = 0x00FF00;
  o.Trns[0] = 0;
  o.Trns[1] = 128;
  o.Zoom = 50;
  o.TTType = 16;
  o.MCType = 0;
  o.MCType2[0] = o.MCType2[2] = 1;
  o.MemoPos = 0;
  o.MemoLine = 10;
  o.MemoLine2 = 12;
  o.Notrik = 1;
  o.NotrikType = 0;
  o.NotrikTypeD = o.NotrikTypeC = 1;
  std::strcpy(o.NotrikDir, "C:\\表示\\Notrik.exe");
  o.TSR = o.Note = 1;
  o.Secret = 1;
  std::strcpy(o.MemoFile[0], "C:\\memo\\one.mem");
  std::strcpy(o.MemoFile[2], "three.rtf");
  o.MemoRTF[2] = 1;
  std::strcpy(o.MemoFTitle[1], "ﾒﾓ二");
  // What the dialog edits goes through the working copies.
  o.workColors = o.colors;
  o.workPenColor[0] = o.PenColor[0];
  o.workPenColor[1] = o.PenColor[1];
  std::copy(std::begin(o.SDay), std::end(o.SDay), o.workSDay);
  std::memcpy(o.workSDayName, o.SDayName, sizeof o.SDayName);
  return o;
}

// The dialog's state once the user applied a page.
OptionsDialogState Applied() {
  OptionsDialogState dialog;
  dialog.applied = true;
  return dialog;
}

TEST(Options, SavedRecordLoadsBackUnchanged) {
  NoQuestions noQuestions;
  for (int optDef : {0x00, 0x11}) {
    Fixture f;
    f.store.SelectSection("Work", false);
    auto saved = std::make_unique<Options>(Edited("Work", optDef));
    OptionsDialogState dialog = Applied();
    ASSERT_TRUE(SaveOptions(*saved, f.store, dialog));
    EXPECT_FALSE(dialog.applied);
    EXPECT_EQ(f.backend->flushes, 1);
    auto loaded = std::make_unique<Options>();
    LoadOptions(*loaded, f.store, "Work");
    ExpectKeysEqual(*loaded, *saved);
    EXPECT_EQ(f.Get(optDef != 0 ? "Default" : "Work", "Weekday"), "4098");
    EXPECT_EQ(f.Get(optDef != 0 ? "Work" : "Default", "Weekday"), "<absent>");
  }
}

int RowOf(const OptionKey& key) { return static_cast<int>(&key - OptionKeys().data()); }

// For every key a value that is not its default and lies at the edge of what
// the key keeps: the top of its range (one below when that is the default),
// the other flag, a colour of its own, a text that fills its buffer (a load
// keeps maximum - 1 bytes of it), the lists reversed.
int EdgeNumber(const OptionKey& key, int number) {
  switch (key.type) {
    case kInt:
      return ParseNumber(key.def) == key.maximum ? key.maximum - 1 : key.maximum;
    case kFlag:
      return std::strcmp(key.def, "1") == 0 ? 0 : 1;
    case kColor:
      return 0x100000 + RowOf(key) * 64 + number;
    case kString:
    case kPriorityList:
      break;
  }
  return 0;
}

std::string EdgeText(const OptionKey& key) {
  const char letter = static_cast<char>('a' + RowOf(key) % 26);
  return std::string(static_cast<size_t>(key.field.size - 1), letter);
}

std::string EdgeStored(const OptionKey& key, int number) {
  char text[16];
  switch (key.type) {
    case kInt:
    case kFlag:
      return std::to_string(EdgeNumber(key, number));
    case kColor:
      std::snprintf(text, sizeof text, "0x%06X", EdgeNumber(key, number));
      return text;
    case kString:
      return EdgeText(key);
    case kPriorityList:
      break;
  }
  return "13,12,11,10,09,08,07,06,05,04,03,02,01,00,";
}

void SetEdges(Options& o) {
  ForEachKey([&](const OptionKey& key, int n, const std::string&) {
    switch (key.type) {
      case kInt:
      case kFlag:
      case kColor:
        key.field.set(o, n, EdgeNumber(key, n));
        break;
      case kString: {
        const std::string text = EdgeText(key);
        std::memcpy(key.field.buffer(o, n), text.c_str(), text.size() + 1);
        break;
      }
      case kPriorityList:
        for (int i = 0; i < kPrioritySources; ++i) o.PtnDay[n][i] = kPrioritySources - 1 - i;
        break;
    }
  });
}

// What a number field holds once value is put in (the rest-day flags keep
// thirteen bits).
int AsHeld(const OptionKey& key, int number, int value) {
  auto scratch = std::make_unique<Options>();
  key.field.set(*scratch, number, value);
  return key.field.get(*scratch, number);
}

// Expects the edge value of every key that passes keep.
template <typename Keep>
void ExpectEdges(const Options& o, Keep keep) {
  ForEachKey([&](const OptionKey& key, int n, const std::string& name) {
    if (!keep(key, name)) return;
    switch (key.type) {
      case kInt:
      case kFlag:
      case kColor:
        EXPECT_EQ(key.field.get(o, n), AsHeld(key, n, EdgeNumber(key, n))) << name;
        break;
      case kString:
        EXPECT_EQ(key.field.text(o, n), EdgeText(key).substr(0, key.maximum - 1)) << name;
        break;
      case kPriorityList:
        for (int i = 0; i < kPrioritySources; ++i) {
          EXPECT_EQ(o.PtnDay[n][i], kPrioritySources - 1 - i) << name;
        }
        break;
    }
  });
}

TEST(Options, EveryKeyKeepsAnEdgeValueThroughSaveAndLoad) {
  NoQuestions noQuestions;
  Fixture f;
  f.store.SelectSection("Work", false);
  auto saved = std::make_unique<Options>(ExpectedDefaults("Work"));
  SetEdges(*saved);
  saved->optDefAtLoad = saved->OptDef;  // shared already: no question
  saved->workColors = saved->colors;
  std::copy(std::begin(saved->PenColor), std::end(saved->PenColor), saved->workPenColor);
  std::copy(std::begin(saved->SDay), std::end(saved->SDay), saved->workSDay);
  std::memcpy(saved->workSDayName, saved->SDayName, sizeof saved->SDayName);
  OptionsDialogState dialog = Applied();
  ASSERT_TRUE(SaveOptions(*saved, f.store, dialog));
  auto loaded = std::make_unique<Options>();
  LoadOptions(*loaded, f.store, "Work");
  ExpectEdges(*loaded, [](const OptionKey& key, const std::string&) { return key.saved; });
}

TEST(Options, EveryKeyIsReadFromTheSectionItsRowNames) {
  for (const int optDef : {0, 1}) {
    Fixture f;
    f.backend->Write("Work", "OptDef", std::to_string(optDef).c_str());
    ForEachKey([&](const OptionKey& key, int n, const std::string& name) {
      if (name == "OptDef") return;
      const bool inDefault = key.section == kDefault || (key.section == kCommon && optDef == 1);
      f.backend->Write(inDefault ? "Default" : "Work", name.c_str(), EdgeStored(key, n).c_str());
    });
    auto o = std::make_unique<Options>();
    LoadOptions(*o, f.store, "Work");
    EXPECT_EQ(o->OptDef, optDef);
    ExpectEdges(*o, [](const OptionKey&, const std::string& name) { return name != "OptDef"; });
  }
}

TEST(Options, EveryKeyIsLimitedToWhatItHolds) {
  for (const bool above : {false, true}) {
    SCOPED_TRACE(above ? "above the range" : "below the range");
    Fixture f;
    ForEachKey([&](const OptionKey& key, int, const std::string& name) {
      std::string text;
      switch (key.type) {
        case kInt:
          text = std::to_string(above ? int64_t{key.maximum} + 1 : int64_t{key.minimum} - 1);
          break;
        case kFlag:
          text = above ? "2" : "-1";
          break;
        case kColor:
          text = above ? "0x1123456" : "-5";  // bits above the 24 are dropped
          break;
        case kString:
          if (!above) return;
          text = std::string(static_cast<size_t>(key.maximum) + 5, 'x');
          break;
        case kPriorityList:
          return;
      }
      // OptDef decides where the common group comes from: have it both places.
      if (key.section != kDefault) f.backend->Write("Work", name.c_str(), text.c_str());
      if (key.section != kCurrent) f.backend->Write("Default", name.c_str(), text.c_str());
    });
    auto o = std::make_unique<Options>();
    LoadOptions(*o, f.store, "Work");
    ForEachKey([&](const OptionKey& key, int n, const std::string& name) {
      const int got = key.type == kString || key.type == kPriorityList ? 0 : key.field.get(*o, n);
      switch (key.type) {
        case kInt:
          if (name == "Ptn5" && !above) {
            EXPECT_EQ(got, ~key.minimum) << "a date start day is fixed again";
          } else {
            EXPECT_EQ(got, AsHeld(key, n, above ? key.maximum : key.minimum)) << name;
          }
          break;
        case kFlag:
          EXPECT_EQ(got, above ? 1 : 0) << name;
          break;
        case kColor:
          EXPECT_EQ(got, above ? 0x123456 : -1) << name;
          break;
        case kString:
          if (above) {
            EXPECT_EQ(std::strlen(key.field.text(*o, n)), static_cast<size_t>(key.maximum) - 1)
                << name;
          }
          break;
        case kPriorityList:
          break;
      }
    });
  }
}

TEST(Options, SaveWritesExactlyTheSaveListInItsFormats) {
  NoQuestions noQuestions;
  Fixture f;
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  o->FontItalic[2] = 2;  // a flag is a flag, whatever the field holds
  o->WeekdayP[9] = 0xFFFFFFFFu;  // the store keeps 31 bits of a rule
  OptionsDialogState dialog = Applied();
  ASSERT_TRUE(SaveOptions(*o, f.store, dialog));

  std::set<std::string> expected = {
      "OptDef", "Weekday", "Yoko", "YokoSize", "Tate", "TateLine", "PtnSDay", "BDayTime",
      "MCType", "MemoPos", "MemoLine", "MemoLine2", "Trns0", "Trns1", "TSR", "Note", "Zoom",
      "MenuType", "TTType", "FontSize0", "FontSize1", "PenSize0", "PenSize1", "PenColor0",
      "PenColor1", "Notrik", "NotrikType", "NotrikDir", "NotrikTypeD", "NotrikTypeC"};
  auto add = [&](const char* name, int first, int last) {
    for (int i = first; i <= last; ++i) expected.insert(name + std::to_string(i));
  };
  add("WeekdayP", 0, 9);
  add("Ptn", 0, 7);
  add("MCType2", 0, 2);
  add("FontName", 0, 2);
  add("FontBold", 0, 2);
  add("FontItalic", 0, 2);
  add("TextColor", 1, 40);
  add("BackColor", 1, 40);
  add("PtnDay", 0, 2);
  add("MemoFile", 0, 2);
  add("MemoRTF", 0, 2);
  add("MemoFTitle", 0, 2);
  EXPECT_EQ(f.Keys("Work"), expected);
  EXPECT_EQ(f.Keys("Default"), std::set<std::string>{"Secret"});

  const struct {
    const char* key;
    const char* value;
  } formats[] = {
      {"OptDef", "0"},         {"Weekday", "321"},        {"Ptn4", "432"},
      {"Ptn3", "49"},          {"MCType", "1"},           {"MCType21", "0"},
      {"TextColor1", "0x000000"}, {"BackColor2", "0xFFECD7"}, {"TextColor3", "-1"},
      {"TextColor29", "-1"},   {"PenColor0", "0x999999"}, {"PenColor1", "0xFF0000"},
      {"FontName2", "ＭＳ Ｐゴシック"}, {"MemoFile0", "Hiyomi.mem"}, {"MemoFile1", ""},
      {"MemoFTitle2", "Memo3"}, {"NotrikDir", ""}, {"FontItalic2", "1"},
      {"WeekdayP9", "2147483647"},
      {"PtnDay0", "00,01,02,03,04,05,06,07,08,09,10,11,12,13,"},
      {"PtnDay2", "00,01,03,04,05,06,07,08,09,02,10,11,12,13,"},
  };
  for (const auto& c : formats) EXPECT_EQ(f.Get("Work", c.key), c.value) << c.key;
  EXPECT_EQ(f.Get("Default", "Secret"), "0");

  // A new section holds its keys in the order they were written: the joins
  // of that order, where pairs, groups and skipped keys meet.
  const std::vector<std::string> order = f.Order("Work");
  const std::pair<const char*, const char*> adjacent[] = {
      {"OptDef", "TextColor29"},     {"TextColor29", "BackColor29"},
      {"BackColor29", "TextColor30"}, {"BackColor33", "Weekday"},
      {"WeekdayP9", "Yoko"},          {"Ptn7", "PtnSDay"},
      {"BDayTime", "MCType"},         {"TTType", "FontName0"},
      {"PenColor1", "TextColor1"},    {"TextColor1", "BackColor1"},
      {"BackColor1", "TextColor2"},   {"BackColor28", "TextColor34"},
      {"TextColor34", "BackColor34"}, {"BackColor39", "TextColor40"},
      {"BackColor40", "PtnDay0"},     {"PtnDay2", "MemoFile0"},
      {"MemoFTitle2", "Notrik"},      {"Notrik", "NotrikType"},
      {"NotrikType", "NotrikDir"},    {"NotrikDir", "NotrikTypeD"},
  };
  for (const auto& [first, second] : adjacent) {
    const auto at = std::find(order.begin(), order.end(), first);
    ASSERT_NE(at, order.end()) << first;
    ASSERT_NE(at + 1, order.end()) << first;
    EXPECT_EQ(*(at + 1), second) << "after " << first;
  }
  EXPECT_EQ(order.front(), "OptDef");
  EXPECT_EQ(order.back(), "NotrikTypeC");
}

TEST(Options, NothingIsWrittenWhenTheDialogDidNotApply) {
  Fixture f;
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  o->workColors.text[4] = 0x123456;
  o->workPenColor[1] = 0x00FF00;
  o->workSDay[0] = 1010101;
  std::strcpy(o->workSDayName[0], "x");
  OptionsDialogState dialog;
  EXPECT_FALSE(SaveOptions(*o, f.store, dialog));
  EXPECT_TRUE(f.backend->Sections().empty());
  EXPECT_EQ(o->workColors.text[4], 0x000000);
  EXPECT_EQ(o->workPenColor[1], 0xFF0000);
  EXPECT_EQ(o->workSDay[0], 0);
  EXPECT_STREQ(o->workSDayName[0], "");
}

TEST(Options, ScheduleWithoutNameOrValueIsDeletedOnSave) {
  NoQuestions noQuestions;
  Fixture f;
  for (int i : {3, 4, 5}) {
    f.backend->Write("Work", ("SDay" + std::to_string(i)).c_str(), "1010101");
    f.backend->Write("Work", ("SDayName" + std::to_string(i)).c_str(), "給料日");
  }
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  EXPECT_EQ(o->SDay[2], 1010101);
  o->workSDayName[2][0] = '\0';  // SDay3 loses its name
  o->workSDay[3] = 0;            // SDay4 loses its value
  OptionsDialogState dialog = Applied();
  SaveOptions(*o, f.store, dialog);
  for (const char* key : {"SDay3", "SDayName3", "SDay4", "SDayName4"}) {
    EXPECT_EQ(f.Get("Work", key), "<absent>") << key;
  }
  EXPECT_EQ(f.Get("Work", "SDay5"), "1010101");
  EXPECT_EQ(f.Get("Work", "SDayName5"), "給料日");
}

TEST(Options, SharingTheCommonGroupAsksOnlyTheFirstTime) {
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    Fixture f;
    f.backend->Write("Default", "Weekday", "0x41");
    f.backend->Write("Default", "SDay1", "2000101");
    f.backend->Write("Default", "SDayName1", "共有");
    f.backend->Write("Default", "TextColor29", "0x00FF00");
    auto o = std::make_unique<Options>();
    LoadOptions(*o, f.store, "Work");
    o->OptDef = 1;
    o->Weekday[3] = 1;
    o->workSDay[0] = 3000101;
    std::strcpy(o->workSDayName[0], "個人");
    o->workColors.text[28] = 0x0000FF;
    OptionsDialogState dialog = Applied();
    std::vector<std::string> asked;
    auto previous = SetMessageAnswererForTests([&](MessageKind kind, const char* text) {
      EXPECT_EQ(kind, MessageKind::YesNo);
      asked.push_back(text);
      return answer;
    });
    SaveOptions(*o, f.store, dialog);
    SetMessageAnswererForTests(std::move(previous));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "現在の休日、定期予定設定を Default Section に登録しますか？　　");
    const char* written = answer == MessageAnswer::No ? "Work" : "Default";
    EXPECT_EQ(f.Get(written, "Weekday"), "329");
    EXPECT_EQ(f.Get(written, "SDay1"), "3000101");
    EXPECT_EQ(f.Get(written, "SDayName1"), "個人");
    EXPECT_EQ(f.Get(written, "TextColor29"), "0x0000FF");
    EXPECT_EQ(f.Get("Work", "OptDef"), "1");
    if (answer == MessageAnswer::No) {
      // The shared values stay in force.
      EXPECT_EQ(o->Weekday[3], 0);
      EXPECT_EQ(o->Weekday[8], 0);  // Default holds 0x41
      EXPECT_EQ(o->SDay[0], 2000101);
      EXPECT_STREQ(o->SDayName[0], "共有");
      EXPECT_EQ(o->workSDay[0], 2000101);
      EXPECT_EQ(o->colors.text[28], 0x00FF00);
    } else {
      EXPECT_EQ(o->SDay[0], 3000101);
      EXPECT_EQ(f.Get("Work", "SDay1"), "<absent>");
    }
  }

  // Shared already when loaded: no question, straight to Default.
  NoQuestions noQuestions;
  Fixture f;
  f.backend->Write("Work", "OptDef", "1");
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  o->Weekday[3] = 1;
  OptionsDialogState dialog = Applied();
  SaveOptions(*o, f.store, dialog);
  EXPECT_EQ(f.Get("Default", "Weekday"), "329");
}

TEST(Options, ANewProfileNameBecomesTheCurrentSection) {
  NoQuestions noQuestions;
  Fixture f;
  auto o = std::make_unique<Options>();
  LoadOptions(*o, f.store, "Work");
  std::strcpy(o->profileName, "休日用");
  o->Yoko = 21;
  OptionsDialogState dialog = Applied();
  SaveOptions(*o, f.store, dialog);
  EXPECT_STREQ(f.store.CurrentSection(), "休日用");
  EXPECT_EQ(f.Get("Default", "Section"), "休日用");
  EXPECT_EQ(f.Get("休日用", "Yoko"), "21");
  EXPECT_EQ(f.Get("Work", "Yoko"), "<absent>");

  // An empty name keeps the current section.
  o->profileName[0] = '\0';
  dialog = Applied();
  SaveOptions(*o, f.store, dialog);
  EXPECT_STREQ(o->profileName, "休日用");
  EXPECT_EQ(f.Get("Default", "Section"), "休日用");
}

void ExpectInRange(const Options& o) {
  auto in = [](int64_t v, int64_t lo, int64_t hi, const std::string& name) {
    EXPECT_GE(v, lo) << name;
    EXPECT_LE(v, hi) << name;
  };
  ForEachKey([&](const OptionKey& key, int n, const std::string& name) {
    switch (key.type) {
      case kInt:
      case kFlag:
      case kColor:
        in(key.field.get(o, n), key.minimum, key.maximum, name);
        break;
      case kString:
        EXPECT_LT(std::strlen(key.field.text(o, n)), static_cast<size_t>(key.maximum)) << name;
        break;
      case kPriorityList: {
        std::set<int> seen(o.PtnDay[n], o.PtnDay[n] + kPrioritySources);
        EXPECT_EQ(seen.size(), 14u) << name;
        in(*seen.begin(), 0, 0, name);
        in(*seen.rbegin(), 13, 13, name);
        break;
      }
    }
  });
  // Narrower once loaded than their keys' ranges, and the fields behind the
  // rest-day keys as the record holds them.
  in(StartDayCode(o), -7, 10, "Ptn5");
  in(o.MemoLine2, o.MemoLine, 30, "MemoLine2");
  for (int v : o.Weekday) in(v, 0, 1, "Weekday");
  for (unsigned v : o.WeekdayP) EXPECT_LE(v, 0x7FFFFFFFu);
}

TEST(Options, GarbageInEveryKeyStillLoadsInRange) {
  // Every key, in the profile and in Default alike.
  std::vector<std::pair<std::string, std::string>> all;
  ForEachKey([&](const OptionKey&, int, const std::string& name) {
    all.emplace_back("Work", name);
    all.emplace_back("Default", name);
  });
  std::string binary;
  for (int c = 1; c < 256; ++c) binary += static_cast<char>(c);
  const std::string garbage[] = {
      std::string(5000, '9'), "-" + std::string(5000, '9'), std::string(5000, '\x81'),
      binary + binary, "0xFFFFFFFFFFFFFFFFFFFFFFFF", "-0x80000000", "&hZZ", " ",
  };
  for (const std::string& g : garbage) {
    Fixture f;
    for (const auto& [section, key] : all) f.backend->Write(section.c_str(), key.c_str(), g.c_str());
    f.backend->Write("Work", "OptDef", g.c_str());
    auto o = std::make_unique<Options>();
    LoadOptions(*o, f.store, "Work");
    ExpectInRange(*o);
  }
}

TEST(Options, Accessors) {
  auto o = std::make_unique<Options>(ExpectedDefaults("Default"));
  o->Trns[0] = 200;
  o->Trns[1] = 100;
  EXPECT_EQ(Transparency(*o, true), 200);
  EXPECT_EQ(Transparency(*o, false), 100);
  o->TTType = 0x10;
  EXPECT_TRUE(TooltipEnabled(*o));
  EXPECT_TRUE(TooltipEnabled(*o, 0x10));
  EXPECT_FALSE(TooltipEnabled(*o, 0x01));
  o->TTType = 0;
  EXPECT_FALSE(TooltipEnabled(*o));
  o->OptDef = 0x01;
  EXPECT_FALSE(CategoriesShared(*o));
  o->OptDef = 0x10;
  EXPECT_TRUE(CategoriesShared(*o));
  const FontChoice day = OptionsFont(*o, 1);
  EXPECT_STREQ(day.face, "ＭＳ Ｐゴシック");
  EXPECT_EQ(day.weight, 700);
  EXPECT_FALSE(day.italic);
  EXPECT_EQ(OptionsFont(*o, 0).weight, 400);
}

}  // namespace
}  // namespace hiyomi
