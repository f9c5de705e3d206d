#include "shell/cell_colors.h"

#include <gtest/gtest.h>

#include <cstring>

namespace hiyomi {

namespace {


Options DefaultColors() {
  Options options;
  std::memset(&options, 0, sizeof options);
  SetDefaultColors(options.colors, true);
  for (int which = 0; which < 3; ++which) {
    int list[kPrioritySources];
    DefaultPriorityList(which, list);
    for (int i = 0; i < kPrioritySources; ++i) options.PtnDay[which][i] = list[i];
  }
  options.MCType = 1;
  return options;
}

DayFacts Plain(int weekday) {
  DayFacts day{};
  day.recordBack = day.recordText = -1;
  day.weekday = weekday;
  day.month = 5;
  day.inReferenceMonth = true;
  return day;
}

TEST(CellColors, TodayComesBeforeEveryOtherRule) {
  Options options = DefaultColors();
  DayFacts day = Plain(0);
  day.isToday = day.isHoliday = day.isRestDay = true;
  EXPECT_EQ(CellColor(options, CellPass::kCell, day), options.colors.back[18]);
  // Today has no text colour of its own by default: the holiday's is next.
  EXPECT_EQ(CellColor(options, CellPass::kNumber, day), options.colors.text[26]);
  options.colors.text[18] = 0x00AA00;
  EXPECT_EQ(CellColor(options, CellPass::kNumber, day), 0x00AA00);
}

TEST(CellColors, HolidayOnASundayTakesTheHolidayColour) {
  Options options = DefaultColors();
  options.colors.text[26] = 0x0000AA;  // apart from Sunday's red
  DayFacts day = Plain(0);
  day.isHoliday = true;
  EXPECT_EQ(CellColor(options, CellPass::kNumber, day), 0x0000AA);
  day.isHoliday = false;
  EXPECT_EQ(CellColor(options, CellPass::kNumber, day), options.colors.text[19]);  // Sunday
}

TEST(CellColors, ReferenceMonthFlagSkipsTheCalendarRulesOutsideIt) {
  Options options = DefaultColors();
  DayFacts day = Plain(0);
  day.inReferenceMonth = false;
  const int sunday = CellColor(options, CellPass::kNumber, day);
  options.MCType2[2] = 1;
  const int outside = CellColor(options, CellPass::kNumber, day);
  EXPECT_NE(outside, sunday);
  // The next rule of the list that has a colour: day standard, then months.
  const int standard = options.colors.text[4];
  EXPECT_EQ(outside, standard >= 0 ? standard : options.colors.text[5 + day.month]);
}

TEST(CellColors, UnsetSlotsFallThroughToTheNextRule) {
  Options options = DefaultColors();
  DayFacts day = Plain(3);
  day.hasRecord = true;
  day.recordBack = 0x123456;
  const int order[kPrioritySources] = {1, 9, 0, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13};
  for (int i = 0; i < kPrioritySources; ++i) options.PtnDay[0][i] = order[i];
  EXPECT_EQ(CellColor(options, CellPass::kCell, day), 0x123456);
  day.recordBack = -1;
  options.colors.back[22] = -1;  // Wednesday has no colour of its own
  day.regularGroups = 1u << 2;
  options.colors.back[30] = 0x00FF00;  // group 3: slot 31
  EXPECT_EQ(CellColor(options, CellPass::kCell, day), 0x00FF00);
}

}  // namespace

}  // namespace hiyomi
