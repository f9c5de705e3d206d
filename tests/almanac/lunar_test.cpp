// Solar longitude, solar terms, moon age and the lunar calendar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"

namespace hiyomi {

namespace {

struct LunarCase {
  int year, month, day;
  int lunarMonth, lunarDay;
};

TEST(LunarDateOf, EdgeCases) {
  const LunarCase cases[] = {
      {2001, 1, 24, 1, 1},   {2004, 1, 22, 1, 1},    {2023, 1, 22, 1, 1},  {2016, 2, 7, 12, 29},
      {2016, 2, 8, 1, 1},    {2016, 2, 9, 1, 2},     {2023, 3, 22, -2, 1}, {2020, 5, 23, -4, 1},
      {2012, 4, 21, -3, 1},  {2033, 12, 22, -11, 1}, {2033, 8, 25, 8, 1},  {2033, 10, 22, 9, 30},
      {2099, 5, 19, -3, 29},
  };
  for (const LunarCase& c : cases) {
    const LunarDate d = LunarDateOf(SerialFromDate(c.year, c.month, c.day));
    EXPECT_EQ(d.lunarMonth, c.lunarMonth) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(d.lunarDay, c.lunarDay) << c.year << "-" << c.month << "-" << c.day;
  }
}

// The override table, row by row: its serials are its dates, every day of a
// row reads as the row says, and the days just outside it continue the
// months around it (the last day of the month before, day 1 of the next).
struct OverrideRow {
  int y1, m1, d1, y2, m2, d2;
  SerialDay first, last;
  int month, firstDay;
  LunarDate before;  // the day before first
  int nextMonth;     // the day after last is its day 1
  bool inReference;  // in the table of the independent computation (see below)
};
const OverrideRow kOverrideRows[] = {
    {2012, 5, 21, 2012, 6, 19, 4159, 4188, 4, 1, {-3, 30}, 5, false},
    {2012, 6, 20, 2012, 7, 18, 4189, 4217, 5, 1, {4, 30}, 6, false},
    {2015, 8, 14, 2015, 9, 12, 5339, 5368, 7, 1, {6, 29}, 8, false},
    {2016, 2, 8, 2016, 3, 8, 5517, 5546, 1, 1, {12, 29}, 2, false},
    {2017, 2, 26, 2017, 3, 27, 5901, 5930, 2, 1, {1, 29}, 3, true},
    {2033, 8, 25, 2033, 9, 22, 11925, 11953, 8, 1, {7, 30}, 9, true},
    {2033, 9, 23, 2033, 10, 22, 11954, 11983, 9, 1, {8, 29}, 10, true},
    {2034, 2, 19, 2034, 3, 19, 12103, 12131, 1, 1, {12, 30}, 2, true},
    {2034, 3, 20, 2034, 4, 18, 12132, 12161, 2, 1, {1, 29}, 3, true},
    {2034, 12, 11, 2035, 1, 9, 12398, 12427, 11, 1, {10, 30}, 12, false},
    {2035, 1, 10, 2035, 2, 7, 12428, 12456, 12, 1, {11, 30}, 1, false},
    {2044, 11, 19, 2044, 12, 18, 16029, 16058, 10, 1, {9, 29}, 11, false},
    {2051, 11, 3, 2051, 12, 2, 18569, 18598, 10, 1, {9, 29}, 11, true},
    {2053, 2, 19, 2053, 3, 19, 19043, 19071, 1, 1, {12, 30}, 2, true},
    {2053, 3, 20, 2053, 4, 18, 19072, 19101, 2, 1, {1, 29}, 3, true},
    {2071, 3, 2, 2071, 3, 31, 25628, 25657, 2, 1, {1, 30}, 3, false},
    {2071, 4, 1, 2071, 4, 29, 25658, 25686, 3, 1, {2, 30}, 4, false},
    {2081, 2, 9, 2081, 3, 10, 29260, 29289, 1, 1, {12, 30}, 2, false},
    {2081, 3, 11, 2081, 4, 8, 29290, 29318, 2, 1, {1, 30}, 3, false},
    {2088, 10, 14, 2088, 11, 12, 32064, 32093, 9, 1, {8, 29}, 10, false},
    {2089, 1, 12, 2089, 2, 10, 32154, 32183, 12, 1, {11, 30}, 1, false},
    {2089, 2, 11, 2089, 3, 11, 32184, 32212, 1, 1, {12, 30}, 2, false},
    {2093, 1, 27, 2093, 2, 25, 33630, 33659, 1, 1, {12, 29}, 2, false},
    {2093, 2, 26, 2093, 3, 26, 33660, 33688, 2, 1, {1, 30}, 3, false},
    {2097, 1, 13, 2097, 1, 13, 35077, 35077, 11, 30, {11, 29}, 12, true},
    {2097, 1, 14, 2097, 2, 11, 35078, 35106, 12, 1, {11, 30}, 1, true},
    {2099, 3, 22, 2099, 4, 20, 35875, 35904, 3, 1, {2, 30}, -3, true},
    {2099, 4, 21, 2099, 5, 19, 35905, 35933, -3, 1, {3, 30}, 4, true},
};

TEST(LunarDateOf, OverrideTableRows) {
  ASSERT_EQ(std::size(kOverrideRows), std::size(LunarOverrides));
  for (size_t i = 0; i < std::size(kOverrideRows); ++i) {
    const OverrideRow& r = kOverrideRows[i];
    EXPECT_EQ(SerialFromDate(r.y1, r.m1, r.d1), r.first);
    EXPECT_EQ(SerialFromDate(r.y2, r.m2, r.d2), r.last);
    EXPECT_EQ(LunarOverrides[i].first, r.first);
    EXPECT_EQ(LunarOverrides[i].last, r.last);
    for (SerialDay s = r.first; s <= r.last; ++s) {
      const LunarDate d = LunarDateOf(s);
      EXPECT_EQ(d.lunarMonth, r.month) << s;
      EXPECT_EQ(d.lunarDay, s - r.first + r.firstDay) << s;
    }
    const LunarDate before = LunarDateOf(r.first - 1);
    EXPECT_EQ(before.lunarMonth, r.before.lunarMonth) << r.first - 1;
    EXPECT_EQ(before.lunarDay, r.before.lunarDay) << r.first - 1;
    const LunarDate after = LunarDateOf(r.last + 1);
    EXPECT_EQ(after.lunarMonth, r.nextMonth) << r.last + 1;
    EXPECT_EQ(after.lunarDay, 1) << r.last + 1;
  }
}

TEST(MoonAge, NewMoonOf2016February9) {
  // Moon age 29.517 at the start of 2016-02-09, 0.987 at the start of the 10th.
  const SerialDay ninth = SerialFromDate(2016, 2, 9);
  EXPECT_NEAR(MoonAge(JdAtMidnightJst(ninth)), 29.517, 0.0005);
  EXPECT_NEAR(MoonAge(JdAtMidnightJst(ninth + 1)), 0.987, 0.0005);
}

TEST(MoonAgeTenths, RangeAndSamples) {
  for (SerialDay s = kFirstSerial; s <= kLastSerial; ++s) {
    const int t = MoonAgeTenths(s);
    ASSERT_GE(t, 0) << s;
    ASSERT_LE(t, 300) << s;
  }
  EXPECT_EQ(MoonAgeTenths(SerialFromDate(2016, 2, 8)), 290);
  EXPECT_EQ(MoonAgeTenths(SerialFromDate(2016, 2, 9)), 5);
  EXPECT_EQ(MoonAgeTenths(SerialFromDate(2023, 3, 21)), 288);
}

TEST(SolarLongitude, RangeAndKnownValues) {
  for (SerialDay s = kFirstSerial; s <= kLastSerial + 1; ++s) {
    const double l = SolarLongitude(s);
    ASSERT_GE(l, 0.0) << s;
    ASSERT_LT(l, 360.0) << s;
  }
  // 2001-03-20 00:00 JST: just before the vernal equinox.
  const double l = SolarLongitude(SerialFromDate(2001, 3, 20));
  EXPECT_GT(l, 359.0);
}

TEST(SolarTermOf, Cases) {
  EXPECT_EQ(SolarTermOf(SerialFromDate(2001, 3, 20)), 0);  // 春分, wraps through 0 degrees
  EXPECT_EQ(SolarTermOf(SerialFromDate(2001, 3, 21)), -1);
  EXPECT_EQ(SolarTermOf(SerialFromDate(2023, 3, 6)), 23);  // 啓蟄
  EXPECT_EQ(SolarTermOf(SerialFromDate(2023, 3, 21)), 0);
  EXPECT_EQ(SolarTermOf(SerialFromDate(2019, 5, 6)), 3);   // 立夏
  EXPECT_EQ(SolarTermOf(SerialFromDate(2001, 12, 22)), 18);  // 冬至
  EXPECT_EQ(LongitudeStepCrossed(SerialFromDate(2001, 12, 22), 90), 3);
  EXPECT_EQ(LongitudeStepCrossed(SerialFromDate(2001, 3, 20), 90), 0);
  EXPECT_EQ(LongitudeStepCrossed(SerialFromDate(2001, 3, 21), 90), -1);

  // Every year has each of the 24 terms exactly once.
  for (int year = 2001; year <= 2099; ++year) {
    int seen[24] = {};
    for (SerialDay s = SerialFromDate(year, 1, 1); s <= SerialFromDate(year, 12, 31); ++s) {
      const int k = SolarTermOf(s);
      ASSERT_GE(k, -1);
      ASSERT_LT(k, 24);
      if (k >= 0) ++seen[k];
    }
    for (int k = 0; k < 24; ++k) ASSERT_EQ(seen[k], 1) << year << " term " << k;
  }
}

// The days where the series puts the start of a term one day off the sky.
struct TermCorrection {
  int term;
  int year, month, seriesDay, trueDay;
};
const TermCorrection kTermCorrections[] = {
    {19, 2023, 1, 5, 6},   {18, 2025, 12, 21, 22}, {22, 2030, 2, 19, 18}, {15, 2031, 11, 7, 8},
    {10, 2053, 8, 22, 23}, {15, 2064, 11, 6, 7},   {12, 2074, 9, 22, 23}, {13, 2077, 10, 7, 8},
    {17, 2094, 12, 6, 7},  {18, 2095, 12, 21, 22}, {15, 2097, 11, 6, 7},
};

// The series gives the term on its day and none on the true day; SolarTermOf
// gives it on the true day only, and nothing on the days around.
TEST(SolarTermOf, CorrectedDays) {
  for (const TermCorrection& c : kTermCorrections) {
    const SerialDay series = SerialFromDate(c.year, c.month, c.seriesDay);
    const SerialDay truth = SerialFromDate(c.year, c.month, c.trueDay);
    EXPECT_EQ(LongitudeStepCrossed(series, 15), c.term) << c.year << "-" << c.month;
    EXPECT_EQ(LongitudeStepCrossed(truth, 15), -1) << c.year << "-" << c.month;
    for (SerialDay s = std::min(series, truth) - 1; s <= std::max(series, truth) + 1; ++s) {
      EXPECT_EQ(SolarTermOf(s), s == truth ? c.term : -1) << s;
    }
  }
}

TEST(Names, SolarTermsAndLunarMonths) {
  EXPECT_STREQ(SolarTermNames[0], "春分");
  EXPECT_STREQ(SolarTermNames[6], "夏至");
  EXPECT_STREQ(SolarTermNames[12], "秋分");
  EXPECT_STREQ(SolarTermNames[18], "冬至");
  EXPECT_STREQ(SolarTermNames[21], "立春");
  EXPECT_STREQ(SolarTermNames[23], "啓蟄");
  EXPECT_STREQ(LunarMonthNames[1], "睦月");
  EXPECT_STREQ(LunarMonthNames[6], "水無月");
  EXPECT_STREQ(LunarMonthNames[12], "師走");
  EXPECT_EQ(SolarSeries[0].amplitude, 1.9147);
  EXPECT_EQ(SolarSeries[1].amplitude, -0.0048);
  EXPECT_EQ(SolarSeries[5].rate, 445267.0);
  EXPECT_EQ(SolarSeries[15].phase, 161.0);
}

TEST(Rokuyo, FirstDayOfFirstMonthIsSensho) {
  EXPECT_STREQ(RokuyoNames[RokuyoOf(LunarDate{1, 1})], "先勝");
  EXPECT_EQ(RokuyoOf(LunarDate{-3, 4}), (3 + 4) % 6);
  const DayEtoIndex eto = DayEto(1);
  EXPECT_STREQ(StemNames[eto.stem], "甲");
  EXPECT_STREQ(BranchNames[eto.branch], "子");
}

// Every day of 2001-2099: the walk with reuse equals the computation afresh,
// and the lunar calendar is consistent from day to day.
TEST(LunarDateOf, EveryDayWalkEqualsColdAndIsConsistent) {
  LunarWalker walker;
  LunarDate previous = LunarDateOf(0);
  for (SerialDay s = kFirstSerial; s <= kLastSerial; ++s) {
    const LunarDate cold = LunarDateOf(s);
    const LunarDate walked = walker.At(s);
    ASSERT_EQ(walked.lunarMonth, cold.lunarMonth) << s;
    ASSERT_EQ(walked.lunarDay, cold.lunarDay) << s;
    ASSERT_GE(cold.lunarDay, 1) << s;
    ASSERT_LE(cold.lunarDay, 30) << s;
    if (cold.lunarDay == 1) {
      ASSERT_GE(previous.lunarDay, 29) << s;
    } else {
      ASSERT_EQ(cold.lunarDay, previous.lunarDay + 1) << s;
      ASSERT_EQ(cold.lunarMonth, previous.lunarMonth) << s;
    }
    previous = cold;
  }
}

// 32-bit little-endian values hashed with FNV-1a 64.
struct Digest {
  std::uint64_t h = 0xcbf29ce484222325ull;
  void Mix(std::int32_t v) {
    const std::uint32_t u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
      h ^= (u >> (8 * i)) & 0xffu;
      h *= 0x100000001b3ull;
    }
  }
};

// One day of the dump, in its order: serial, date (y*10000+m*100+d), weekday,
// holiday code, lunar month and day, moon age tenths, solar term, rokuyō, day
// stem and branch.
void MixDay(Digest& digest, SerialDay s, const LunarDate& ld, int term) {
  const CalendarDate d = DateFromSerial(s);
  const DayEtoIndex eto = DayEto(s);
  digest.Mix(s);
  digest.Mix(d.year * 10000 + d.month * 100 + d.day);
  digest.Mix(WeekdayOf(s));
  digest.Mix(HolidayCodeOf(s));
  digest.Mix(ld.lunarMonth);
  digest.Mix(ld.lunarDay);
  digest.Mix(MoonAgeTenths(s));
  digest.Mix(term);
  digest.Mix(RokuyoOf(ld));
  digest.Mix(eto.stem);
  digest.Mix(eto.branch);
}

// Every dumped value for all 36159 days, as the walking callers see them. How
// they may differ from the independent computation is checked below; the
// days themselves, with every correction, are compared one by one with
// tests/reference/almanac_reference.py (CTest almanac_dump_vs_reference),
// which names the first day that differs.
TEST(Almanac, DigestOfEveryDay) {
  Digest digest;
  LunarWalker walker;
  for (SerialDay s = kFirstSerial; s <= kLastSerial; ++s) {
    MixDay(digest, s, walker.At(s), SolarTermOf(s));
  }
  EXPECT_EQ(digest.h, 0x51654fd2769c0538ull);
}

// An independent implementation of the almanac and the present-day holidays
// gave the digest below, with the override rows marked inReference and no
// term corrections. Undoing the other rows and the term corrections gives it
// back, so they change the days they name and nothing else: the lunar date
// and rokuyō of 300 days in those rows (the rest of their days the series
// already had right) and the solar term of 22 days.
TEST(Almanac, CorrectionsChangeOnlyTheirDaysFromTheIndependentComputation) {
  Digest reference;
  LunarWalker walker;
  int lunarDays = 0, rokuyoDays = 0, termDays = 0;
  const OverrideRow* row = std::begin(kOverrideRows);
  for (SerialDay s = kFirstSerial; s <= kLastSerial; ++s) {
    while (row != std::end(kOverrideRows) && row->last < s) ++row;
    const LunarDate corrected = walker.At(s);
    LunarDate ld = corrected;
    if (row != std::end(kOverrideRows) && row->first <= s && !row->inReference) {
      ld = LunarDateBySeries(s);
      if (ld.lunarMonth != corrected.lunarMonth || ld.lunarDay != corrected.lunarDay) ++lunarDays;
      if (RokuyoOf(ld) != RokuyoOf(corrected)) ++rokuyoDays;
    }
    const int term = LongitudeStepCrossed(s, 15);
    if (term != SolarTermOf(s)) ++termDays;
    MixDay(reference, s, ld, term);
  }
  EXPECT_EQ(reference.h, 0xae23f7e9f43c4a32ull);
  EXPECT_EQ(lunarDays, 300);
  EXPECT_EQ(rokuyoDays, 300);
  EXPECT_EQ(termDays, 22);
}

}  // namespace

}  // namespace hiyomi
