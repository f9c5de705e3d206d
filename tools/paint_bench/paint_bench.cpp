// hiyomi-paint-bench [REPEATS]: times full repaints of the drawing surface,
// for the default view and for a busy one (12 rows of 31 days, 50 regular
// schedules, eight entries on every day of 2026), and prints the mean and
// the slowest repaint of each in milliseconds. Runs in a folder of its own.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "schedule/records.h"
#include "settings/options.h"
#include "shell/main_view_win.h"
#include "shell/program_objects_win.h"
#include "tests/shell/main_window_fixture.h"

using namespace hiyomi;

namespace {

constexpr int kYear = 2026;

// A year file with eight entries on every day, some of them spanning days.
void WriteBusyYear(const std::string& path) {
  const int days = IsLeapYear(kYear) ? 366 : 365;
  hiyomi::YearFileHeader header = hiyomi::EmptyYearHeader();
  header.count = days;
  std::vector<uint8_t> bytes(hiyomi::kHeaderSize + days * hiyomi::kDayRecordSize);
  const SerialDay first = SerialFromDate(kYear, 1, 1);
  for (int d = 0; d < days; ++d) {
    header.index[d] = d;
    hiyomi::DayRecord record = hiyomi::FreshDayRecord(first + d);
    for (int e = 0; e < hiyomi::kEntriesPerDay; ++e) {
      hiyomi::ScheduleEntry& entry = record.entries[e];
      entry.order = static_cast<int8_t>(e + 1);
      entry.category = static_cast<uint8_t>(e % 3);
      std::snprintf(entry.text, sizeof entry.text, "予定%d 打ち合わせ", e + 1);
      entry.backColor = e % 2 == 0 ? 0xE0F0FF : -1;
      entry.span = (e == 7 && d % 5 == 0) ? 2 : 0;
    }
    hiyomi::EncodeDayRecord(record, bytes.data() + hiyomi::kHeaderSize + d * hiyomi::kDayRecordSize);
  }
  hiyomi::EncodeHeader(header, bytes.data());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void Report(const char* name, MainView& view, int repeats) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    PaintSurface(view);
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
  }
  double sum = 0;
  for (double t : times) sum += t;
  std::printf("%-8s %3d rows x %3d columns: mean %7.2f ms, slowest %7.2f ms over %d repaints\n",
              name, view.grid.rows, view.grid.columns, sum / repeats,
              *std::max_element(times.begin(), times.end()), repeats);
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "hiyomi-paint-bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteBusyYear(folder + "\\Hiyomi_2026.dat");
  const LocalTime today{kYear, 6, 10, 9, 0};
  hiyomi_test::OpenProgramIn("hiyomi-paint-bench", {}, &today);

  MainView view;
  HWND window = hiyomi_test::CreateViewWindow(view);
  view.rows.focusDay = SerialFromDate(kYear, 6, 10);
  ApplyOptions(view, hiyomi::AppOptions());
  Report("default", view, repeats);

  hiyomi::Options& options = hiyomi::AppOptions();
  options.Tate = 12;
  options.Yoko = 31;
  hiyomi::SetStartDayCode(options, 8);  // a month a row
  options.YokoSize = 60;
  for (int i = 0; i < hiyomi::kRegularCount; ++i) {
    options.SDay[i] = 1000010 + (i % 7) * 10;  // weekly, every weekday in turn
    std::snprintf(options.SDayName[i], sizeof options.SDayName[i], "定期%d", i + 1);
  }
  ReleaseView(view);
  InitView(view, window, Program().dayData);
  view.rows.focusDay = SerialFromDate(kYear, 1, 1);
  ApplyOptions(view, options);
  Report("busy", view, repeats);

  hiyomi_test::DestroyViewWindow(view, window);
  hiyomi_test::CloseProgram();
  return 0;
}
