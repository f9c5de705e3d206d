// Speed of the iCalendar export: every day of 2001-2099 with eight entries
// on each, read from 99 real year files the way hiyomi-export reads a data
// folder, written to a real file. The goal is under 2 s natively.
// Natively a Google Benchmark; in the Windows tree, where that library is
// not built, the same export is timed by hand:
//   tools/wine-run build/windows/tests/bench/ical_bench.exe [REPEATS]
// Both report the peak memory of the process.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <benchmark/benchmark.h>
#endif

#include "print/ical_export.h"
#include "schedule/display_flags.h"
#include "tests/bench/busy_years.h"
#include "tools/export/data_folder.h"

namespace hiyomi {
namespace {

struct Export {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "hiyomi-ics-bench";
  std::string ics;

  Export() {
    std::filesystem::create_directories(folder);
    for (int year = 2001; year <= 2099; ++year) WriteBusyYear((folder / "Hiyomi").string(), year);
    ics = (folder / "Hiyomi.ics").string();
  }

  // Bytes written; 0 when the write failed. icsOpt: the dialog's choices.
  size_t Run(const char* icsOpt) {
    DataFolder data(SystemDataFiles(), folder.string());
    std::string problem;
    if (!data.Open(kFirstSerial, kLastSerial, problem)) return 0;
    const DayItemInputs inputs{data, data.options(), data.daySettings(), SerialFromDate(2026, 12, 10),
                               kShowAll};
    if (WriteIcsFile(SystemDataFiles(), ics, kFirstSerial, kLastSerial, ParseIcsOpt(icsOpt), inputs,
                     "20261210T120000Z") != IcsWriteResult::kWritten) {
      return 0;
    }
    return static_cast<size_t>(std::filesystem::file_size(ics));
  }
};

}  // namespace
}  // namespace hiyomi

// The entries alone, and with the holidays (there are no regular schedules,
// temporary or to-do items in a bare folder).
constexpr const char* kChoices[] = {"0000", "1111"};

#ifdef _WIN32
int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  hiyomi::Export exportRun;
  const int failures = hiyomi::TimeChoicesByHand("IcsOpt", kChoices, repeats,
                                                 [&](const char* choice) { return exportRun.Run(choice); });
  return failures == 0 ? 0 : 1;
}
#else
namespace hiyomi {
namespace {

void BM_IcsExport99Years(benchmark::State& state) {
  static Export exportRun;  // the files are written once
  const char* choice = kChoices[state.range(0)];
  state.SetLabel(std::string("IcsOpt ") + choice);
  size_t bytes = 0;
  for (auto _ : state) bytes = exportRun.Run(choice);
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["peak_MB"] = PeakMegabytes();
  if (bytes == 0) state.SkipWithError("the export failed");
}
BENCHMARK(BM_IcsExport99Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hiyomi

BENCHMARK_MAIN();
#endif
