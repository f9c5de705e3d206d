// Regular schedules: which rule words fall on a day, and the validity rules
// of the options dialog.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "almanac/holidays.h"
#include "almanac/regular_schedules.h"
#include "almanac/rest_days.h"
#include "almanac/rule_validity.h"

namespace hiyomi {

namespace {

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

// The days of [first, last] the rule hits.
std::vector<SerialDay> Hits(int word, SerialDay first, SerialDay last, const DaySettings& s) {
  std::vector<SerialDay> days;
  for (SerialDay d = first; d <= last; ++d) {
    if (RegularRuleHits(word, d, s)) days.push_back(d);
  }
  return days;
}

TEST(RuleDateMatches, Codes) {
  EXPECT_TRUE(RuleDateMatches(Day(2001, 1, 8), 2, 1, 0));    // second Monday
  EXPECT_FALSE(RuleDateMatches(Day(2001, 1, 15), 2, 1, 0));
  EXPECT_TRUE(RuleDateMatches(Day(2001, 1, 7), 1, 7, 0));    // first Sunday (7)
  EXPECT_TRUE(RuleDateMatches(Day(2001, 8, 25), 29, 0, 0));  // the 25th
  EXPECT_TRUE(RuleDateMatches(Day(2001, 2, 28), 35, 0, 0));  // "31日": the last day
  EXPECT_TRUE(RuleDateMatches(Day(2001, 2, 28), 36, 0, 2));  // 末日 of February
  EXPECT_FALSE(RuleDateMatches(Day(2001, 2, 28), 36, 0, 3));
  EXPECT_FALSE(RuleDateMatches(Day(2001, 2, 28), 34, 0, 0)); // the 30th: none in February
  EXPECT_FALSE(RuleDateMatches(Day(2001, 2, 28), 0, 0, 0));
}

TEST(RegularSchedule, WeeklyRules) {
  DaySettings s;
  // 1000010: every Monday, holiday Mondays included.
  for (SerialDay d : Hits(1000010, Day(2001, 1, 1), Day(2001, 12, 31), s)) {
    EXPECT_EQ(WeekdayOf(d), 1);
  }
  EXPECT_EQ(Hits(1000010, Day(2001, 1, 1), Day(2001, 12, 31), s).size(), 53u);
  EXPECT_TRUE(RegularRuleHits(1000010, Day(2001, 1, 8), s));
  // 1000011 (前移動): not the holiday Monday 2001-01-08, but the Friday before.
  EXPECT_FALSE(RegularRuleHits(1000011, Day(2001, 1, 8), s));
  EXPECT_TRUE(RegularRuleHits(1000011, Day(2001, 1, 5), s));
  EXPECT_TRUE(RegularRuleHits(1000011, Day(2001, 1, 15), s));
  // 1000012 (後移動): the Tuesday after.
  EXPECT_TRUE(RegularRuleHits(1000012, Day(2001, 1, 9), s));
  EXPECT_FALSE(RegularRuleHits(1000012, Day(2001, 1, 8), s));
  // A Saturday rule with 前移動 hits the Saturday and the Friday before it.
  EXPECT_TRUE(RegularRuleHits(1000061, Day(2001, 1, 6), s));
  EXPECT_TRUE(RegularRuleHits(1000061, Day(2001, 1, 5), s));
  EXPECT_FALSE(RegularRuleHits(1000061, Day(2001, 1, 4), s));
  // Shift modes 3-9 are for monthly rules only.
  EXPECT_TRUE(Hits(1000017, Day(2001, 1, 1), Day(2001, 12, 31), s).empty());
  EXPECT_TRUE(Hits(3120506, Day(2001, 1, 1), Day(2001, 12, 31), s).empty());
}

TEST(RegularSchedule, MonthlyMovedOffCalendarDaysOff) {
  DaySettings s;
  // 2002901: the 25th, 前移動: 2001-08-25 is a Saturday -> Friday 24th.
  EXPECT_TRUE(RegularRuleHits(2002901, Day(2001, 8, 24), s));
  EXPECT_FALSE(RegularRuleHits(2002901, Day(2001, 8, 25), s));
  EXPECT_TRUE(RegularRuleHits(2002901, Day(2001, 9, 25), s));  // a Tuesday
  // 2002902 (後移動): Monday 27th.
  EXPECT_TRUE(RegularRuleHits(2002902, Day(2001, 8, 27), s));
  EXPECT_FALSE(RegularRuleHits(2002902, Day(2001, 8, 24), s));
  // Switched off.
  EXPECT_TRUE(Hits(-2002900, Day(2001, 1, 1), Day(2001, 12, 31), s).empty());
  // 2002900: the 25th itself, every month.
  EXPECT_EQ(Hits(2002900, Day(2001, 1, 1), Day(2001, 12, 31), s).size(), 12u);
  // Yearly 3122300 (12-19, no shift) and the last day of February (3023600).
  EXPECT_EQ(Hits(3122300, Day(2001, 1, 1), Day(2002, 12, 31), s),
            (std::vector<SerialDay>{Day(2001, 12, 19), Day(2002, 12, 19)}));
  EXPECT_EQ(Hits(3023600, Day(2004, 1, 1), Day(2004, 12, 31), s),
            (std::vector<SerialDay>{Day(2004, 2, 29)}));
}

TEST(RegularSchedule, BusinessDayShifts) {
  DaySettings s;  // default rest days, BDayMove 0x002
  // 2003908: two business days after the last day of the month.
  EXPECT_TRUE(RegularRuleHits(2003908, Day(2001, 2, 2), s));   // 1-31 Wed -> Thu, Fri
  EXPECT_FALSE(RegularRuleHits(2003908, Day(2001, 2, 1), s));
  // 2001-03-31 is a Saturday: attached to Monday 4-2, then two on: Wed 4-4.
  EXPECT_TRUE(RegularRuleHits(2003908, Day(2001, 4, 4), s));
  EXPECT_FALSE(RegularRuleHits(2003908, Day(2001, 4, 3), s));
  // With BDayMove low digit 0 the Saturday joins the Friday before it:
  // Friday 3-30 + 2 = Tuesday 4-3.
  s.bDayMove = 0x000;
  EXPECT_TRUE(RegularRuleHits(2003908, Day(2001, 4, 3), s));
  EXPECT_FALSE(RegularRuleHits(2003908, Day(2001, 4, 4), s));
  // Low digit 1: nothing attached; a last day off never hits that month.
  s.bDayMove = 0x001;
  EXPECT_FALSE(RegularRuleHits(2003908, Day(2001, 4, 3), s));
  EXPECT_FALSE(RegularRuleHits(2003908, Day(2001, 4, 4), s));

  // 2002905: one business day before the 25th. 2001-08-25 is a Saturday.
  s.bDayMove = 0x002;  // high digit 0: the 25th joins Friday 24 -> Thursday 23
  EXPECT_TRUE(RegularRuleHits(2002905, Day(2001, 8, 23), s));
  EXPECT_FALSE(RegularRuleHits(2002905, Day(2001, 8, 24), s));
  EXPECT_TRUE(RegularRuleHits(2002905, Day(2001, 9, 21), s));  // 9-25 Tue -> Mon 9-24 is 振替 -> Fri
  s.bDayMove = 0x200;  // high digit 2: the 25th joins Monday 27 -> Friday 24
  EXPECT_TRUE(RegularRuleHits(2002905, Day(2001, 8, 24), s));
  EXPECT_FALSE(RegularRuleHits(2002905, Day(2001, 8, 23), s));
  s.bDayMove = 0x100;  // nothing attached
  EXPECT_FALSE(RegularRuleHits(2002905, Day(2001, 8, 23), s));
  EXPECT_FALSE(RegularRuleHits(2002905, Day(2001, 8, 24), s));

  // 2002906: "0営業日". Middle digit 0: the Saturday 25th -> Friday 24.
  s.bDayMove = 0x002;
  EXPECT_TRUE(RegularRuleHits(2002906, Day(2001, 8, 24), s));
  EXPECT_FALSE(RegularRuleHits(2002906, Day(2001, 8, 27), s));
  s.bDayMove = 0x020;  // middle digit 2: -> Monday 27
  EXPECT_TRUE(RegularRuleHits(2002906, Day(2001, 8, 27), s));
  EXPECT_FALSE(RegularRuleHits(2002906, Day(2001, 8, 24), s));
  s.bDayMove = 0x010;  // only the day itself
  EXPECT_FALSE(RegularRuleHits(2002906, Day(2001, 8, 24), s));
  EXPECT_FALSE(RegularRuleHits(2002906, Day(2001, 8, 27), s));
  EXPECT_TRUE(RegularRuleHits(2002906, Day(2001, 9, 25), s));

  // +3 and -3 around own rest days: a kind-2 rule 8-13..8-17 off.
  s = DaySettings{};
  s.weekday = 0x141 | (1u << 9);
  s.weekdayRules[0] = 0x280D0811;
  // 2001-08-10 (Fri) + 3 business days: 8-13..17 and 18/19 off -> 8-20, 21, 22.
  EXPECT_TRUE(RegularRuleHits(2001409, Day(2001, 8, 22), s));  // 10日 +3
  EXPECT_FALSE(RegularRuleHits(2001409, Day(2001, 8, 15), s));
  // -3 from 2001-08-20 (Mon): business days 8-10, 8-9, 8-8 -> 8-8 (Wed).
  EXPECT_TRUE(RegularRuleHits(2002403, Day(2001, 8, 8), s));  // 20日 -3
  // A day that is an own rest day never hits a business-day rule.
  EXPECT_FALSE(RegularRuleHits(2001706, Day(2001, 8, 13), s));
}

TEST(RegularSchedule, EveryDayOffGivesNoHitAndEnds) {
  DaySettings s;
  s.weekday = 0x7F;
  for (int word : {2000507, 2000503, 2000506, 2003609}) {
    EXPECT_TRUE(Hits(word, Day(2001, 1, 1), Day(2001, 3, 31), s).empty()) << word;
  }
  // 前移動 of the 1st across the new year: 2002-01-01 is 元日, so the
  // Monday 2001-12-31 takes it.
  s = DaySettings{};
  EXPECT_TRUE(RegularRuleHits(2000501, Day(2001, 12, 31), s));
  EXPECT_FALSE(RegularRuleHits(2000501, Day(2002, 1, 1), s));
}

TEST(RegularSchedule, SlotsAndMalformedWords) {
  DaySettings s;
  s.sDay[0] = 1000010;
  s.sDay[4] = 2002900;
  s.sDay[9] = -1000010;
  s.sDay[10] = 2000010;   // monthly without a day code
  s.sDay[11] = 2000510;   // monthly day 1 with a weekday
  s.sDay[12] = 1010010;   // weekly with a month
  s.sDay[13] = 4000010;   // no such kind
  s.sDay[49] = 3082900;   // 8-25 yearly
  unsigned char hits[kRegularRuleCount];
  RegularScheduleHits(Day(2003, 8, 25), s, hits);  // a Monday
  for (int i = 0; i < kRegularRuleCount; ++i) {
    EXPECT_EQ(hits[i], (i == 0 || i == 4 || i == 49) ? 1 : 0) << i;
  }
}

TEST(RegularSchedule, DecodeWord) {
  const RegularRule r = DecodeRegularRule(3123679);
  EXPECT_EQ(r.kind, 3);
  EXPECT_EQ(r.month, 12);
  EXPECT_EQ(r.dayCode, 36);
  EXPECT_EQ(r.weekday, 7);
  EXPECT_EQ(r.shift, 9);
}

// Digests of every day of 2001-2099 for two configurations, as computed by
// an independent implementation: per day the serial and the bit mask of
// the slots that hit (or the rest-day verdict), each as 64-bit
// little-endian, hashed with FNV-1a 64. tests/reference/regular_reference.py
// computes the same days apart from the program and names the first day
// that differs (CTest almanac_regular_vs_reference).
struct Digest {
  std::uint64_t h = 0xcbf29ce484222325ull;
  void Mix(std::int64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= (static_cast<std::uint64_t>(v) >> (8 * i)) & 0xffu;
      h *= 0x100000001b3ull;
    }
  }
};

void ExpectDigests(const DaySettings& s, std::uint64_t regular, std::uint64_t rest) {
  Digest hitsDigest, restDigest;
  unsigned char hits[kRegularRuleCount];
  for (SerialDay d = kFirstSerial; d <= kLastSerial; ++d) {
    RegularScheduleHits(d, s, hits);
    std::int64_t mask = 0;
    for (int i = 0; i < kRegularRuleCount; ++i) {
      if (hits[i]) mask |= std::int64_t{1} << i;
    }
    hitsDigest.Mix(d);
    hitsDigest.Mix(mask);
    restDigest.Mix(d);
    restDigest.Mix(IsRestDay(d, s) ? 1 : 0);
  }
  EXPECT_EQ(hitsDigest.h, regular);
  EXPECT_EQ(restDigest.h, rest);
}

DaySettings MixedRules() {
  static const int kRules[50] = {
      1000010, 1000011, 1000012, 1000061, 1000072, 1000017, 2000500, 2000501, 2000502, 2003600,
      2003601, 2003602, 2003603, 2003604, 2003605, 2003606, 2003607, 2003608, 2003609, 2002903,
      2002904, 2002905, 2002906, 2002907, 2002908, 2002909, 2000503, 2000505, 2000507, 2000509,
      2001013, 2000516, 2003908, 3010500, 3010501, 3010502, 3122900, 3050310, 3050311, 3050312,
      2002010, 2001376, 2003406, 2003504, 2002109, 3023600, 3023601, -2002900, 2001171, 1000051,
  };
  DaySettings s;
  for (int i = 0; i < 50; ++i) s.sDay[i] = kRules[i];
  return s;
}

TEST(RegularSchedule, EveryDayWithDefaultRestDays) {
  ExpectDigests(MixedRules(), 0x896d9bdb9b8d5189ull, 0xa467313e7723e779ull);
}

TEST(RegularSchedule, EveryDayWithOwnRestDayRules) {
  DaySettings s = MixedRules();
  s.weekday = 0x1E81;
  s.weekdayRules[0] = 0x11002300;  // the last day of every month
  s.weekdayRules[1] = 0x2C1D0103;  // 12-29 to 01-03
  s.weekdayRules[2] = 0x12080303;  // the third Wednesday of August
  s.weekdayRules[3] = 0x280D0810;  // 08-13 to 08-16
  s.bDayMove = 0x121;
  ExpectDigests(s, 0xc820d78aa819bb9cull, 0x96255a1638af013dull);
}

TEST(RuleValidity, RegularSchedules) {
  EXPECT_EQ(RegularScheduleWord(2, 0, 30, 0, 0, true), 2003000);   // monthly 26日
  EXPECT_EQ(RegularScheduleWord(2, 0, 30, 0, 0, false), -2003000);
  EXPECT_FALSE(RegularScheduleValid(1, 0, 0, 1, 7, true));         // weekly +1営業日
  EXPECT_TRUE(RegularScheduleValid(1, 0, 0, 1, 1, true));          // weekly 前移動
  EXPECT_EQ(RegularScheduleWord(1, 0, 0, 1, 1, true), 1000011);
  EXPECT_FALSE(RegularScheduleValid(2, 0, 2, 0, 0, true));         // 第二 without weekday
  EXPECT_FALSE(RegularScheduleValid(2, 0, 19, 3, 0, true));        // 15日 with 水曜
  EXPECT_FALSE(RegularScheduleValid(3, 12, 36, 0, 5, true));       // yearly -1営業日
  EXPECT_TRUE(RegularScheduleValid(3, 12, 36, 0, 2, true));
  EXPECT_TRUE(RegularScheduleValid(2, 0, 36, 0, 9, true));
  EXPECT_FALSE(RegularScheduleValid(0, 0, 0, 0, 0, true));
  EXPECT_TRUE(RegularScheduleValid(0, 0, 0, 0, 0, false));         // disabled: accepted
  EXPECT_FALSE(RegularScheduleValid(1, 3, 0, 1, 0, true));         // weekly with a month
  EXPECT_FALSE(RegularScheduleValid(1, 0, 0, 0, 0, true));         // weekly without weekday
  EXPECT_FALSE(RegularScheduleValid(2, 4, 5, 0, 0, true));         // monthly with a month
  EXPECT_FALSE(RegularScheduleValid(3, 0, 5, 0, 0, true));         // yearly without a month
  EXPECT_TRUE(RegularScheduleValid(3, 5, 3, 1, 0, true));          // yearly 5月 第三 月曜
  EXPECT_EQ(RegularScheduleWord(3, 12, 36, 7, 9, true), 3123679);
  // -1: a list with nothing selected
  EXPECT_FALSE(RegularScheduleValid(2, 0, -1, 0, 0, true));        // monthly without a day
  EXPECT_FALSE(RegularScheduleValid(3, -1, 5, 0, 0, true));        // yearly without a month
  EXPECT_FALSE(RegularScheduleValid(3, 4, -1, 0, 0, true));
  EXPECT_TRUE(RegularScheduleValid(1, -1, -1, 3, -1, true));       // weekly 水曜, nothing else
}

TEST(RuleValidity, RestDayRules) {
  EXPECT_TRUE(RestDayRuleValid(2, 2, 29, 0, 0));    // 2-29 to nothing
  EXPECT_FALSE(RestDayRuleValid(2, 0, 0, 0, 0));    // nothing to nothing
  EXPECT_TRUE(RestDayRuleValid(2, 0, 0, 1, 3));     // nothing to 1-3
  EXPECT_FALSE(RestDayRuleValid(2, 2, 30, 4, 31));  // neither is a date
  EXPECT_TRUE(RestDayRuleValid(2, 12, 29, 1, 3));
  EXPECT_FALSE(RestDayRuleValid(1, 1, 5, 10, 0));   // 毎月 with a month
  EXPECT_TRUE(RestDayRuleValid(1, 1, 0, 10, 0));    // 毎月 6日
  EXPECT_TRUE(RestDayRuleValid(1, 2, 3, 2, 7));     // 毎年 3月 第二 日曜
  EXPECT_FALSE(RestDayRuleValid(1, 2, 0, 2, 7));    // 毎年 without a month
  EXPECT_FALSE(RestDayRuleValid(1, 1, 0, 2, 0));    // 第二 without weekday
  EXPECT_FALSE(RestDayRuleValid(1, 1, 0, 2, -1));   // an unselected weekday list
  EXPECT_FALSE(RestDayRuleValid(1, 1, 0, 36, 3));   // 末日 with a weekday
  EXPECT_FALSE(RestDayRuleValid(1, 0, 0, 10, 0));   // no frequency
  EXPECT_FALSE(RestDayRuleValid(0, 1, 0, 10, 0));
  EXPECT_EQ(RestDayRuleWord(2, 12, 29, 1, 3), 0x2C1D0103u);
  EXPECT_EQ(RestDayRuleWord(1, 1, 0, 35, 0), 0x11002300u);
}

}  // namespace

}  // namespace hiyomi
