// The link to the to-do program Notrik: where its data file is, the to-do
// records the calendar reads from it, and the next due day of a repeating
// item. Read only; Notrik's files are its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "schedule/data_file.h"
#include "schedule/day_items.h"
#include "settings/options.h"

namespace hiyomi {

// One to-do record of the data file; the bytes between the fields the
// calendar reads are Notrik's.
inline constexpr size_t kNotrikRecordSize = 352;
inline constexpr int kMaxNotrikRecords = 1000;
inline constexpr size_t kNotrikReadLimit = kNotrikRecordSize * kMaxNotrikRecords;
inline constexpr int kNotrikTextSize = 41;
inline constexpr int kNotrikRuleWords = 5;  // four rules and the interval word

namespace notrik_field {
inline constexpr size_t kUsed = 0;  // 1: a to-do item
inline constexpr size_t kClass1 = 1;
inline constexpr size_t kClass2 = 2;
inline constexpr size_t kText = 3;
inline constexpr size_t kKind = 44;
inline constexpr size_t kDue = 45;
inline constexpr size_t kFrom = 49;  // kind 3: search start; kind 4: first day
inline constexpr size_t kRules = 65;
inline constexpr size_t kDays = 93;  // kind 4
static_assert(kText + kNotrikTextSize == kKind);
static_assert(kFrom + 4 <= kRules && kRules + 4 * kNotrikRuleWords <= kDays);
static_assert(kDays + 4 <= kNotrikRecordSize);
}  // namespace notrik_field

enum NotrikKind : int8_t { kNotrikFirstKind = 1, kNotrikRepeating = 3, kNotrikPeriod = 4, kNotrikLastKind = 5 };

// NotrikType: which classification value picks the category.
inline constexpr int kNotrikNoCategory = 2;

struct DueItem {
  SerialDay due;
  uint8_t classification[2];
  char text[kNotrikTextSize];
  int days;  // days covered; 0 for a one-day item
};

// The to-do items of a data file's bytes, at most kMaxNotrikRecords
// records. False, and out untouched, when not one whole record is there.
bool ParseDueItems(std::span<const uint8_t> bytes, SerialDay reference, std::vector<DueItem>& out);

// The first day after `from` on which a repeating item falls due, or kNoDay.
// rules: four rule words (regular-schedule digits) and the interval word.
SerialDay NextRepeatDay(SerialDay from, const int32_t (&rules)[kNotrikRuleWords],
                        SerialDay reference) noexcept;

// The category a to-do item is shown under: -1 for none.
int ToDoCategory(const DueItem& item, int notrikType) noexcept;

// Option Notrik on and NotrikDir naming Notrik.exe, in any letter case.
bool NotrikLinkUsable(const Options& options);

// Notrik's settings file beside the program: the extension made ".ini".
std::string NotrikIniPath(const char* programPath);
// The data file from the ini's "file" value: the program's own name with
// ".dat" when it is empty, else that name (full, or in the program's
// folder) with ".dat" appended.
std::string NotrikDataPath(const char* programPath, const char* fileValue);

// The to-do list the calendar shows, with what it was read from.
class DueList {
 public:
  // Reads again when the file's last-write time or the reference day
  // differ from the last reading. A file that cannot be read, or holds no
  // whole record, leaves the list as it was. True when the list changed.
  bool Load(DataFiles& files, const std::string& path, SerialDay reference);
  // Puts a list read elsewhere in place.
  void Take(std::vector<DueItem> items);
  // The categories follow NotrikType; again when it changes.
  void Classify(int notrikType);
  // Sorted by due day.
  std::span<const ToDoItem> Items() const noexcept { return view_; }
  std::span<const DueItem> Read() const noexcept { return items_; }

 private:
  std::vector<DueItem> items_;
  std::vector<ToDoItem> view_;
  int notrikType_ = kNotrikNoCategory;
  bool loaded_ = false;
  int64_t time_ = 0;
  SerialDay reference_ = kNoDay;
};

}  // namespace hiyomi
