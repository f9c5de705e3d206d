// hiyomi-almanac: prints what the almanac core computes, for tests and people.
//   dump FIRST LAST       one tab-separated line per day (machine-readable)
//   month YYYY-MM         the month as a table in UTF-8
//   regular FIRST LAST    the regular-schedule slots that hit each day
//   restdays FIRST LAST   the rest-day verdict of each day
//   items DATE            the sixteen day-information texts of a day
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "almanac/day_info.h"
#include "almanac/day_settings.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"
#include "almanac/regular_schedules.h"
#include "almanac/rest_days.h"
#include "tools/almanac/text_utf8.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

using namespace hiyomi;

namespace {

constexpr const char* kUsage =
    "usage: hiyomi-almanac dump FIRST LAST      (dates YYYY-MM-DD, 2001-01-01..2099-12-31)\n"
    "       hiyomi-almanac month YYYY-MM\n"
    "       hiyomi-almanac regular FIRST LAST [--weekday W] [--rules P0,P1,P2,P3]\n"
    "                      [--bdaymove B] RULE...   (up to 50 rule words, slot 1 first)\n"
    "       hiyomi-almanac restdays FIRST LAST [--weekday W] [--rules P0,P1,P2,P3]\n"
    "       hiyomi-almanac items DATE [--ptnsday S] [--weekday W] [--rules P0,P1,P2,P3]\n"
    "                      [--bdaytime M] [--now YYYY-MM-DDTHH:MM]\n"
    "numbers are decimal or 0x-hex; defaults: W 0x141, P 0, B 0x002, S 0, M 0\n";

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

bool ParseDate(const char* text, SerialDay* serial) { return ParseIsoDate(text, serial); }

// YYYY-MM of 2001-01..2099-12.
bool ParseMonth(const char* text, int* year, int* month) {
  if (std::strlen(text) != 7 || text[4] != '-') return false;
  if (!ParseDigits(text, 4, year) || !ParseDigits(text + 5, 2, month)) return false;
  return *year >= 2001 && *year <= 2099 && *month >= 1 && *month <= 12;
}

// A whole decimal or 0x-hex number, optionally negative, that fits in
// [low, high].
bool ParseNumber(const char* text, long long low, long long high, long long* value) {
  if (*text == '\0') return false;
  const bool negative = *text == '-';
  const char* digits = negative ? text + 1 : text;
  int base = 10;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits += 2;
  }
  if (*digits == '\0' || *digits == '-' || *digits == '+' || *digits == ' ') return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(digits, &end, base);
  if (errno != 0 || *end != '\0') return false;
  *value = negative ? -v : v;
  return *value >= low && *value <= high;
}

// The options the verbs share, and the words that are no option.
struct Arguments {
  DaySettings settings;
  std::vector<const char*> positional;
  bool hasNow = false;
  LocalTime now{};
};

bool ParseRules(const char* text, DaySettings* settings) {
  std::string all = text;
  size_t start = 0;
  for (int i = 0; i < kOwnRestRuleCount; ++i) {
    const size_t comma = all.find(',', start);
    const bool last = i == kOwnRestRuleCount - 1;
    if ((comma == std::string::npos) != last) return false;
    const std::string field = all.substr(start, last ? std::string::npos : comma - start);
    long long v = 0;
    if (!ParseNumber(field.c_str(), 0, 0xFFFFFFFFll, &v)) return false;
    settings->weekdayRules[i] = static_cast<unsigned>(v);
    start = comma + 1;
  }
  return true;
}

// YYYY-MM-DDTHH:MM
bool ParseNow(const char* text, LocalTime* now) {
  SerialDay day = 0;
  if (std::strlen(text) != 16 || text[10] != 'T' || text[13] != ':') return false;
  const std::string date(text, 10);
  int hour = 0, minute = 0;
  if (!ParseDate(date.c_str(), &day) || !ParseDigits(text + 11, 2, &hour) ||
      !ParseDigits(text + 14, 2, &minute) || hour > 23 || minute > 59)
    return false;
  const CalendarDate d = DateFromSerial(day);
  *now = LocalTime{d.year, d.month, d.day, hour, minute};
  return true;
}

// Reads the options that `allowed` names (space-separated); returns an
// error message or nullptr.
const char* ParseArguments(int argc, char** argv, const char* allowed, Arguments* a) {
  for (int i = 0; i < argc; ++i) {
    const char* word = argv[i];
    if (std::strncmp(word, "--", 2) != 0) {
      a->positional.push_back(word);
      continue;
    }
    const std::string name = word + 2;
    if (std::string(" ") .append(allowed).append(" ").find(" " + name + " ") == std::string::npos)
      return "unknown option";
    if (i + 1 >= argc) return "option without a value";
    const char* value = argv[++i];
    long long v = 0;
    if (name == "weekday") {
      if (!ParseNumber(value, 0, 0x1FFF, &v)) return "--weekday is not a number 0..0x1FFF";
      a->settings.weekday = static_cast<unsigned>(v);
    } else if (name == "rules") {
      if (!ParseRules(value, &a->settings)) return "--rules needs four numbers P0,P1,P2,P3";
    } else if (name == "bdaymove") {
      if (!ParseNumber(value, 0, 546, &v)) return "--bdaymove is not a number 0..546";
      a->settings.bDayMove = static_cast<int>(v);
    } else if (name == "bdaytime") {
      if (!ParseNumber(value, 0, 1440, &v)) return "--bdaytime is not a number 0..1440";
      a->settings.bDayTime = static_cast<int>(v);
    } else if (name == "ptnsday") {
      SerialDay day = 0;
      if (ParseDate(value, &day)) {
        a->settings.ptnSDay = day;
      } else if (ParseNumber(value, 0, kLastSerial, &v)) {
        a->settings.ptnSDay = static_cast<SerialDay>(v);
      } else {
        return "--ptnsday is not a serial 0..36159 or a date";
      }
    } else if (name == "now") {
      if (!ParseNow(value, &a->now)) return "--now is not YYYY-MM-DDTHH:MM in 2001..2099";
      a->hasNow = true;
    }
  }
  return nullptr;
}

// FIRST and LAST from the first two positional words.
const char* ParseRange(const Arguments& a, SerialDay* first, SerialDay* last) {
  if (a.positional.size() < 2) return "two dates needed";
  if (!ParseDate(a.positional[0], first)) return "FIRST is not a date of 2001-01-01..2099-12-31";
  if (!ParseDate(a.positional[1], last)) return "LAST is not a date of 2001-01-01..2099-12-31";
  if (*first > *last) return "FIRST is after LAST";
  return nullptr;
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

void AppendDayPrefix(std::string* out, SerialDay s) {
  const CalendarDate date = DateFromSerial(s);
  Append(out, "%d\t%04d-", s, date.year);
  Append(out, "%02d-%02d\t", date.month, date.day);
}

int RunRegular(int argc, char** argv) {
  Arguments a;
  if (const char* error = ParseArguments(argc, argv, "weekday rules bdaymove", &a)) return Fail(error);
  SerialDay first = 0, last = 0;
  if (const char* error = ParseRange(a, &first, &last)) return Fail(error);
  const size_t ruleCount = a.positional.size() - 2;
  if (ruleCount > static_cast<size_t>(kRegularRuleCount)) return Fail("more than 50 rules");
  for (size_t i = 0; i < ruleCount; ++i) {
    long long v = 0;
    if (!ParseNumber(a.positional[2 + i], -4000000, 4000000, &v))
      return Fail("a rule is not a number -4000000..4000000");
    a.settings.sDay[i] = static_cast<int>(v);
  }
  std::string out;
  unsigned char hits[kRegularRuleCount];
  for (SerialDay s = first; s <= last; ++s) {
    AppendDayPrefix(&out, s);
    RegularScheduleHits(s, a.settings, hits);
    bool any = false;
    for (int i = 0; i < kRegularRuleCount; ++i) {
      if (!hits[i]) continue;
      Append(&out, any ? ",%d" : "%d", i + 1);
      any = true;
    }
    out += any ? "\n" : "-\n";
  }
  return WriteAll(out) ? 0 : 1;
}

int RunRestDays(int argc, char** argv) {
  Arguments a;
  if (const char* error = ParseArguments(argc, argv, "weekday rules", &a)) return Fail(error);
  SerialDay first = 0, last = 0;
  if (const char* error = ParseRange(a, &first, &last)) return Fail(error);
  if (a.positional.size() != 2) return Fail("restdays takes two dates");
  std::string out;
  for (SerialDay s = first; s <= last; ++s) {
    AppendDayPrefix(&out, s);
    out += IsRestDay(s, a.settings) ? "1\n" : "0\n";
  }
  return WriteAll(out) ? 0 : 1;
}

int RunItems(int argc, char** argv) {
  Arguments a;
  if (const char* error =
          ParseArguments(argc, argv, "ptnsday weekday rules bdaytime bdaymove now", &a))
    return Fail(error);
  SerialDay day = 0;
  if (a.positional.size() != 1) return Fail("items takes one date");
  if (!ParseDate(a.positional[0], &day)) return Fail("DATE is not a date of 2001-01-01..2099-12-31");
  if (a.hasNow) SetFixedClockForTests(a.now);
  const LunarDate lunar = LunarDateOf(day);
  std::string out;  // CP932, converted once at the end
  char text[kDayItemTextSize];
  for (int code = 0; code < 16; ++code) {
    DayItemText(code, day, lunar, a.settings, text);
    Append(&out, "%d\t", code);
    out += text;
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
  if (std::strcmp(verb, "regular") == 0) return RunRegular(argc - 2, argv + 2);
  if (std::strcmp(verb, "restdays") == 0) return RunRestDays(argc - 2, argv + 2);
  if (std::strcmp(verb, "items") == 0) return RunItems(argc - 2, argv + 2);
  return Fail("unknown verb");
}
