#include "almanac/rule_validity.h"

#include "almanac/dates.h"

namespace hiyomi {

namespace {

// A date in the leap year 2000, so 29 February counts.
bool IsValidMonthDay(int month, int day) {
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(2000, month);
}

}  // namespace

bool RegularScheduleValid(int kind, int month, int day, int weekday, int shift,
                          bool enabled) noexcept {
  if (!enabled) return true;
  // A list with no selection gives -1: that is no choice, not a choice.
  month = month > 0 ? month : 0;
  day = day > 0 ? day : 0;
  weekday = weekday > 0 ? weekday : 0;
  shift = shift > 0 ? shift : 0;
  const bool hasWeekday = weekday > 0;
  const bool weekdayAgreesWithDay = (day >= 1 && day <= 4) ? hasWeekday : !hasWeekday;
  switch (kind) {
    case 1:
      return month == 0 && day == 0 && hasWeekday && shift <= 2;
    case 2:
      return month == 0 && day != 0 && weekdayAgreesWithDay;
    case 3:
      return month != 0 && day != 0 && shift <= 2 && weekdayAgreesWithDay;
    default:
      return false;
  }
}

bool RestDayRuleValid(int kind, int first, int second, int third, int fourth) noexcept {
  switch (kind) {
    case 1: {
      const int frequency = first, month = second, day = third, weekday = fourth;
      const bool hasMonth = month > 0;
      const bool frequencyOk = (frequency == 1 && !hasMonth) || (frequency == 2 && hasMonth);
      const bool hasWeekday = weekday > 0;
      const bool dayOk = (day >= 1 && day <= 4 && hasWeekday) || (day >= 5 && !hasWeekday);
      return frequencyOk && dayOk;
    }
    case 2:
      return IsValidMonthDay(first, second) || IsValidMonthDay(third, fourth);
    default:
      return false;
  }
}

int RegularScheduleWord(int kind, int month, int day, int weekday, int shift,
                        bool enabled) noexcept {
  const int word = kind * 1000000 + month * 10000 + day * 100 + weekday * 10 + shift;
  return enabled ? word : -word;
}

unsigned RestDayRuleWord(int kind, int first, int second, int third, int fourth) noexcept {
  const auto field = [](int v, int mask) { return static_cast<unsigned>(v > 0 ? v : 0) & mask; };
  return (static_cast<unsigned>(kind) << 28) | (field(first, 0xF) << 24) |
         (field(second, 0xFF) << 16) | (field(third, 0xFF) << 8) | field(fourth, 0xFF);
}

}  // namespace hiyomi
