#include "shell/day_texts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"

namespace hiyomi {

namespace {

constexpr char kMarkRunsOn[] = "◇";
constexpr char kMarkLastDay[] = "△";
constexpr char kMarkFirstDay[] = "▽";

// The list being built: one line per item, joined into a text that stops
// growing in steps once it has passed the limit, or kept apart line by line
// with no limit.
struct EntryList {
  const char* separator;  // null: no labels
  std::string* out;       // the joined text, or null
  std::vector<DayEntryLine>* lines = nullptr;

  bool StepMayStart() const { return out == nullptr || out->size() < kDayEntriesLimit; }
  bool Full() const { return out != nullptr && out->size() > kDayEntriesLimit; }

  // Appends a line; false when the step has to end.
  bool Add(const char* label, const char* labelSuffix, const char* mark, const char* text) {
    if (lines != nullptr) {
      DayEntryLine& line = lines->emplace_back();
      (line.label = label) += labelSuffix;
      (line.text = mark) += text;
    }
    if (out == nullptr) return true;
    if (separator != nullptr) {
      *out += label;
      *out += labelSuffix;
      *out += separator;
    }
    *out += mark;
    *out += text;
    *out += '\n';
    return !Full();
  }
};

// "%s(ToDo)" with the category's name, or "ToDo" when it has none.
bool AddToDo(const DayItemInputs& in, EntryList& list, int category, const char* text,
             const char* mark) {
  const char* name = category >= 0 ? in.data.CategoryNameOf(category) : "";
  return name[0] != '\0' ? list.Add(name, "(ToDo)", mark, text) : list.Add("ToDo", "", mark, text);
}

// Every step gets the day's own items, in the grid's order, to pick from.
using DayItems = std::vector<DayItem>;

void AddRunningEntries(SerialDay day, const DayItemInputs& in, const DayItems&, EntryList& list) {
  std::vector<DayItem> running;
  CollectRunningEntries(in.data, in.displayFlags, day - kBarLookBack, day - 1, day, running);
  for (const DayItem& item : running) {
    const char* mark = item.start + item.span > day ? kMarkRunsOn : kMarkLastDay;
    if (!list.Add(in.data.CategoryNameOf(item.category), "", mark, item.Text())) return;
  }
  for (const ToDoItem& item : in.data.ToDoItems()) {
    if (item.due >= day || LastDayOf(item) < day || !ToDoShown(in, item)) continue;
    const char* mark = LastDayOf(item) > day ? kMarkRunsOn : kMarkLastDay;
    if (!AddToDo(in, list, item.category, item.text, mark)) return;
  }
}

// One step per source of the day's own items.
template <DayItemSource kSource>
void AddItemsOf(SerialDay, const DayItemInputs& in, const DayItems& items, EntryList& list) {
  for (const DayItem& item : items) {
    if (item.source != kSource) continue;
    bool more = true;
    switch (kSource) {
      case DayItemSource::kEntry:
        more = list.Add(in.data.CategoryNameOf(item.category), "", item.span > 0 ? kMarkFirstDay : "",
                        item.Text());
        break;
      case DayItemSource::kRegular: more = list.Add("定期", "", "", item.Text()); break;
      case DayItemSource::kToDo:
        more = AddToDo(in, list, item.category, item.Text(), item.span > 1 ? kMarkFirstDay : "");
        break;
      case DayItemSource::kUndated:
        more = list.Add(in.data.CategoryNameOf(item.category), "(期日未定)", "", item.Text());
        break;
      case DayItemSource::kTemporary: break;
    }
    if (!more) return;
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

namespace {

void AddDayEntries(SerialDay day, const DayItemInputs& inputs, EntryList& list) {
  DayItems items;
  CollectDayItems(day, inputs, items);
  // The tooltip's own order: what runs on from earlier days comes first.
  using Step = void (*)(SerialDay, const DayItemInputs&, const DayItems&, EntryList&);
  constexpr Step kSteps[] = {AddRunningEntries, AddItemsOf<DayItemSource::kEntry>,
                             AddItemsOf<DayItemSource::kRegular>, AddItemsOf<DayItemSource::kToDo>,
                             AddItemsOf<DayItemSource::kUndated>};
  for (Step step : kSteps) {
    if (!list.StepMayStart()) return;
    step(day, inputs, items, list);
  }
}

}  // namespace

void DayEntriesText(SerialDay day, const char* separator, const DayItemInputs& inputs,
                    std::string& out) {
  EntryList list{separator, &out};
  AddDayEntries(day, inputs, list);
}

void DayEntryLines(SerialDay day, const DayItemInputs& inputs, std::vector<DayEntryLine>& lines) {
  lines.clear();
  EntryList list{"", nullptr, &lines};
  AddDayEntries(day, inputs, list);
}

std::string DayTooltipText(SerialDay day, int ttType, const DayItemInputs& inputs) {
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
