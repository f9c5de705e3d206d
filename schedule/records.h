// The on-disk records of the year files and the undated file. Other
// programs read the same files, so every byte position is pinned here.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "almanac/dates.h"

namespace hiyomi {

static_assert(std::endian::native == std::endian::little,
              "records are kept in memory in their file byte order");

inline constexpr int kEntriesPerDay = 8;
inline constexpr int kMaxDayRecords = 366;
inline constexpr int kUndatedEntries = 50;
inline constexpr int kEntryTextSize = 41;  // 40 bytes + NUL
inline constexpr int32_t kNoColor = -1;
inline constexpr uint8_t kNoCategory = 255;

#pragma pack(push, 1)
struct ScheduleEntry {
  int8_t order;      // >0 shown, <0 stored but hidden, 0 empty slot
  uint8_t category;  // 0..9, 255 none
  char text[kEntryTextSize];
  int32_t textColor;
  int32_t backColor;
  char mark;         // overstrike character
  int32_t span;      // days covered after this one; display offset in the undated list
  uint8_t reserved[8];
};

struct DayRecord {
  int32_t serial;
  int32_t dayTextColor;
  int32_t dayBackColor;
  uint8_t reserved[68];
  ScheduleEntry entries[kEntriesPerDay];
};

struct YearFileHeader {
  int32_t count;
  int32_t index[kMaxDayRecords];
  uint8_t reserved[132];
};
#pragma pack(pop)

static_assert(sizeof(ScheduleEntry) == 64);
static_assert(offsetof(ScheduleEntry, category) == 1);
static_assert(offsetof(ScheduleEntry, text) == 2);
static_assert(offsetof(ScheduleEntry, textColor) == 43);
static_assert(offsetof(ScheduleEntry, backColor) == 47);
static_assert(offsetof(ScheduleEntry, mark) == 51);
static_assert(offsetof(ScheduleEntry, span) == 52);
static_assert(offsetof(ScheduleEntry, reserved) == 56);
static_assert(sizeof(DayRecord) == 592);
static_assert(offsetof(DayRecord, dayTextColor) == 4);
static_assert(offsetof(DayRecord, dayBackColor) == 8);
static_assert(offsetof(DayRecord, reserved) == 12);
static_assert(offsetof(DayRecord, entries) == 80);
static_assert(sizeof(YearFileHeader) == 1600);
static_assert(offsetof(YearFileHeader, index) == 4);
static_assert(offsetof(YearFileHeader, reserved) == 1468);

inline constexpr size_t kEntrySize = sizeof(ScheduleEntry);
inline constexpr size_t kDayRecordSize = sizeof(DayRecord);
inline constexpr size_t kHeaderSize = sizeof(YearFileHeader);
inline constexpr size_t kUndatedFileSize = kUndatedEntries * kEntrySize;  // 3200
inline constexpr size_t kMaxYearFileSize = kHeaderSize + kMaxDayRecords * kDayRecordSize;

// All zero except both colours -1.
ScheduleEntry EmptyEntry() noexcept;
// A new undated entry: an empty slot with order 1.
ScheduleEntry NewUndatedEntry() noexcept;
DayRecord FreshDayRecord(int32_t serial) noexcept;
// A header of a year without data: every byte 0xFF, count 0.
YearFileHeader EmptyYearHeader() noexcept;

// Field-by-field little-endian conversion; `in`/`out` hold exactly the
// record's size in bytes.
void EncodeEntry(const ScheduleEntry& e, uint8_t* out) noexcept;
ScheduleEntry DecodeEntry(const uint8_t* in) noexcept;
void EncodeDayRecord(const DayRecord& r, uint8_t* out) noexcept;
DayRecord DecodeDayRecord(const uint8_t* in) noexcept;
void EncodeHeader(const YearFileHeader& h, uint8_t* out) noexcept;
YearFileHeader DecodeHeader(const uint8_t* in) noexcept;

// Same text up to the NUL (or the field's end).
bool SameEntryText(const ScheduleEntry& a, const ScheduleEntry& b) noexcept;
bool DayRecordHasContent(const DayRecord& r) noexcept;

}  // namespace hiyomi
