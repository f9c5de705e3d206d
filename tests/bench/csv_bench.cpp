// Speed of the CSV export: every day of 2001-2099 with every item checked,
// read through the year reader from 99 year files with eight entries on
// every day, written to a real file. The goal is under 1 s under Wine.
// Natively a Google Benchmark; in the Windows tree, where that library is
// not built, the same export is timed by hand:
//   tools/wine-run build/windows/tests/bench/csv_bench.exe [REPEATS]
// Both report the peak memory of the process.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#endif

#include "almanac/dates.h"
#include "almanac/day_settings.h"
#include "print/csv_export.h"
#include "schedule/data_file.h"
#include "schedule/display_flags.h"
#include "schedule/prompts.h"
#include "schedule/records.h"
#include "schedule/year_reader.h"
#include "schedule/year_store.h"
#include "settings/options.h"
#include "tests/bench/busy_years.h"

namespace hiyomi {
namespace {

class QuietPrompts final : public UserPrompts {
 public:
  void Tell(const char*) noexcept override {}
  bool AskYesNo(const char*) noexcept override { return false; }
};

// The days as the program reads them: through the year reader, never the
// editing store.
class FileDays final : public DayDataSource {
 public:
  explicit FileDays(const std::string& base) : store_(SystemDataFiles(), prompts_),
                                               reader_(SystemDataFiles(), store_) {
    store_.Open(base, 2026);
  }
  bool DayRecordOf(SerialDay day, DayRecord& out) override { return reader_.DayRecordOf(day, out); }
  std::span<const ScheduleEntry> UndatedEntries() override { return {}; }
  const char* CategoryNameOf(int category) override {
    static const char* const kNames[] = {"仕事", "私用", "家族"};
    return category >= 0 && category < 3 ? kNames[category] : "";
  }
  int32_t CategoryTextColorOf(int) override { return -1; }
  int32_t CategoryBackColorOf(int) override { return -1; }
  bool MakeReadable(char (&)[kEntryTextSize]) override { return true; }
  std::span<const ToDoItem> ToDoItems() override { return {}; }
  std::span<const TemporaryItem> TemporaryItems() override { return {}; }

 private:
  QuietPrompts prompts_;
  YearStore store_;
  YearReader reader_;
};

struct Export {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "hiyomi-csv-bench";
  std::string base;
  std::string csv;

  Export() {
    std::filesystem::create_directories(folder);
    base = (folder / "Hiyomi").string();
    csv = (folder / "Hiyomi.csv").string();
    for (int year = 2001; year <= 2099; ++year) WriteBusyYear(base, year);
  }

  // Bytes written; 0 when the write failed. csvOpt: the dialog's choices.
  size_t Run(const char* csvOpt) {
    auto options = std::make_unique<Options>();
    const DaySettings days{};
    FileDays data(base);
    const DayItemInputs inputs{data, *options, days, SerialFromDate(2026, 12, 10), kShowAll};
    if (WriteCsvFile(SystemDataFiles(), csv, kFirstSerial, kLastSerial, ParseCsvOpt(csvOpt), inputs) !=
        CsvWriteResult::kWritten) {
      return 0;
    }
    return static_cast<size_t>(std::filesystem::file_size(csv));
  }
};

}  // namespace
}  // namespace hiyomi

// Every almanac item checked, the entries in one field or a line each.
constexpr const char* kChoices[] = {"0001111", "0011111"};

#ifdef _WIN32
int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  hiyomi::Export exportRun;
  const int failures = hiyomi::TimeChoicesByHand("CSVOpt", kChoices, repeats,
                                                 [&](const char* choice) { return exportRun.Run(choice); });
  return failures == 0 ? 0 : 1;
}
#else
namespace hiyomi {
namespace {

void BM_CsvExport99Years(benchmark::State& state) {
  static Export exportRun;  // the files are written once
  const char* choice = kChoices[state.range(0)];
  state.SetLabel(std::string("CSVOpt ") + choice);
  size_t bytes = 0;
  for (auto _ : state) bytes = exportRun.Run(choice);
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["peak_MB"] = PeakMegabytes();
  if (bytes == 0) state.SkipWithError("the export failed");
}
BENCHMARK(BM_CsvExport99Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hiyomi

BENCHMARK_MAIN();
#endif
