// hiyomi-almanac: prints what the almanac core computes, for tests and people.
//   dump FIRST LAST   one tab-separated line per day (machine-readable)
//   month YYYY-MM     the month as a table in UTF-8
#include <cstdio>
#include <cstring>
#include <string>

#include "almanac/dates.h"
#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"
#include "tools/almanac/text_utf8.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kUsage =
    "usage: hiyomi-almanac dump FIRST LAST      (dates YYYY-MM-DD, 2001-01-01..2099-12-31)\n"
    "       hiyomi-almanac month YYYY-MM\n";

int Fail(const char* message) {
  std::fprintf(stderr, "hiyomi-almanac: %s\n%s", message, kUsage);
  return 2;
}

bool ParseDigits(const char* text, int count, int* value) {
  int v = 0;
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  *value = v;
  return true;
}

// YYYY-MM-DD, a real day of 2001-01-01..2099-12-31.
bool ParseDate(const char* text, SerialDay* serial) {
  int y = 0, m = 0, d = 0;
  if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
  if (!ParseDigits(text, 4, &y) || !ParseDigits(text + 5, 2, &m) || !ParseDigits(text + 8, 2, &d))
    return false;
  if (y < 2001 || y > 2099 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
  *serial = SerialFromDate(y, m, d);
  return true;
}

// YYYY-MM of 2001-01..2099-12.
bool ParseMonth(const char* text, int* year, int* month) {
  if (std::strlen(text) != 7 || text[4] != '-') return false;
  if (!ParseDigits(text, 4, year) || !ParseDigits(text + 5, 2, month)) return false;
  return *year >= 2001 && *year <= 2099 && *month >= 1 && *month <= 12;
}

void Append(std::string* out, const char* format, int a, int b = 0, int c = 0) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, a, b, c);
  out->append(buffer, static_cast<size_t>(n));
}

bool WriteAll(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

int RunDump(int argc, char** argv) {
  if (argc != 2) return Fail("dump takes two dates");
  SerialDay first = 0, last = 0;
  if (!ParseDate(argv[0], &first)) return Fail("FIRST is not a date of 2001-01-01..2099-12-31");
  if (!ParseDate(argv[1], &last)) return Fail("LAST is not a date of 2001-01-01..2099-12-31");
  if (first > last) return Fail("FIRST is after LAST");

  std::string out;
  out.reserve(static_cast<size_t>(last - first + 1) * 48);
  LunarWalker lunar;
  for (SerialDay s = first; s <= last; ++s) {
    const CalendarDate date = DateFromSerial(s);
    const LunarDate ld = lunar.At(s);
    const DayEtoIndex eto = DayEto(s);
    Append(&out, "%d\t%04d-", s, date.year);
    Append(&out, "%02d-%02d\t", date.month, date.day);
    Append(&out, "%d\t%d\t", WeekdayOf(s), HolidayCodeOf(s));
    Append(&out, "%d\t%d\t%d\t", ld.lunarMonth, ld.lunarDay, MoonAgeTenths(s));
    Append(&out, "%d\t%d\t", SolarTermOf(s), RokuyoOf(ld));
    Append(&out, "%d\t%d\n", eto.stem, eto.branch);
  }
  return WriteAll(out) ? 0 : 1;
}

// Pads a CP932 text to a width in terminal columns: a double-byte
// character is two columns wide, as it is two bytes long.
void AppendPadded(std::string* out, const std::string& text, size_t width) {
  out->append(text);
  if (text.size() < width) out->append(width - text.size(), ' ');
}

int RunMonth(int argc, char** argv) {
  if (argc != 1) return Fail("month takes one month");
  int year = 0, month = 0;
  if (!ParseMonth(argv[0], &year, &month)) return Fail("not a month of 2001-01..2099-12");

  std::string out;  // CP932, converted once at the end
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d年%d月\n", year, month);
  out += buffer;
  AppendPadded(&out, "日付", 12);
  AppendPadded(&out, "曜", 4);
  AppendPadded(&out, "祝日", 16);
  AppendPadded(&out, "旧暦", 10);
  AppendPadded(&out, "月齢", 6);
  AppendPadded(&out, "六曜", 6);
  out += "節気\n";

  const SerialDay first = SerialFromDate(year, month, 1);
  const SerialDay last = first + DaysInMonth(year, month) - 1;
  LunarWalker lunar;
  for (SerialDay s = first; s <= last; ++s) {
    const CalendarDate date = DateFromSerial(s);
    const LunarDate ld = lunar.At(s);
    const int holiday = HolidayCodeOf(s);
    const int tenths = MoonAgeTenths(s);
    const int term = SolarTermOf(s);
    const int lunarMonth = ld.lunarMonth < 0 ? -ld.lunarMonth : ld.lunarMonth;

    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    AppendPadded(&out, buffer, 12);
    AppendPadded(&out, WeekdayNamesJa[WeekdayOf(s)], 4);
    AppendPadded(&out, holiday >= 0 ? HolidayNames[holiday] : "", 16);
    std::snprintf(buffer, sizeof buffer, "%s%d.%d", ld.lunarMonth < 0 ? "閏" : "", lunarMonth,
                  ld.lunarDay);
    AppendPadded(&out, buffer, 10);
    std::snprintf(buffer, sizeof buffer, "%d.%01d", tenths / 10, tenths % 10);
    AppendPadded(&out, buffer, 6);
    AppendPadded(&out, RokuyoNames[RokuyoOf(ld)], 6);
    out += term >= 0 ? SolarTermNames[term] : "";
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += '\n';
  }
  return WriteAll(Utf8FromCp932(out)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // "\n" must stay "\n": the Windows dump is compared byte for byte.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc < 2) return Fail("no verb given");
  const char* verb = argv[1];
  if (std::strcmp(verb, "dump") == 0) return RunDump(argc - 2, argv + 2);
  if (std::strcmp(verb, "month") == 0) return RunMonth(argc - 2, argv + 2);
  return Fail("unknown verb");
}
