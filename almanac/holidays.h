// Japanese public holidays, with the law of today from 2016 on.
#pragma once

#include "almanac/dates.h"

namespace hiyomi {

// -9 ordinary weekday, -1 ordinary Saturday or Sunday, 0-20 index into
// HolidayNames. Callers test >= 0 (holiday), >= -1 (day off by the
// calendar) and < -8 (working day).
using HolidayCode = int;

inline constexpr HolidayCode kHolidaySubstitute = 0;   // 振替休日
inline constexpr HolidayCode kHolidayBetween = 1;      // 国民の休日
inline constexpr HolidayCode kOrdinaryWeekend = -1;
inline constexpr HolidayCode kOrdinaryWeekday = -9;
inline constexpr int kHolidayNameCount = 21;           // codes 0-20

// 21 names, index = code, then an empty terminating entry.
extern const char* const HolidayNames[kHolidayNameCount + 1];

// Defined for [1, 36159]; no allocation, no table by year.
HolidayCode HolidayCodeOf(SerialDay serial) noexcept;

}  // namespace hiyomi
