// Dates and day arithmetic.
#include <gtest/gtest.h>

#include "almanac/clock.h"
#include "almanac/dates.h"

namespace hiyomi {

namespace {

struct SerialCase {
  int year, month, day;
  SerialDay serial;
};

TEST(SerialFromDate, SpecCases) {
  const SerialCase cases[] = {
      {2001, 1, 1, 1},      {2001, 3, 1, 60},     {2004, 2, 29, 1155}, {2099, 12, 31, 36159},
      {2001, 2, 29, 59},    {2001, 2, 28, 59},    {2001, 2, 30, 59},   {2004, 3, 1, 1156},
      {2000, 12, 31, 0},    {2100, 1, 1, 36160},  {2019, 5, 1, 6695},  {2001, 12, 31, 365},
  };
  for (const SerialCase& c : cases) {
    EXPECT_EQ(SerialFromDate(c.year, c.month, c.day), c.serial)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(SerialFromDate, BeforeTheRangeIsOneHigherButOrdered) {
  // Truncation toward zero: days before 2000-12-31 come out one
  // higher than the true count; they are only compared with days in range.
  EXPECT_EQ(SerialFromDate(2000, 12, 30), 0);
  EXPECT_EQ(SerialFromDate(2000, 12, 29), -1);
  EXPECT_EQ(SerialFromDate(2000, 1, 1), -364);
  EXPECT_LT(SerialFromDate(2000, 12, 29), SerialFromDate(2001, 1, 1));
}

TEST(DateFromSerial, SpecCases) {
  const SerialCase cases[] = {
      {2001, 1, 1, 1},     {2004, 2, 29, 1155}, {2004, 3, 1, 1156},   {2099, 12, 31, 36159},
      {2001, 12, 31, 365}, {2002, 1, 1, 366},   {2004, 12, 31, 1461}, {2005, 1, 1, 1462},
  };
  for (const SerialCase& c : cases) {
    const CalendarDate d = DateFromSerial(c.serial);
    EXPECT_EQ(d.year, c.year) << c.serial;
    EXPECT_EQ(d.month, c.month) << c.serial;
    EXPECT_EQ(d.day, c.day) << c.serial;
  }
}

TEST(DateFromSerial, JustOutsideTheRangeGivesTheTrueDate) {
  const SerialCase cases[] = {
      {2000, 12, 31, 0}, {2000, 12, 30, -1}, {2000, 12, 1, -30}, {2000, 2, 29, -306},
      {2000, 1, 1, -365}, {1999, 12, 31, -366}, {2100, 1, 1, 36160}, {2100, 2, 1, 36191},
  };
  for (const SerialCase& c : cases) {
    const CalendarDate d = DateFromSerial(c.serial);
    EXPECT_EQ(d.year, c.year) << c.serial;
    EXPECT_EQ(d.month, c.month) << c.serial;
    EXPECT_EQ(d.day, c.day) << c.serial;
  }
  int y = 0, m = 0, day = 0;
  DateFromSerial(0, &y, &m, &day);
  EXPECT_EQ(y * 10000 + m * 100 + day, 20001231);
}

TEST(Dates, EveryDayRoundTripsAndStepsByOne) {
  SerialDay expected = 1;
  int weekday = 1;  // 2001-01-01 is a Monday
  for (int year = 2001; year <= 2099; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        const SerialDay s = SerialFromDate(year, month, day);
        ASSERT_EQ(s, expected) << year << "-" << month << "-" << day;
        const CalendarDate d = DateFromSerial(s);
        ASSERT_EQ(d.year, year);
        ASSERT_EQ(d.month, month);
        ASSERT_EQ(d.day, day);
        ASSERT_EQ(WeekdayOf(s), weekday);
        ++expected;
        weekday = (weekday + 1) % 7;
      }
    }
  }
  EXPECT_EQ(expected, kNoDay);
}

TEST(Dates, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_FALSE(IsLeapYear(2001));
  EXPECT_EQ(DaysInMonth(2001, 2), 28);
  EXPECT_EQ(DaysInMonth(2004, 2), 29);
  EXPECT_EQ(DaysInMonth(2001, 4), 30);
  EXPECT_EQ(DaysInMonth(2001, 12), 31);
}

TEST(Dates, Weekday) {
  EXPECT_EQ(WeekdayOf(1), 1);  // 2001-01-01 Monday
  EXPECT_EQ(WeekdayOf(SerialFromDate(2001, 1, 7)), 0);
  EXPECT_EQ(WeekdayOf(SerialFromDate(2001, 12, 29)), 6);
  EXPECT_EQ(WeekdayOf(0), 0);   // 2000-12-31 Sunday
  EXPECT_EQ(WeekdayOf(-1), 6);  // 2000-12-30 Saturday
}

TEST(ClampSerial, Cases) {
  const SerialDay cases[][2] = {{0, 1},         {-5, 1},         {1, 1},      {100, 100},
                                {36159, 36159}, {36160, 36159},  {99999, 36159}};
  for (const auto& c : cases) EXPECT_EQ(ClampSerial(c[0]), c[1]) << c[0];
}

TEST(ParseIsoDate, RealDaysOfTheRangeOnly) {
  const struct {
    const char* text;
    SerialDay serial;  // kNoDay: refused
  } cases[] = {
      {"2001-01-01", 1},       {"2099-12-31", 36159},   {"2024-02-29", SerialFromDate(2024, 2, 29)},
      {"2023-02-29", kNoDay},  {"2000-12-31", kNoDay},  {"2100-01-01", kNoDay},
      {"2026-13-01", kNoDay},  {"2026-00-10", kNoDay},  {"2026-12-00", kNoDay},
      {"2026-1-01", kNoDay},   {"2026/12/10", kNoDay},  {"2026-12-10x", kNoDay},
      {"2026-12-1", kNoDay},   {"", kNoDay},            {"+026-12-10", kNoDay},
  };
  for (const auto& c : cases) {
    SerialDay serial = kNoDay;
    EXPECT_EQ(ParseIsoDate(c.text, &serial), c.serial != kNoDay) << c.text;
    EXPECT_EQ(serial, c.serial) << c.text;
  }
}

TEST(StepMonth, Cases) {
  struct Case {
    int month, step, resultMonth, carry;
  };
  const Case cases[] = {
      {1, -1, 12, -1}, {3, -5, 10, -1}, {12, 1, 1, 1},   {5, 0, 5, 0},   {1, 11, 12, 0},
      {1, 12, 1, 1},   {1, -12, 1, -1}, {1, -13, 12, -2}, {6, 30, 12, 2}, {12, -12, 12, -1},
      {7, -7, 12, -1}, {7, -6, 1, 0},   {12, 25, 1, 3},
  };
  for (const Case& c : cases) {
    int m = c.month;
    EXPECT_EQ(StepMonth(c.step, &m), c.carry) << c.month << " " << c.step;
    EXPECT_EQ(m, c.resultMonth) << c.month << " " << c.step;
  }
}

TEST(JulianDay, StartOfSerialOneIsMidnightJst) {
  // 2001-01-01 00:00 JST = 2000-12-31 15:00 UTC = JD 2451910.5 - 9/24.
  EXPECT_EQ(JdAtMidnightJst(1), 2451910.125);
  EXPECT_EQ(JdAtNoonJst(1), 2451910.625);
  EXPECT_EQ(JdAtMidnightJst(36159), 36159 + 2451909.125);
}

TEST(Names, Tables) {
  EXPECT_STREQ(WeekdayNamesJa[0], "日");
  EXPECT_STREQ(WeekdayNamesJa[6], "土");
  EXPECT_STREQ(WeekdayNamesEn[1], "Mon");
  EXPECT_STREQ(MonthNamesEn[1], "January");
  EXPECT_STREQ(MonthNamesEn[12], "December");
}

LocalTime FixedNoon() { return LocalTime{2019, 5, 1, 12, 34}; }

TEST(Clock, TodayAndMinutesComeThroughTheSeam) {
  SetClockForTests(&FixedNoon);
  EXPECT_EQ(TodaySerial(), SerialFromDate(2019, 5, 1));
  EXPECT_EQ(MinutesSinceMidnight(), 12 * 60 + 34);
  SetFixedClockForTests(LocalTime{2001, 1, 1, 0, 0});
  EXPECT_EQ(TodaySerial(), 1);
  EXPECT_EQ(MinutesSinceMidnight(), 0);
  SetClockForTests(nullptr);
  const SerialDay today = TodaySerial();
  EXPECT_GT(today, 8000);  // the machine's clock: after 2022
  const int minutes = MinutesSinceMidnight();
  EXPECT_GE(minutes, 0);
  EXPECT_LT(minutes, 1440);
}

}  // namespace

}  // namespace hiyomi
