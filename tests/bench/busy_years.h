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

}  // namespace hiyomi
