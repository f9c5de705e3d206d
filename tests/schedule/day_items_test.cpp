// What a day shows, in the grid's order, from a small in-memory day data
// source: the order of the sources, colours taken from the category, the
// switches and the filter, and the entries that run on from earlier days.
#include "schedule/day_items.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "almanac/regular_schedules.h"

namespace hiyomi {
namespace {

const SerialDay kThursday = SerialFromDate(2026, 12, 10);
constexpr int kWeeklyThursday = 1000040;

// Texts starting with '&' stand for enciphered texts while the data is locked.
class MemoryDays final : public DayDataSource {
 public:
  bool DayRecordOf(SerialDay day, DayRecord& out) override {
    const auto found = records.find(day);
    if (found == records.end()) return false;
    out = found->second;
    return true;
  }
  std::span<const ScheduleEntry> UndatedEntries() override { return undated; }
  const char* CategoryNameOf(int) override { return ""; }
  int32_t CategoryTextColorOf(int category) override { return category == 1 ? 0x0000AA : -1; }
  int32_t CategoryBackColorOf(int category) override { return category == 1 ? 0x00AAFF : -1; }
  bool MakeReadable(char (&text)[kEntryTextSize]) override { return text[0] != '&'; }
  std::span<const ToDoItem> ToDoItems() override { return toDos; }
  std::span<const TemporaryItem> TemporaryItems() override { return temporary; }

  ScheduleEntry& Add(SerialDay day, const char* text, int category = 0, int span = 0) {
    auto [it, fresh] = records.try_emplace(day, FreshDayRecord(day));
    for (ScheduleEntry& entry : it->second.entries) {
      if (entry.order != 0) continue;
      entry.order = 1;
      entry.category = static_cast<uint8_t>(category);
      std::strncpy(entry.text, text, sizeof entry.text - 1);
      entry.span = span;
      return entry;
    }
    ADD_FAILURE() << "day " << day << " is full";
    return it->second.entries[0];
  }

  std::map<SerialDay, DayRecord> records;
  std::vector<ScheduleEntry> undated;
  std::vector<ToDoItem> toDos;
  std::vector<TemporaryItem> temporary;
};

class DayItems : public ::testing::Test {
 protected:
  DayItems() : options_(new Options{}) {}
  ~DayItems() override { delete options_; }

  std::vector<DayItem> Items(SerialDay day) {
    const DayItemInputs inputs{data_, *options_, days_, today_, flags_};
    std::vector<DayItem> items{DayItem{}};  // replaced, not appended to
    CollectDayItems(day, inputs, items);
    return items;
  }
  static std::string Texts(const std::vector<DayItem>& items) {
    std::string texts;
    for (const DayItem& item : items) texts += std::string(item.Text()) + ";";
    return texts;
  }

  MemoryDays data_;
  Options* options_;  // large: kept off the stack
  DaySettings days_;
  SerialDay today_ = kThursday;
  unsigned flags_ = kShowAll;
};

TEST_F(DayItems, SourcesComeInTheGridsOrder) {
  data_.temporary = {TemporaryItem{kThursday, "一時", 0x112233, -1},
                     TemporaryItem{kThursday + 1, "翌日", -1, -1}};
  days_.sDay[3] = kWeeklyThursday;
  std::strcpy(options_->SDayName[3], "ゴミ出し");
  data_.toDos = {{kThursday, 2, -1, "電話"}, {kThursday - 1, 3, -1, "前日から"}};
  data_.Add(kThursday, "会議");
  data_.Add(kThursday, "旅行", 0, 2);
  ScheduleEntry undated = NewUndatedEntry();
  std::strcpy(undated.text, "いつか");
  undated.span = 1;  // today
  data_.undated = {undated};

  const std::vector<DayItem> items = Items(kThursday);
  EXPECT_EQ(Texts(items), "一時;ゴミ出し;電話;会議;旅行;いつか;");
  const DayItemSource order[] = {DayItemSource::kTemporary, DayItemSource::kRegular,
                                 DayItemSource::kToDo,      DayItemSource::kEntry,
                                 DayItemSource::kEntry,     DayItemSource::kUndated};
  ASSERT_EQ(items.size(), std::size(order));
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].source, order[i]) << i;
  EXPECT_EQ(items[0].textColor, 0x112233);
  EXPECT_EQ(items[1].index, 3);
  EXPECT_EQ(items[2].span, 2);
  EXPECT_EQ(items[4].index, 1);
  EXPECT_EQ(items[4].span, 2);
}

TEST_F(DayItems, SwitchesFilterAndLockDecideWhatShows) {
  data_.temporary = {TemporaryItem{kThursday, "一時", -1, -1}};
  days_.sDay[0] = kWeeklyThursday;
  std::strcpy(options_->SDayName[0], "定例");
  data_.toDos = {{kThursday, 0, 1, "ToDo"}};
  data_.Add(kThursday, "仕事", 0);
  data_.Add(kThursday, "私用", 1);
  data_.Add(kThursday, "分類なし", kNoCategory);
  data_.Add(kThursday, "&鍵付き", 0);
  data_.Add(kThursday, "非表示", 0).order = -1;
  const unsigned categoryOne = 1u << (kFirstCategoryBit + 1);
  options_->NotrikTypeD = 1;  // to-do items follow the category filter
  const struct {
    unsigned flags;
    const char* expected;
  } cases[] = {
      {kShowAll, "一時;定例;ToDo;仕事;私用;分類なし;"},
      {kShowRegular, "定例;"},
      {kShowTemporary | kShowToDo, "一時;"},
      {kShowToDo | categoryOne, "ToDo;私用;分類なし;"},
      // With every category off even an entry without one is hidden.
      {kShowAll & ~kCategoryBits, "一時;定例;"},
  };
  for (const auto& c : cases) {
    flags_ = c.flags;
    EXPECT_EQ(Texts(Items(kThursday)), c.expected) << std::hex << c.flags;
  }
}

// The temporary list ends at an item dated before the first day; to-do
// items covering several days run on from the day they fall due.
TEST_F(DayItems, TheTemporaryListsEndAndRunningToDos) {
  data_.temporary = {TemporaryItem{kThursday, "前", -1, -1}, TemporaryItem{0, "2000年", -1, -1},
                     TemporaryItem{kThursday, "後", -1, -1}};
  EXPECT_EQ(Texts(Items(kThursday)), "前;");

  data_.toDos = {{kThursday - 3, 3, -1, "三日"}, {kThursday - 2, 1, -1, "一日"},
                 {kThursday - 1, 5, -1, "五日"}, {kThursday - 200, 300, -1, "長い"}};
  const DayItemInputs inputs{data_, *options_, days_, today_, flags_};
  std::vector<DayItem> running;
  CollectRunningToDos(inputs, kThursday - 100, kThursday - 1, kThursday, running);
  EXPECT_EQ(Texts(running), "五日;");  // "三日" ended the day before
  running.clear();
  flags_ = kShowAll & ~kShowToDo;
  CollectRunningToDos(DayItemInputs{data_, *options_, days_, today_, flags_}, kThursday - 100,
                      kThursday - 1, kThursday, running);
  EXPECT_TRUE(running.empty());
}

TEST_F(DayItems, ColoursAreTheEntrysOwnElseItsCategorys) {
  data_.Add(kThursday, "分類の色", 1);
  ScheduleEntry& own = data_.Add(kThursday, "自分の色", 1);
  own.textColor = 0x010203;
  own.backColor = 0x040506;
  own.mark = '-';
  data_.Add(kThursday, "色なし", 0);
  const std::vector<DayItem> items = Items(kThursday);
  ASSERT_EQ(items.size(), 3u);
  const int32_t expected[3][2] = {{0x0000AA, 0x00AAFF}, {0x010203, 0x040506}, {-1, -1}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(items[i].textColor, expected[i][0]) << items[i].Text();
    EXPECT_EQ(items[i].backColor, expected[i][1]) << items[i].Text();
  }
  EXPECT_EQ(items[1].mark, '-');
}

TEST_F(DayItems, UndatedEntriesAreDueWithinTheHorizon) {
  const struct {
    SerialDay day;
    int offset;
    bool due;
  } cases[] = {
      {kThursday, 1, true},           {kThursday + kUndatedHorizon - 1, kUndatedHorizon, true},
      {kThursday + kUndatedHorizon, kUndatedHorizon + 1, false},
      {kThursday - 1, 0, false},      {kThursday + 1, 1, false},
  };
  for (const auto& c : cases) {
    ScheduleEntry entry = NewUndatedEntry();
    std::strcpy(entry.text, "未定");
    entry.span = c.offset;
    EXPECT_EQ(UndatedDueOn(entry, c.day, today_), c.due) << c.day - today_ << " " << c.offset;
    data_.undated = {entry};
    EXPECT_EQ(Items(c.day).size(), c.due ? 1u : 0u) << c.day - today_ << " " << c.offset;
  }
  ScheduleEntry empty = NewUndatedEntry();
  empty.span = 1;
  EXPECT_FALSE(UndatedDueOn(empty, kThursday, today_));
}

TEST_F(DayItems, RunningEntriesAreThoseThatReachTheDay) {
  data_.Add(kThursday - 3, "届く", 0, 3);
  data_.Add(kThursday - 3, "届かない", 0, 2);
  data_.Add(kThursday - 2, "一日だけ", 0, 0);
  data_.Add(kThursday - 1, "&鍵付き", 0, 5);
  data_.Add(kThursday - 1, "越える", kNoCategory, 5);
  std::vector<DayItem> running;
  CollectRunningEntries(data_, kShowAll, kThursday - kBarLookBack, kThursday - 1, kThursday,
                        running);
  EXPECT_EQ(Texts(running), "届く;越える;");
  ASSERT_EQ(running.size(), 2u);
  EXPECT_EQ(running[0].start, kThursday - 3);
  EXPECT_EQ(running[1].start + running[1].span, kThursday + 4);
  running.clear();
  CollectRunningEntries(data_, kShowAll & ~kCategoryBits, kThursday - 3, kThursday - 1, kThursday,
                        running);
  EXPECT_TRUE(running.empty());
}

}  // namespace
}  // namespace hiyomi
