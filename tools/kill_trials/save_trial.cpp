#include "tools/kill_trials/save_trial.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

#include "print/csv_export.h"
#include "schedule/records.h"
#include "schedule/undated_list.h"
#include "schedule/year_store.h"
#include "tests/print/csv_days.h"

namespace hiyomi::trials {
namespace {

// Enough days that writing the year file takes a while to cut into.
constexpr int kStoredDays = 300;
constexpr int kChangedDay = 5;
constexpr size_t kMemoBytes = 96 * 1024;
constexpr int kOldCsvDays = 200;
constexpr int kNewCsvDays = 240;

bool SaveBytes(DataFiles& files, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::span<const uint8_t> pieces[] = {std::span<const uint8_t>(bytes)};
  return SaveDataFile(files, files.FullPath(name), std::string(), pieces);
}

std::vector<uint8_t> YearBytes(const char* text) {
  YearFileHeader header = EmptyYearHeader();
  header.count = kStoredDays;
  std::vector<uint8_t> bytes(kHeaderSize + kStoredDays * kDayRecordSize);
  for (int d = 0; d < kStoredDays; ++d) {
    header.index[d] = d;
    DayRecord r = FreshDayRecord(SerialOfNewYear(kYear) + d);
    r.entries[0].order = 1;
    std::snprintf(r.entries[0].text, sizeof r.entries[0].text, "%s %d", text, d);
    EncodeDayRecord(r, bytes.data() + kHeaderSize + d * kDayRecordSize);
  }
  EncodeHeader(header, bytes.data());
  return bytes;
}

std::vector<uint8_t> UndatedBytes(const char* text) {
  std::vector<uint8_t> bytes(kUndatedFileSize);
  for (int i = 0; i < kUndatedEntries; ++i) {
    ScheduleEntry e = NewUndatedEntry();
    std::snprintf(e.text, sizeof e.text, "%s %d", text, i);
    EncodeEntry(e, bytes.data() + i * kEntrySize);
  }
  return bytes;
}

std::vector<uint8_t> MemoBytes(char fill) {
  std::vector<uint8_t> bytes(kMemoBytes, static_cast<uint8_t>(fill));
  for (size_t i = 79; i < bytes.size(); i += 80) bytes[i] = '\n';
  return bytes;
}

CsvWriteResult WriteExport(DataFiles& files, int days) {
  testing::CsvInputs in;
  const SerialDay first = SerialOfNewYear(kYear);
  for (int d = 0; d < days; d += 3) in.days.Add(first + d, "打ち合わせ");
  return WriteCsvFile(files, files.FullPath(kCsvFile), first, first + days - 1, CsvOptions{},
                      in.Inputs());
}

}  // namespace

std::vector<std::string> TrialFileNames() {
  return {YearFileName(kBase, kYear), YearBackupName(kBase, kYear), UndatedFileName(kBase),
          UndatedBackupName(kBase),   kMemoPage,                    kCsvFile};
}

bool WriteOldState(DataFiles& files) {
  return SaveBytes(files, YearFileName(kBase, kYear), YearBytes("old")) &&
         SaveBytes(files, YearBackupName(kBase, kYear), YearBytes("older")) &&
         SaveBytes(files, UndatedFileName(kBase), UndatedBytes("old")) &&
         SaveBytes(files, UndatedBackupName(kBase), UndatedBytes("older")) &&
         SaveBytes(files, kMemoPage, MemoBytes('o')) &&
         WriteExport(files, kOldCsvDays) == CsvWriteResult::kWritten;
}

bool SaveNewState(DataFiles& files, UserPrompts& prompts) {
  bool ok = true;
  YearStore store(files, prompts);
  if (!store.Open(kBase, kYear)) return false;
  const SerialDay day = SerialOfNewYear(kYear) + kChangedDay;
  DayRecord record;
  if (!store.GetDayRecord(day, record)) return false;
  std::strcpy(record.entries[0].text, "new");
  ok = store.StoreDayRecord(record, day, CopyRequest{}).outcome == StoreOutcome::Stored && ok;

  UndatedList undated(files, prompts);
  undated.LoadUndated(store.BasePath());
  std::strcpy(undated.entries[0].text, "new");
  ok = undated.SaveUndated() && ok;

  ok = SaveBytes(files, kMemoPage, MemoBytes('n')) && ok;
  ok = WriteExport(files, kNewCsvDays) == CsvWriteResult::kWritten && ok;
  return ok;
}

}  // namespace hiyomi::trials
