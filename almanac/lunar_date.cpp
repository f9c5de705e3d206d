#include "almanac/lunar.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace hiyomi {

const char* const LunarMonthNames[13] = {
    "",     "睦月", "如月", "弥生", "卯月", "皐月", "水無月",
    "文月", "葉月", "長月", "神無月", "霜月", "師走",
};

// Stretches where the series would put a month boundary or a leap month on
// the wrong day. Sorted and disjoint: FindOverride searches them by halving.
constexpr LunarOverride LunarOverrides[28] = {
    {4159, 4188, 4, 1},      // 2012-05-21 - 2012-06-19
    {4189, 4217, 5, 1},      // 2012-06-20 - 2012-07-18
    {5339, 5368, 7, 1},      // 2015-08-14 - 2015-09-12
    {5517, 5546, 1, 1},      // 2016-02-08 - 2016-03-08
    {5901, 5930, 2, 1},      // 2017-02-26 - 2017-03-27
    {11925, 11953, 8, 1},    // 2033-08-25 - 2033-09-22
    {11954, 11983, 9, 1},    // 2033-09-23 - 2033-10-22
    {12103, 12131, 1, 1},    // 2034-02-19 - 2034-03-19
    {12132, 12161, 2, 1},    // 2034-03-20 - 2034-04-18
    {12398, 12427, 11, 1},   // 2034-12-11 - 2035-01-09
    {12428, 12456, 12, 1},   // 2035-01-10 - 2035-02-07
    {16029, 16058, 10, 1},   // 2044-11-19 - 2044-12-18
    {18569, 18598, 10, 1},   // 2051-11-03 - 2051-12-02
    {19043, 19071, 1, 1},    // 2053-02-19 - 2053-03-19
    {19072, 19101, 2, 1},    // 2053-03-20 - 2053-04-18
    {25628, 25657, 2, 1},    // 2071-03-02 - 2071-03-31
    {25658, 25686, 3, 1},    // 2071-04-01 - 2071-04-29
    {29260, 29289, 1, 1},    // 2081-02-09 - 2081-03-10
    {29290, 29318, 2, 1},    // 2081-03-11 - 2081-04-08
    {32064, 32093, 9, 1},    // 2088-10-14 - 2088-11-12
    {32154, 32183, 12, 1},   // 2089-01-12 - 2089-02-10
    {32184, 32212, 1, 1},    // 2089-02-11 - 2089-03-11
    {33630, 33659, 1, 1},    // 2093-01-27 - 2093-02-25
    {33660, 33688, 2, 1},    // 2093-02-26 - 2093-03-26
    {35077, 35077, 11, 30},  // 2097-01-13
    {35078, 35106, 12, 1},   // 2097-01-14 - 2097-02-11
    {35875, 35904, 3, 1},    // 2099-03-22 - 2099-04-20
    {35905, 35933, -3, 1},   // 2099-04-21 - 2099-05-19
};

namespace {

template <std::size_t N>
constexpr bool SortedAndDisjoint(const LunarOverride (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (rows[i].first > rows[i].last || (i > 0 && rows[i - 1].last >= rows[i].first)) return false;
  }
  return true;
}
static_assert(SortedAndDisjoint(LunarOverrides));

// LunarWalker reuses a date only below day 29, so a walk leaves a row through
// a fresh computation as long as every row ends on day 29 or 30.
template <std::size_t N>
constexpr bool EndOnMonthEnds(const LunarOverride (&rows)[N]) {
  for (const LunarOverride& row : rows) {
    const int lastDay = row.firstDay + (row.last - row.first);
    if (lastDay != 29 && lastDay != 30) return false;
  }
  return true;
}
static_assert(EndOnMonthEnds(LunarOverrides));

const LunarOverride* FindOverride(SerialDay a) {
  // The last row that starts at or before a is the only one that can hold it.
  const LunarOverride* row =
      std::upper_bound(std::begin(LunarOverrides), std::end(LunarOverrides), a,
                       [](SerialDay day, const LunarOverride& r) { return day < r.first; });
  if (row == std::begin(LunarOverrides)) return nullptr;
  --row;
  return a <= row->last ? row : nullptr;
}

double AgeAtMidnight(SerialDay d) { return MoonAge(JdAtMidnightJst(d)); }

// The new moon falls in day d when the age at the start of d + 1 is below
// the age at the start of d.
bool IsNewMoonDay(SerialDay d) { return AgeAtMidnight(d + 1) < AgeAtMidnight(d); }

// From day d going back, the first new-moon day at or before d (stopping at
// floor), then one day further back when the age after it exceeds a day.
SerialDay MonthStartAtOrBefore(SerialDay d, SerialDay floor) {
  while (d > floor && !IsNewMoonDay(d)) --d;
  if (AgeAtMidnight(d + 1) > 1.0) --d;
  return d;
}

int FloorToInt(double v) {
  int i = static_cast<int>(v);
  if (static_cast<double>(i) > v) --i;
  return i;
}

int MajorTermSector(SerialDay d) { return FloorToInt(SolarLongitude(d) * 0.03333333333333333); }

}  // namespace

LunarDate LunarDateOf(SerialDay a) noexcept {
  if (const LunarOverride* row = FindOverride(a)) {
    return LunarDate{row->lunarMonth, a - row->first + row->firstDay};
  }
  return LunarDateBySeries(a);
}

LunarDate LunarDateBySeries(SerialDay a) noexcept {
  // The last equinox or solstice: estimated, then found exactly.
  const double lambda = SolarLongitude(a);
  const int quarter = FloorToInt(lambda * 0.011111111111111112);
  const int delta = FloorToInt((lambda - 90.0 * quarter) * 0.9856262833675564);
  SerialDay e = a - delta;
  int f = LongitudeStepCrossed(e, 90);
  while (f < 0) {
    --e;
    f = LongitudeStepCrossed(e, 90);
  }
  int month = 3 * f + 2;

  // Month starts S0 <= ... <= S(n-1) <= a < Sn. A lunation is at least
  // 29 days, so a search never needs to look more than 60 days back.
  SerialDay previous = MonthStartAtOrBefore(e, e - 60);
  SerialDay current = previous;  // S(n-1)
  SerialDay next = previous;     // Sn
  int previousSector = 0;
  bool leap = false;
  int index = 0;  // j of the start in `next`
  while (next <= a) {
    current = next;
    next = MonthStartAtOrBefore(current + 31, current + 1);
    if (next <= current) next = current + 30;  // never with these series; no endless loop
    ++index;
    // The month S(j) .. S(j+1) for j >= 1 is judged once S(j+1) is known.
    const int nextSector = MajorTermSector(next);
    if (index >= 2) {
      if (previousSector != nextSector) {
        ++month;
        leap = false;
      } else {
        leap = true;
      }
    }
    previousSector = nextSector;
  }
  if (month > 12) month -= 12;
  return LunarDate{leap ? -month : month, a - current + 1};
}

LunarDate LunarWalker::At(SerialDay serial) noexcept {
  if (valid_ && serial == last_ + 1 && date_.lunarDay < 29 && FindOverride(serial) == nullptr) {
    ++date_.lunarDay;
  } else {
    date_ = LunarDateOf(serial);
  }
  last_ = serial;
  valid_ = true;
  return date_;
}

}  // namespace hiyomi
