// What a day shows, in which order: the day's sources under the display
// switches and the category filter, read from a read-only day-data
// interface. The grid, the day texts (tooltip, export) and the print walk
// the same items.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "almanac/dates.h"
#include "almanac/day_settings.h"
#include "schedule/display_flags.h"
#include "schedule/records.h"
#include "settings/options.h"

namespace hiyomi {

// A Notrik to-do item as the day lists read it.
struct ToDoItem {
  SerialDay due;
  int days;         // days covered; 0 or 1 for a one-day item
  int category;     // 0-9, or -1 when the link assigns none
  const char* text;
};

// One item of the temporary-schedule file.
struct TemporaryItem {
  SerialDay serial;
  char text[kEntryTextSize];
  int32_t textColor;  // -1 not set
  int32_t backColor;
};

// The user's data as the day lists read it. Nothing here writes.
class DayDataSource {
 public:
  // False when the day has no record.
  virtual bool DayRecordOf(SerialDay day, DayRecord& out) = 0;
  virtual std::span<const ScheduleEntry> UndatedEntries() = 0;
  // "" for no category or an unnamed one.
  virtual const char* CategoryNameOf(int category) = 0;
  // -1 outside 0-9 or when the category sets none.
  virtual int32_t CategoryTextColorOf(int category) = 0;
  virtual int32_t CategoryBackColorOf(int category) = 0;
  // Turns a stored text into its readable form in place; false while it is
  // locked.
  virtual bool MakeReadable(char (&text)[kEntryTextSize]) = 0;
  // Sorted by due day.
  virtual std::span<const ToDoItem> ToDoItems() = 0;
  // In file order.
  virtual std::span<const TemporaryItem> TemporaryItems() = 0;

 protected:
  ~DayDataSource() = default;
};

struct DayItemInputs {
  DayDataSource& data;
  const Options& options;  // regular schedule names, to-do filter
  const DaySettings& days;  // where the regular schedules fall
  SerialDay today;
  unsigned displayFlags;  // the view's switches (schedule/display_flags.h)
};

enum class DayItemSource : uint8_t { kTemporary, kRegular, kToDo, kEntry, kUndated };

struct DayItem {
  DayItemSource source;
  int index;        // regular rule, entry slot, or position in its list
  SerialDay start;  // the day an entry is stored on, else the day itself
  int category;     // 0-9, kNoCategory, or -1 for none
  const char* borrowed;  // the text where the data source or the options keep it
  char readable[kEntryTextSize];  // an entry's text, deciphered
  int32_t textColor;  // the item's own, else its category's; -1 unset
  int32_t backColor;
  char mark;  // overstrike character of an entry
  int span;   // days an entry runs on after its start; days a to-do covers

  const char* Text() const noexcept { return borrowed != nullptr ? borrowed : readable; }
};

// Whether stored entries show at all: with every category switched off not
// even those without a category do.
bool EntriesShown(unsigned displayFlags) noexcept;
// A stored entry's readable text when its category is switched on and it
// is not locked. Whether the slot is in use is the caller's question.
bool ShownEntryText(DayDataSource& data, unsigned displayFlags, const ScheduleEntry& entry,
                    char (&text)[kEntryTextSize]);
// Whether an undated entry is due on `day`: its offset counts today as 1.
bool UndatedDueOn(const ScheduleEntry& entry, SerialDay day, SerialDay today) noexcept;
bool ToDoShown(const DayItemInputs& in, const ToDoItem& item) noexcept;
SerialDay LastDayOf(const ToDoItem& item) noexcept;

// The day's own items in the grid's order: temporary items (display bit 3),
// regular schedules (bit 0), to-do items due that day (bit 1), the day's
// entries, spanning ones included, and the undated entries due that day
// (category bits). `record` is the day's, or null; `hits` its regular
// schedules. Replaces what `out` held.
void CollectDayItems(SerialDay day, const DayItemInputs& in, const DayRecord* record,
                     const unsigned char (&hits)[kRegularRuleCount], std::vector<DayItem>& out);
// The same, looking the record and the regular schedules up.
void CollectDayItems(SerialDay day, const DayItemInputs& in, std::vector<DayItem>& out);

// Entries stored on days first..last whose span reaches `reaching`, in day
// and slot order, appended to out.
void CollectRunningEntries(DayDataSource& data, unsigned displayFlags, SerialDay first,
                           SerialDay last, SerialDay reaching, std::vector<DayItem>& out);

// To-do items covering several days that fall due on days first..last and
// still run on `reaching`, in their sorted order, appended to out.
void CollectRunningToDos(const DayItemInputs& in, SerialDay first, SerialDay last,
                         SerialDay reaching, std::vector<DayItem>& out);

}  // namespace hiyomi
