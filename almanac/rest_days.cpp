#include "almanac/rest_days.h"

#include <cstdio>

#include "almanac/clock.h"
#include "almanac/holidays.h"

namespace hiyomi {

namespace {

constexpr unsigned kSaturdayOutsideHolidayWeeks = 1u << 7;
constexpr unsigned kHolidays = 1u << 8;
constexpr unsigned kFirstRuleEnable = 1u << 9;
constexpr int kDiffLimit = 400;

bool IsLastDayOfMonth(const CalendarDate& d) { return d.day == DaysInMonth(d.year, d.month); }

// Kind 1: a day of the month (n-th weekday, a day number or the last day).
bool DayOfMonthRuleMatches(unsigned rule, SerialDay s, const CalendarDate& date) {
  const unsigned mode = (rule >> 24) & 0xF;
  const unsigned month = (rule >> 16) & 0xFF;
  const unsigned g = (rule >> 8) & 0xFF;
  const unsigned weekday = rule & 0xFF;  // 1-6 Monday-Saturday, 7 Sunday
  bool dayMatches = false;
  if (g >= 1 && g <= 4) {
    dayMatches = weekday >= 1 && weekday <= 7 &&
                 static_cast<unsigned>(WeekdayOf(s)) == weekday % 7 &&
                 static_cast<unsigned>((date.day - 1) / 7 + 1) == g;
  } else if (g >= 5 && g <= 34) {
    dayMatches = date.day == static_cast<int>(g) - 4;
  } else if (g >= 35) {
    dayMatches = IsLastDayOfMonth(date);
  }
  const bool monthMatches = (mode == 1 && month == 0) || (mode == 2 && month == date.month);
  return dayMatches && monthMatches;
}

// Kind 2: a date range that may run over the new year.
bool DateRangeRuleMatches(unsigned rule, SerialDay s, const CalendarDate& date) {
  const int startMonth = static_cast<int>((rule >> 24) & 0xF);
  const int startDay = static_cast<int>((rule >> 16) & 0xFF);
  const int endMonth = static_cast<int>((rule >> 8) & 0xFF);
  const int endDay = static_cast<int>(rule & 0xFF);
  int year = date.year;
  SerialDay start = SerialFromDate(year, startMonth, startDay);
  if (s < start) {
    --year;
    start = SerialFromDate(year, startMonth, startDay);
  }
  SerialDay end = SerialFromDate(year, endMonth, endDay);
  if (end < start) end = SerialFromDate(year + 1, endMonth, endDay);
  return start <= s && s <= end;
}

bool IsOff(SerialDay d, bool own, const DaySettings& settings) {
  return own ? IsRestDay(d, settings) : HolidayCodeOf(d) >= -1;
}

}  // namespace

bool IsRestDay(SerialDay s, const DaySettings& settings) noexcept {
  const unsigned flags = settings.weekday;
  const int w = WeekdayOf(s);
  if (flags & (1u << w)) return true;
  if ((flags & kSaturdayOutsideHolidayWeeks) && w == 6) {
    bool holidayInWeek = false;
    for (int back = 1; back <= 5 && !holidayInWeek; ++back) {
      holidayInWeek = HolidayCodeOf(s - back) >= 0;
    }
    if (!holidayInWeek) return true;
  }
  if ((flags & kHolidays) && HolidayCodeOf(s) >= 0) return true;
  if (flags & (0xFu * kFirstRuleEnable)) {
    const CalendarDate date = DateFromSerial(s);
    for (int i = 0; i < kOwnRestRuleCount; ++i) {
      if (!(flags & (kFirstRuleEnable << i))) continue;
      const unsigned rule = settings.weekdayRules[i];
      const unsigned kind = rule >> 28;
      if (kind == 1 && DayOfMonthRuleMatches(rule, s, date)) return true;
      if (kind == 2 && DateRangeRuleMatches(rule, s, date)) return true;
    }
  }
  return false;
}

bool BusinessDayDiff(SerialDay t, bool own, const DaySettings& settings, int* count,
                     char* text) noexcept {
  SerialDay r = settings.ptnSDay != 0 ? settings.ptnSDay : TodaySerial();
  if (t < r - kDiffLimit || t > r + kDiffLimit) return false;
  if (t < r) {
    // A reference day that is off counts from the next business day. A
    // configuration with every day off stops after a year.
    for (int guard = 0; guard < 366 && IsOff(r, own, settings); ++guard) ++r;
  }
  int n = 0;
  const int step = t >= r ? 1 : -1;
  for (SerialDay d = r; d != t; d += step) {
    if (!IsOff(d, own, settings)) n += step;
  }
  if (settings.ptnSDay != 0) {
    n = -n;
  } else if (own && n >= 0 && MinutesSinceMidnight() < settings.bDayTime) {
    ++n;
  }
  if (text != nullptr) std::snprintf(text, 16, IsOff(t, own, settings) ? "(%d)" : "%d", n);
  if (count != nullptr) *count = n;
  return true;
}

int PlainDayDifference(SerialDay day, const DaySettings& settings) noexcept {
  return settings.ptnSDay != 0 ? settings.ptnSDay - day : day - TodaySerial();
}

}  // namespace hiyomi
