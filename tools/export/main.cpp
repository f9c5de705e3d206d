// hiyomi-export: writes the days of a data folder as an iCalendar file,
// the same file the program's "iCalendar出力" writes, for scripted backups.
//   hiyomi-export ics DATA_DIR FIRST LAST OUT.ics
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "almanac/dates.h"
#include "print/ical_export.h"
#include "schedule/display_flags.h"
#include "tools/export/data_folder.h"

using namespace hiyomi;

namespace {

constexpr char kUsage[] =
    "usage: hiyomi-export ics DATA_DIR FIRST LAST OUT.ics   (dates YYYY-MM-DD, 2001-01-01..2099-12-31)\n"
    "  DATA_DIR holds the year files and, when there is one, Hiyomi.ini (options, categories,\n"
    "  and IcsOpt, which says whether regular schedules and holidays go out as well)\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "hiyomi-export: %s\n", message.c_str());
  return 2;
}

std::string StampNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
#if defined(_WIN32)
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  return IcsStampText(IcsStamp{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                               utc.tm_min, utc.tm_sec});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 || std::strcmp(argv[1], "ics") != 0) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  SerialDay first = kNoDay, last = kNoDay;
  if (!ParseIsoDate(argv[3], &first)) return Fail("FIRST is not a date of 2001-01-01..2099-12-31");
  if (!ParseIsoDate(argv[4], &last)) return Fail("LAST is not a date of 2001-01-01..2099-12-31");
  if (last < first) return Fail("LAST is before FIRST");
  DataFiles& files = SystemDataFiles();
  const std::string folder = argv[2];
  if (folder.empty() || !files.Exists(folder)) return Fail("no data folder " + folder);

  DataFolder data(files, folder);
  std::string problem;
  if (!data.Open(first, last, problem)) return Fail(problem);
  const DayItemInputs inputs{data, data.options(), data.daySettings(), TodaySerial(), kShowAll};
  const std::string out = argv[5];
  if (WriteIcsFile(files, out, first, last, data.IcsChoices(), inputs, StampNow()) !=
      IcsWriteResult::kWritten) {
    return Fail("cannot write " + out + " (any old file is left as it was)");
  }
  return 0;
}
