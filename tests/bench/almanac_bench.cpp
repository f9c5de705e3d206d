// Speed of the almanac core: the goals are HolidayCodeOf under 50 ns a call
// and the full 2001-2099 dump under 0.5 s, with no allocation anywhere.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "almanac/dates.h"
#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"

// Counts allocations so each benchmark can report that it made none.
static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

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

}  // namespace

BENCHMARK_MAIN();
