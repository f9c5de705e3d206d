#include <algorithm>
#include <cstddef>
#include <iterator>

#include "almanac/lunar.h"
#include "almanac/trig.h"

namespace hiyomi {

const SolarSeriesRow SolarSeries[16] = {
    {1.9147, 35999.05, 267.52}, {-0.0048, 35999.05, 267.52}, {0.02, 71998.1, 265.1},
    {0.002, 32964.0, 158.0},    {0.0018, 19.0, 159.0},        {0.0018, 445267.0, 208.0},
    {0.0015, 45038.0, 254.0},   {0.0013, 22519.0, 352.0},     {0.0007, 65929.0, 45.0},
    {0.0007, 3035.0, 110.0},    {0.0007, 9038.0, 64.0},       {0.0006, 33718.0, 316.0},
    {0.0005, 155.0, 118.0},     {0.0005, 2281.0, 221.0},      {0.0004, 29930.0, 48.0},
    {0.0004, 31557.0, 161.0},
};

const char* const SolarTermNames[24] = {
    "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄",
};

namespace {

// Floor of a double to int for the magnitudes here (no C runtime call).
int FloorToInt(double v) {
  int i = static_cast<int>(v);
  if (static_cast<double>(i) > v) --i;
  return i;
}

// Days where the series puts the start of a term one day off the sky: the
// term begins on trueDay, and seriesDay has none.
struct SolarTermCorrection {
  SerialDay seriesDay;
  SerialDay trueDay;
  int term;
};
constexpr SolarTermCorrection kSolarTermCorrections[] = {
    {8040, 8041, 19},    // 小寒 2023-01-06, not 01-05
    {9121, 9122, 18},    // 冬至 2025-12-22, not 12-21
    {10642, 10641, 22},  // 雨水 2030-02-18, not 02-19
    {11268, 11269, 15},  // 立冬 2031-11-08, not 11-07
    {19227, 19228, 10},  // 処暑 2053-08-23, not 08-22
    {23321, 23322, 15},  // 立冬 2064-11-07, not 11-06
    {26928, 26929, 12},  // 秋分 2074-09-23, not 09-22
    {28039, 28040, 13},  // 寒露 2077-10-08, not 10-07
    {34308, 34309, 17},  // 大雪 2094-12-07, not 12-06
    {34688, 34689, 18},  // 冬至 2095-12-22, not 12-21
    {35374, 35375, 15},  // 立冬 2097-11-07, not 11-06
};

// Each row moves a term by one day and rows are far apart, so the rows are
// sorted by their later day too and no day belongs to two rows.
template <std::size_t N>
constexpr bool OneDayMovesFarApart(const SolarTermCorrection (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    const SerialDay step = rows[i].trueDay - rows[i].seriesDay;
    if ((step != 1 && step != -1) || (i > 0 && rows[i - 1].seriesDay + 3 > rows[i].seriesDay))
      return false;
  }
  return true;
}
static_assert(OneDayMovesFarApart(kSolarTermCorrections));

SerialDay LaterDay(const SolarTermCorrection& row) { return std::max(row.seriesDay, row.trueDay); }

}  // namespace

double SolarLongitude(SerialDay serial) noexcept {
  const double t = (JdAtMidnightJst(serial) - 2451545.0) * 2.7378507871321012e-05;
  // Accumulated left to right: the linear part, then each row in order.
  double lambda = 36000.7695 * t + 280.4659;
  for (const SolarSeriesRow& row : SolarSeries) {
    lambda += row.amplitude * AlmanacCos((row.rate * t + row.phase) * 0.017453292519943);
  }
  while (lambda < 0.0) lambda += 360.0;
  while (lambda >= 360.0) lambda -= 360.0;
  return lambda;
}

int LongitudeStepCrossed(SerialDay serial, int step) noexcept {
  const double s = static_cast<double>(step);
  const double reciprocal = 1.0 / s;
  const double b = SolarLongitude(serial);
  const double next = s * static_cast<double>(FloorToInt(b * reciprocal) + 1);
  const double e = SolarLongitude(serial + 1);
  if (e > next) return static_cast<int>(e * reciprocal);  // truncation toward zero
  if (e < 2.0 && next == 360.0) return 0;                  // wrapped through 0 degrees
  return -1;
}

int SolarTermOf(SerialDay serial) noexcept {
  const SolarTermCorrection* row = std::lower_bound(
      std::begin(kSolarTermCorrections), std::end(kSolarTermCorrections), serial,
      [](const SolarTermCorrection& r, SerialDay day) { return LaterDay(r) < day; });
  if (row != std::end(kSolarTermCorrections)) {
    if (serial == row->seriesDay) return -1;
    if (serial == row->trueDay) return row->term;
  }
  return LongitudeStepCrossed(serial, 15);
}

}  // namespace hiyomi

