// The day header and the day's entry list, from a small in-memory day data
// source: order of the sources, marks, labels, filters and the byte limit.
#include "shell/day_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace hiyomi {

namespace {


SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

const SerialDay kThursday = Day(2026, 12, 10);
constexpr int kWeeklyThursday = 1000040;
constexpr unsigned kEverything = 0xFFFFFFFFu;

// Texts starting with '&' stand for enciphered texts while the data is locked.
class MemoryDays final : public DayDataSource {
 public:
  bool DayRecordOf(SerialDay day, DayRecord& out) override {
    const auto found = records.find(day);
    if (found == records.end()) return false;
    out = found->second;
    return true;
  }
  bool MakeReadable(char (&text)[kEntryTextSize]) override { return text[0] != '&'; }
  const char* CategoryNameOf(int category) override {
    return category >= 0 && category < 10 ? names[category] : "";
  }
  int32_t CategoryTextColorOf(int) override { return -1; }
  int32_t CategoryBackColorOf(int) override { return -1; }
  std::span<const ScheduleEntry> UndatedEntries() override { return undated; }
  std::span<const ToDoItem> ToDoItems() override { return toDos; }
  std::span<const TemporaryItem> TemporaryItems() override { return {}; }

  // Adds an entry into the day's next free slot.
  void Add(SerialDay day, const char* text, int category = 0, int span = 0, int order = 1) {
    auto [it, fresh] = records.try_emplace(day, FreshDayRecord(day));
    for (ScheduleEntry& entry : it->second.entries) {
      if (entry.order != 0) continue;
      entry.order = static_cast<int8_t>(order);
      entry.category = static_cast<uint8_t>(category);
      std::strncpy(entry.text, text, sizeof entry.text - 1);
      entry.span = span;
      return;
    }
    ADD_FAILURE() << "day " << day << " is full";
  }

  std::map<SerialDay, DayRecord> records;
  std::vector<ScheduleEntry> undated;
  std::vector<ToDoItem> toDos;
  const char* names[10] = {"仕事", "私用", "", "", "", "", "", "", "", ""};
};

ScheduleEntry Undated(const char* text, int offset, int category = 1) {
  ScheduleEntry entry = NewUndatedEntry();
  std::strncpy(entry.text, text, sizeof entry.text - 1);
  entry.category = static_cast<uint8_t>(category);
  entry.span = offset;
  return entry;
}

class DayTexts : public ::testing::Test {
 protected:
  DayTexts() : options_(new Options{}) {}
  ~DayTexts() override { delete options_; }

  DayItemInputs Inputs() {
    return DayItemInputs{data_, *options_, days_, today_, flags_};
  }
  std::string Entries(SerialDay day, const char* separator) {
    std::string text;
    DayEntriesText(day, separator, Inputs(), text);
    return text;
  }
  void AddRegular(int slot, int word, const char* name) {
    days_.sDay[slot] = word;
    std::strcpy(options_->SDayName[slot], name);
  }

  MemoryDays data_;
  Options* options_;  // large: kept off the stack
  DaySettings days_;
  std::vector<ScheduleEntry>& undated_ = data_.undated;
  std::vector<ToDoItem>& toDos_ = data_.toDos;
  SerialDay today_ = Day(2026, 12, 1);
  unsigned flags_ = kEverything;
};

TEST(DayHeader, DateEtoHolidayTermLunarDateAndMoonAge) {
  const struct {
    SerialDay day;
    const char* expected;
  } cases[] = {
      // Neither holiday nor solar term: exactly two lines.
      {Day(2026, 12, 10), "【12月10日(木)】  赤口 戊午\n旧暦:霜月/11月2日  月齢:1.1"},
      {Day(2023, 1, 1), "【1月1日(日)】  先負 己未\n元日\n旧暦:師走/12月10日  月齢:8.7"},
      {Day(2023, 2, 4), "【2月4日(土)】  友引 癸巳\n立春\n旧暦:睦月/1月14日  月齢:13.3"},
      {Day(2023, 3, 21), "【3月21日(火)】  先勝 戊寅\n春分の日  春分\n旧暦:如月/2月30日  月齢:28.8"},
      // The leap second month of 2023 begins the next day.
      {Day(2023, 3, 22), "【3月22日(水)】  友引 己卯\n旧暦:閏如月/2月1日  月齢:0.4"},
  };
  for (const auto& c : cases) {
    std::string text = "x";
    DayHeaderText(c.day, text);
    EXPECT_EQ(text, std::string("x") + c.expected) << c.day;
  }
}

TEST_F(DayTexts, SourcesComeInOrderWithTheirMarksAndLabels) {
  data_.Add(kThursday - 3, "出張", 0, 5);        // runs on after the day
  data_.Add(kThursday - 1, "研修", 1, 1);        // ends on the day
  data_.Add(kThursday - 1, "終わった", 0, 0);    // one day only, before
  data_.Add(kThursday, "会議", 0);
  data_.Add(kThursday, "旅行", 1, 2);            // first of three days
  data_.Add(kThursday, "秘密", 5);               // unnamed category
  AddRegular(2, kWeeklyThursday, "ゴミ出し");
  toDos_ = {{kThursday - 2, 4, 1, "報告書"},
            {kThursday, 0, -1, "電話"},
            {kThursday, 3, 0, "準備"}};
  undated_ = {Undated("いつか", kThursday - today_ + 1), Undated("別の日", 3)};

  EXPECT_EQ(Entries(kThursday, nullptr),
            "◇出張\n△研修\n◇報告書\n会議\n▽旅行\n秘密\nゴミ出し\n電話\n▽準備\nいつか\n");
  EXPECT_EQ(Entries(kThursday, ","),
            "仕事,◇出張\n私用,△研修\n私用(ToDo),◇報告書\n"
            "仕事,会議\n私用,▽旅行\n,秘密\n"
            "定期,ゴミ出し\n"
            "ToDo,電話\n仕事(ToDo),▽準備\n"
            "私用(期日未定),いつか\n");
}

TEST_F(DayTexts, HiddenLockedAndSwitchedOffItemsAreLeftOut) {
  data_.Add(kThursday, "非表示", 0, 0, -1);
  data_.Add(kThursday, "&鍵付き", 0);
  data_.Add(kThursday, "私用の件", 1);
  data_.Add(kThursday, "分類なし", kNoCategory);
  data_.Add(kThursday - 2, "&鍵付きの旅", 0, 4);
  AddRegular(0, kWeeklyThursday, "定例");
  toDos_ = {{kThursday, 0, 1, "私用のToDo"}};
  undated_ = {Undated("&鍵付き未定", kThursday - today_ + 1, 0)};
  const unsigned categoryOne = 1u << 5;
  options_->NotrikTypeD = 1;

  const struct {
    unsigned flags;
    const char* expected;
  } cases[] = {
      {kEverything, "私用の件\n分類なし\n定例\n私用のToDo\n"},
      {categoryOne, "私用の件\n分類なし\n"},
      // Without any category bit no stored entry shows, not even one
      // without a category.
      {0x3u, "定例\n"},
      {0x2u | (1u << 4), "分類なし\n"},
  };
  for (const auto& c : cases) {
    flags_ = c.flags;
    EXPECT_EQ(Entries(kThursday, nullptr), c.expected) << std::hex << c.flags;
  }
  options_->NotrikTypeD = 0;
  flags_ = 0x2u | (1u << 4);
  EXPECT_EQ(Entries(kThursday, nullptr), "分類なし\n私用のToDo\n");
}

TEST_F(DayTexts, RunningEntriesReachBackOneHundredDays) {
  data_.Add(kThursday - 100, "百日前から", 0, 100);
  data_.Add(kThursday - 101, "百一日前から", 0, 300);
  data_.Add(kThursday - 30, "終わった旅", 0, 29);
  EXPECT_EQ(Entries(kThursday, nullptr), "△百日前から\n");
}

TEST_F(DayTexts, UndatedEntriesShowOnTheirOffsetFromToday) {
  today_ = kThursday;
  const struct {
    SerialDay day;
    int offset;
    bool shown;
  } cases[] = {
      {kThursday, 1, true},       {kThursday + 998, 999, true}, {kThursday + 999, 1000, false},
      {kThursday - 1, 0, false},  {kThursday + 1, 1, false},    {kThursday, 0, false},
  };
  for (const auto& c : cases) {
    undated_ = {Undated("未定", c.offset)};
    EXPECT_EQ(Entries(c.day, nullptr), c.shown ? "未定\n" : "") << c.day << " " << c.offset;
  }
}

TEST_F(DayTexts, TheListStopsOnceItPassesTheLimit) {
  const std::string forty(40, 'a');
  AddRegular(0, kWeeklyThursday, "定例");
  // Eight lines of 41 bytes: the seventh crosses 255 and is still whole.
  for (int i = 0; i < 8; ++i) data_.Add(kThursday, (forty.substr(0, 39) + char('0' + i)).c_str());
  const std::string text = Entries(kThursday, nullptr);
  EXPECT_EQ(text.size(), 7u * 41u);
  EXPECT_NE(text.find("aaa6\n"), std::string::npos);
  EXPECT_EQ(text.find("aaa7"), std::string::npos);
  EXPECT_EQ(text.find("定例"), std::string::npos);

  // Six lines of 41 and a last one of 8 or 9 bytes: at exactly 255 bytes no
  // further step starts; one byte less lets the regular schedule in.
  const struct {
    int lastLength;
    bool regularListed;
  } cases[] = {{7, true}, {8, false}};
  for (const auto& c : cases) {
    data_.records.clear();
    for (int i = 0; i < 6; ++i) data_.Add(kThursday, forty.c_str());
    data_.Add(kThursday, std::string(c.lastLength, 'b').c_str());
    const std::string listed = Entries(kThursday, nullptr);
    EXPECT_EQ(listed.find("定例") != std::string::npos, c.regularListed) << c.lastLength;
  }
}

TEST_F(DayTexts, TooltipJoinsHeaderAndEntriesByItsType) {
  data_.Add(kThursday, "会議", 0);
  std::string header;
  DayHeaderText(kThursday, header);
  const struct {
    int ttType;
    bool withEntry;
    std::string expected;
  } cases[] = {
      {0x10, true, header},
      {0x01, true, "会議"},
      {0x11, true, header + "\n\n会議"},
      {0x11, false, header},
      {0x01, false, ""},
      {0x00, true, ""},
  };
  for (const auto& c : cases) {
    flags_ = c.withEntry ? kEverything : 0;
    EXPECT_EQ(DayTooltipText(kThursday, c.ttType, Inputs()), c.expected) << c.ttType;
  }
}

}  // namespace

}  // namespace hiyomi
