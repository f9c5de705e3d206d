// Days written as CSV: a prefix of date and almanac fields per day, then
// the day's entries in one quoted field or one line per entry. Texts are
// code page 932 with CR LF line ends, quoted so spreadsheets read the
// columns back as written.
#pragma once

#include <cstdint>
#include <string>

#include "almanac/dates.h"
#include "schedule/data_file.h"
#include "schedule/day_items.h"

namespace hiyomi {

class SettingsStore;

enum class CsvSeparator : uint8_t { kComma = 0, kTab = 1, kLineBreak = 2 };

struct CsvOptions {
  CsvSeparator separator = CsvSeparator::kComma;
  bool onlyDaysWithEntries = false;
  bool oneEntryPerLine = false;
  bool weekday = false;
  bool holiday = false;
  bool rokuyo = false;
  bool solarTerm = false;
};

inline constexpr char kCsvOptKey[] = "CSVOpt";  // in the Default section
inline constexpr char kCsvOptDefault[] = "000000000";
inline constexpr int kCsvOptChars = 7;

// The separator digit first (any other digit clamped into 0-2, anything
// else a comma), then "1" for each box that is checked; missing or extra
// characters leave the boxes unchecked or are ignored.
CsvOptions ParseCsvOpt(const char* text) noexcept;
// Seven characters.
std::string FormatCsvOpt(const CsvOptions& options);
CsvOptions LoadCsvOptions(SettingsStore& store);
void SaveCsvOptions(SettingsStore& store, const CsvOptions& options);

const char* SeparatorText(CsvSeparator separator) noexcept;

// The lines of days first..last (nothing when last is before first),
// appended to out.
void AppendCsvDays(SerialDay first, SerialDay last, const CsvOptions& options,
                   const DayItemInputs& inputs, std::string& out);

enum class CsvWriteResult : uint8_t { kWritten, kNothingToWrite, kFailed };

// Writes the days to `path` in one replace: a failure anywhere leaves the
// old file as it was. A reversed range touches nothing.
CsvWriteResult WriteCsvFile(DataFiles& files, const std::string& path, SerialDay first,
                            SerialDay last, const CsvOptions& options, const DayItemInputs& inputs);

}  // namespace hiyomi
