#include "schedule/day_items.h"

#include <algorithm>
#include <cstring>

#include "almanac/regular_schedules.h"
#include "schedule/categories.h"
#include "schedule/temporary_schedules.h"

namespace hiyomi {

namespace {

DayItem EntryItem(DayDataSource& data, DayItemSource source, int index, SerialDay start,
                  const ScheduleEntry& entry, const char (&text)[kEntryTextSize]) {
  DayItem item{};
  item.source = source;
  item.index = index;
  item.start = start;
  item.category = entry.category;
  item.borrowed = nullptr;
  std::memcpy(item.readable, text, sizeof item.readable);
  item.textColor = entry.textColor >= 0 ? entry.textColor : data.CategoryTextColorOf(entry.category);
  item.backColor = entry.backColor >= 0 ? entry.backColor : data.CategoryBackColorOf(entry.category);
  item.mark = entry.mark;
  item.span = entry.span;
  return item;
}

DayItem PlainItem(DayItemSource source, int index, SerialDay day, int category, const char* text,
                  int32_t textColor, int32_t backColor, int span) {
  DayItem item{};
  item.source = source;
  item.index = index;
  item.start = day;
  item.category = category;
  item.borrowed = text;
  item.textColor = textColor;
  item.backColor = backColor;
  item.span = span;
  return item;
}

}  // namespace

bool EntriesShown(unsigned displayFlags) noexcept { return (displayFlags & kCategoryBits) != 0; }

bool ShownEntryText(DayDataSource& data, unsigned displayFlags, const ScheduleEntry& entry,
                    char (&text)[kEntryTextSize]) {
  if (!CategoryFilterShows(displayFlags, entry.category)) return false;
  std::memcpy(text, entry.text, sizeof text);
  text[sizeof text - 1] = '\0';
  return data.MakeReadable(text);
}

bool UndatedDueOn(const ScheduleEntry& entry, SerialDay day, SerialDay today) noexcept {
  const int ahead = day - today + 1;
  return ahead >= 1 && ahead <= kUndatedHorizon && entry.text[0] != '\0' && entry.span == ahead;
}

bool ToDoShown(const DayItemInputs& in, const ToDoItem& item) noexcept {
  if ((in.displayFlags & kShowToDo) == 0) return false;
  return in.options.NotrikTypeD == 0 || CategoryFilterShows(in.displayFlags, item.category);
}

SerialDay LastDayOf(const ToDoItem& item) noexcept { return item.due + std::max(item.days, 1) - 1; }

void CollectDayItems(SerialDay day, const DayItemInputs& in, const DayRecord* record,
                     const unsigned char (&hits)[kRegularRuleCount], std::vector<DayItem>& out) {
  out.clear();
  if (in.displayFlags & kShowTemporary) {
    const std::span<const TemporaryItem> temporary = in.data.TemporaryItems();
    const TemporaryItem* item = nullptr;
    for (int at = FindTemporaryItem(temporary, day, 0, &item); at > 0;
         at = FindTemporaryItem(temporary, day, at, &item)) {
      out.push_back(PlainItem(DayItemSource::kTemporary, at - 1, day, -1, item->text,
                              item->textColor, item->backColor, 0));
    }
  }
  if (in.displayFlags & kShowRegular) {
    for (int i = 0; i < kRegularRuleCount; ++i) {
      if (!hits[i]) continue;
      out.push_back(PlainItem(DayItemSource::kRegular, i, day, -1, in.options.SDayName[i], -1, -1, 0));
    }
  }
  const std::span<const ToDoItem> toDos = in.data.ToDoItems();
  for (size_t i = 0; i < toDos.size(); ++i) {
    const ToDoItem& item = toDos[i];
    if (item.due != day || !ToDoShown(in, item)) continue;
    out.push_back(PlainItem(DayItemSource::kToDo, static_cast<int>(i), day, item.category, item.text,
                            -1, -1, item.days));
  }
  if (!EntriesShown(in.displayFlags)) return;
  if (record != nullptr) {
    for (int slot = 0; slot < kEntriesPerDay; ++slot) {
      const ScheduleEntry& entry = record->entries[slot];
      char text[kEntryTextSize];
      if (entry.order <= 0 || !ShownEntryText(in.data, in.displayFlags, entry, text)) continue;
      out.push_back(EntryItem(in.data, DayItemSource::kEntry, slot, day, entry, text));
    }
  }
  const std::span<const ScheduleEntry> undated = in.data.UndatedEntries();
  for (size_t i = 0; i < undated.size(); ++i) {
    const ScheduleEntry& entry = undated[i];
    char text[kEntryTextSize];
    if (!UndatedDueOn(entry, day, in.today) || !ShownEntryText(in.data, in.displayFlags, entry, text)) {
      continue;
    }
    out.push_back(EntryItem(in.data, DayItemSource::kUndated, static_cast<int>(i), day, entry, text));
  }
}

void CollectDayItems(SerialDay day, const DayItemInputs& in, std::vector<DayItem>& out) {
  DayRecord record;
  const bool hasRecord = in.data.DayRecordOf(day, record);
  unsigned char hits[kRegularRuleCount] = {};
  RegularScheduleHits(day, in.days, hits);
  CollectDayItems(day, in, hasRecord ? &record : nullptr, hits, out);
}

void CollectRunningEntries(DayDataSource& data, unsigned displayFlags, SerialDay first,
                           SerialDay last, SerialDay reaching, std::vector<DayItem>& out) {
  if (!EntriesShown(displayFlags)) return;
  for (SerialDay day = std::max(first, kFirstSerial); day <= last && day <= kLastSerial; ++day) {
    DayRecord record;
    if (!data.DayRecordOf(day, record)) continue;
    for (int slot = 0; slot < kEntriesPerDay; ++slot) {
      const ScheduleEntry& entry = record.entries[slot];
      char text[kEntryTextSize];
      if (entry.order <= 0 || entry.span <= 0 || day + entry.span < reaching) continue;
      if (!ShownEntryText(data, displayFlags, entry, text)) continue;
      out.push_back(EntryItem(data, DayItemSource::kEntry, slot, day, entry, text));
    }
  }
}

void CollectRunningToDos(const DayItemInputs& in, SerialDay first, SerialDay last,
                         SerialDay reaching, std::vector<DayItem>& out) {
  const std::span<const ToDoItem> toDos = in.data.ToDoItems();
  for (size_t i = 0; i < toDos.size(); ++i) {
    const ToDoItem& item = toDos[i];
    if (item.days <= 1 || item.due < first || item.due > last || LastDayOf(item) < reaching) continue;
    if (!ToDoShown(in, item)) continue;
    out.push_back(PlainItem(DayItemSource::kToDo, static_cast<int>(i), item.due, item.category,
                            item.text, -1, -1, item.days));
  }
}

}  // namespace hiyomi
