// hiyomi-export's view of a data folder: the ini text as the ini functions
// read it, the year files named by `file`, and the folders and files it
// refuses with a reason.
#include "tools/export/data_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/settings_store.h"
#include "tests/schedule/schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string Read(SettingsStore& store, const char* key, const char* section) {
  char text[64];
  store.ReadString(key, "(none)", text, sizeof text, section);
  return text;
}

TEST(IniFile, SectionsKeysAndValuesAsTheIniFunctionsReadThem) {
  ScratchDir dir("ini-file");
  WriteBytes(dir.File("Hiyomi.ini"),
             TextBytes("Orphan=1\r\n[Default]\r\nSection = 仕事用\r\n  IcsOpt=1001  \r\n; Note=x\r\n"
                       "no equals sign\r\n[ 仕事用 ]\nType1=会議,0x0000FF\nEmpty=\n"));
  SettingsStore store;
  ASSERT_TRUE(LoadIniFile(SystemDataFiles(), dir.File("Hiyomi.ini"), store));
  EXPECT_STREQ(store.CurrentSection(), "仕事用");
  EXPECT_EQ(Read(store, "IcsOpt", kDefaultSection), "1001");
  EXPECT_EQ(Read(store, "icsopt", "default"), "1001");  // names regardless of case
  EXPECT_EQ(Read(store, "Type1", nullptr), "会議,0x0000FF");
  char raw[8] = "x";
  store.ReadRaw("仕事用", "Empty", "(none)", raw, sizeof raw);
  EXPECT_STREQ(raw, "");  // there, and empty
  EXPECT_EQ(Read(store, "; Note", kDefaultSection), "(none)");
  EXPECT_EQ(Read(store, "Orphan", kDefaultSection), "(none)");

  // No ini file: every value its default, Default the current section.
  SettingsStore none;
  ASSERT_TRUE(LoadIniFile(SystemDataFiles(), dir.File("missing.ini"), none));
  EXPECT_STREQ(none.CurrentSection(), kDefaultSection);
  EXPECT_EQ(Read(none, "IcsOpt", kDefaultSection), "(none)");
}

TEST(DataFolder, ReadsTheYearFilesTheIniNames) {
  ScratchDir dir("data-folder");
  const SerialDay day = SerialFromDate(2026, 12, 10);
  WriteBytes(dir.File("Hiyomi.ini"), TextBytes("[Default]\r\nfile=Mine\r\nType1=会議\r\nIcsOpt=0001\r\n"));
  WriteBytes(dir.File("Mine_2026.dat"),
             YearFileBytes({DayFields{day - SerialOfNewYear(2026), day, {{.text = "打ち合わせ"}}}}));
  DataFolder folder(SystemDataFiles(), dir.File(""));
  std::string problem;
  ASSERT_TRUE(folder.Open(day, day, problem)) << problem;
  DayRecord record;
  ASSERT_TRUE(folder.DayRecordOf(day, record));
  EXPECT_STREQ(record.entries[0].text, "打ち合わせ");
  EXPECT_STREQ(folder.CategoryNameOf(0), "会議");
  EXPECT_TRUE(folder.IcsChoices().holidays);
  EXPECT_FALSE(folder.IcsChoices().regular);
}

TEST(DataFolder, ADamagedYearFileInTheRangeIsRefusedWithItsName) {
  ScratchDir dir("data-folder-damaged");
  WriteBytes(dir.File("Hiyomi_2027.dat"), Bytes(100, 0));  // shorter than a header
  Bytes wrongCount = YearFileBytes({});
  wrongCount[0] = 0xFF;  // a count of 0x7FFF records
  wrongCount[1] = 0x7F;
  WriteBytes(dir.File("Hiyomi_2028.dat"), wrongCount);
  const struct {
    int year;
    const char* says;
  } cases[] = {{2026, nullptr}, {2027, "cannot read "}, {2028, "damaged year file "}};
  for (const auto& c : cases) {
    DataFolder folder(SystemDataFiles(), dir.File(""));
    std::string problem;
    const SerialDay newYear = SerialOfNewYear(c.year);
    EXPECT_EQ(folder.Open(newYear, newYear + 30, problem), c.says == nullptr) << c.year;
    if (c.says == nullptr) continue;
    EXPECT_EQ(problem.rfind(c.says, 0), 0u) << problem;
    EXPECT_NE(problem.find("Hiyomi_" + std::to_string(c.year) + ".dat"), std::string::npos) << problem;
  }
}

}  // namespace
}  // namespace hiyomi
