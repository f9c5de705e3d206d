#include "schedule/records.h"

#include <cstring>

#include "base/little_endian.h"

namespace hiyomi {
ScheduleEntry EmptyEntry() noexcept {
  ScheduleEntry e;
  std::memset(&e, 0, sizeof e);
  e.textColor = kNoColor;
  e.backColor = kNoColor;
  return e;
}

ScheduleEntry NewUndatedEntry() noexcept {
  ScheduleEntry e = EmptyEntry();
  e.order = 1;
  return e;
}

DayRecord FreshDayRecord(int32_t serial) noexcept {
  DayRecord r;
  std::memset(&r, 0, sizeof r);
  r.serial = serial;
  r.dayTextColor = kNoColor;
  r.dayBackColor = kNoColor;
  for (ScheduleEntry& e : r.entries) e = EmptyEntry();
  return r;
}

YearFileHeader EmptyYearHeader() noexcept {
  YearFileHeader h;
  std::memset(&h, 0xFF, sizeof h);
  h.count = 0;
  return h;
}

void EncodeEntry(const ScheduleEntry& e, uint8_t* out) noexcept {
  out[0] = static_cast<uint8_t>(e.order);
  out[1] = e.category;
  std::memcpy(out + 2, e.text, sizeof e.text);
  PutI32(out + 43, e.textColor);
  PutI32(out + 47, e.backColor);
  out[51] = static_cast<uint8_t>(e.mark);
  PutI32(out + 52, e.span);
  std::memcpy(out + 56, e.reserved, sizeof e.reserved);
}

ScheduleEntry DecodeEntry(const uint8_t* in) noexcept {
  ScheduleEntry e;
  e.order = static_cast<int8_t>(in[0]);
  e.category = in[1];
  std::memcpy(e.text, in + 2, sizeof e.text);
  e.textColor = GetI32(in + 43);
  e.backColor = GetI32(in + 47);
  e.mark = static_cast<char>(in[51]);
  e.span = GetI32(in + 52);
  std::memcpy(e.reserved, in + 56, sizeof e.reserved);
  return e;
}

void EncodeDayRecord(const DayRecord& r, uint8_t* out) noexcept {
  PutI32(out, r.serial);
  PutI32(out + 4, r.dayTextColor);
  PutI32(out + 8, r.dayBackColor);
  std::memcpy(out + 12, r.reserved, sizeof r.reserved);
  for (int i = 0; i < kEntriesPerDay; ++i) EncodeEntry(r.entries[i], out + 80 + i * kEntrySize);
}

DayRecord DecodeDayRecord(const uint8_t* in) noexcept {
  DayRecord r;
  r.serial = GetI32(in);
  r.dayTextColor = GetI32(in + 4);
  r.dayBackColor = GetI32(in + 8);
  std::memcpy(r.reserved, in + 12, sizeof r.reserved);
  for (int i = 0; i < kEntriesPerDay; ++i) r.entries[i] = DecodeEntry(in + 80 + i * kEntrySize);
  return r;
}

void EncodeHeader(const YearFileHeader& h, uint8_t* out) noexcept {
  PutI32(out, h.count);
  for (int i = 0; i < kMaxDayRecords; ++i) PutI32(out + 4 + 4 * i, h.index[i]);
  std::memcpy(out + 1468, h.reserved, sizeof h.reserved);
}

YearFileHeader DecodeHeader(const uint8_t* in) noexcept {
  YearFileHeader h;
  h.count = GetI32(in);
  for (int i = 0; i < kMaxDayRecords; ++i) h.index[i] = GetI32(in + 4 + 4 * i);
  std::memcpy(h.reserved, in + 1468, sizeof h.reserved);
  return h;
}

bool SameEntryText(const ScheduleEntry& a, const ScheduleEntry& b) noexcept {
  return std::strncmp(a.text, b.text, sizeof a.text) == 0;
}

bool DayRecordHasContent(const DayRecord& r) noexcept {
  if (r.dayTextColor >= 0 || r.dayBackColor >= 0) return true;
  for (const ScheduleEntry& e : r.entries) {
    if (e.order != 0) return true;
  }
  return false;
}

}  // namespace hiyomi
