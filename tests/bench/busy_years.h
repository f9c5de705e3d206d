// What the export benchmarks share: year files as busy as they get, and
// the peak memory of the process.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include "almanac/dates.h"
#include "schedule/data_file.h"
#include "schedule/records.h"
#include "schedule/year_store.h"

namespace hiyomi {

// Eight entries on every day of the year, one of them a two-day span now
// and then, as busy as a file gets.
inline void WriteBusyYear(const std::string& base, int year) {
  const SerialDay first = SerialOfNewYear(year);
  const int days = IsLeapYear(year) ? 366 : 365;
  YearFileHeader header = EmptyYearHeader();
  header.count = days;
  std::vector<uint8_t> bytes(kHeaderSize + days * kDayRecordSize);
  for (int d = 0; d < days; ++d) {
    header.index[d] = d;
    DayRecord record = FreshDayRecord(first + d);
    for (int e = 0; e < kEntriesPerDay; ++e) {
      ScheduleEntry& entry = record.entries[e];
      entry.order = static_cast<int8_t>(e + 1);
      entry.category = static_cast<uint8_t>(e % 3);
      std::snprintf(entry.text, sizeof entry.text, "予定%d 打ち合わせ, \"第%d会議室\"", e + 1, d % 9);
      entry.span = (e == 7 && d % 5 == 0) ? 2 : 0;
    }
    EncodeDayRecord(record, bytes.data() + kHeaderSize + d * kDayRecordSize);
  }
  EncodeHeader(header, bytes.data());
  const std::span<const uint8_t> pieces[] = {bytes};
  SaveDataFile(SystemDataFiles(), YearFileName(base, year), "", pieces);
}

inline double PeakMegabytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
#endif
}

#ifdef _WIN32
// The Windows tree has no Google Benchmark: each choice is exported
// `repeats` times and timed by hand, then the peak working set is printed.
// Returns the number of choices whose export failed (wrote 0 bytes).
template <class Run>
int TimeChoicesByHand(const char* optName, std::span<const char* const> choices, int repeats, Run run) {
  int failures = 0;
  for (const char* choice : choices) {
    double slowest = 0;
    double sum = 0;
    size_t bytes = 0;
    for (int i = 0; i < repeats; ++i) {
      LARGE_INTEGER frequency, start, end;
      QueryPerformanceFrequency(&frequency);
      QueryPerformanceCounter(&start);
      bytes = run(choice);
      QueryPerformanceCounter(&end);
      const double took = static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
      sum += took;
      slowest = took > slowest ? took : slowest;
    }
    if (bytes == 0) ++failures;
    std::printf("%s %s, 2001-2099, eight entries a day: %zu bytes, mean %.3f s, slowest %.3f s"
                " over %d runs\n", optName, choice, bytes, sum / repeats, slowest, repeats);
  }
  std::printf("peak working set %.1f MB\n", PeakMegabytes());
  return failures;
}
#endif

}  // namespace hiyomi
