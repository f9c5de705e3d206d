#include "schedule/year_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "settings/settings_store.h"

namespace hiyomi {
namespace {

constexpr char kCreateFailed[] = "データファイル作成に失敗しました。　　";
constexpr char kAskOverwrite[] = "変更した日付には登録データが存在します。上書きしますか？";
constexpr char kDayFull[] = "指定日には空き領域がありません。　　";

// Days since 1970-01-01 of a proleptic Gregorian date (Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int m, int d) noexcept {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

const int64_t kSerialZero = DaysFromCivil(2001, 1, 1) - 1;

}  // namespace

int32_t SerialOfNewYear(int year) noexcept {
  return static_cast<int32_t>(DaysFromCivil(year, 1, 1) - kSerialZero);
}

int YearOfSerial(int32_t serial) noexcept {
  // Estimate, then correct by at most one year either way.
  int year = 2001 + static_cast<int>((static_cast<int64_t>(serial) - 1) * 400 / 146097);
  while (SerialOfNewYear(year) > serial) --year;
  while (SerialOfNewYear(year + 1) <= serial) ++year;
  return year;
}

std::string ReadDataFileSetting(SettingsStore& store) {
  char name[kSettingsPathSize];
  store.ReadString("file", "Hiyomi", name, sizeof name);
  return name;
}

std::string YearFileName(const std::string& base, int year) {
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "_%d.dat", year);
  return base + suffix;
}

std::string YearBackupName(const std::string& base, int year) {
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "_%d.bak", year);
  return base + suffix;
}

std::string YearBadName(const std::string& base, int year) {
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "_%d.bad", year);
  return base + suffix;
}

YearStore::YearStore(DataFiles& files, UserPrompts& prompts, YearFileListener* listener) noexcept
    : files_(files), prompts_(prompts), listener_(listener) {}

bool YearStore::Open(const std::string& baseName, int currentYear) noexcept {
  base_ = files_.FullPath(baseName);
  ++version_;
  records_.reset(new (std::nothrow) DayRecord[2 * kMaxDayRecords]);
  for (int s = 0; s < 2; ++s) {
    slots_[s] = Slot{};
    slots_[s].header = EmptyYearHeader();
    slots_[s].records = records_ ? records_.get() + s * kMaxDayRecords : nullptr;
  }
  if (!records_) return false;
  LoadYear(0, currentYear);
  return true;
}

bool YearStore::InStoreRange(int32_t serial) noexcept {
  return serial >= SerialOfNewYear(kFirstStoredYear) && serial < SerialOfNewYear(kLastStoredYear + 1);
}

LoadedYear LoadYearFile(DataFiles& files, const std::string& base, int year,
                        DayRecord* records) noexcept {
  LoadedYear loaded{EmptyYearHeader(), false};
  std::vector<uint8_t> bytes;
  // One byte more than the largest file, to notice trailing garbage.
  const std::string name = YearFileName(base, year);
  if (!files.ReadWhole(name, kMaxYearFileSize + 1, bytes)) {
    // Present but not readable now (held by another program): saving over
    // it would lose every day it holds.
    loaded.damaged = files.Exists(name);
    return loaded;
  }
  if (bytes.size() < kHeaderSize) {
    loaded.damaged = true;
    return loaded;
  }
  YearFileHeader header = DecodeHeader(bytes.data());
  if (header.count < 0 || header.count > kMaxDayRecords) {
    loaded.damaged = true;
    return loaded;
  }
  // A file of any other length loses bytes at the next save: keep it aside.
  if (bytes.size() != kHeaderSize + header.count * kDayRecordSize) loaded.damaged = true;
  const size_t whole = (bytes.size() - kHeaderSize) / kDayRecordSize;
  if (whole < static_cast<size_t>(header.count)) header.count = static_cast<int32_t>(whole);
  // An index beyond the records would come to point at another day's record
  // once records are appended or removed, so it is dropped now.
  bool taken[kMaxDayRecords] = {};
  for (int32_t& i : header.index) {
    if (i < 0 || i >= header.count) {
      i = -1;
    } else if (taken[i]) {
      // Two days sharing one record would change together and shift each
      // other's records on removal; the later day loses the record.
      i = -1;
      loaded.damaged = true;
    } else {
      taken[i] = true;
    }
  }
  for (int r = 0; r < header.count; ++r) {
    records[r] = DecodeDayRecord(bytes.data() + kHeaderSize + r * kDayRecordSize);
  }
  loaded.header = header;
  return loaded;
}

void YearStore::LoadYear(int slot, int year) noexcept {
  Slot& s = slots_[slot];
  s.year = year;
  s.header = EmptyYearHeader();
  s.dirty = false;
  s.damaged = false;
  if (!Usable() || year < kFirstStoredYear || year > kLastStoredYear) return;
  const LoadedYear loaded = LoadYearFile(files_, base_, year, s.records);
  s.header = loaded.header;
  s.damaged = loaded.damaged;
}

bool YearStore::SaveYear(int slot) noexcept {
  Slot& s = slots_[slot];
  if (!Usable() || s.year < kFirstStoredYear) return true;
  const std::string data = YearFileName(base_, s.year);
  const std::string backup = YearBackupName(base_, s.year);

  // A file that failed to load is kept aside before anything replaces it,
  // so neither it nor the older backup is lost.
  if (s.damaged) {
    if (files_.MoveReplace(data, YearBadName(base_, s.year)) || !files_.Exists(data)) {
      s.damaged = false;
    } else {
      prompts_.Tell(kCreateFailed);
      return false;
    }
  }

  // Readers read again after any attempt: a failed save may still have
  // moved the file aside.
  ++version_;
  if (s.header.count <= 0) {
    files_.MoveReplace(data, backup);
    s.dirty = false;
    return true;
  }

  std::vector<uint8_t> bytes(kHeaderSize + s.header.count * kDayRecordSize);
  EncodeHeader(s.header, bytes.data());
  for (int r = 0; r < s.header.count; ++r) {
    EncodeDayRecord(s.records[r], bytes.data() + kHeaderSize + r * kDayRecordSize);
  }
  const std::span<const uint8_t> all(bytes);
  const std::span<const uint8_t> pieces[] = {all.first(kHeaderSize), all.subspan(kHeaderSize)};
  if (!SaveDataFile(files_, data, backup, pieces)) {
    prompts_.Tell(kCreateFailed);
    return false;
  }
  s.dirty = false;
  if (listener_) listener_->YearFileWritten();
  return true;
}

int YearStore::SlotForYear(int year) noexcept {
  if (slots_[0].year == year) return 0;
  if (slots_[1].year != year) {
    if (slots_[1].dirty) SaveYear(1);
    LoadYear(1, year);
  }
  return 1;
}

int YearStore::RecordIndex(int slot, int32_t serial) const noexcept {
  const Slot& s = slots_[slot];
  const int32_t doy = serial - SerialOfNewYear(s.year);
  if (doy < 0 || doy >= kMaxDayRecords) return -1;
  const int32_t i = s.header.index[doy];
  return i >= 0 && i < s.header.count ? i : -1;
}

bool YearStore::GetDayRecord(int32_t serial, DayRecord& out) noexcept {
  if (!Usable() || !InStoreRange(serial)) return false;
  const int slot = SlotForYear(YearOfSerial(serial));
  const int i = RecordIndex(slot, serial);
  if (i < 0) return false;
  out = slots_[slot].records[i];
  return true;
}

void YearStore::PutRecord(int slot, int32_t serial, const DayRecord& record) noexcept {
  Slot& s = slots_[slot];
  const int32_t doy = serial - SerialOfNewYear(s.year);
  if (doy < 0 || doy >= kMaxDayRecords) return;
  int i = RecordIndex(slot, serial);
  if (i < 0) {
    if (s.header.count >= kMaxDayRecords) return;  // cannot happen: one record per day
    i = s.header.count++;
    s.header.index[doy] = i;
  }
  s.records[i] = record;
  // The record belongs to the day whose index found it, whatever a damaged
  // file said in its serial field.
  s.records[i].serial = serial;
  s.dirty = true;
}

void YearStore::RemoveRecord(int slot, int32_t serial) noexcept {
  Slot& s = slots_[slot];
  const int i = RecordIndex(slot, serial);
  if (i < 0) return;
  std::memmove(&s.records[i], &s.records[i + 1], (s.header.count - i - 1) * sizeof(DayRecord));
  for (int32_t& x : s.header.index) {
    if (x > i) --x;
  }
  s.header.index[serial - SerialOfNewYear(s.year)] = -1;
  --s.header.count;
  s.dirty = true;
}

int YearStore::StoreDayRecord(const DayRecord& working, int32_t openedSerial,
                              const CopyRequest& copies) noexcept {
  if (!Usable() || !InStoreRange(working.serial)) return 0;
  const bool hasContent = DayRecordHasContent(working);
  const int slot = SlotForYear(YearOfSerial(working.serial));
  const bool exists = RecordIndex(slot, working.serial) >= 0;
  if (working.serial != openedSerial && exists && !prompts_.AskYesNo(kAskOverwrite)) {
    return kStoreDeclined;
  }
  if (hasContent) {
    PutRecord(slot, working.serial, working);
  } else if (exists) {
    RemoveRecord(slot, working.serial);
  }
  if (working.serial + 1 < kNoDay) {
    SpreadCopies(working, copies);
  } else {
    SaveYear(slot);
  }
  return working.serial != openedSerial ? working.serial : 0;
}

void YearStore::CopyIntoDay(int slot, int32_t serial, const ScheduleEntry& entry,
                            bool overwriteLast) noexcept {
  DayRecord day;
  const int i = RecordIndex(slot, serial);
  int target = 0;
  if (i < 0) {
    day = FreshDayRecord(serial);
  } else {
    day = slots_[slot].records[i];
    target = -1;
    for (int k = 0; k < kEntriesPerDay; ++k) {
      if (day.entries[k].order == 0) {
        target = k;
        break;
      }
    }
    if (target < 0) {
      if (!overwriteLast) return;
      target = kEntriesPerDay - 1;
    }
  }
  day.entries[target] = entry;
  PutRecord(slot, serial, day);
}

void YearStore::SpreadCopies(const DayRecord& stored, const CopyRequest& copies) noexcept {
  if (!Usable() || !InStoreRange(stored.serial)) return;
  const int storedYear = YearOfSerial(stored.serial);
  int slot = SlotForYear(storedYear);
  for (int row = 0; row < kEntriesPerDay; ++row) {
    const int n = copies.count[row];
    if (n <= 0) continue;
    int year = storedYear;
    if (slots_[slot].year != year) {
      if (slots_[slot].dirty) SaveYear(slot);
      slot = SlotForYear(year);
    }
    ScheduleEntry entry = stored.entries[row];
    entry.span = 0;
    // Copies stop at the last supported day: no file for 2100 is made.
    const int64_t last = std::min<int64_t>(int64_t{stored.serial} + n, kNoDay - 1);
    for (int64_t d = int64_t{stored.serial} + 1; d <= last; ++d) {
      const int32_t day = static_cast<int32_t>(d);
      if (day >= SerialOfNewYear(year + 1)) {
        SaveYear(slot);
        year = YearOfSerial(day);
        slot = SlotForYear(year);
      }
      CopyIntoDay(slot, day, entry, copies.overwriteLast[row]);
    }
  }
  SaveYear(slot);
  const int other = 1 - slot;
  if (slots_[other].dirty) SaveYear(other);
}

bool YearStore::AddEntryToDay(int32_t serial, const ScheduleEntry& entry, AddMode mode) noexcept {
  if (!Usable() || !InStoreRange(serial)) return false;
  const int slot = SlotForYear(YearOfSerial(serial));
  const int i = RecordIndex(slot, serial);
  if (i < 0) {
    DayRecord day = FreshDayRecord(serial);
    day.entries[0] = entry;
    PutRecord(slot, serial, day);
    SaveYear(slot);
    return true;
  }
  DayRecord day = slots_[slot].records[i];
  if (mode == AddMode::SkipDuplicates) {
    for (const ScheduleEntry& e : day.entries) {
      if (e.order != 0 && SameEntryText(e, entry)) return false;
    }
  }
  for (ScheduleEntry& e : day.entries) {
    if (e.order == 0) {
      e = entry;
      PutRecord(slot, serial, day);
      SaveYear(slot);
      return true;
    }
  }
  if (mode == AddMode::ReportWhenFull) prompts_.Tell(kDayFull);
  return false;
}

}  // namespace hiyomi
