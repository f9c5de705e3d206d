#include "almanac/regular_schedules.h"

#include "almanac/holidays.h"
#include "almanac/rest_days.h"

namespace hiyomi {

namespace {

constexpr int kOffRunLimit = 366;  // runs of days off are followed this far from s

bool IsCalendarOff(SerialDay d) { return HolidayCodeOf(d) >= -1; }

bool IsWellFormed(const RegularRule& r) {
  const bool weekdayForCode = r.dayCode >= 1 && r.dayCode <= 4 ? (r.weekday >= 1 && r.weekday <= 7)
                                                               : r.weekday == 0;
  switch (r.kind) {
    case 1:
      return r.month == 0 && r.dayCode == 0 && r.weekday >= 1 && r.weekday <= 7 && r.shift <= 2;
    case 2:
      return r.month == 0 && r.dayCode >= 1 && weekdayForCode;
    case 3:
      return r.month >= 1 && r.month <= 12 && r.dayCode >= 1 && weekdayForCode && r.shift <= 2;
    default:
      return false;
  }
}

// The same day number one month later (+1) or earlier (-1), clamped to that
// month's length, as a true serial (also for the months before 2001).
SerialDay SameDayInNeighbourMonth(SerialDay s, int direction) {
  const CalendarDate date = DateFromSerial(s);
  const SerialDay firstOfMonth = s - (date.day - 1);
  int month = date.month;
  const int year = date.year + StepMonth(direction, &month);
  const int length = DaysInMonth(year, month);
  const SerialDay firstOfOther =
      direction > 0 ? firstOfMonth + DaysInMonth(date.year, date.month) : firstOfMonth - length;
  return firstOfOther + (date.day < length ? date.day : length) - 1;
}

struct RuleDate {
  int dayCode;
  int weekday;
  int month;
  bool Matches(SerialDay d) const { return RuleDateMatches(d, dayCode, weekday, month); }
};

// Whether the rule date falls on `from` + k*step for k = 1, 2, ... while
// those days are off (own rest days or the calendar's), at most 366 days
// from s.
bool MatchesInOffRun(const RuleDate& rd, SerialDay s, SerialDay from, int step, bool own,
                     const DaySettings& settings) {
  for (SerialDay d = from + step; d - s <= kOffRunLimit && s - d <= kOffRunLimit; d += step) {
    const bool off = own ? IsRestDay(d, settings) : IsCalendarOff(d);
    if (!off) return false;
    if (rd.Matches(d)) return true;
  }
  return false;
}

bool WeeklyHits(const RegularRule& r, SerialDay s, const DaySettings& /*settings*/) {
  const int ruleWeekday = r.weekday % 7;
  if (WeekdayOf(s) == ruleWeekday && (HolidayCodeOf(s) < 0 || r.shift == 0)) return true;
  if ((r.shift == 1 || r.shift == 2) && !IsCalendarOff(s)) {
    const int step = r.shift == 1 ? 1 : -1;
    for (SerialDay d = s + step; d - s <= kOffRunLimit && s - d <= kOffRunLimit; d += step) {
      if (!IsCalendarOff(d)) break;
      if (WeekdayOf(d) == ruleWeekday) return true;
    }
  }
  return false;
}

// The n-th business day (own rest days) after s (step +1) or before it
// (step -1), or no day once the walk passes the same day of the next or
// previous month.
bool NthBusinessDay(SerialDay s, int n, int step, const DaySettings& settings, SerialDay* w) {
  const SerialDay limit = SameDayInNeighbourMonth(s, step);
  int found = 0;
  for (SerialDay d = s + step; step > 0 ? d <= limit : d >= limit; d += step) {
    if (!IsRestDay(d, settings) && ++found == n) {
      *w = d;
      return true;
    }
  }
  return false;
}

// Candidates: w, and by the policy digit the own rest days directly after
// w (0), nothing else (1) or the own rest days directly before w (2).
bool CandidatesMatch(const RuleDate& rd, SerialDay s, SerialDay w, int policy,
                     const DaySettings& settings) {
  if (rd.Matches(w)) return true;
  if (policy == 1) return false;
  return MatchesInOffRun(rd, s, w, policy == 2 ? -1 : 1, true, settings);
}

bool BusinessShiftHits(const RegularRule& r, SerialDay s, const DaySettings& settings) {
  if (IsRestDay(s, settings)) return false;
  const RuleDate rd{r.dayCode, r.weekday, 0};
  const int n = r.shift - 6;  // [-3, 3]
  const unsigned move = static_cast<unsigned>(settings.bDayMove);
  if (n < 0) {
    SerialDay w = 0;
    if (!NthBusinessDay(s, -n, 1, settings, &w)) return false;
    int high = move > 767 ? 0 : static_cast<int>((move >> 8) & 0xF);
    if (high > 2) high = 0;
    return CandidatesMatch(rd, s, w, high, settings);
  }
  if (n > 0) {
    SerialDay w = 0;
    if (!NthBusinessDay(s, n, -1, settings, &w)) return false;
    int low = static_cast<int>(move & 0xF);
    if (low > 2) low = 2;
    return CandidatesMatch(rd, s, w, low, settings);
  }
  int middle = static_cast<int>((move >> 4) & 0xF);
  if (middle > 2) middle = 1;
  return CandidatesMatch(rd, s, s, middle, settings);
}

}  // namespace

RegularRule DecodeRegularRule(int word) noexcept {
  return RegularRule{(word / 1000000) % 10, (word / 10000) % 100, (word / 100) % 100,
                     (word / 10) % 10, word % 10};
}

bool RuleDateMatches(SerialDay day, int dayCode, int weekday, int month) noexcept {
  const CalendarDate date = DateFromSerial(day);
  if (month != 0 && month != date.month) return false;
  if (dayCode >= 1 && dayCode <= 4) {
    return WeekdayOf(day) == weekday % 7 && weekday >= 1 && weekday <= 7 &&
           (date.day - 1) / 7 + 1 == dayCode;
  }
  if (dayCode >= 5) {
    return date.day == dayCode - 4 ||
           (dayCode >= 35 && date.day == DaysInMonth(date.year, date.month));
  }
  return false;
}

bool RegularRuleHits(int word, SerialDay s, const DaySettings& settings) noexcept {
  if (word <= 0) return false;
  const RegularRule r = DecodeRegularRule(word);
  if (!IsWellFormed(r)) return false;
  if (r.kind == 1) return WeeklyHits(r, s, settings);
  const RuleDate rd{r.dayCode, r.weekday, r.kind == 3 ? r.month : 0};
  switch (r.shift) {
    case 0:
      return rd.Matches(s);
    case 1:
    case 2:
      if (IsCalendarOff(s)) return false;
      return rd.Matches(s) || MatchesInOffRun(rd, s, s, r.shift == 1 ? 1 : -1, false, settings);
    default:
      return BusinessShiftHits(r, s, settings);
  }
}

void RegularScheduleHits(SerialDay serial, const DaySettings& settings,
                         unsigned char hits[kRegularRuleCount]) noexcept {
  for (int i = 0; i < kRegularRuleCount; ++i) {
    hits[i] = settings.sDay[i] > 0 && RegularRuleHits(settings.sDay[i], serial, settings) ? 1 : 0;
  }
}

}  // namespace hiyomi
