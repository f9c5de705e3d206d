// The user's dated schedule data: one file per year, at most two years held
// in memory. Every change is written to disk at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "schedule/data_file.h"
#include "schedule/prompts.h"
#include "schedule/records.h"

namespace hiyomi {

class SettingsStore;

// The settings value `file` of the current section: the data files' base
// name, "Hiyomi" when not set.
std::string ReadDataFileSetting(SettingsStore& store);

// The years that have files.
inline constexpr int kFirstStoredYear = 2000;
inline constexpr int kLastStoredYear = 2100;

// Names of a year's files for base path B: "B_2026.dat", "B_2026.bak", and
// "B_2026.bad" where a file that failed to load is kept.
std::string YearFileName(const std::string& base, int year);
std::string YearBackupName(const std::string& base, int year);
std::string YearBadName(const std::string& base, int year);

// Per entry slot of a stored day: how many following days get a copy, and
// whether a full day gives up its last slot for it.
struct CopyRequest {
  int count[kEntriesPerDay] = {};
  bool overwriteLast[kEntriesPerDay] = {};
};

// Decodes the year file of `year` under base path `base` into `records`
// (room for kMaxDayRecords). `damaged`: the file is there but did not load
// whole, so a save must keep it aside first. A missing or unreadable file
// gives an empty year.
struct LoadedYear {
  YearFileHeader header;
  bool damaged;
  bool unread;  // there, but could not be read now (held by another program)
};
LoadedYear LoadYearFile(DataFiles& files, const std::string& base, int year,
                        DayRecord* records) noexcept;

enum class AddMode { ReportWhenFull, SkipDuplicates };

enum class StoreOutcome {
  Stored,      // in the store and on disk
  NotWritten,  // in the store, but a file was not written or a copy not made (the user was told)
  Declined,    // the user would not overwrite the other day: nothing changed
  Failed,      // nothing changed: the year could not be read or has no room (the user was
               // told), or the store holds no data at all
};

// What StoreDayRecord did, and the day the view goes to: the stored day when
// the dialog's date was changed, else 0.
struct StoreResult {
  StoreOutcome outcome;
  int32_t day;
  // The record is in the store: the dialog may close.
  bool Kept() const noexcept { return outcome == StoreOutcome::Stored || outcome == StoreOutcome::NotWritten; }
};

class YearStore {
 public:
  YearStore(DataFiles& files, UserPrompts& prompts, YearFileListener* listener = nullptr) noexcept;
  YearStore(const YearStore&) = delete;
  YearStore& operator=(const YearStore&) = delete;

  // `baseName` is the settings value `file`; relative names land in the
  // current directory. Loads slot 0 with `currentYear`. False when the record
  // room could not be had: the store then reads nothing and writes nothing.
  bool Open(const std::string& baseName, int currentYear) noexcept;
  bool Usable() const noexcept { return records_ != nullptr; }
  const std::string& BasePath() const noexcept { return base_; }
  // Changes whenever a year file is written or the store is reopened, so
  // readers holding decoded years know to read again.
  uint64_t Version() const noexcept { return version_; }

  void LoadYear(int slot, int year) noexcept;
  // False when the data file could not be written (the user was told), or
  // when it could not be read: a file not read is never written over.
  bool SaveYear(int slot) noexcept;
  // Saves every slot with changes not yet on disk (at exit). False when one
  // could not be written.
  bool SaveChanges() noexcept;

  bool GetDayRecord(int32_t serial, DayRecord& out) noexcept;
  // The write path of the day dialog: `working.serial` is the date now chosen,
  // `openedSerial` the one the dialog was opened for.
  StoreResult StoreDayRecord(const DayRecord& working, int32_t openedSerial,
                     const CopyRequest& copies) noexcept;
  // False when a copy could not be made or a file not written (the user was told).
  bool SpreadCopies(const DayRecord& stored, const CopyRequest& copies) noexcept;
  bool AddEntryToDay(int32_t serial, const ScheduleEntry& entry, AddMode mode) noexcept;

  // The day's record as a slot holds it, changes not yet saved included;
  // false when no slot holds the day's year with unsaved changes.
  bool UnsavedDayRecord(int32_t serial, bool& hasRecord, DayRecord& out) const noexcept;

  int SlotYear(int slot) const noexcept { return slots_[slot].year; }
  const YearFileHeader& SlotHeader(int slot) const noexcept { return slots_[slot].header; }

 private:
  struct Slot {
    int year = -1;
    YearFileHeader header{};
    DayRecord* records = nullptr;
    bool dirty = false;    // changed since the last save
    bool damaged = false;  // the file on disk failed to load and is not yet kept aside
    bool unread = false;   // the file is there but could not be opened: never written over
  };

  static bool InStoreRange(int32_t serial) noexcept;
  // The slot holding `year`. When neither does, slot 1 is loaded with it
  // once its changes are saved, else slot 0 once its are; kNoSlot when
  // neither could be saved (the user was told).
  static constexpr int kNoSlot = -1;
  int SlotForYear(int year) noexcept;
  // Reads a year whose file could not be opened once more. False when it
  // still cannot be: nothing may change in that year then.
  bool Reread(int slot) noexcept;
  // Index entry of `serial` in `slot`, or -1 when the day has no record.
  int RecordIndex(int slot, int32_t serial) const noexcept;
  // False when the day has no record and the year has no room for one.
  bool PutRecord(int slot, int32_t serial, const DayRecord& record) noexcept;
  void RemoveRecord(int slot, int32_t serial) noexcept;
  // False only when the day needed a record and there was no room.
  bool CopyIntoDay(int slot, int32_t serial, const ScheduleEntry& entry, bool overwriteLast) noexcept;

  DataFiles& files_;
  UserPrompts& prompts_;
  YearFileListener* listener_;
  std::string base_;
  std::unique_ptr<DayRecord[]> records_;
  Slot slots_[2];
  uint64_t version_ = 0;
};

}  // namespace hiyomi
