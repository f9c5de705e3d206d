// Day records for painting, the tooltip, the print and the export: a few
// decoded years read from the files the year store writes, without its
// slots, so reading never loads or saves a year for the editing store.
#pragma once

#include <cstdint>
#include <memory>

#include "schedule/data_file.h"
#include "schedule/records.h"
#include "schedule/year_store.h"

namespace hiyomi {

class YearReader {
 public:
  YearReader(DataFiles& files, const YearStore& store) noexcept;
  YearReader(const YearReader&) = delete;
  YearReader& operator=(const YearReader&) = delete;

  // False when the day has no record; a missing or unreadable year file
  // reads as a year without records.
  bool DayRecordOf(int32_t serial, DayRecord& out) noexcept;

 private:
  static constexpr int kCachedYears = 4;
  struct CachedYear {
    int year = -1;
    uint64_t lastUse = 0;
    YearFileHeader header{};
    std::unique_ptr<DayRecord[]> records;
  };

  // Null only when no room could be had for the year.
  const CachedYear* YearOf(int year) noexcept;

  DataFiles& files_;
  const YearStore& store_;
  uint64_t storeVersion_ = 0;
  uint64_t uses_ = 0;
  CachedYear years_[kCachedYears];
};

}  // namespace hiyomi
