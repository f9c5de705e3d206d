// Serial day numbers, calendar dates and day arithmetic.
#pragma once

#include <cstdint>

namespace hiyomi {

using SerialDay = std::int32_t;
static_assert(sizeof(SerialDay) == 4, "SerialDay is a signed 32-bit integer");

struct CalendarDate {
  std::uint16_t year;   // 2001-2099 in the supported range
  std::uint16_t month;  // [1, 12]
  std::uint16_t day;    // [1, 31]
};
static_assert(sizeof(CalendarDate) == 6, "CalendarDate is three 16-bit fields");

inline constexpr SerialDay kFirstSerial = 1;      // 2001-01-01, a Monday
inline constexpr SerialDay kLastSerial = 36159;   // 2099-12-31
inline constexpr SerialDay kNoDay = 36160;     // one past the range: no day, free slot

// Indexed by weekday (0 = Sunday ... 6 = Saturday); CP932 texts.
extern const char* const WeekdayNamesJa[7];
extern const char* const WeekdayNamesEn[7];
// Indexed 1-12; entry 0 is empty.
extern const char* const MonthNamesEn[13];

bool IsLeapYear(int year) noexcept;
int DaysInMonth(int year, int month) noexcept;  // 28, 29, 30 or 31

// The day is clamped to the month's length first (2001-02-30 -> 2001-02-28).
SerialDay SerialFromDate(int year, int month, int day) noexcept;

// Defined for [1, 36159]; serials a little outside (the year before and
// after, as the rest-day and regular-schedule walks reach) give the true
// date too.
CalendarDate DateFromSerial(SerialDay serial) noexcept;
void DateFromSerial(SerialDay serial, int* year, int* month, int* day) noexcept;

int WeekdayOf(SerialDay serial) noexcept;  // [0, 6], 0 = Sunday

// The serial of 1 January of year and the year that holds serial, by the
// Gregorian rule (2000 is a leap year, 2100 is not), for the whole years
// the data files keep: 2000 (serials -365..0) to 2100 (36160..36524).
SerialDay SerialOfNewYear(int year) noexcept;
int YearOfSerial(SerialDay serial) noexcept;

// Today's local date of the machine (through the clock seam of clock.h).
SerialDay TodaySerial() noexcept;

// [1, 36159]: <= 0 -> 1, >= 36160 -> 36159.
SerialDay ClampSerial(SerialDay serial) noexcept;

// "YYYY-MM-DD", a real day of 2001-01-01..2099-12-31, as the command-line
// tools take dates. False for anything else.
bool ParseIsoDate(const char* text, SerialDay* serial) noexcept;

// Adds months to *month (1-12) in place; returns the years to carry.
int StepMonth(int months, int* month) noexcept;

// Julian Day of 00:00 and 12:00 JST at the start of / during the serial day.
double JdAtMidnightJst(SerialDay serial) noexcept;
double JdAtNoonJst(SerialDay serial) noexcept;

}  // namespace hiyomi
