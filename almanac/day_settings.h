// The options that the day information and regular-schedule tests read,
// handed in as a plain value so the almanac needs no settings code and tests
// no global state. The options model fills one from its record.
#pragma once

#include "almanac/dates.h"

namespace hiyomi {

inline constexpr int kOwnRestRuleCount = 4;       // 他1 - 他4
inline constexpr int kRegularRuleCount = 50;   // SDay1 - SDay50

struct DaySettings {
  // Rest-day flags: bits 0-6 weekdays (0 = Sunday), bit 7 Saturday outside
  // holiday weeks, bit 8 holidays, bits 9-12 enable rules 他1-他4.
  unsigned weekday = 0x141;
  unsigned weekdayRules[kOwnRestRuleCount] = {};  // WeekdayP0 - WeekdayP3
  SerialDay ptnSDay = 0;                       // reference day, 0 = today
  int bDayTime = 0;                            // minutes after midnight, [0, 1440]
  int bDayMove = 0x002;                        // three hexadecimal policy digits
  int sDay[kRegularRuleCount] = {};            // regular schedule rule words
};

}  // namespace hiyomi
