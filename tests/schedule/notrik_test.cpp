// The Notrik link: the next due day of repeating items, the records read
// from the data file, the categories, and where the files are.
#include "schedule/notrik.h"

#include <gtest/gtest.h>

#include <map>

#include "notrik_records.h"

namespace hiyomi {
namespace {

using testing::AppendNotrikRecord;
using testing::NotrikRecordFields;

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

TEST(NextRepeatDay, Rules) {
  struct Case {
    const char* what;
    int32_t word;
    SerialDay from;
    SerialDay next;
  };
  const Case cases[] = {
      {"weekly Thursday", 1000040, Day(2026, 12, 10), Day(2026, 12, 17)},
      {"weekly Sunday", 1000070, Day(2026, 12, 10), Day(2026, 12, 13)},
      {"monthly 31st skips February", 2003500, Day(2026, 1, 31), Day(2026, 3, 31)},
      {"monthly 31st skips April", 2003500, Day(2026, 4, 1), Day(2026, 5, 31)},
      {"monthly last day", 2003600, Day(2026, 2, 1), Day(2026, 2, 28)},
      {"monthly second Tuesday", 2000220, Day(2026, 12, 1), Day(2026, 12, 8)},
      {"monthly second Tuesday, reached", 2000220, Day(2026, 12, 8), Day(2027, 1, 12)},
      {"yearly 29 February waits", 3023300, Day(2025, 3, 1), Day(2028, 2, 29)},
      {"yearly 3 November", 3110700, Day(2026, 11, 3), Day(2027, 11, 3)},
      {"1st, back off a Sunday", 2000501, Day(2026, 10, 15), Day(2026, 10, 30)},
      {"1st, back, already passed", 2000501, Day(2026, 10, 30), Day(2026, 12, 1)},
      {"1st, forward off a Sunday", 2000502, Day(2026, 11, 1), Day(2026, 11, 2)},
      {"3rd, forward off a holiday", 2000702, Day(2026, 10, 20), Day(2026, 11, 4)},
      {"no weekday for weekly", 1000000, Day(2026, 12, 10), kNoDay},
      {"no month for yearly", 3000500, Day(2026, 12, 10), kNoDay},
      {"month 13", 3130500, Day(2026, 12, 10), kNoDay},
      {"day code 37", 2003700, Day(2026, 12, 10), kNoDay},
      {"kind 4", 4000500, Day(2026, 12, 10), kNoDay},
      {"from the last day", 1000040, kLastSerial, kNoDay},
  };
  for (const Case& c : cases) {
    const int32_t rules[kNotrikRuleWords] = {c.word, 0, 0, 0, 0};
    EXPECT_EQ(NextRepeatDay(c.from, rules, c.from), c.next) << c.what;
  }
}

TEST(NextRepeatDay, TheSmallestOfAllRulesAndTheInterval) {
  const SerialDay thursday = Day(2026, 12, 10);
  const int32_t start = Day(2026, 12, 3);
  const int32_t every7 = 7 * 100000 + start;
  struct Case {
    int32_t rules[kNotrikRuleWords];
    SerialDay from;
    SerialDay next;
  };
  const Case cases[] = {
      {{1000050, 1000020, 0, 0, 0}, thursday, Day(2026, 12, 11)},    // Friday before Tuesday
      {{0, 0, 0, 0, every7}, thursday, Day(2026, 12, 17)},           // on F itself is not after it
      {{0, 0, 0, 0, every7}, thursday - 1, thursday},
      {{0, 0, 0, 0, 7 * 100000 + thursday + 30}, thursday, thursday + 30},  // starts later
      {{1000020, 0, 0, 0, every7}, thursday - 1, thursday},          // the interval wins
      {{0, 0, 0, 0, 100000}, thursday, kNoDay},                      // not above 100000
      {{-1000040, 99999999, 123, 7, 99}, thursday, kNoDay},          // all garbage
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextRepeatDay(c.from, c.rules, thursday), c.next) << c.rules[0] << " " << c.rules[4];
  }
  // F of 0 counts from the reference day.
  const int32_t interval[kNotrikRuleWords] = {0, 0, 0, 0, every7};
  EXPECT_EQ(NextRepeatDay(0, interval, thursday), Day(2026, 12, 17));
}

std::vector<DueItem> Parsed(const std::vector<uint8_t>& file, SerialDay reference) {
  std::vector<DueItem> items;
  EXPECT_TRUE(ParseDueItems(file, reference, items));
  return items;
}

TEST(NotrikRecords, KindsAndTheirDueDays) {
  const SerialDay today = Day(2026, 12, 10);
  std::vector<uint8_t> file;
  AppendNotrikRecord(file, {.class1 = 3, .class2 = 5, .text = "電話", .kind = 1, .due = today + 2});
  AppendNotrikRecord(file, {.used = 0, .text = "deleted", .kind = 1, .due = today});
  AppendNotrikRecord(file, {.text = "kind 0", .kind = 0, .due = today});
  AppendNotrikRecord(file, {.text = "kind 6", .kind = 6, .due = today});
  AppendNotrikRecord(file, {.text = "future repeat", .kind = 3, .due = today + 5, .rules = {1000040}});
  // Passed: its next due day after yesterday, which is today, a Thursday.
  AppendNotrikRecord(file, {.text = "passed repeat", .kind = 3, .due = today - 10, .from = today - 20,
                            .rules = {1000040}});
  AppendNotrikRecord(file, {.text = "period", .kind = 4, .due = 99, .from = today + 1, .days = 3});
  AppendNotrikRecord(file, {.text = "kind 5", .kind = 5, .due = today + 4, .days = 9});
  AppendNotrikRecord(file, {.text = "garbage rules", .kind = 3, .due = today - 1,
                            .rules = {-7, 99999999, 12, 0, 3}});
  const auto items = Parsed(file, today);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_STREQ(items[0].text, "電話");
  EXPECT_EQ(items[0].due, today + 2);
  EXPECT_EQ(items[0].classification[0], 3);
  EXPECT_EQ(items[0].classification[1], 5);
  EXPECT_EQ(items[0].days, 0);
  EXPECT_EQ(items[1].due, today + 5);
  EXPECT_EQ(items[2].due, today);
  EXPECT_EQ(items[3].due, today + 1);
  EXPECT_EQ(items[3].days, 3);
  EXPECT_EQ(items[4].due, today + 4);
  EXPECT_EQ(items[4].days, 0);
  EXPECT_EQ(items[5].due, kNoDay);
}

TEST(NotrikRecords, WholeRecordsOnlyAndAThousandAtMost) {
  std::vector<DueItem> items(1);
  items[0].due = 77;
  std::vector<uint8_t> file(kNotrikRecordSize - 1, 1);
  EXPECT_FALSE(ParseDueItems(file, 1, items));
  ASSERT_EQ(items.size(), 1u);  // what was there stays
  EXPECT_EQ(items[0].due, 77);

  file.clear();
  for (int i = 0; i < kMaxNotrikRecords + 5; ++i) AppendNotrikRecord(file, {.kind = 1, .due = i + 1});
  file.resize(file.size() + 100, 0xFF);
  const auto all = Parsed(file, 1);
  ASSERT_EQ(all.size(), static_cast<size_t>(kMaxNotrikRecords));
  EXPECT_EQ(all.back().due, kMaxNotrikRecords);
}

TEST(NotrikRecords, TextAndNumbersFromGarbage) {
  std::vector<uint8_t> file(kNotrikRecordSize, 0xFF);
  file[notrik_field::kUsed] = 1;
  file[notrik_field::kKind] = 4;
  file[notrik_field::kText + 4] = 0x82;  // text ending in a lone lead byte
  file[notrik_field::kText + 5] = 0;
  const auto items = Parsed(file, 1);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(std::strlen(items[0].text), 4u);
  // -1 days and due day -1: kept inside bounds that no sum overflows.
  EXPECT_EQ(items[0].days, 0);
  EXPECT_EQ(items[0].due, -1);
}

TEST(NotrikRecords, Categories) {
  DueItem item{};
  item.classification[0] = 3;
  item.classification[1] = 0;
  EXPECT_EQ(ToDoCategory(item, 0), 2);
  EXPECT_EQ(ToDoCategory(item, 1), 0);  // 0 or less gives category 0
  EXPECT_EQ(ToDoCategory(item, 2), -1);
  item.classification[0] = 11;
  EXPECT_EQ(ToDoCategory(item, 0), -1);  // no such category
}

TEST(NotrikFiles, IniAndDataFileNames) {
  EXPECT_EQ(NotrikIniPath("C:\\Tools\\Notrik.exe"), "C:\\Tools\\Notrik.ini");
  struct Case {
    const char* file;
    const char* path;
  };
  const Case cases[] = {
      {"", "C:\\Tools\\Notrik.dat"},
      {"Notrik", "C:\\Tools\\Notrik.dat"},
      {"data\\todo", "C:\\Tools\\data\\todo.dat"},
      {"D:\\keep\\todo", "D:\\keep\\todo.dat"},
      {"\\share\\todo", "\\share\\todo.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(NotrikDataPath("C:\\Tools\\Notrik.exe", c.file), c.path) << c.file;
}

// Files in memory whose reads and times the test controls.
class CountingFiles final : public DataFiles {
 public:
  std::map<std::string, std::vector<uint8_t>> files;
  int64_t time = 1;
  int reads = 0;
  ReadOutcome Read(const std::string& p, size_t limit, std::vector<uint8_t>& out) noexcept override {
    ++reads;
    out.clear();
    auto it = files.find(p);
    if (it == files.end()) return ReadOutcome::kNotOpened;
    out.assign(it->second.begin(), it->second.begin() + std::min(limit, it->second.size()));
    return ReadOutcome::kRead;
  }
  std::unique_ptr<DataWriter> CreateWriteThrough(const std::string&) noexcept override { return nullptr; }
  bool Copy(const std::string&, const std::string&) noexcept override { return false; }
  bool MoveReplace(const std::string&, const std::string&) noexcept override { return false; }
  bool Remove(const std::string&) noexcept override { return false; }
  bool Exists(const std::string& p) noexcept override { return files.count(p) > 0; }
  bool LastWriteTime(const std::string& p, int64_t& t) noexcept override {
    t = time;
    return files.count(p) > 0;
  }
  std::string FullPath(const std::string& n) noexcept override { return n; }
};

TEST(DueList, ReadsAgainOnlyWhenTheFileOrTheDayChanged) {
  CountingFiles files;
  DueList list;
  const SerialDay today = Day(2026, 12, 10);
  EXPECT_FALSE(list.Load(files, "todo.dat", today));  // no file: empty
  EXPECT_TRUE(list.Items().empty());

  std::vector<uint8_t> file;
  AppendNotrikRecord(file, {.class1 = 2, .text = "later", .kind = 1, .due = today + 3});
  AppendNotrikRecord(file, {.class1 = 1, .text = "sooner", .kind = 1, .due = today + 1});
  files.files["todo.dat"] = file;
  files.time = 2;
  list.Classify(0);
  ASSERT_TRUE(list.Load(files, "todo.dat", today));
  ASSERT_EQ(list.Items().size(), 2u);
  EXPECT_STREQ(list.Items()[0].text, "sooner");  // sorted by due day
  EXPECT_EQ(list.Items()[0].category, 0);
  EXPECT_EQ(list.Items()[1].category, 1);

  const int reads = files.reads;
  EXPECT_FALSE(list.Load(files, "todo.dat", today));
  EXPECT_EQ(files.reads, reads);
  EXPECT_TRUE(list.Load(files, "todo.dat", today + 1));

  // Cut short by a writer: the list stays as it was.
  files.files["todo.dat"].resize(100);
  files.time = 3;
  EXPECT_FALSE(list.Load(files, "todo.dat", today + 1));
  EXPECT_EQ(list.Items().size(), 2u);

  list.Classify(2);
  EXPECT_EQ(list.Items()[0].category, -1);
}

}  // namespace
}  // namespace hiyomi
