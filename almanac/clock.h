// The clock seam of the almanac: the machine's local date and time of day.
// Tests set a fixed clock; the real one reads the C library's local time.
#pragma once

namespace hiyomi {

struct LocalTime {
  int year;    // Gregorian
  int month;   // [1, 12]
  int day;     // [1, 31]
  int hour;    // [0, 23]
  int minute;  // [0, 59]
};

using ClockFunction = LocalTime (*)();

// The machine's local time now, through the clock in force.
LocalTime ReadLocalTime() noexcept;

// Minutes since local midnight, [0, 1439].
int MinutesSinceMidnight() noexcept;

// Replaces the clock; nullptr restores the machine's clock.
void SetClockForTests(ClockFunction clock) noexcept;

// Convenience for tests and tools: a clock fixed at the given instant.
void SetFixedClockForTests(const LocalTime& now) noexcept;

}  // namespace hiyomi
