// The texts that describe one day: its almanac header and the list of
// everything scheduled on it, for the day tooltip and the CSV export.
#pragma once

#include <string>
#include <vector>

#include "almanac/dates.h"
#include "schedule/day_items.h"

namespace hiyomi {

inline constexpr int kDayEntriesLimit = 255;  // bytes before the list stops growing
inline constexpr int kTooltipHeader = 0x10;   // `TTType` bits
inline constexpr int kTooltipEntries = 0x01;

// Date, rokuyō and eto; holiday and solar term when there are any; lunar
// date and moon age. Appended to out.
void DayHeaderText(SerialDay day, std::string& out);

// One line per item shown on the day, appended to out. With a separator
// each line starts with its label and the separator.
void DayEntriesText(SerialDay day, const char* separator, const DayItemInputs& inputs,
                    std::string& out);

// One line of the list taken apart: the label (category name, "定期",
// "ToDo", with its suffix) and the text with its mark.
struct DayEntryLine {
  std::string label;
  std::string text;
};

// The same lines as DayEntriesText, every one of them: the export must not
// lose what the tooltip may cut. Replaces what `lines` held.
void DayEntryLines(SerialDay day, const DayItemInputs& inputs, std::vector<DayEntryLine>& lines);

// What the tooltip shows for the day under `TTType`, without trailing line
// feeds.
std::string DayTooltipText(SerialDay day, int ttType, const DayItemInputs& inputs);

}  // namespace hiyomi
