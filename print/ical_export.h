// Days written as iCalendar, for other calendars to import: one all-day
// event per item (a period entry is one event over its days), UTF-8 with
// CR LF line ends, lines folded at 75 octets, and UIDs that stay the same
// while the data does, so a second import updates instead of doubling.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "almanac/dates.h"
#include "schedule/data_file.h"
#include "schedule/day_items.h"

namespace hiyomi {

class SettingsStore;

// What goes out besides the day entries, which always do.
struct IcsOptions {
  bool regular = false;    // each day a regular schedule falls on
  bool temporary = false;  // the temporary-schedule items
  bool toDo = false;       // Notrik's to-do items
  bool holidays = false;   // the public holidays, as free time
};

inline constexpr char kIcsOptKey[] = "IcsOpt";  // in the Default section
inline constexpr char kIcsOptDefault[] = "0000";
inline constexpr int kIcsOptChars = 4;
inline constexpr size_t kIcsLineOctets = 75;

// "1" for each box in the order of IcsOptions; anything else, or a short
// value, leaves a box unchecked.
IcsOptions ParseIcsOpt(const char* text) noexcept;
std::string FormatIcsOpt(const IcsOptions& options);
IcsOptions LoadIcsOptions(SettingsStore& store);
void SaveIcsOptions(SettingsStore& store, const IcsOptions& options);

// A UTC time as DTSTAMP takes it: "20261210T220500Z".
struct IcsStamp {
  int year, month, day, hour, minute, second;
};
std::string IcsStampText(const IcsStamp& stamp);

// A TEXT value: CP932 converted to UTF-8, then backslash, semicolon, comma
// and line breaks escaped; other control characters are dropped.
void AppendIcsText(std::string_view cp932, std::string& out);
// One content line, folded so no line passes 75 octets and no UTF-8
// sequence is split, ended with CR LF.
void AppendFoldedLine(std::string_view line, std::string& out);

// The whole calendar of the items of days first..last (empty of events
// when last is before first). Entries are read through `inputs.data` with
// every category; secret ones the data source cannot read are left out,
// the others marked private. The view's display switches are not used.
void AppendIcsCalendar(SerialDay first, SerialDay last, const IcsOptions& options,
                       const DayItemInputs& inputs, const std::string& stamp, std::string& out);

enum class IcsWriteResult : uint8_t { kWritten, kNothingToWrite, kFailed };

// Writes the calendar to `path` in one replace: a failure anywhere leaves
// the old file as it was. A reversed range touches nothing.
IcsWriteResult WriteIcsFile(DataFiles& files, const std::string& path, SerialDay first,
                            SerialDay last, const IcsOptions& options, const DayItemInputs& inputs,
                            const std::string& stamp);

}  // namespace hiyomi
