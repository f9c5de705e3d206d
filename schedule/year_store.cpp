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
constexpr char kYearFull[] = "データファイルに空き領域がありません。　　";
constexpr char kNotRead[] = "データファイルを読み込めませんでした。　　";
constexpr char kReadLate[] = "データファイルを読み込み直しました。もう一度開いてください。　　";


}  // namespace

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
  LoadedYear loaded{EmptyYearHeader(), false, false};
  std::vector<uint8_t> bytes;
  // One byte more than the largest file, to notice trailing garbage.
  const std::string name = YearFileName(base, year);
  if (!files.ReadWhole(name, kMaxYearFileSize + 1, bytes)) {
    // Present but not readable now (held by another program): it is read
    // again before the year changes, and never saved over.
    loaded.unread = files.Exists(name);
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
  s.unread = false;
  if (!Usable() || year < kFirstStoredYear || year > kLastStoredYear) return;
  const LoadedYear loaded = LoadYearFile(files_, base_, year, s.records);
  s.header = loaded.header;
  s.damaged = loaded.damaged;
  s.unread = loaded.unread;
}

bool YearStore::SaveYear(int slot) noexcept {
  Slot& s = slots_[slot];
  if (!Usable() || s.year < kFirstStoredYear) return true;
  if (s.unread) return false;
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
    // A file left in place would bring the removed days back at the next
    // start: the slot stays changed so a later save tries again.
    if (!files_.MoveReplace(data, backup) && files_.Exists(data)) {
      prompts_.Tell(kCreateFailed);
      return false;
    }
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
  if (slots_[1].year == year) return 1;
  // A slot is given up only once its changes are on disk; a change whose
  // save failed stays in memory, shown and retried, in the other slot's
  // place if need be.
  for (int slot : {1, 0}) {
    if (!slots_[slot].dirty || SaveYear(slot)) {
      LoadYear(slot, year);
      return slot;
    }
  }
  return kNoSlot;
}

bool YearStore::SaveChanges() noexcept {
  bool saved = true;
  for (int slot = 0; slot < 2; ++slot) {
    if (slots_[slot].dirty) saved = SaveYear(slot) && saved;
  }
  return saved;
}

bool YearStore::Reread(int slot) noexcept {
  if (slots_[slot].unread) LoadYear(slot, slots_[slot].year);
  return !slots_[slot].unread;
}

int YearStore::RecordIndex(int slot, int32_t serial) const noexcept {
  const Slot& s = slots_[slot];
  const int32_t doy = serial - SerialOfNewYear(s.year);
  if (doy < 0 || doy >= kMaxDayRecords) return -1;
  const int32_t i = s.header.index[doy];
  return i >= 0 && i < s.header.count ? i : -1;
}

bool YearStore::UnsavedDayRecord(int32_t serial, bool& hasRecord, DayRecord& out) const noexcept {
  if (!Usable() || !InStoreRange(serial)) return false;
  const int year = YearOfSerial(serial);
  for (int slot = 0; slot < 2; ++slot) {
    if (slots_[slot].year != year || !slots_[slot].dirty) continue;
    const int i = RecordIndex(slot, serial);
    hasRecord = i >= 0;
    if (hasRecord) out = slots_[slot].records[i];
    return true;
  }
  return false;
}

bool YearStore::GetDayRecord(int32_t serial, DayRecord& out) noexcept {
  if (!Usable() || !InStoreRange(serial)) return false;
  const int slot = SlotForYear(YearOfSerial(serial));
  if (slot == kNoSlot) return false;
  // A file held by another program shows once it is let go.
  Reread(slot);
  const int i = RecordIndex(slot, serial);
  if (i < 0) return false;
  out = slots_[slot].records[i];
  return true;
}

bool YearStore::PutRecord(int slot, int32_t serial, const DayRecord& record) noexcept {
  Slot& s = slots_[slot];
  const int32_t doy = serial - SerialOfNewYear(s.year);
  if (doy < 0 || doy >= kMaxDayRecords) return false;
  int i = RecordIndex(slot, serial);
  if (i < 0) {
    // Only a damaged file gets here: its records outnumber the days that own one.
    if (s.header.count >= kMaxDayRecords) return false;
    i = s.header.count++;
    s.header.index[doy] = i;
  }
  s.records[i] = record;
  // The record belongs to the day whose index found it, whatever a damaged
  // file said in its serial field.
  s.records[i].serial = serial;
  s.dirty = true;
  return true;
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

StoreResult YearStore::StoreDayRecord(const DayRecord& working, int32_t openedSerial,
                                      const CopyRequest& copies) noexcept {
  if (!Usable() || !InStoreRange(working.serial)) return {StoreOutcome::Failed, 0};
  const bool hasContent = DayRecordHasContent(working);
  const int slot = SlotForYear(YearOfSerial(working.serial));
  if (slot == kNoSlot) return {StoreOutcome::Failed, 0};  // the failed saves were reported
  const bool wasUnread = slots_[slot].unread;
  if (!Reread(slot)) {
    prompts_.Tell(kNotRead);
    return {StoreOutcome::Failed, 0};
  }
  const bool exists = RecordIndex(slot, working.serial) >= 0;
  // The dialog showed this day from a year it could not read: the day's
  // record is there after all and was never shown.
  if (wasUnread && exists && working.serial == openedSerial) {
    prompts_.Tell(kReadLate);
    return {StoreOutcome::Failed, 0};
  }
  if (working.serial != openedSerial && exists && !prompts_.AskYesNo(kAskOverwrite)) {
    return {StoreOutcome::Declined, 0};
  }
  if (hasContent) {
    if (!PutRecord(slot, working.serial, working)) {
      prompts_.Tell(kYearFull);
      return {StoreOutcome::Failed, 0};
    }
  } else if (exists) {
    RemoveRecord(slot, working.serial);
  }
  const bool written = working.serial + 1 < kNoDay ? SpreadCopies(working, copies) : SaveYear(slot);
  return {written ? StoreOutcome::Stored : StoreOutcome::NotWritten,
          working.serial != openedSerial ? working.serial : 0};
}

bool YearStore::CopyIntoDay(int slot, int32_t serial, const ScheduleEntry& entry,
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
      if (!overwriteLast) return true;
      target = kEntriesPerDay - 1;
    }
  }
  day.entries[target] = entry;
  return PutRecord(slot, serial, day);
}

bool YearStore::SpreadCopies(const DayRecord& stored, const CopyRequest& copies) noexcept {
  if (!Usable() || !InStoreRange(stored.serial)) return false;
  const int storedYear = YearOfSerial(stored.serial);
  int slot = SlotForYear(storedYear);
  if (slot == kNoSlot) return false;
  bool written = true;
  bool full = false;
  bool notRead = false;
  // Neither slot could be written to make room: the copies made so far wait
  // in memory for the next save.
  bool stranded = false;
  for (int row = 0; row < kEntriesPerDay && !stranded; ++row) {
    const int n = copies.count[row];
    if (n <= 0) continue;
    int year = storedYear;
    if (slots_[slot].year != year) {
      if (slots_[slot].dirty) written = SaveYear(slot) && written;
      slot = SlotForYear(year);
      if (slot == kNoSlot) {
        stranded = true;
        break;
      }
    }
    ScheduleEntry entry = stored.entries[row];
    entry.span = 0;
    // Copies stop at the last supported day: no file for 2100 is made.
    const int64_t last = std::min<int64_t>(int64_t{stored.serial} + n, kNoDay - 1);
    for (int64_t d = int64_t{stored.serial} + 1; d <= last; ++d) {
      const int32_t day = static_cast<int32_t>(d);
      if (day >= SerialOfNewYear(year + 1)) {
        written = SaveYear(slot) && written;
        year = YearOfSerial(day);
        slot = SlotForYear(year);
        if (slot == kNoSlot) {
          stranded = true;
          break;
        }
      }
      if (!Reread(slot)) {
        notRead = true;
      } else if (!CopyIntoDay(slot, day, entry, copies.overwriteLast[row])) {
        full = true;
      }
    }
  }
  // Once each, however many days missed their copy.
  if (notRead) prompts_.Tell(kNotRead);
  if (full) prompts_.Tell(kYearFull);
  if (stranded) return false;
  written = SaveYear(slot) && written;
  const int other = 1 - slot;
  if (slots_[other].dirty) written = SaveYear(other) && written;
  return written && !full && !notRead;
}

bool YearStore::AddEntryToDay(int32_t serial, const ScheduleEntry& entry, AddMode mode) noexcept {
  if (!Usable() || !InStoreRange(serial)) return false;
  const int slot = SlotForYear(YearOfSerial(serial));
  if (slot == kNoSlot) return false;
  if (!Reread(slot)) {
    prompts_.Tell(kNotRead);
    return false;
  }
  const int i = RecordIndex(slot, serial);
  if (i < 0) {
    DayRecord day = FreshDayRecord(serial);
    day.entries[0] = entry;
    if (!PutRecord(slot, serial, day)) {
      prompts_.Tell(kYearFull);
      return false;
    }
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
