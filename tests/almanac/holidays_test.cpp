// Holidays: the law of 2007 (to 2015) and the present-day law (from 2016).
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "almanac/holidays.h"

namespace hiyomi {

namespace {

struct HolidayCase {
  int year, month, day;
  HolidayCode code;
};

void ExpectCodes(const HolidayCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const HolidayCase& c = cases[i];
    EXPECT_EQ(HolidayCodeOf(SerialFromDate(c.year, c.month, c.day)), c.code)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(HolidayCodeOf, SpecEdgeCases) {
  const HolidayCase cases[] = {
      {2001, 1, 1, 3},   {2001, 1, 8, 4},   {2006, 1, 2, 0},   {2001, 3, 20, 6},
      {2001, 9, 23, 13}, {2001, 9, 24, 0},  {2006, 4, 29, 9},  {2007, 4, 29, 7},
      {2007, 5, 4, 9},   {2003, 5, 4, 1},   {2008, 5, 6, 0},   {2009, 5, 6, 0},
      {2005, 5, 6, -9},  {2002, 7, 20, 11}, {2003, 7, 21, 11}, {2003, 7, 20, -1},
      {2009, 9, 21, 12}, {2009, 9, 22, 1},  {2009, 9, 23, 13}, {2001, 12, 23, 2},
      {2001, 12, 24, 0}, {2001, 12, 25, -9}, {2001, 12, 29, -1},
  };
  ExpectCodes(cases, std::size(cases));
}

TEST(HolidayCodeOf, LawOf2007BeforeSwitches) {
  const HolidayCase cases[] = {
      {2002, 7, 22, -9},  // 7-20 a Saturday: no substitute before 2003
      {2002, 9, 15, 12},  {2002, 9, 16, 0},  {2002, 9, 23, 13}, {2003, 9, 15, 12},
      {2003, 5, 5, 10},   {2006, 5, 4, 1},   {2006, 5, 6, -1},  // Saturday
      {2002, 5, 6, 0},    // Monday after the Sunday 5-5
      {2015, 9, 22, 1},   // between 敬老の日 and 秋分の日
      {2015, 12, 23, 2},  {2015, 10, 12, 14}, {2015, 8, 11, -9}, {2015, 5, 6, 0},
      {2012, 1, 2, 0},    {2010, 3, 22, 0},  {2014, 11, 24, 0}, {2012, 12, 24, 0},
  };
  ExpectCodes(cases, std::size(cases));
}

TEST(HolidayCodeOf, PresentDayLawExamples) {
  const HolidayCase cases[] = {
      // Mountain Day and its special years
      {2016, 8, 11, 17}, {2019, 8, 11, 17}, {2019, 8, 12, 0}, {2020, 8, 10, 17},
      {2020, 8, 11, -9}, {2021, 8, 8, 17},  {2021, 8, 9, 0},  {2021, 8, 11, -9},
      {2024, 8, 11, 17}, {2024, 8, 12, 0},
      // Marine Day and Sports Day in 2020 and 2021
      {2020, 7, 23, 11}, {2020, 7, 24, 18}, {2020, 7, 20, -9}, {2021, 7, 22, 11},
      {2021, 7, 23, 18}, {2021, 7, 19, -9}, {2022, 7, 18, 11},
      // Health and Sports Day to 2019, Sports Day from 2022
      {2016, 10, 10, 14}, {2019, 10, 14, 14}, {2020, 10, 12, -9}, {2021, 10, 11, -9},
      {2022, 10, 10, 18}, {2026, 10, 12, 18},
      // The Emperor's Birthday
      {2016, 12, 23, 2}, {2018, 12, 23, 2}, {2018, 12, 24, 0}, {2019, 12, 23, -9},
      {2019, 2, 23, -1}, {2020, 2, 23, 2},  {2020, 2, 24, 0},  {2025, 2, 23, 2},
      {2025, 2, 24, 0},  {2026, 2, 23, 2},
      // 2019: the enthronement
      {2019, 4, 29, 7}, {2019, 4, 30, 1}, {2019, 5, 1, 19}, {2019, 5, 2, 1},
      {2019, 5, 3, 8},  {2019, 5, 4, 9},  {2019, 5, 5, 10}, {2019, 5, 6, 0},
      {2019, 10, 22, 20},
      // Substitute holidays in the general form
      {2016, 3, 21, 0}, {2017, 1, 2, 0}, {2018, 2, 12, 0}, {2018, 4, 30, 0},
      {2018, 9, 24, 0}, {2019, 9, 23, 13}, {2019, 11, 4, 0}, {2020, 5, 6, 0},
      {2023, 1, 2, 0},  {2024, 2, 12, 0}, {2024, 9, 23, 0}, {2024, 11, 4, 0},
      {2025, 5, 6, 0},  {2026, 5, 6, 0},  {2020, 5, 7, -9},
      // 国民の休日 between 敬老の日 and 秋分の日
      {2026, 9, 21, 12}, {2026, 9, 22, 1}, {2026, 9, 23, 13}, {2032, 9, 21, 1},
  };
  ExpectCodes(cases, std::size(cases));
}

// Every holiday of 2019, 2020 and 2021; all other days carry no code >= 0.
TEST(HolidayCodeOf, WholeYears2019To2021) {
  const HolidayCase holidays[] = {
      {2019, 1, 1, 3},    {2019, 1, 14, 4},  {2019, 2, 11, 5},  {2019, 3, 21, 6},
      {2019, 4, 29, 7},   {2019, 4, 30, 1},  {2019, 5, 1, 19},  {2019, 5, 2, 1},
      {2019, 5, 3, 8},    {2019, 5, 4, 9},   {2019, 5, 5, 10},  {2019, 5, 6, 0},
      {2019, 7, 15, 11},  {2019, 8, 11, 17}, {2019, 8, 12, 0},  {2019, 9, 16, 12},
      {2019, 9, 23, 13},  {2019, 10, 14, 14}, {2019, 10, 22, 20}, {2019, 11, 3, 15},
      {2019, 11, 4, 0},   {2019, 11, 23, 16},
      {2020, 1, 1, 3},    {2020, 1, 13, 4},  {2020, 2, 11, 5},  {2020, 2, 23, 2},
      {2020, 2, 24, 0},   {2020, 3, 20, 6},  {2020, 4, 29, 7},  {2020, 5, 3, 8},
      {2020, 5, 4, 9},    {2020, 5, 5, 10},  {2020, 5, 6, 0},   {2020, 7, 23, 11},
      {2020, 7, 24, 18},  {2020, 8, 10, 17}, {2020, 9, 21, 12}, {2020, 9, 22, 13},
      {2020, 11, 3, 15},  {2020, 11, 23, 16},
      {2021, 1, 1, 3},    {2021, 1, 11, 4},  {2021, 2, 11, 5},  {2021, 2, 23, 2},
      {2021, 3, 20, 6},   {2021, 4, 29, 7},  {2021, 5, 3, 8},   {2021, 5, 4, 9},
      {2021, 5, 5, 10},   {2021, 7, 22, 11}, {2021, 7, 23, 18}, {2021, 8, 8, 17},
      {2021, 8, 9, 0},    {2021, 9, 20, 12}, {2021, 9, 23, 13}, {2021, 11, 3, 15},
      {2021, 11, 23, 16},
  };
  std::map<SerialDay, HolidayCode> expected;
  for (const HolidayCase& h : holidays) expected[SerialFromDate(h.year, h.month, h.day)] = h.code;
  for (SerialDay s = SerialFromDate(2019, 1, 1); s <= SerialFromDate(2021, 12, 31); ++s) {
    const auto it = expected.find(s);
    const int w = WeekdayOf(s);
    const HolidayCode want = it != expected.end() ? it->second : (w == 0 || w == 6 ? -1 : -9);
    EXPECT_EQ(HolidayCodeOf(s), want) << "serial " << s;
  }
}

TEST(HolidayCodeOf, CodesStayInTheirRangeEveryDay) {
  int counts[kHolidayNameCount] = {};
  for (SerialDay s = kFirstSerial; s <= kLastSerial; ++s) {
    const HolidayCode c = HolidayCodeOf(s);
    const int w = WeekdayOf(s);
    if (c < 0) {
      ASSERT_EQ(c, (w == 0 || w == 6) ? -1 : -9) << s;
    } else {
      ASSERT_LT(c, kHolidayNameCount) << s;
      ++counts[c];
    }
    if (c == 0) {
      ASSERT_NE(w, 0) << "a substitute holiday is never a Sunday: " << s;
    }
  }
  EXPECT_EQ(counts[19], 1);
  EXPECT_EQ(counts[20], 1);
  EXPECT_EQ(counts[17], 2099 - 2016 + 1);
  EXPECT_EQ(counts[3], 99);
}

TEST(HolidayNames, TableOrderAndTerminator) {
  EXPECT_STREQ(HolidayNames[0], "振替休日");
  EXPECT_STREQ(HolidayNames[1], "国民の休日");
  EXPECT_STREQ(HolidayNames[2], "天皇誕生日");
  EXPECT_STREQ(HolidayNames[14], "体育の日");
  EXPECT_STREQ(HolidayNames[16], "勤労感謝の日");
  EXPECT_STREQ(HolidayNames[17], "山の日");
  EXPECT_STREQ(HolidayNames[18], "スポーツの日");
  EXPECT_STREQ(HolidayNames[19], "即位の日");
  EXPECT_STREQ(HolidayNames[20], "即位礼正殿の儀");
  EXPECT_STREQ(HolidayNames[21], "");
  // CP932 at run time: "元日" is two double-byte characters.
  EXPECT_EQ(std::strlen(HolidayNames[3]), 4u);
}

}  // namespace

}  // namespace hiyomi
