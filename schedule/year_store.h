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

// Serial day of 1 January of `year` (serial 1 = 2001-01-01), and back.
int32_t SerialOfNewYear(int year) noexcept;
int YearOfSerial(int32_t serial) noexcept;

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
};
LoadedYear LoadYearFile(DataFiles& files, const std::string& base, int year,
                        DayRecord* records) noexcept;

enum class AddMode { ReportWhenFull, SkipDuplicates };

// StoreDayRecord's result when the user declined to overwrite another day.
inline constexpr int kStoreDeclined = -1;

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
  // False only when the data file could not be written (the user was told).
  bool SaveYear(int slot) noexcept;

  bool GetDayRecord(int32_t serial, DayRecord& out) noexcept;
  // The write path of the day dialog: `working.serial` is the date now chosen,
  // `openedSerial` the one the dialog was opened for. Returns kStoreDeclined
  // (nothing changed, the dialog stays open), the stored serial when the date
  // was changed, else 0.
  int StoreDayRecord(const DayRecord& working, int32_t openedSerial,
                     const CopyRequest& copies) noexcept;
  void SpreadCopies(const DayRecord& stored, const CopyRequest& copies) noexcept;
  bool AddEntryToDay(int32_t serial, const ScheduleEntry& entry, AddMode mode) noexcept;

  int SlotYear(int slot) const noexcept { return slots_[slot].year; }
  const YearFileHeader& SlotHeader(int slot) const noexcept { return slots_[slot].header; }

 private:
  struct Slot {
    int year = -1;
    YearFileHeader header{};
    DayRecord* records = nullptr;
    bool dirty = false;    // changed since the last save
    bool damaged = false;  // the file on disk failed to load and is not yet kept aside
  };

  static bool InStoreRange(int32_t serial) noexcept;
  // The slot holding `year`, loading slot 1 when neither does (after saving
  // changes it still holds).
  int SlotForYear(int year) noexcept;
  // Index entry of `serial` in `slot`, or -1 when the day has no record.
  int RecordIndex(int slot, int32_t serial) const noexcept;
  void PutRecord(int slot, int32_t serial, const DayRecord& record) noexcept;
  void RemoveRecord(int slot, int32_t serial) noexcept;
  void CopyIntoDay(int slot, int32_t serial, const ScheduleEntry& entry, bool overwriteLast) noexcept;

  DataFiles& files_;
  UserPrompts& prompts_;
  YearFileListener* listener_;
  std::string base_;
  std::unique_ptr<DayRecord[]> records_;
  Slot slots_[2];
  uint64_t version_ = 0;
};

}  // namespace hiyomi
