#include "schedule/notrik.h"

#include <algorithm>
#include <cstring>

#include "almanac/holidays.h"
#include "almanac/regular_schedules.h"
#include "base/little_endian.h"
#include "base/path_text.h"
#include "base/text.h"
#include "schedule/categories.h"

namespace hiyomi {

namespace {

constexpr int kShiftBack = 1;
constexpr int kShiftForward = 2;
constexpr int kWeekly = 1;
constexpr int kMonthly = 2;
constexpr int kYearly = 3;
constexpr int kLastNthWeekday = 4;
constexpr int kFirstDayCode = 5;   // the 1st of the month
constexpr int kLastDateCode = 35;  // the 31st
constexpr int kLastDayCode = 36;   // the month's last day
constexpr int kLastYear = 2099;
constexpr int32_t kIntervalBase = 100000;
// Days outside the calendar stay outside it without overflowing any sum.
constexpr SerialDay kDueBound = 2 * kNoDay;

bool IsBusinessDay(SerialDay day) noexcept {
  const int weekday = WeekdayOf(day);
  return weekday != 0 && weekday != 6 && HolidayCodeOf(day) < 0;
}

SerialDay StepToBusinessDay(SerialDay day, int step) noexcept {
  while (day >= kFirstSerial && day <= kLastSerial && !IsBusinessDay(day)) day += step;
  return day;
}

// The day of the month the rule names in that month, 0 when it has none.
int MatchingDay(int year, int month, const RegularRule& rule) noexcept {
  const int length = DaysInMonth(year, month);
  if (rule.dayCode >= 1 && rule.dayCode <= kLastNthWeekday) {
    if (rule.weekday < 1 || rule.weekday > 7) return 0;
    const int first = WeekdayOf(SerialFromDate(year, month, 1));
    const int day = 1 + (rule.weekday % 7 - first + 7) % 7 + 7 * (rule.dayCode - 1);
    return day <= length ? day : 0;
  }
  if (rule.dayCode >= kFirstDayCode && rule.dayCode <= kLastDateCode) {
    const int day = rule.dayCode - (kFirstDayCode - 1);
    return day <= length ? day : 0;
  }
  return rule.dayCode == kLastDayCode ? length : 0;
}

// The first day after start that the rule names, before any shift.
SerialDay NextOccurrence(const RegularRule& rule, SerialDay start) noexcept {
  start = std::max(start, kFirstSerial - 1);
  if (start >= kLastSerial) return kNoDay;
  if (rule.kind == kWeekly) {
    if (rule.weekday < 1 || rule.weekday > 7) return kNoDay;
    const SerialDay next = start + 1;
    return next + (rule.weekday % 7 - WeekdayOf(next) + 7) % 7;
  }
  if (rule.kind != kMonthly && rule.kind != kYearly) return kNoDay;
  if (rule.kind == kYearly && (rule.month < 1 || rule.month > 12)) return kNoDay;
  const CalendarDate from = DateFromSerial(start);
  int year = from.year;
  int month = rule.kind == kYearly ? rule.month : from.month;
  while (year <= kLastYear) {
    const int day = MatchingDay(year, month, rule);
    if (day != 0) {
      const SerialDay serial = SerialFromDate(year, month, day);
      if (serial > start) return serial;
    }
    if (rule.kind == kYearly || month == 12) {
      ++year;
      if (rule.kind == kMonthly) month = 1;
    } else {
      ++month;
    }
  }
  return kNoDay;
}

SerialDay NextByRule(SerialDay from, int word) noexcept {
  const RegularRule rule = DecodeRegularRule(word);
  SerialDay start = from;
  // An occurrence on the days off just before `from` can move past it.
  if (rule.shift == kShiftForward) start = StepToBusinessDay(std::min(from, kLastSerial), -1);
  for (;;) {
    const SerialDay occurrence = NextOccurrence(rule, start);
    if (occurrence == kNoDay) return kNoDay;
    SerialDay shifted = occurrence;
    if (rule.shift == kShiftBack) shifted = StepToBusinessDay(occurrence, -1);
    if (rule.shift == kShiftForward) shifted = StepToBusinessDay(occurrence, 1);
    if (shifted > from) return shifted;
    start = occurrence;
  }
}

SerialDay NextByInterval(SerialDay from, int32_t word, SerialDay reference) noexcept {
  if (word <= kIntervalBase) return kNoDay;
  const int64_t first = word % kIntervalBase;
  const int64_t every = word / kIntervalBase;
  const int64_t after = from == 0 ? reference : from;
  const int64_t next = first > after ? first : first + ((after - first) / every + 1) * every;
  return next <= kLastSerial ? static_cast<SerialDay>(next) : kNoDay;
}

int32_t FieldI32(const uint8_t* record, size_t offset) noexcept { return GetI32(record + offset); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

SerialDay NextRepeatDay(SerialDay from, const int32_t (&rules)[kNotrikRuleWords],
                        SerialDay reference) noexcept {
  SerialDay best = kNoDay;
  for (int i = 0; i < kNotrikRuleWords - 1; ++i) {
    if (rules[i] > 0) best = std::min(best, NextByRule(from, rules[i]));
  }
  best = std::min(best, NextByInterval(from, rules[kNotrikRuleWords - 1], reference));
  return best > kLastSerial ? kNoDay : best;
}

bool ParseDueItems(std::span<const uint8_t> bytes, SerialDay reference, std::vector<DueItem>& out) {
  const size_t records = std::min(bytes.size() / kNotrikRecordSize, size_t{kMaxNotrikRecords});
  if (records == 0) return false;
  std::vector<DueItem> items;
  for (size_t r = 0; r < records; ++r) {
    const uint8_t* record = bytes.data() + r * kNotrikRecordSize;
    const int kind = static_cast<int8_t>(record[notrik_field::kKind]);
    if (record[notrik_field::kUsed] != 1 || kind < kNotrikFirstKind || kind > kNotrikLastKind) continue;
    DueItem item{};
    item.classification[0] = record[notrik_field::kClass1];
    item.classification[1] = record[notrik_field::kClass2];
    char text[kNotrikTextSize];
    std::memcpy(text, record + notrik_field::kText, sizeof text);
    text[sizeof text - 1] = '\0';
    CopyText(item.text, text, sizeof item.text);
    SerialDay due = FieldI32(record, notrik_field::kDue);
    if (kind == kNotrikRepeating && due < reference) {
      int32_t rules[kNotrikRuleWords];
      for (int i = 0; i < kNotrikRuleWords; ++i) {
        rules[i] = FieldI32(record, notrik_field::kRules + 4 * static_cast<size_t>(i));
      }
      const SerialDay from = std::max(FieldI32(record, notrik_field::kFrom), reference - 1);
      due = NextRepeatDay(from, rules, reference);
    } else if (kind == kNotrikPeriod) {
      due = FieldI32(record, notrik_field::kFrom);
      item.days = std::clamp(FieldI32(record, notrik_field::kDays), 0, kNoDay);
    }
    item.due = std::clamp(due, -kDueBound, kDueBound);
    items.push_back(item);
  }
  out = std::move(items);
  return true;
}

int ToDoCategory(const DueItem& item, int notrikType) noexcept {
  if (notrikType != 0 && notrikType != 1) return -1;
  const int category = std::max(item.classification[notrikType] - 1, 0);
  return category < kCategoryCount ? category : -1;
}

bool NotrikLinkUsable(const Options& options) {
  if (options.Notrik == 0) return false;
  static constexpr char kProgram[] = "notrik.exe";
  constexpr int kLength = sizeof kProgram - 1;
  const char* path = options.NotrikDir;
  const int length = static_cast<int>(strnlen(path, sizeof options.NotrikDir));
  if (length < kLength) return false;
  // The name must start on a character: a double-byte character's trail
  // byte may look like its first letter.
  int at = 0;
  while (at < length - kLength) at += IsLeadByte(static_cast<unsigned char>(path[at])) ? 2 : 1;
  if (at != length - kLength) return false;
  for (int i = 0; i < kLength; ++i) {
    if (AsciiLower(path[at + i]) != kProgram[i]) return false;
  }
  return true;
}

std::string NotrikIniPath(const char* programPath) {
  char path[2 * kPathTextSize];
  CopyText(path, programPath, sizeof path);
  if (!ReplaceExtension(path, sizeof path, ".ini")) return "";
  return path;
}

std::string NotrikDataPath(const char* programPath, const char* fileValue) {
  char path[2 * kPathTextSize];
  if (fileValue[0] == '\0') {
    CopyText(path, programPath, sizeof path);
    if (!ReplaceExtension(path, sizeof path, ".dat")) return "";
    return path;
  }
  if (!SettingsFilePath(path, sizeof path, programPath, fileValue)) return "";
  return std::string(path) + ".dat";
}

bool DueList::Load(DataFiles& files, const std::string& path, SerialDay reference) {
  int64_t time = 0;
  const bool exists = files.LastWriteTime(path, time);
  if (loaded_ && time == time_ && reference == reference_) return false;
  loaded_ = true;
  time_ = time;
  reference_ = reference;
  if (!exists) return false;
  std::vector<uint8_t> bytes;
  std::vector<DueItem> items;
  if (!files.ReadWhole(path, kNotrikReadLimit, bytes) || !ParseDueItems(bytes, reference, items)) {
    return false;
  }
  Take(std::move(items));
  return true;
}

void DueList::Take(std::vector<DueItem> items) {
  items_ = std::move(items);
  Classify(notrikType_);
}

void DueList::Classify(int notrikType) {
  notrikType_ = notrikType;
  view_.clear();
  view_.reserve(items_.size());
  for (const DueItem& item : items_) {
    view_.push_back(ToDoItem{item.due, item.days, ToDoCategory(item, notrikType), item.text});
  }
  std::stable_sort(view_.begin(), view_.end(),
                   [](const ToDoItem& a, const ToDoItem& b) { return a.due < b.due; });
}

}  // namespace hiyomi
