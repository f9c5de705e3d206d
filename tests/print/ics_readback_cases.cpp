// ics_readback_cases FOLDER: lays out what ics_readback.py reads back with
// two iCalendar parsers.
//   FOLDER/data/           year files and Hiyomi.ini for hiyomi-export, with
//                          FOLDER/tool.expect, the events the export must hold
//   FOLDER/unlocked.ics    written by the writer itself with secret entries
//   FOLDER/unlocked.again.ics  unlocked, twice, and FOLDER/unlocked.expect
// An .expect file names the range on its first line, then one event a line:
// start, end (exclusive), summary and category as CP932 hexadecimal ("-"
// for empty), CLASS and TRANSP ("-" for none).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "almanac/holidays.h"
#include "csv_days.h"
#include "print/ical_export.h"
#include "schedule/year_store.h"
#include "tests/schedule/schedule_fixtures.h"

using namespace hiyomi;
using namespace hiyomi::testing;

namespace {

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

std::string Hex(const std::string& text) {
  if (text.empty()) return "-";
  std::string hex;
  char two[3];
  for (unsigned char c : text) {
    std::snprintf(two, sizeof two, "%02x", c);
    hex += two;
  }
  return hex;
}

std::string IsoDate(SerialDay day) {
  const CalendarDate d = DateFromSerial(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

struct Expected {
  SerialDay start, end;
  std::string summary, category;
  const char* klass = "-";
  const char* transp = "-";
};

void WriteExpect(const std::string& path, SerialDay first, SerialDay last,
                 const std::vector<Expected>& events) {
  std::ofstream out(path, std::ios::binary);
  out << IsoDate(first) << ' ' << IsoDate(last) << '\n';
  for (const Expected& e : events) {
    out << IsoDate(e.start) << ' ' << IsoDate(e.end) << ' ' << Hex(e.summary) << ' '
        << Hex(e.category) << ' ' << e.klass << ' ' << e.transp << '\n';
  }
}

// Twenty full-width characters, 40 bytes: 表 and ソ have the trail byte 0x5C.
const std::string kLongJapanese = "表示ソフト会議の準備と資料作成を行う予定";
const std::string kSyntax = "a,b;c\\d 表";
const std::string kHalfwidth(40, '\xB1');  // ｱ x 40: 120 octets of UTF-8, folded
const std::string kUnmapped = "x\x85\x40y\x81";  // a pair without a character, a lone lead byte

void DataFolderCase(const std::string& folder) {
  const std::string data = folder + "/data";
  std::filesystem::create_directories(data);
  const std::string base = data + "/Hiyomi";
  const SerialDay y2026 = SerialOfNewYear(2026), y2027 = SerialOfNewYear(2027);
  auto day = [](SerialDay serial, int newYear, std::vector<EntryFields> entries) {
    return DayFields{serial - newYear, serial, std::move(entries)};
  };
  // A secret text in the stored form: the tool asks no password, so it stays locked.
  std::string secret = "&\x01\x04";
  secret += "\x10\x20\x30\x40";
  WriteBytes(YearFileName(base, 2026),
             YearFileBytes({
                 day(Day(2026, 1, 30), y2026, {{.category = 0, .text = kLongJapanese, .span = 2}}),
                 day(Day(2026, 3, 3), y2026, {{.category = 1, .text = kSyntax}}),
                 day(Day(2026, 3, 4), y2026, {{.category = 255, .text = kHalfwidth}}),
                 day(Day(2026, 3, 5), y2026, {{.category = 1, .text = secret}, {.category = 0, .text = "見える"}}),
                 day(Day(2026, 3, 6), y2026, {{.category = 0, .text = kUnmapped}, {.order = -1, .text = "隠す"}}),
                 day(Day(2026, 12, 30), y2026, {{.category = 1, .text = "年末年始", .span = 4}}),
             }));
  WriteBytes(YearFileName(base, 2027),
             YearFileBytes({day(Day(2027, 1, 5), y2027, {{.category = 0, .text = "仕事始め"}})}));
  std::ofstream ini(data + "/Hiyomi.ini", std::ios::binary);
  ini << "[Default]\r\nSection=Default\r\nType1=仕事\r\nType2=私用\r\nSecret=1\r\n"
         "SDay1=2001502\r\nSDayName1=定例会\r\nIcsOpt=1001\r\n";
  ini.close();

  const SerialDay first = Day(2026, 1, 1), last = Day(2027, 1, 31);
  std::vector<Expected> events = {
      {Day(2026, 1, 30), Day(2026, 2, 2), kLongJapanese, "仕事"},
      {Day(2026, 3, 3), Day(2026, 3, 4), kSyntax, "私用"},
      {Day(2026, 3, 4), Day(2026, 3, 5), kHalfwidth, ""},
      {Day(2026, 3, 5), Day(2026, 3, 6), "見える", "仕事"},
      {Day(2026, 3, 6), Day(2026, 3, 7), kUnmapped, "仕事"},
      {Day(2026, 12, 30), Day(2027, 1, 4), "年末年始", "私用"},
      {Day(2027, 1, 5), Day(2027, 1, 6), "仕事始め", "仕事"},
  };
  // The 11th of each month, moved to the next working day off days off.
  for (const char* date : {"2026-01-13", "2026-02-12", "2026-03-11", "2026-04-13", "2026-05-11",
                           "2026-06-11", "2026-07-13", "2026-08-12", "2026-09-11", "2026-10-13",
                           "2026-11-11", "2026-12-11", "2027-01-12"}) {
    SerialDay hit = kNoDay;
    ParseIsoDate(date, &hit);
    events.push_back({hit, hit + 1, "定例会", ""});
  }
  for (SerialDay d = first; d <= last; ++d) {
    const HolidayCode code = HolidayCodeOf(d);
    if (code >= 0) events.push_back({d, d + 1, HolidayNames[code], "", "-", "TRANSPARENT"});
  }
  WriteExpect(folder + "/tool.expect", first, last, events);
}

class SilentPrompts final : public SecretPrompts {
 public:
  void Tell(const char*) noexcept override {}
  bool AskYesNo(const char*) noexcept override { return false; }
  void AskForPassword() noexcept override {}
};

void UnlockedCase(const std::string& folder) {
  SilentPrompts prompts;
  SecretTexts secrets;
  secrets.Cipher().DeriveKey("pw");
  secrets.SetLockState(kUnlocked);
  CsvInputs in;
  in.days.secrets = &secrets;
  const SerialDay day = Day(2026, 12, 10);
  in.days.Add(day, "見える予定", 0);
  secrets.EncipherText(in.days.Add(day, "&ひみつの予定", 1).text, prompts);
  secrets.EncipherText(in.days.Add(day - 1, "&旅行", 1).text, prompts);
  in.days.records[day - 1].entries[0].span = 3;
  const struct {
    const char* name;
    const char* stamp;
  } exports[] = {{"/unlocked.ics", "20261210T120000Z"}, {"/unlocked.again.ics", "20261211T000000Z"}};
  for (const auto& [name, stamp] : exports) {
    if (WriteIcsFile(SystemDataFiles(), folder + name, day, day + 1, IcsOptions{}, in.Inputs(),
                     stamp) != IcsWriteResult::kWritten) {
      std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
      std::exit(1);
    }
  }
  WriteExpect(folder + "/unlocked.expect", day, day + 1,
              {{day - 1, day + 3, "旅行", "私用", "PRIVATE"},
               {day, day + 1, "見える予定", "仕事"},
               {day, day + 1, "ひみつの予定", "私用", "PRIVATE"}});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ics_readback_cases FOLDER\n");
    return 2;
  }
  DataFolderCase(argv[1]);
  UnlockedCase(argv[1]);
  return 0;
}
