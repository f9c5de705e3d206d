// csv_readback_cases FOLDER: writes CSV files whose texts hold what breaks
// naive CSV (quotes, separators, line breaks, a trail byte 0x5C), each with
// the rows and fields a reader must get back, for csv_readback.py.
// FOLDER/NAME.csv is the export; FOLDER/NAME.fields names the separator on
// its first line, then one row a line, each field as hexadecimal bytes
// after a space ("-" for an empty field).
#include <cstdio>
#include <string>
#include <vector>

#include "csv_days.h"
#include "print/csv_export.h"
#include "schedule/data_file.h"

using namespace hiyomi;
using namespace hiyomi::testing;

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Case {
  const char* name;
  const char* optBoxes;  // CSVOpt's characters 2 to 7
  CsvSeparator separator;
  SerialDay first, last;
  Rows rows;
};

const SerialDay kDay = SerialFromDate(2026, 12, 10);  // a Thursday
const char* const kDate = "2026年12月10日";
const char* const kNextDate = "2026年12月11日";

std::string Hex(const std::string& field) {
  if (field.empty()) return "-";
  std::string hex;
  char two[3];
  for (unsigned char c : field) {
    std::snprintf(two, sizeof two, "%02x", c);
    hex += two;
  }
  return hex;
}

bool WriteText(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: csv_readback_cases FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  CsvInputs in;
  in.days.names[2] = "A,B";
  in.days.names[3] = "\"引用\"";
  in.days.Add(kDay, "say \"hi\"", 0);
  in.days.Add(kDay, "1,2\t3", 1);
  in.days.Add(kDay, "表示", 2);
  in.days.Add(kDay, "一行目\n二行目", 3);  // a text a damaged file may hold
  in.days.Add(kDay + 1, "\"", 0);

  const std::string whole = "仕事,say \"hi\"\n私用,1,2\t3\nA,B,表示\n\"引用\",一行目\n二行目";
  const std::string wholeTab = "仕事\tsay \"hi\"\n私用\t1,2\t3\nA,B\t表示\n\"引用\"\t一行目\n二行目";
  const std::string wholeLines =
      "仕事\r\nsay \"hi\"\n私用\r\n1,2\t3\nA,B\r\n表示\n\"引用\"\r\n一行目\n二行目";
  const Case cases[] = {
      {"comma_one_field", "001000", CsvSeparator::kComma, kDay, kDay + 1,
       {{kDate, "木", whole}, {kNextDate, "金", "仕事,\""}}},
      {"comma_per_line", "011100", CsvSeparator::kComma, kDay, kDay + 1,
       {{kDate, "木", "", "仕事", "say \"hi\""},
        {kDate, "木", "", "私用", "1,2\t3"},
        {kDate, "木", "", "A,B", "表示"},
        {kDate, "木", "", "\"引用\"", "一行目\n二行目"},
        {kNextDate, "金", "", "仕事", "\""}}},
      {"tab_one_field", "000000", CsvSeparator::kTab, kDay, kDay, {{kDate, wholeTab}}},
      {"tab_per_line", "010001", CsvSeparator::kTab, kDay, kDay,
       {{kDate, "", "仕事", "say \"hi\""},
        {kDate, "", "私用", "1,2\t3"},
        {kDate, "", "A,B", "表示"},
        {kDate, "", "\"引用\"", "一行目\n二行目"}}},
      {"line_break_one_field", "001000", CsvSeparator::kLineBreak, kDay, kDay,
       {{kDate}, {"木"}, {wholeLines}}},
      {"line_break_per_line", "010000", CsvSeparator::kLineBreak, kDay + 1, kDay + 1,
       {{kNextDate}, {"仕事"}, {"\""}}},
      {"empty_days_and_fields", "000101", CsvSeparator::kComma, SerialFromDate(2001, 1, 1),
       SerialFromDate(2001, 1, 2), {{"2001年1月1日", "元日", ""}, {"2001年1月2日", "", ""}}},
  };
  const char* const kDialect[] = {"comma", "tab", "lines"};
  int failures = 0;
  for (const Case& c : cases) {
    const CsvOptions options = ParseCsvOpt(("0" + std::string(c.optBoxes)).c_str());
    CsvOptions chosen = options;
    chosen.separator = c.separator;
    const std::string path = folder + "/" + c.name + ".csv";
    if (WriteCsvFile(SystemDataFiles(), path, c.first, c.last, chosen, in.Inputs()) !=
        CsvWriteResult::kWritten) {
      std::fprintf(stderr, "%s: not written\n", path.c_str());
      ++failures;
      continue;
    }
    std::string fields = std::string(kDialect[static_cast<int>(c.separator)]) + "\n";
    for (const auto& row : c.rows) {
      for (const std::string& field : row) fields += " " + Hex(field);
      fields += "\n";
    }
    if (!WriteText(folder + "/" + c.name + ".fields", fields)) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
