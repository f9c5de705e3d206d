#include "schedule/year_reader.h"

#include <new>

namespace hiyomi {

YearReader::YearReader(DataFiles& files, const YearStore& store) noexcept
    : files_(files), store_(store) {}

const YearReader::CachedYear* YearReader::YearOf(int year) noexcept {
  // Every write of the store may have changed any year: read them again.
  if (store_.Version() != storeVersion_) {
    storeVersion_ = store_.Version();
    for (CachedYear& cached : years_) cached.year = -1;
  }
  ++uses_;
  CachedYear* oldest = &years_[0];
  for (CachedYear& cached : years_) {
    if (cached.year == year) {
      cached.lastUse = uses_;
      return &cached;
    }
    if (cached.year < 0 || (oldest->year >= 0 && cached.lastUse < oldest->lastUse)) {
      oldest = &cached;
    }
  }
  if (!oldest->records) {
    oldest->records.reset(new (std::nothrow) DayRecord[kMaxDayRecords]);
    if (!oldest->records) return nullptr;
  }
  oldest->header = LoadYearFile(files_, store_.BasePath(), year, oldest->records.get()).header;
  oldest->year = year;
  oldest->lastUse = uses_;
  return oldest;
}

bool YearReader::DayRecordOf(int32_t serial, DayRecord& out) noexcept {
  if (!store_.Usable() || serial < SerialOfNewYear(kFirstStoredYear) ||
      serial >= SerialOfNewYear(kLastStoredYear + 1)) {
    return false;
  }
  // A change whose save failed is still in the store and retried later:
  // the screen shows it, as the day dialog does.
  bool hasRecord = false;
  if (store_.UnsavedDayRecord(serial, hasRecord, out)) return hasRecord;
  const int year = YearOfSerial(serial);
  const CachedYear* cached = YearOf(year);
  if (cached == nullptr) return false;
  const int32_t doy = serial - SerialOfNewYear(year);
  if (doy < 0 || doy >= kMaxDayRecords) return false;
  const int32_t i = cached->header.index[doy];
  if (i < 0 || i >= cached->header.count) return false;
  out = cached->records[i];
  return true;
}

}  // namespace hiyomi
