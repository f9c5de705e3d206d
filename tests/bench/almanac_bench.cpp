// Speed of the almanac core: the goals are HolidayCodeOf under 50 ns a call
// and the full 2001-2099 dump under 0.5 s, with no allocation anywhere.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"
#include "almanac/regular_schedules.h"
#include "almanac/rest_days.h"

// Counts allocations so each benchmark can report that it made none.
static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace hiyomi {

namespace {

// Walks the range day by day, wrapping at the end.
struct DayCursor {
  SerialDay s = kFirstSerial;
  SerialDay Next() {
    const SerialDay d = s;
    s = s == kLastSerial ? kFirstSerial : s + 1;
    return d;
  }
};

void ReportAllocations(benchmark::State& state, long before) {
  state.counters["allocations"] = static_cast<double>(g_allocations.load() - before);
}

void BM_HolidayCodeOf(benchmark::State& state) {
  DayCursor days;
  const long before = g_allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(HolidayCodeOf(days.Next()));
  ReportAllocations(state, before);
}
BENCHMARK(BM_HolidayCodeOf);

void BM_SolarTermOf(benchmark::State& state) {
  DayCursor days;
  const long before = g_allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(SolarTermOf(days.Next()));
  ReportAllocations(state, before);
}
BENCHMARK(BM_SolarTermOf);

void BM_MoonAgeTenths(benchmark::State& state) {
  DayCursor days;
  const long before = g_allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(MoonAgeTenths(days.Next()));
  ReportAllocations(state, before);
}
BENCHMARK(BM_MoonAgeTenths);

// Every call computed afresh, on days spread over the range.
void BM_LunarDateOf_Cold(benchmark::State& state) {
  SerialDay s = kFirstSerial;
  const long before = g_allocations.load();
  for (auto _ : state) {
    benchmark::DoNotOptimize(LunarDateOf(s));
    s += 97;
    if (s > kLastSerial) s -= kLastSerial;
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_LunarDateOf_Cold);

// Consecutive days with the lunar-date reuse of LunarWalker (per day, averaged).
void BM_LunarDateOf_Walk(benchmark::State& state) {
  LunarWalker walker;
  DayCursor days;
  const long before = g_allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(walker.At(days.Next()));
  ReportAllocations(state, before);
}
BENCHMARK(BM_LunarDateOf_Walk);

// Everything one dump line needs, for all 36159 days.
void BM_FullRangeDayValues(benchmark::State& state) {
  const long before = g_allocations.load();
  for (auto _ : state) {
    LunarWalker walker;
    long sum = 0;
    for (SerialDay s = kFirstSerial; s <= kLastSerial; ++s) {
      const CalendarDate d = DateFromSerial(s);
      const LunarDate ld = walker.At(s);
      sum += d.day + WeekdayOf(s) + HolidayCodeOf(s) + ld.lunarMonth + ld.lunarDay +
             MoonAgeTenths(s) + SolarTermOf(s) + RokuyoOf(ld);
    }
    benchmark::DoNotOptimize(sum);
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_FullRangeDayValues)->Unit(benchmark::kMillisecond);

void BM_IsRestDay(benchmark::State& state) {
  DayCursor days;
  DaySettings settings;
  settings.weekday = 0x1FC1;  // weekends, outside-holiday-week Saturdays, holidays, 他1-他4
  settings.weekdayRules[0] = 0x11002300;
  settings.weekdayRules[1] = 0x2C1D0103;
  settings.weekdayRules[2] = 0x12080303;
  settings.weekdayRules[3] = 0x280D0810;
  const long before = g_allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(IsRestDay(days.Next(), settings));
  ReportAllocations(state, before);
}
BENCHMARK(BM_IsRestDay);

// 50 active rules of every kind and shift.
DaySettings FiftyRules() {
  static const int kRules[50] = {
      1000010, 1000011, 1000012, 1000061, 1000072, 2000500, 2000501, 2000502, 2003600, 2003601,
      2003602, 2003603, 2003604, 2003605, 2003606, 2003607, 2003608, 2003609, 2002903, 2002904,
      2002905, 2002906, 2002907, 2002908, 2002909, 2000503, 2000505, 2000507, 2000509, 2001013,
      2003908, 3010500, 3010501, 3010502, 3122900, 3050310, 3050311, 3050312, 2001376, 2003406,
      2003504, 2002109, 3023600, 3023601, 2001171, 1000051, 1000032, 2001900, 2002401, 3082902,
  };
  DaySettings settings;
  for (int i = 0; i < 50; ++i) settings.sDay[i] = kRules[i];
  return settings;
}

void BM_RegularScheduleHits(benchmark::State& state) {
  DayCursor days;
  const DaySettings settings = FiftyRules();
  unsigned char hits[kRegularRuleCount];
  const long before = g_allocations.load();
  for (auto _ : state) {
    RegularScheduleHits(days.Next(), settings, hits);
    benchmark::DoNotOptimize(hits);
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_RegularScheduleHits);

void BM_BusinessDayDiff(benchmark::State& state) {
  SetFixedClockForTests(LocalTime{2026, 5, 20, 9, 0});
  const DaySettings settings;
  const SerialDay today = TodaySerial();
  SerialDay t = today - 200;
  const long before = g_allocations.load();
  for (auto _ : state) {
    int count = 0;
    benchmark::DoNotOptimize(BusinessDayDiff(t, true, settings, &count, nullptr));
    t = t == today + 200 ? today - 200 : t + 1;
  }
  ReportAllocations(state, before);
  SetClockForTests(nullptr);
}
BENCHMARK(BM_BusinessDayDiff);

// A year of painted days: 50 regular schedules, the rest-day verdict, the
// four default day items (Ptn4 0x01B0) and items 13 and 14, around today.
void BM_YearOfDayCells(benchmark::State& state) {
  SetFixedClockForTests(LocalTime{2026, 5, 20, 9, 0});
  const DaySettings settings = FiftyRules();
  const SerialDay first = TodaySerial() - 120;
  const long before = g_allocations.load();
  for (auto _ : state) {
    LunarWalker walker;
    unsigned char hits[kRegularRuleCount];
    char text[kDayItemTextSize];
    long sum = 0;
    for (SerialDay s = first; s < first + 365; ++s) {
      RegularScheduleHits(s, settings, hits);
      sum += hits[0] + IsRestDay(s, settings);
      const LunarDate lunar = walker.At(s);
      for (int code : {0, 11, 1, 0, 13, 14}) {
        DayItemText(code, s, lunar, settings, text);
        sum += text[0];
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  ReportAllocations(state, before);
  SetClockForTests(nullptr);
}
BENCHMARK(BM_YearOfDayCells)->Unit(benchmark::kMillisecond);

}  // namespace


}  // namespace hiyomi

BENCHMARK_MAIN();
