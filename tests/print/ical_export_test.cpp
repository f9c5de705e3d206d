// The iCalendar writer: CP932 to UTF-8, TEXT escaping, folding, IcsOpt,
// the events of a range (periods, secrets, optional sources), UIDs that
// stay put, and the one-replace write.
#include "print/ical_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/cp932_unicode.h"
#include "csv_days.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"
#include "tests/schedule/schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

const SerialDay kThursday = Day(2026, 12, 10);
const std::string kStamp = "20261210T120000Z";

std::string Utf8(std::string_view cp932) {
  std::string out;
  AppendUtf8FromCp932(cp932, out);
  return out;
}

// The source files are UTF-8 but their literals CP932: the expected UTF-8
// is spelled out in bytes.
TEST(Cp932ToUtf8, CharactersAndBytesWithoutOne) {
  const struct {
    std::string cp932;
    std::string utf8;
  } cases[] = {
      {"abc\\~", "abc\\~"},
      {"\x82\xA0", "\xE3\x81\x82"},                 // あ
      {"\x95\x5C\x83\x5C", "\xE8\xA1\xA8\xE3\x82\xBD"},  // 表ソ: trail bytes 0x5C
      {"\xB1\xDF", "\xEF\xBD\xB1\xEF\xBE\x9F"},     // halfwidth ｱ and ﾟ
      {"\x81\x60", "\xEF\xBD\x9E"},                 // ～ as Windows maps it
      {"\x87\x40", "\xE2\x91\xA0"},                 // ① (NEC row 13)
      {"\xF0\x40", "\xEE\x80\x80"},                 // user-defined area: private use
      {"\x85\x40x", "\xEF\xBF\xBD@x"},              // unmapped pair: its trail read again
      {"a\x81", "a\xEF\xBF\xBD"},                   // lead byte at the end
      {"\x81\n", "\xEF\xBF\xBD\n"},                 // lead byte before a line feed
      {std::string("\x80\xA0\xFD\xFE\xFF", 5), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(c.cp932), c.utf8) << c.cp932;
}

TEST(IcsText, EscapedAfterConversion) {
  const struct {
    std::string cp932;
    std::string value;
  } cases[] = {
      {"a,b;c\\d", "a\\,b\\;c\\\\d"},
      {"\x95\x5C", "\xE8\xA1\xA8"},  // 表 keeps its 0x5C trail unescaped
      {"one\r\ntwo\rthree\nfour", "one\\ntwo\\nthree\\nfour"},
      {"tab\there\x01\x1F\x7F.", "tab\there."},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendIcsText(c.cp932, out);
    EXPECT_EQ(out, c.value) << c.cp932;
  }
}

TEST(IcsFolding, LinesOfAtMost75OctetsSplitBetweenCharacters) {
  const std::string kana = "\xEF\xBD\xB1";  // 3 octets
  const std::string lines[] = {
      std::string(75, 'a'),
      std::string(76, 'a'),
      std::string(74, 'a') + kana,
      "SUMMARY:" + [&] { std::string s; for (int i = 0; i < 40; ++i) s += kana; return s; }(),
      std::string(300, 'b'),
  };
  for (const std::string& line : lines) {
    std::string out;
    AppendFoldedLine(line, out);
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
    std::string unfolded;
    size_t at = 0;
    bool firstLine = true;
    while (at < out.size()) {
      const size_t end = out.find("\r\n", at);
      ASSERT_NE(end, std::string::npos);
      std::string physical = out.substr(at, end - at);
      EXPECT_LE(physical.size(), kIcsLineOctets) << physical;
      if (!firstLine) {
        ASSERT_EQ(physical[0], ' ');
        physical.erase(0, 1);
        // A continuation never starts inside a character.
        EXPECT_NE(static_cast<unsigned char>(physical[0]) & 0xC0, 0x80) << line;
      }
      unfolded += physical;
      firstLine = false;
      at = end + 2;
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(out.find("\r\n") == out.size() - 2, line.size() <= kIcsLineOctets) << line.size();
  }
}

bool IsWholeUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// Entry texts are bytes from a file: whatever they hold, each content line
// stays whole UTF-8, short, free of control characters and of bare line
// breaks. Seeded, so a failure repeats.
TEST(IcsText, AnyBytesGiveWellFormedLines) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 41, '\0');
    for (char& c : text) c = static_cast<char>(1 + random() % 255);
    std::string line = "SUMMARY:";
    AppendIcsText(text, line);
    std::string out;
    AppendFoldedLine(line, out);
    ASSERT_EQ(out.substr(out.size() - 2), "\r\n");
    size_t at = 0;
    while (at < out.size()) {
      const size_t end = out.find("\r\n", at);
      ASSERT_NE(end, std::string::npos);
      const std::string_view physical(out.data() + at, end - at);
      ASSERT_LE(physical.size(), kIcsLineOctets);
      ASSERT_TRUE(IsWholeUtf8(physical)) << round;
      for (char c : physical) {
        ASSERT_FALSE((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) << round;
      }
      at = end + 2;
    }
  }
}

TEST(IcsOpt, ReadAndWrittenAsFourCharactersInDefault) {
  const struct {
    const char* stored;
    const char* read;
  } cases[] = {{"0000", "0000"}, {"1010", "1010"}, {"1111", "1111"}, {"", "0000"},
               {"1", "1000"},    {"x1y1", "0101"}, {"111111", "1111"}};
  for (const auto& c : cases) EXPECT_EQ(FormatIcsOpt(ParseIcsOpt(c.stored)), c.read) << c.stored;

  SettingsStore store;
  auto backend = std::make_unique<MemorySettingsBackend>();
  MemorySettingsBackend* memory = backend.get();
  store.Attach(std::move(backend), "Profile");
  EXPECT_EQ(FormatIcsOpt(LoadIcsOptions(store)), "0000");
  memory->Write("Profile", kIcsOptKey, "1111");
  EXPECT_EQ(FormatIcsOpt(LoadIcsOptions(store)), "0000");
  SaveIcsOptions(store, ParseIcsOpt("0110"));
  ASSERT_NE(memory->Find(kDefaultSection, kIcsOptKey), nullptr);
  EXPECT_EQ(*memory->Find(kDefaultSection, kIcsOptKey), "0110");
}

// The events of a calendar, each a list of its content lines unfolded.
using Event = std::vector<std::string>;

std::vector<Event> EventsOf(const std::string& calendar) {
  std::string unfolded;
  for (size_t i = 0; i < calendar.size(); ++i) {
    if (calendar.compare(i, 3, "\r\n ") == 0) {
      i += 2;
      continue;
    }
    unfolded += calendar[i];
  }
  std::vector<Event> events;
  size_t at = 0;
  bool inside = false;
  while (at < unfolded.size()) {
    const size_t end = unfolded.find("\r\n", at);
    const std::string line = unfolded.substr(at, end - at);
    at = end + 2;
    if (line == "BEGIN:VEVENT") {
      inside = true;
      events.emplace_back();
    } else if (line == "END:VEVENT") {
      inside = false;
    } else if (inside) {
      events.back().push_back(line);
    }
  }
  return events;
}

std::string Value(const Event& event, const std::string& name) {
  for (const std::string& line : event) {
    if (line.compare(0, name.size() + 1, name + ":") == 0) return line.substr(name.size() + 1);
    if (line.compare(0, name.size() + 1, name + ";") == 0) return line.substr(line.find(':') + 1);
  }
  return "-";
}

// One summary line per event: start, end, summary, categories, class, transp.
std::vector<std::string> Summaries(const std::string& calendar) {
  std::vector<std::string> out;
  for (const Event& e : EventsOf(calendar)) {
    out.push_back(Value(e, "DTSTART") + " " + Value(e, "DTEND") + " " + Value(e, "SUMMARY") + " " +
                  Value(e, "CATEGORIES") + " " + Value(e, "CLASS") + " " + Value(e, "TRANSP"));
  }
  return out;
}

std::string Calendar(CsvInputs& in, SerialDay first, SerialDay last, const IcsOptions& options = {},
                     const std::string& stamp = kStamp) {
  std::string out;
  AppendIcsCalendar(first, last, options, in.Inputs(), stamp, out);
  return out;
}

TEST(IcsCalendar, OneFramedCalendarEvenWithoutEvents) {
  CsvInputs in;
  const std::string head =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Sorafu//Hiyomi//JA\r\nCALSCALE:GREGORIAN\r\n"
      "METHOD:PUBLISH\r\n";
  EXPECT_EQ(Calendar(in, kThursday, kThursday), head + "END:VCALENDAR\r\n");
  EXPECT_EQ(Calendar(in, kThursday, kThursday - 1), head + "END:VCALENDAR\r\n");
}

TEST(IcsCalendar, EntriesPeriodsAndTheirFields) {
  CsvInputs in;
  in.days.Add(kThursday, "会議", 0);
  in.days.Add(kThursday, "歯医者", 255);
  in.days.Add(Day(2026, 12, 30), "年越し", 1).span = 3;  // to 2027-01-02
  in.days.Add(Day(2026, 11, 20), "長期出張", 1).span = 40;  // began before the range
  in.days.Add(kThursday - 200, "昔の予定", 0);
  in.days.Add(kThursday + 1, "隠した予定", 0).order = -1;
  in.days.Add(kThursday, "大き過ぎる", 0).span = 0x7FFFFFFF;
  const std::vector<std::string> expected = {
      "20261120 20261231 長期出張 私用 - -",
      "20261210 20261211 会議 仕事 - -",
      "20261210 20261211 歯医者 - - -",
      "20261210 21000101 大き過ぎる 仕事 - -",
      "20261230 20270103 年越し 私用 - -",
  };
  std::vector<std::string> utf8;
  for (const std::string& line : expected) utf8.push_back(Utf8(line));
  const std::string calendar = Calendar(in, kThursday, Day(2027, 1, 31));
  EXPECT_EQ(Summaries(calendar), utf8);
  for (const Event& e : EventsOf(calendar)) EXPECT_EQ(Value(e, "DTSTAMP"), kStamp);
  EXPECT_EQ(calendar.find("\n\n"), std::string::npos);
  for (size_t i = calendar.find('\n'); i != std::string::npos; i = calendar.find('\n', i + 1)) {
    ASSERT_EQ(calendar[i - 1], '\r') << i;
  }
}

TEST(IcsCalendar, OptionalSourcesAndUndatedEntriesNever) {
  CsvInputs in;
  const SerialDay newYear = Day(2027, 1, 1);
  in.days.toDos.push_back(ToDoItem{newYear, 3, 1, "書類提出"});
  in.days.toDos.push_back(ToDoItem{newYear + 1, 0, -1, "電話"});
  TemporaryItem temporary{newYear + 2, "一時の用事", -1, -1};
  in.days.temporary.push_back(temporary);
  // Monthly on the 11th, moved off days off to the next working day.
  std::snprintf(in.options->SDayName[0], sizeof in.options->SDayName[0], "定例会");
  in.daySettings.sDay[0] = 2001502;
  ScheduleEntry undated = EmptyEntry();
  undated.order = 1;
  undated.span = 2;  // tomorrow
  std::snprintf(undated.text, sizeof undated.text, "いつか");
  in.days.undated.push_back(undated);
  in.today = newYear;

  EXPECT_TRUE(Summaries(Calendar(in, newYear, newYear + 40)).empty());
  const std::vector<std::string> expected = {
      "20270101 20270102 元日 - - TRANSPARENT",
      "20270101 20270104 書類提出 私用 - -",
      "20270102 20270103 電話 - - -",
      "20270103 20270104 一時の用事 - - -",
      "20270111 20270112 成人の日 - - TRANSPARENT",
      "20270112 20270113 定例会 - - -",  // the 11th is a holiday
      "20270211 20270212 建国記念の日 - - TRANSPARENT",
      "20270212 20270213 定例会 - - -",
  };
  std::vector<std::string> utf8;
  for (const std::string& line : expected) utf8.push_back(Utf8(line));
  EXPECT_EQ(Summaries(Calendar(in, newYear, Day(2027, 2, 20), IcsOptions{true, true, true, true})), utf8);
  // Each box alone brings its own source only.
  EXPECT_EQ(Summaries(Calendar(in, newYear, Day(2027, 2, 20), IcsOptions{false, false, true, false})),
            (std::vector<std::string>{utf8[1], utf8[2]}));
  EXPECT_EQ(Summaries(Calendar(in, newYear, Day(2027, 2, 20), IcsOptions{false, true, false, false})),
            (std::vector<std::string>{utf8[3]}));
}

class SilentPrompts final : public SecretPrompts {
 public:
  void Tell(const char*) noexcept override {}
  bool AskYesNo(const char*) noexcept override { return false; }
  void AskForPassword() noexcept override {}
};

TEST(IcsCalendar, SecretEntriesPrivateWhenUnlockedAndLeftOutWhenLocked) {
  SilentPrompts prompts;
  SecretTexts secrets;
  secrets.Cipher().DeriveKey("pw");
  secrets.SetLockState(kUnlocked);
  CsvInputs in;
  in.days.secrets = &secrets;
  in.days.Add(kThursday, "見える", 0);
  ScheduleEntry& secret = in.days.Add(kThursday, "&ひみつ", 1);
  secrets.EncipherText(secret.text, prompts);
  ASSERT_TRUE(secrets.IsSecretForm(secret.text));
  // A period that began before the range is checked the same way.
  ScheduleEntry& running = in.days.Add(kThursday - 2, "&旅行", 1);
  running.span = 5;
  secrets.EncipherText(running.text, prompts);

  EXPECT_EQ(Summaries(Calendar(in, kThursday, kThursday)),
            (std::vector<std::string>{Utf8("20261208 20261214 旅行 私用 PRIVATE -"),
                                      Utf8("20261210 20261211 見える 仕事 - -"),
                                      Utf8("20261210 20261211 ひみつ 私用 PRIVATE -")}));
  const std::vector<std::string> plainOnly = {Utf8("20261210 20261211 見える 仕事 - -")};
  secrets.SetLockState(kLocked);
  EXPECT_EQ(Summaries(Calendar(in, kThursday, kThursday)), plainOnly);
  // With the option off the texts read as blank: not an empty event either.
  secrets.SetLockState(kLockOff);
  EXPECT_EQ(Summaries(Calendar(in, kThursday, kThursday)), plainOnly);
}

std::vector<std::string> Uids(const std::string& calendar) {
  std::vector<std::string> uids;
  for (const Event& e : EventsOf(calendar)) uids.push_back(Value(e, "UID"));
  return uids;
}

TEST(IcsCalendar, UidsStayWhileTheDataDoes) {
  CsvInputs in;
  in.days.Add(kThursday, "会議", 0);
  in.days.Add(kThursday, "会議", 0);  // the same text twice on one day
  in.days.Add(kThursday, "会議", 1);
  in.days.Add(kThursday + 1, "会議", 0);
  in.days.Add(kThursday + 2, "出張", 0).span = 2;
  in.days.Add(kThursday - 3, "合宿", 0).span = 4;  // running into the range, twice
  in.days.Add(kThursday - 3, "合宿", 0).span = 4;
  const IcsOptions holidays{false, false, false, true};
  const std::vector<std::string> first = Uids(Calendar(in, kThursday, kThursday + 30, holidays));
  ASSERT_EQ(first.size(), 8u);  // and 元日
  const std::set<std::string> firstSet(first.begin(), first.end());
  EXPECT_EQ(firstSet.size(), first.size());
  for (const std::string& uid : first) EXPECT_EQ(uid.find(' '), std::string::npos) << uid;

  EXPECT_EQ(Uids(Calendar(in, kThursday, kThursday + 30, holidays, "20270101T000000Z")), first);
  // Another day's change and a slot move leave the others as they were.
  in.days.Add(kThursday + 5, "新しい予定", 0);
  std::swap(in.days.records[kThursday].entries[0], in.days.records[kThursday].entries[2]);
  const std::vector<std::string> again = Uids(Calendar(in, kThursday, kThursday + 30, holidays));
  const std::set<std::string> againSet(again.begin(), again.end());
  EXPECT_EQ(againSet.size(), first.size() + 1);
  EXPECT_TRUE(std::includes(againSet.begin(), againSet.end(), firstSet.begin(), firstSet.end()));
  // A changed period is another event.
  in.days.records[kThursday + 2].entries[0].span = 3;
  EXPECT_EQ(firstSet.count(Uids(Calendar(in, kThursday + 2, kThursday + 2))[0]), 0u);
}

class IcsFile : public ::testing::Test {
 protected:
  IcsFile() {
    in_.days.Add(kThursday, "会議", 0);
    WriteBytes(path_, old_);
  }
  IcsWriteResult Write(DataFiles& files, SerialDay first = kThursday, SerialDay last = kThursday) {
    return WriteIcsFile(files, path_, first, last, IcsOptions{}, in_.Inputs(), kStamp);
  }
  void ExpectOldFileOnly() {
    EXPECT_EQ(ReadBytes(path_), old_);
    EXPECT_FALSE(dir_.Has("out.ics.new"));
  }

  ScratchDir dir_{"IcsFile"};
  std::string path_ = dir_.File("out.ics");
  Bytes old_ = {'o', 'l', 'd'};
  CsvInputs in_;
};

TEST_F(IcsFile, ReplacesTheOldFileWhole) {
  EXPECT_EQ(Write(SystemDataFiles()), IcsWriteResult::kWritten);
  std::string expected;
  AppendIcsCalendar(kThursday, kThursday, IcsOptions{}, in_.Inputs(), kStamp, expected);
  EXPECT_EQ(ReadBytes(path_), Bytes(expected.begin(), expected.end()));
  EXPECT_FALSE(dir_.Has("out.ics.new"));
  EXPECT_FALSE(dir_.Has("out.ics.bak"));
}

// Large exports are written in pieces; the file is still the one calendar.
TEST_F(IcsFile, ALargeExportIsTheSameCalendarWhole) {
  const SerialDay last = kThursday + 4 * 366;
  for (SerialDay day = kThursday; day <= last; ++day) {
    for (int e = in_.days.records.count(day) ? 1 : 0; e < kEntriesPerDay; ++e) {
      in_.days.Add(day, "毎日の予定があります。とても忙しい日々", e % 2).span = e == 7 ? 1 : 0;
    }
  }
  EXPECT_EQ(Write(SystemDataFiles(), kThursday, last), IcsWriteResult::kWritten);
  std::string expected;
  AppendIcsCalendar(kThursday, last, IcsOptions{}, in_.Inputs(), kStamp, expected);
  ASSERT_GT(expected.size(), 1u << 21);  // pieces of about a megabyte each
  EXPECT_EQ(EventsOf(expected).size(), static_cast<size_t>(last - kThursday + 1) * kEntriesPerDay);
  EXPECT_TRUE(ReadBytes(path_) == Bytes(expected.begin(), expected.end()));
}

TEST_F(IcsFile, AFailedWriteOrReplaceLeavesTheOldFile) {
  LoggingFiles failingWrites(SystemDataFiles());
  failingWrites.failAfterWrites = 0;
  EXPECT_EQ(Write(failingWrites), IcsWriteResult::kFailed);
  ExpectOldFileOnly();

  LoggingFiles heldFile(SystemDataFiles());
  heldFile.held = "out.ics";
  EXPECT_EQ(Write(heldFile), IcsWriteResult::kFailed);
  ExpectOldFileOnly();

  EXPECT_EQ(Write(SystemDataFiles(), kThursday, kThursday - 1), IcsWriteResult::kNothingToWrite);
  ExpectOldFileOnly();
}

}  // namespace
}  // namespace hiyomi
