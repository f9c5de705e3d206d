// A small in-memory day data source for the export tests: entries added by
// day, category names, to-do, temporary and undated lists, and an optional real
// cipher for secret texts.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "almanac/day_settings.h"
#include "schedule/day_items.h"
#include "schedule/display_flags.h"
#include "schedule/secret_text.h"
#include "settings/options.h"

namespace hiyomi::testing {

class CsvDays final : public DayDataSource {
 public:
  bool DayRecordOf(SerialDay day, DayRecord& out) override {
    const auto found = records.find(day);
    if (found == records.end()) return false;
    out = found->second;
    return true;
  }
  bool MakeReadable(char (&text)[kEntryTextSize]) override {
    return secrets == nullptr || secrets->DecipherText(text, MarkMode::Drop) == 0;
  }
  const char* CategoryNameOf(int category) override {
    return category >= 0 && category < 10 ? names[category].c_str() : "";
  }
  int32_t CategoryTextColorOf(int) override { return -1; }
  int32_t CategoryBackColorOf(int) override { return -1; }
  std::span<const ScheduleEntry> UndatedEntries() override { return undated; }
  std::span<const ToDoItem> ToDoItems() override { return toDos; }
  std::span<const TemporaryItem> TemporaryItems() override { return temporary; }

  // Adds an entry into the day's next free slot; returns it.
  ScheduleEntry& Add(SerialDay day, const char* text, int category = 0) {
    auto [it, fresh] = records.try_emplace(day, FreshDayRecord(day));
    for (ScheduleEntry& entry : it->second.entries) {
      if (entry.order != 0) continue;
      entry.order = 1;
      entry.category = static_cast<uint8_t>(category);
      std::memcpy(entry.text, text, std::min(std::strlen(text), sizeof entry.text - 1));
      return entry;
    }
    std::fprintf(stderr, "day %d is full\n", day);
    std::abort();
  }

  std::map<SerialDay, DayRecord> records;
  std::string names[10] = {"仕事", "私用"};
  SecretTexts* secrets = nullptr;  // null: every text is plain
  std::vector<ToDoItem> toDos;         // sorted by due day
  std::vector<TemporaryItem> temporary;
  std::vector<ScheduleEntry> undated;
};

// The inputs the export reads: everything shown, no regular schedules.
struct CsvInputs {
  CsvDays days;
  std::unique_ptr<Options> options = std::make_unique<Options>();  // large: off the stack
  DaySettings daySettings;
  SerialDay today = 1;
  unsigned displayFlags = kShowAll;

  DayItemInputs Inputs() { return DayItemInputs{days, *options, daySettings, today, displayFlags}; }
};

}  // namespace hiyomi::testing
