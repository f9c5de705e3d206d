// The lunar calendar, moon age and solar terms.
#pragma once

#include "almanac/dates.h"

namespace hiyomi {

struct LunarDate {
  int lunarMonth;  // 1-12, or -1..-12 for the leap month after that month
  int lunarDay;    // [1, 30]
};

struct SolarSeriesRow {
  double amplitude;  // A, degrees
  double rate;       // F, degrees per Julian century
  double phase;      // P, degrees
};

extern const SolarSeriesRow SolarSeries[16];
extern const char* const SolarTermNames[24];    // k = longitude / 15 degrees, 0 = 春分
extern const char* const LunarMonthNames[13];   // 1-12; entry 0 is empty

// One row of the override table: serials first..last (inclusive) have the
// given month and lunarDay = serial - first + firstDay.
struct LunarOverride {
  SerialDay first;
  SerialDay last;
  int lunarMonth;
  int firstDay;
};
extern const LunarOverride LunarOverrides[28];

// Degrees in [0, 360) at 00:00 JST at the start of the day.
double SolarLongitude(SerialDay serial) noexcept;
// Index of the multiple of step degrees the sun passes during the day, or -1.
int LongitudeStepCrossed(SerialDay serial, int step) noexcept;
// [0, 23] when a solar term begins during the JST day, else -1: the series
// of LongitudeStepCrossed(serial, 15), set right on the few days it is off.
int SolarTermOf(SerialDay serial) noexcept;

// Days since the last new moon at the Julian Day jd.
double MoonAge(double jd) noexcept;
// Moon age at 12:00 JST of the day in tenths of a day (123 = 12.3).
int MoonAgeTenths(SerialDay serial) noexcept;

LunarDate LunarDateOf(SerialDay serial) noexcept;
// What the series alone give, before the override table: tests compare the
// two to see that the table changes its own days and no others.
LunarDate LunarDateBySeries(SerialDay serial) noexcept;

// The reuse allowed to callers that walk consecutive days: the day
// after the previous one, with a previous lunarDay below 29, takes that date
// with lunarDay + 1 (unless the day lies in an override row); any other day is
// computed afresh. For every day of 2001-2099 this equals LunarDateOf.
class LunarWalker {
 public:
  LunarDate At(SerialDay serial) noexcept;

 private:
  SerialDay last_ = 0;
  bool valid_ = false;
  LunarDate date_{0, 0};
};

}  // namespace hiyomi
