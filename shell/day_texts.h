// The texts that describe one day: its almanac header and the list of
// everything scheduled on it, for the day tooltip and the CSV export.
#pragma once

#include <span>
#include <string>

#include "almanac/dates.h"
#include "almanac/day_settings.h"
#include "schedule/records.h"
#include "settings/options.h"

namespace hiyomi {

inline constexpr int kDayEntriesLimit = 255;  // bytes before the list stops growing
inline constexpr int kTooltipHeader = 0x10;   // `TTType` bits
inline constexpr int kTooltipEntries = 0x01;

// A Notrik to-do item as the day texts read it.
struct ToDoItem {
  SerialDay due;
  int days;         // days covered; 0 or 1 for a one-day item
  int category;     // 0-9, or -1 when the link assigns none
  const char* text;
};

// The user's data that the entry list reads.
class DayDataSource {
 public:
  // False when the day has no record.
  virtual bool DayRecordOf(SerialDay day, DayRecord& out) = 0;
  // Turns a stored text into its readable form in place; false while it is
  // locked.
  virtual bool MakeReadable(char (&text)[kEntryTextSize]) = 0;
  // "" for no category or an unnamed one.
  virtual const char* CategoryNameOf(int category) = 0;

 protected:
  ~DayDataSource() = default;
};

struct DayEntryInputs {
  DayDataSource& data;
  const Options& options;  // regular schedule names, to-do filter
  const DaySettings& days;         // where the regular schedules fall
  std::span<const ScheduleEntry> undated;
  std::span<const ToDoItem> toDos;  // sorted by due day
  SerialDay today;
  unsigned displayFlags;  // the view's: bit 0 regular, bit 1 to-do, bits 4-13 categories
};

// Date, rokuyō and eto; holiday and solar term when there are any; lunar
// date and moon age. Appended to out.
void DayHeaderText(SerialDay day, std::string& out);

// One line per item shown on the day, appended to out. With a separator
// each line starts with its label and the separator.
void DayEntriesText(SerialDay day, const char* separator, const DayEntryInputs& inputs,
                    std::string& out);

// What the tooltip shows for the day under `TTType`, without trailing line
// feeds.
std::string DayTooltipText(SerialDay day, int ttType, const DayEntryInputs& inputs);

}  // namespace hiyomi
