// The colour of a day cell, its number box and its number: each pass walks
// its priority list and takes the first rule that applies and has a colour.
#pragma once

#include "almanac/dates.h"
#include "almanac/day_settings.h"
#include "schedule/records.h"
#include "settings/options.h"

namespace hiyomi {

enum class CellPass : int { kCell = 0, kNumberBox = 1, kNumber = 2 };

// What the rules need to know about one day.
struct DayFacts {
  bool isToday;
  bool hasRecord;
  int recordBack;      // the record's own day colours, -1 when unset
  int recordText;
  bool isRestDay;
  unsigned regularGroups;  // bit g: a regular schedule i with i mod 5 = g hits
  bool isHoliday;
  int weekday;         // 0 = Sunday
  int month;           // 1-12
  bool inReferenceMonth;
};

// Colour slot n of the table as the settings number it: TextColor<n> or
// BackColor<n>, -1 when unset or out of range.
int ColorSlot(const ColorTable& table, bool text, int slot) noexcept;

// The facts of a day for its colours: `record` is the day's or null, `hits`
// its regular schedules; the reference month is the one whose days count as
// "this month".
DayFacts DayFactsOf(SerialDay day, const DayRecord* record,
                    const unsigned char (&hits)[kRegularRuleCount], SerialDay today,
                    const DaySettings& days, int referenceYear, int referenceMonth) noexcept;

// -1 when no rule of the list gives a colour.
int CellColor(const Options& options, CellPass pass, const DayFacts& day) noexcept;

}  // namespace hiyomi
