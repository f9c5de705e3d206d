// Day information: rokuyō, eto, era years, rest days, business days and
// the day-information item texts.
#include <gtest/gtest.h>

#include <string>

#include "almanac/clock.h"
#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/rest_days.h"

namespace hiyomi {

namespace {

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

constexpr unsigned kEnableRule1 = 1u << 9;

TEST(Eto, DayAndYear) {
  const DayEtoIndex first = DayEto(1);  // 2001-01-01 is 甲子
  EXPECT_STREQ(StemNames[first.stem], "甲");
  EXPECT_STREQ(BranchNames[first.branch], "子");
  char eto[kEtoTextSize];
  YearEto(1984, eto);
  EXPECT_STREQ(eto, "甲子");
  YearEto(2026, eto);
  EXPECT_STREQ(eto, "丙午");
  YearEto(2001, eto);
  EXPECT_STREQ(eto, "辛巳");
}

TEST(EraYearOf, ErasAndTheRowBeforeRule) {
  struct Case {
    int year;
    int eraIn;  // -1: no era passed
    int number;
    int eraOut;
  };
  const Case cases[] = {
      {1989, 3, 64, 3}, {1989, -1, 1, 4}, {1990, 3, 2, 4},  {1912, 1, 45, 1}, {1913, 1, 2, 2},
      {1926, 2, 15, 2}, {1927, 2, 2, 3},  {1868, 0, 1, 1},  {1867, 0, 1867, 0},
      {2019, 4, 31, 4}, {2019, -1, 1, 5}, {2019, 0, 1, 5},  {2020, 4, 2, 5},  {2026, 5, 8, 5},
      {2018, 4, 30, 4}, {1989, 2, 1, 4},
  };
  for (const Case& c : cases) {
    if (c.eraIn < 0) {
      EXPECT_EQ(EraYearOf(c.year, nullptr, nullptr), c.number) << c.year;
      int era = 0;
      EXPECT_EQ(EraYearOf(c.year, &era, nullptr), c.number) << c.year;
      EXPECT_EQ(era, c.eraOut) << c.year;
    } else {
      int era = c.eraIn;
      EXPECT_EQ(EraYearOf(c.year, &era, nullptr), c.number) << c.year << " after " << c.eraIn;
      EXPECT_EQ(era, c.eraOut) << c.year << " after " << c.eraIn;
    }
  }
  char eto[kEtoTextSize];
  int era = 4;
  EXPECT_EQ(EraYearOf(2026, &era, eto), 8);
  EXPECT_STREQ(EraNames[era], "令和");
  EXPECT_STREQ(eto, "丙午");
  EXPECT_STREQ(EraNames[0], "");
  EXPECT_STREQ(EraNames[4], "平成");
}

TEST(IsRestDay, DefaultWeekdaySetting) {
  DaySettings s;  // 0x141
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 6), s));
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 7), s));
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 8), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 1, 9), s));
}

TEST(IsRestDay, SaturdayOutsideHolidayWeeks) {
  DaySettings s;
  s.weekday = 1u << 7;
  EXPECT_FALSE(IsRestDay(Day(2001, 5, 5), s));   // 5-3 and 5-4 in the week before
  EXPECT_TRUE(IsRestDay(Day(2001, 5, 12), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 5, 13), s));  // Sunday: no bit
  EXPECT_FALSE(IsRestDay(Day(2001, 1, 6), s));   // 1-1 is five days back: inside
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 27), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 1, 13), s));  // 1-8 成人の日 in the week
  EXPECT_FALSE(IsRestDay(Day(2001, 1, 9), s));
}

TEST(IsRestDay, DayOfMonthRules) {
  DaySettings s;
  s.weekday = kEnableRule1;
  s.weekdayRules[0] = 0x11002300;  // kind 1, every month, G = 35: the last day
  EXPECT_TRUE(IsRestDay(Day(2001, 2, 28), s));
  EXPECT_TRUE(IsRestDay(Day(2004, 2, 29), s));
  EXPECT_FALSE(IsRestDay(Day(2004, 2, 28), s));
  EXPECT_TRUE(IsRestDay(Day(2001, 12, 31), s));
  EXPECT_TRUE(IsRestDay(0, s));  // 2000-12-31, a day before the range
  s.weekdayRules[0] = 0x12030207;  // kind 1, only March, the second Sunday
  EXPECT_TRUE(IsRestDay(Day(2001, 3, 11), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 3, 4), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 4, 8), s));
  s.weekdayRules[0] = 0x11000F00;  // kind 1, every month, G = 15: the 11th
  EXPECT_TRUE(IsRestDay(Day(2001, 6, 11), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 6, 12), s));
  s.weekdayRules[0] = 0x12000F00;  // mode 2 with month 0: no month matches
  EXPECT_FALSE(IsRestDay(Day(2001, 6, 11), s));
  s.weekdayRules[0] = 0x11002300;
  s.weekday = 0;                   // rule not enabled
  EXPECT_FALSE(IsRestDay(Day(2001, 2, 28), s));
}

TEST(IsRestDay, DateRangeAcrossTheNewYear) {
  DaySettings s;
  s.weekday = kEnableRule1 << 2;     // 他3
  s.weekdayRules[2] = 0x2C1D0103;    // 12-29 to 01-03
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 1), s));
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 2), s));  // the range starting 2000-12-29
  EXPECT_TRUE(IsRestDay(Day(2001, 1, 3), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 1, 4), s));
  EXPECT_FALSE(IsRestDay(Day(2001, 12, 28), s));
  EXPECT_TRUE(IsRestDay(Day(2001, 12, 29), s));
  EXPECT_TRUE(IsRestDay(Day(2001, 12, 30), s));
  EXPECT_TRUE(IsRestDay(Day(2099, 12, 31), s));
  s.weekdayRules[2] = 0x2802080F;    // 8-2 to 8-15 within one year
  EXPECT_TRUE(IsRestDay(Day(2010, 8, 2), s));
  EXPECT_TRUE(IsRestDay(Day(2010, 8, 15), s));
  EXPECT_FALSE(IsRestDay(Day(2010, 8, 16), s));
  EXPECT_FALSE(IsRestDay(Day(2010, 8, 1), s));
}

LocalTime g_now{2010, 6, 16, 9, 30};  // a Wednesday
LocalTime Now() { return g_now; }

class BusinessDays : public ::testing::Test {
 protected:
  void SetUp() override { SetClockForTests(&Now); }
  void TearDown() override { SetClockForTests(nullptr); }
};

TEST_F(BusinessDays, AtTheReferenceDayAndBeyond400Days) {
  DaySettings s;
  const SerialDay today = Day(2010, 6, 16);
  int count = 99;
  char text[16] = "x";
  EXPECT_TRUE(BusinessDayDiff(today, true, s, &count, text));
  EXPECT_EQ(count, 0);
  EXPECT_STREQ(text, "0");
  EXPECT_TRUE(BusinessDayDiff(today + 400, false, s, &count, text));
  text[0] = 'x';
  text[1] = '\0';
  EXPECT_FALSE(BusinessDayDiff(today + 401, true, s, &count, text));
  EXPECT_STREQ(text, "x");
  EXPECT_FALSE(BusinessDayDiff(today - 401, false, s, &count, nullptr));
}

TEST_F(BusinessDays, ForwardBackwardAndOffTargets) {
  DaySettings s;  // today is Wednesday 2010-06-16
  int count = 0;
  char text[16];
  // Wed, Thu, Fri count; Sat and Sun do not: to Monday 6-21 is 3.
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 21), true, s, &count, text));
  EXPECT_EQ(count, 3);
  EXPECT_STREQ(text, "3");
  // A target that is off is shown in brackets.
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 19), true, s, &count, text));
  EXPECT_EQ(count, 3);
  EXPECT_STREQ(text, "(3)");
  // Backwards: 6-16, 6-15, 6-14 counted down to 6-11 excluded... 6-11 is Fri.
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 11), false, s, &count, text));
  EXPECT_EQ(count, -3);
  EXPECT_STREQ(text, "-3");
}

TEST_F(BusinessDays, ReferenceDayOffMovesForwardWhenLookingBack) {
  DaySettings s;
  s.ptnSDay = Day(2010, 6, 19);  // a Saturday
  int count = 0;
  // r moves to Monday 6-21; from there back to Friday 6-18 (excluded):
  // 6-21 counts -1, 6-20 and 6-19 are off: -1, negated with a reference day.
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 18), true, s, &count, nullptr));
  EXPECT_EQ(count, 1);
  // Forward from the Saturday: 6-19, 6-20 off, 6-21 counts: 1, negated.
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 22), true, s, &count, nullptr));
  EXPECT_EQ(count, -1);
}

TEST_F(BusinessDays, BeforeTheSwitchTime) {
  DaySettings s;
  s.bDayTime = 10 * 60;  // 10:00; now is 9:30
  int count = 0;
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 16), true, s, &count, nullptr));
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 16), false, s, &count, nullptr));
  EXPECT_EQ(count, 0);  // only with own rest days
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 15), true, s, &count, nullptr));
  EXPECT_EQ(count, -1);  // negative counts are not moved
  s.bDayTime = 9 * 60;
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 16), true, s, &count, nullptr));
  EXPECT_EQ(count, 0);
}

TEST_F(BusinessDays, EveryDayOffEndsAfterAYear) {
  DaySettings s;
  s.weekday = 0x7F;
  s.ptnSDay = Day(2010, 6, 16);
  int count = 5;
  EXPECT_TRUE(BusinessDayDiff(Day(2010, 6, 1), true, s, &count, nullptr));
  EXPECT_EQ(count, 0);
}

TEST_F(BusinessDays, PlainDayDifference) {
  DaySettings s;
  EXPECT_EQ(PlainDayDifference(Day(2010, 6, 20), s), 4);
  s.ptnSDay = Day(2010, 6, 20);
  EXPECT_EQ(PlainDayDifference(Day(2010, 6, 16), s), 4);
}

std::string Item(int code, SerialDay day, const DaySettings& s) {
  char text[kDayItemTextSize];
  DayItemText(code, day, LunarDateOf(day), s, text);
  return text;
}

TEST_F(BusinessDays, DayItemTexts) {
  DaySettings s;
  // 2023-03-22: the first day of the leap 2nd month.
  const SerialDay leapDay = Day(2023, 3, 22);
  EXPECT_EQ(Item(0, leapDay, s), "");
  EXPECT_EQ(Item(1, leapDay, s), "");
  EXPECT_EQ(Item(2, leapDay, s), "水");
  EXPECT_EQ(Item(3, leapDay, s), "Wed");
  EXPECT_EQ(Item(4, leapDay, s), "水");
  EXPECT_EQ(Item(5, leapDay, s), "友引 己卯");
  EXPECT_EQ(Item(6, leapDay, s), "");
  EXPECT_EQ(Item(7, leapDay, s), "閏2.1");
  EXPECT_EQ(Item(8, leapDay, s), "閏如月1日");
  EXPECT_EQ(Item(9, leapDay, s), "0.4");
  EXPECT_EQ(Item(10, leapDay, s), "旧閏2.1(0.4) ");
  EXPECT_EQ(Item(12, leapDay, s), "3月");
  EXPECT_EQ(Item(15, leapDay, s), "友引");
  // 2023-03-21: 春分の日 and the solar term 春分.
  const SerialDay equinox = Day(2023, 3, 21);
  EXPECT_EQ(Item(1, equinox, s), "春分の日");
  EXPECT_EQ(Item(4, equinox, s), "火 春分の日");
  EXPECT_EQ(Item(6, equinox, s), "春分");
  EXPECT_EQ(Item(7, equinox, s), "2.30");
  EXPECT_EQ(Item(8, equinox, s), "如月30日");
  EXPECT_EQ(Item(10, equinox, s), "旧2.30(28.8) 春分");
  // 2019-05-05: こどもの日 on a Sunday; 5-6 its substitute.
  EXPECT_EQ(Item(4, Day(2019, 5, 5), s), "日 こどもの日");
  EXPECT_EQ(Item(1, Day(2019, 5, 6), s), "振替休日");
  EXPECT_EQ(Item(6, Day(2019, 5, 6), s), "立夏");
  // Differences, from today 2010-06-16 (Wednesday) at 9:30.
  EXPECT_EQ(Item(11, Day(2010, 6, 20), s), "4");
  EXPECT_EQ(Item(13, Day(2010, 6, 21), s), "3");
  EXPECT_EQ(Item(14, Day(2010, 6, 19), s), "(3)");
  EXPECT_EQ(Item(13, Day(2012, 6, 21), s), "");  // beyond 400 days
  s.ptnSDay = Day(2010, 6, 20);
  EXPECT_EQ(Item(11, Day(2010, 6, 16), s), "4");
}

TEST(DayItemLabels, Table) {
  EXPECT_STREQ(DayItemLabels[0], "表示なし");
  EXPECT_STREQ(DayItemLabels[10], "旧暦 月齢 節気");
  EXPECT_STREQ(DayItemLabels[15], "六曜");
}

}  // namespace

}  // namespace hiyomi
