// The user's own rest days and business-day differences.
#pragma once

#include <cstddef>

#include "almanac/dates.h"
#include "almanac/day_settings.h"

namespace hiyomi {

// Whether the day is a rest day under the user's rest-day settings.
bool IsRestDay(SerialDay serial, const DaySettings& settings) noexcept;

// Business days from the reference day (PtnSDay, or today with the time of
// day against BDayTime) to target, with the user's rest days (own) or the
// calendar's. Returns false, writing nothing, when target is more than 400
// days from the reference day. text (may be null, room for 16 bytes) gets
// "%d", or "(%d)" when target itself is off.
bool BusinessDayDiff(SerialDay target, bool own, const DaySettings& settings, int* count,
                     char* text) noexcept;

// The plain day difference: PtnSDay - day with a reference day, else
// day - today.
int PlainDayDifference(SerialDay day, const DaySettings& settings) noexcept;

}  // namespace hiyomi
