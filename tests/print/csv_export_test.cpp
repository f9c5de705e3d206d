// The CSV writer: day prefixes, both line modes, the three separators,
// quoting, CSVOpt, the one-replace write, and secret entries.
#include "print/csv_export.h"

#include <gtest/gtest.h>

#include <string>

#include "csv_days.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"
#include "tests/schedule/schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

const SerialDay kThursday = Day(2026, 12, 10);

CsvOptions With(CsvSeparator separator, const char* boxes) {
  CsvOptions options = ParseCsvOpt(("0" + std::string(boxes)).c_str());
  options.separator = separator;
  return options;
}

std::string Csv(CsvInputs& in, SerialDay first, SerialDay last, const CsvOptions& options) {
  std::string out;
  AppendCsvDays(first, last, options, in.Inputs(), out);
  return out;
}

TEST(CsvDays, PrefixFieldsAndLineModes) {
  constexpr CsvSeparator kComma = CsvSeparator::kComma;
  constexpr CsvSeparator kTab = CsvSeparator::kTab;
  constexpr CsvSeparator kCrLf = CsvSeparator::kLineBreak;
  const struct {
    const char* what;
    SerialDay first, last;
    CsvOptions options;  // boxes: only-with-entries, one-per-line, weekday, holiday, rokuyō, term
    std::string expected;
  } cases[] = {
      {"one empty day", Day(2001, 1, 1), Day(2001, 1, 1), With(kComma, "000000"), "2001年1月1日\r\n"},
      {"an empty holiday field keeps its comma", Day(2001, 1, 2), Day(2001, 1, 2),
       With(kComma, "000100"), "2001年1月2日,\r\n"},
      {"every almanac field", Day(2023, 3, 21), Day(2023, 3, 22), With(kComma, "001111"),
       "2023年3月21日,火,春分の日,先勝,春分\r\n2023年3月22日,水,,友引,\r\n"},
      {"tab separated", Day(2001, 1, 1), Day(2001, 1, 1), With(kTab, "001100"),
       "2001年1月1日\t月\t元日\r\n"},
      {"entries in one field, a line each", kThursday, kThursday, With(kComma, "001000"),
       "2026年12月10日,木,\"仕事,会議\n私用,買物\"\r\n"},
      {"one line per entry, each under the full prefix", kThursday, kThursday, With(kComma, "011000"),
       "2026年12月10日,木,仕事,会議\r\n2026年12月10日,木,私用,買物\r\n"},
      {"one line per entry with tabs", kThursday, kThursday, With(kTab, "010000"),
       "2026年12月10日\t仕事\t会議\r\n2026年12月10日\t私用\t買物\r\n"},
      {"CR LF: each field on a line of its own", kThursday, kThursday, With(kCrLf, "001000"),
       "2026年12月10日\r\n木\r\n\"仕事\r\n会議\n私用\r\n買物\"\r\n"},
      {"CR LF, one line per entry", kThursday, kThursday, With(kCrLf, "010000"),
       "2026年12月10日\r\n仕事\r\n会議\r\n2026年12月10日\r\n私用\r\n買物\r\n"},
      {"only days with entries", kThursday - 1, kThursday + 1, With(kComma, "100000"),
       "2026年12月10日,\"仕事,会議\n私用,買物\"\r\n"},
      {"empty days are written otherwise", kThursday - 1, kThursday + 1, With(kComma, "010000"),
       "2026年12月9日\r\n2026年12月10日,仕事,会議\r\n2026年12月10日,私用,買物\r\n2026年12月11日\r\n"},
      {"a reversed range writes nothing", kThursday, kThursday - 1, With(kComma, "000000"), ""},
      {"the last day of the range", Day(2099, 12, 31), Day(2099, 12, 31), With(kComma, "001000"),
       "2099年12月31日,木\r\n"},
  };
  CsvInputs in;
  in.days.Add(kThursday, "会議", 0);
  in.days.Add(kThursday, "買物", 1);
  for (const auto& c : cases) {
    EXPECT_EQ(Csv(in, c.first, c.last, c.options), c.expected) << c.what;
  }
}

TEST(CsvDays, QuotesAreDoubledAndFieldsThatWouldSplitAreQuoted) {
  CsvInputs in;
  in.days.names[2] = "A,B";
  in.days.Add(kThursday, "say \"hi\"", 0);
  in.days.Add(kThursday, "1,2\t3", 1);
  in.days.Add(kThursday, "表示", 2);  // a trail byte 0x5C needs no quotes
  const struct {
    CsvOptions options;
    std::string expected;
  } cases[] = {
      {With(CsvSeparator::kComma, "000000"),
       "2026年12月10日,\"仕事,say \"\"hi\"\"\n私用,1,2\t3\nA,B,表示\"\r\n"},
      {With(CsvSeparator::kComma, "010000"),
       "2026年12月10日,仕事,\"say \"\"hi\"\"\"\r\n"
       "2026年12月10日,私用,\"1,2\t3\"\r\n"
       "2026年12月10日,\"A,B\",表示\r\n"},
      {With(CsvSeparator::kTab, "010000"),
       "2026年12月10日\t仕事\t\"say \"\"hi\"\"\"\r\n"
       "2026年12月10日\t私用\t\"1,2\t3\"\r\n"
       "2026年12月10日\tA,B\t表示\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Csv(in, kThursday, kThursday, c.options), c.expected) << FormatCsvOpt(c.options);
  }
}

// The tooltip stops listing past 255 bytes; the export keeps every entry.
TEST(CsvDays, EveryEntryOfAFullDayIsWritten) {
  CsvInputs in;
  std::string expected = "2026年12月10日";
  for (int e = 0; e < kEntriesPerDay; ++e) {
    char text[kEntryTextSize];
    std::snprintf(text, sizeof text, "予定%d %s", e + 1, std::string(30, 'x').c_str());
    in.days.Add(kThursday, text, 0);
    expected += std::string(e == 0 ? ",\"" : "\n") + "仕事," + text;
  }
  expected += "\"\r\n";
  EXPECT_EQ(Csv(in, kThursday, kThursday, With(CsvSeparator::kComma, "000000")), expected);
}

// Entries running on over later days show on each of them, and a walk
// over many days gives what each day gives alone.
TEST(CsvDays, RunningEntriesOnEveryDayTheyReach) {
  CsvInputs in;
  in.days.Add(kThursday, "出張", 0).span = 2;
  in.days.Add(kThursday + 1, "会議", 1);
  in.days.Add(kThursday - 150, "長期", 1).span = 160;
  const CsvOptions perLine = With(CsvSeparator::kComma, "110000");
  EXPECT_EQ(Csv(in, kThursday, kThursday + 3, perLine),
            "2026年12月10日,仕事,▽出張\r\n"
            "2026年12月11日,仕事,◇出張\r\n2026年12月11日,私用,会議\r\n"
            "2026年12月12日,仕事,△出張\r\n");
  std::string dayByDay;
  for (SerialDay day = kThursday - 200; day <= kThursday + 20; ++day) {
    dayByDay += Csv(in, day, day, perLine);
  }
  EXPECT_EQ(Csv(in, kThursday - 200, kThursday + 20, perLine), dayByDay);
}

TEST(CsvDays, SecretEntriesOnlyInReadableFormAndLeftOutWhileLocked) {
  class NoPrompts final : public SecretPrompts {
   public:
    void Tell(const char*) noexcept override { ADD_FAILURE() << "asked while unlocked"; }
    bool AskYesNo(const char*) noexcept override { return false; }
    void AskForPassword() noexcept override {}
  } prompts;
  SecretTexts secrets;
  secrets.Cipher().DeriveKey("pw");
  secrets.SetLockState(kUnlocked);
  CsvInputs in;
  in.days.secrets = &secrets;
  in.days.Add(kThursday, "見える", 0);
  ScheduleEntry& secret = in.days.Add(kThursday, "&ひみつ", 1);
  secrets.EncipherText(secret.text, prompts);
  ASSERT_TRUE(secrets.IsSecretForm(secret.text));

  const CsvOptions perLine = With(CsvSeparator::kComma, "010000");
  EXPECT_EQ(Csv(in, kThursday, kThursday, perLine),
            "2026年12月10日,仕事,見える\r\n2026年12月10日,私用,ひみつ\r\n");
  secrets.SetLockState(kLocked);
  EXPECT_EQ(Csv(in, kThursday, kThursday, perLine), "2026年12月10日,仕事,見える\r\n");
  // A day whose only entry is locked has nothing to write.
  in.days.Add(kThursday + 1, "&ないしょ", 0);
  secrets.SetLockState(kUnlocked);
  secrets.Cipher().DeriveKey("pw");
  secrets.EncipherText(in.days.records[kThursday + 1].entries[0].text, prompts);
  secrets.SetLockState(kLocked);
  EXPECT_EQ(Csv(in, kThursday + 1, kThursday + 1, With(CsvSeparator::kComma, "100000")), "");
}

TEST(CsvOpt, ReadClampedAndWrittenAsSevenCharacters) {
  const struct {
    const char* stored;
    const char* read;  // as written back
  } cases[] = {
      {"000000000", "0000000"}, {"2101000", "2101000"}, {"1111111", "1111111"},
      {"9111111", "2111111"},   {"x111111", "0111111"}, {"", "0000000"},
      {"1", "1000000"},         {"20", "2000000"},      {"0202020", "0000000"},
      {"01111111111", "0111111"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatCsvOpt(ParseCsvOpt(c.stored)), c.read) << c.stored;
  const CsvOptions o = ParseCsvOpt("2101000");
  EXPECT_EQ(o.separator, CsvSeparator::kLineBreak);
  EXPECT_TRUE(o.onlyDaysWithEntries && o.weekday);
  EXPECT_FALSE(o.oneEntryPerLine || o.holiday || o.rokuyo || o.solarTerm);
}

TEST(CsvOpt, KeptInTheDefaultSection) {
  SettingsStore store;
  auto backend = std::make_unique<MemorySettingsBackend>();
  MemorySettingsBackend* memory = backend.get();
  store.Attach(std::move(backend), "Profile");
  EXPECT_EQ(FormatCsvOpt(LoadCsvOptions(store)), "0000000");
  memory->Write(kDefaultSection, kCsvOptKey, "1010101");
  memory->Write("Profile", kCsvOptKey, "2111111");
  EXPECT_EQ(FormatCsvOpt(LoadCsvOptions(store)), "1010101");
  SaveCsvOptions(store, ParseCsvOpt("2001100"));
  char text[16];
  memory->Read(kDefaultSection, kCsvOptKey, "", text, sizeof text);
  EXPECT_STREQ(text, "2001100");
}

class CsvFile : public ::testing::Test {
 protected:
  CsvFile() {
    in_.days.Add(kThursday, "会議", 0);
    WriteBytes(path_, old_);
  }
  CsvWriteResult Write(DataFiles& files, SerialDay first = kThursday, SerialDay last = kThursday) {
    return WriteCsvFile(files, path_, first, last, With(CsvSeparator::kComma, "000000"), in_.Inputs());
  }
  void ExpectOldFileOnly() {
    EXPECT_EQ(ReadBytes(path_), old_);
    EXPECT_FALSE(dir_.Has("out.csv.new"));
  }

  ScratchDir dir_{"CsvFile"};
  std::string path_ = dir_.File("out.csv");
  Bytes old_ = {'o', 'l', 'd'};
  CsvInputs in_;
};

TEST_F(CsvFile, ReplacesTheOldFileWhole) {
  EXPECT_EQ(Write(SystemDataFiles()), CsvWriteResult::kWritten);
  const std::string text = "2026年12月10日,\"仕事,会議\"\r\n";
  EXPECT_EQ(ReadBytes(path_), Bytes(text.begin(), text.end()));
  EXPECT_FALSE(dir_.Has("out.csv.new"));
  EXPECT_FALSE(dir_.Has("out.csv.bak"));
}

TEST_F(CsvFile, AFailedWriteOrReplaceLeavesTheOldFile) {
  LoggingFiles failingWrites(SystemDataFiles());
  failingWrites.failAfterWrites = 0;
  EXPECT_EQ(Write(failingWrites), CsvWriteResult::kFailed);
  ExpectOldFileOnly();

  LoggingFiles heldFile(SystemDataFiles());
  heldFile.held = "out.csv";
  EXPECT_EQ(Write(heldFile), CsvWriteResult::kFailed);
  ExpectOldFileOnly();

  EXPECT_EQ(WriteCsvFile(SystemDataFiles(), dir_.File("none/out.csv"), kThursday, kThursday,
                         CsvOptions{}, in_.Inputs()),
            CsvWriteResult::kFailed);
}

TEST_F(CsvFile, AReversedRangeTouchesNothing) {
  LoggingFiles files(SystemDataFiles());
  EXPECT_EQ(Write(files, kThursday, kThursday - 1), CsvWriteResult::kNothingToWrite);
  EXPECT_TRUE(files.log.empty());
  ExpectOldFileOnly();
}

}  // namespace
}  // namespace hiyomi
