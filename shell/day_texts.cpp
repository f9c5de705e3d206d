#include "shell/day_texts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"
#include "almanac/regular_schedules.h"
#include "schedule/categories.h"
#include "schedule/display_flags.h"

namespace hiyomi {

namespace {

constexpr char kMarkRunsOn[] = "◇";
constexpr char kMarkLastDay[] = "△";
constexpr char kMarkFirstDay[] = "▽";

// The list being built: one line per item, in steps that stop once the
// text has passed the limit.
struct EntryList {
  const char* separator;  // null: no labels
  std::string& out;

  bool StepMayStart() const { return out.size() < kDayEntriesLimit; }
  bool Full() const { return out.size() > kDayEntriesLimit; }

  // Appends a line; false when the step has to end.
  bool Add(const char* label, const char* labelSuffix, const char* mark, const char* text) {
    if (separator != nullptr) {
      out += label;
      out += labelSuffix;
      out += separator;
    }
    out += mark;
    out += text;
    out += '\n';
    return !Full();
  }
};

// A stored entry as the view shows it: in use, its category switched on
// and its text not locked.
bool ReadableEntry(const DayEntryInputs& in, const ScheduleEntry& entry,
                   char (&text)[kEntryTextSize]) {
  if (!CategoryFilterShows(in.displayFlags, entry.category)) return false;
  std::memcpy(text, entry.text, sizeof text);
  text[sizeof text - 1] = '\0';
  return in.data.MakeReadable(text);
}

bool ToDoShown(const DayEntryInputs& in, const ToDoItem& item) {
  if ((in.displayFlags & kShowToDo) == 0) return false;
  return in.options.NotrikTypeD == 0 || CategoryFilterShows(in.displayFlags, item.category);
}

// "%s(ToDo)" with the category's name, or "ToDo" when it has none.
bool AddToDo(const DayEntryInputs& in, EntryList& list, const ToDoItem& item, const char* mark) {
  const char* name = item.category >= 0 ? in.data.CategoryNameOf(item.category) : "";
  return name[0] != '\0' ? list.Add(name, "(ToDo)", mark, item.text)
                         : list.Add("ToDo", "", mark, item.text);
}

SerialDay LastDayOf(const ToDoItem& item) { return item.due + std::max(item.days, 1) - 1; }

void AddRunningEntries(SerialDay day, const DayEntryInputs& in, EntryList& list) {
  if ((in.displayFlags & kCategoryBits) != 0) {
    for (SerialDay start = std::max(day - kBarLookBack, kFirstSerial); start < day; ++start) {
      DayRecord record;
      if (!in.data.DayRecordOf(start, record)) continue;
      for (const ScheduleEntry& entry : record.entries) {
        char text[kEntryTextSize];
        if (entry.order <= 0 || entry.span <= 0 || start + entry.span < day) continue;
        if (!ReadableEntry(in, entry, text)) continue;
        const char* mark = start + entry.span > day ? kMarkRunsOn : kMarkLastDay;
        if (!list.Add(in.data.CategoryNameOf(entry.category), "", mark, text)) return;
      }
    }
  }
  for (const ToDoItem& item : in.toDos) {
    if (item.due >= day || LastDayOf(item) < day || !ToDoShown(in, item)) continue;
    if (!AddToDo(in, list, item, LastDayOf(item) > day ? kMarkRunsOn : kMarkLastDay)) return;
  }
}

void AddDayRecordEntries(SerialDay day, const DayEntryInputs& in, EntryList& list) {
  DayRecord record;
  if ((in.displayFlags & kCategoryBits) == 0 || !in.data.DayRecordOf(day, record)) return;
  for (const ScheduleEntry& entry : record.entries) {
    char text[kEntryTextSize];
    if (entry.order <= 0 || !ReadableEntry(in, entry, text)) continue;
    const char* mark = entry.span > 0 ? kMarkFirstDay : "";
    if (!list.Add(in.data.CategoryNameOf(entry.category), "", mark, text)) return;
  }
}

void AddRegularSchedules(SerialDay day, const DayEntryInputs& in, EntryList& list) {
  if ((in.displayFlags & kShowRegular) == 0) return;
  unsigned char hits[kRegularRuleCount] = {};
  RegularScheduleHits(day, in.days, hits);
  for (int i = 0; i < kRegularRuleCount; ++i) {
    if (hits[i] && !list.Add("定期", "", "", in.options.SDayName[i])) return;
  }
}

void AddDueToDos(SerialDay day, const DayEntryInputs& in, EntryList& list) {
  for (const ToDoItem& item : in.toDos) {
    if (item.due != day || !ToDoShown(in, item)) continue;
    if (!AddToDo(in, list, item, item.days > 1 ? kMarkFirstDay : "")) return;
  }
}

void AddUndatedEntries(SerialDay day, const DayEntryInputs& in, EntryList& list) {
  const int ahead = day - in.today + 1;
  if (ahead < 1 || ahead > kUndatedHorizon || (in.displayFlags & kCategoryBits) == 0) return;
  for (const ScheduleEntry& entry : in.undated) {
    char text[kEntryTextSize];
    if (entry.text[0] == '\0' || entry.span != ahead || !ReadableEntry(in, entry, text)) continue;
    if (!list.Add(in.data.CategoryNameOf(entry.category), "(期日未定)", "", text)) return;
  }
}

}  // namespace

void DayHeaderText(SerialDay day, std::string& out) {
  const CalendarDate date = DateFromSerial(day);
  const LunarDate lunar = LunarDateOf(day);
  const DayEtoIndex eto = DayEto(day);
  char text[96];
  std::snprintf(text, sizeof text, "【%d月%d日(%s)】  %s %s%s\n", date.month, date.day,
                WeekdayNamesJa[WeekdayOf(day)], RokuyoNames[RokuyoOf(lunar)],
                StemNames[eto.stem], BranchNames[eto.branch]);
  out += text;

  const HolidayCode holiday = HolidayCodeOf(day);
  const int term = SolarTermOf(day);
  if (holiday >= 0) out += HolidayNames[holiday];
  if (term >= 0) {
    if (holiday >= 0) out += "  ";
    out += SolarTermNames[term];
  }
  if (holiday >= 0 || term >= 0) out += '\n';

  const int month = std::abs(lunar.lunarMonth);
  const int moonAge = MoonAgeTenths(day);
  std::snprintf(text, sizeof text, "旧暦:%s%s/%d月%d日  月齢:%d.%01d",
                lunar.lunarMonth < 0 ? "閏" : "", LunarMonthNames[month], month, lunar.lunarDay,
                moonAge / 10, moonAge % 10);
  out += text;
}

void DayEntriesText(SerialDay day, const char* separator, const DayEntryInputs& inputs,
                    std::string& out) {
  EntryList list{separator, out};
  using Step = void (*)(SerialDay, const DayEntryInputs&, EntryList&);
  constexpr Step kSteps[] = {AddRunningEntries, AddDayRecordEntries, AddRegularSchedules,
                             AddDueToDos, AddUndatedEntries};
  for (Step step : kSteps) {
    if (!list.StepMayStart()) return;
    step(day, inputs, list);
  }
}

std::string DayTooltipText(SerialDay day, int ttType, const DayEntryInputs& inputs) {
  std::string text;
  const bool header = (ttType & kTooltipHeader) != 0;
  const bool entries = (ttType & kTooltipEntries) != 0;
  if (header) DayHeaderText(day, text);
  if (header && entries) text += "\n\n";
  if (entries) DayEntriesText(day, nullptr, inputs, text);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace hiyomi
