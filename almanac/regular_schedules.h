// Regular schedules: which of the 50 rule words fall on a day.
#pragma once

#include "almanac/dates.h"
#include "almanac/day_settings.h"

namespace hiyomi {

// A positive rule word read digit by digit from the right.
struct RegularRule {
  int kind;     // millions: 1 weekly, 2 monthly, 3 yearly
  int month;    // ten- and hundred-thousands: 0 none, 1-12
  int dayCode;  // hundreds and thousands: 1-4 n-th weekday, 5-34 day - 4, >= 35 last day
  int weekday;  // tens: 0 none, 1-6 Monday-Saturday, 7 Sunday
  int shift;    // units: 0 none, 1 前移動, 2 後移動, 3-9 -3..+3 business days
};

RegularRule DecodeRegularRule(int word) noexcept;

// The day matches the day code (with weekday for codes 1-4) and the month
// (0 = any month).
bool RuleDateMatches(SerialDay day, int dayCode, int weekday, int month) noexcept;

// Whether the rule word (ignored when <= 0) falls on the day.
bool RegularRuleHits(int word, SerialDay serial, const DaySettings& settings) noexcept;

// hits[i] = 1 when rule slot i (SDay i + 1) falls on the day, else 0.
void RegularScheduleHits(SerialDay serial, const DaySettings& settings,
                         unsigned char hits[kRegularRuleCount]) noexcept;

}  // namespace hiyomi
