// Fuzz target: a year file of any bytes. What loads is well formed, and
// saved again it loads back to the same header and records.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "schedule/records.h"
#include "schedule/year_store.h"
#include "tests/fuzz/fuzz_support.h"

using namespace hiyomi;
using namespace hiyomi::fuzzing;

namespace {

constexpr int kYear = 2026;
const char kPath[] = "/mem/H_2026.dat";

bool SameRecords(const DayRecord* a, const DayRecord* b, int count) {
  for (int r = 0; r < count; ++r) {
    uint8_t x[kDayRecordSize], y[kDayRecordSize];
    EncodeDayRecord(a[r], x);
    EncodeDayRecord(b[r], y);
    if (std::memcmp(x, y, kDayRecordSize) != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFiles files;
  SilentPrompts prompts;
  files.files[kPath].assign(data, data + size);

  auto first = std::make_unique<DayRecord[]>(kMaxDayRecords);
  const LoadedYear loaded = LoadYearFile(files, "/mem/H", kYear, first.get());
  const YearFileHeader& h = loaded.header;
  Check(!loaded.unread);
  Check(h.count >= 0 && h.count <= kMaxDayRecords);
  bool taken[kMaxDayRecords] = {};
  for (int32_t i : h.index) {
    Check(i == -1 || (i >= 0 && i < h.count));
    if (i >= 0) {
      Check(!taken[i]);
      taken[i] = true;
    }
  }
  // A file of the one right length with a sound index is not set aside.
  if (size >= kHeaderSize && !loaded.damaged) Check(size == kHeaderSize + h.count * kDayRecordSize);

  // Through the store: every day reads, the year saves, and the file on disk
  // then loads whole to what was loaded before.
  YearStore store(files, prompts);
  Check(store.Open("H", kYear));
  DayRecord record;
  for (int d = 0; d < 366; ++d) store.GetDayRecord(SerialOfNewYear(kYear) + d, record);
  Check(store.SaveYear(0));
  if (loaded.damaged) Check(files.files.count("/mem/H_2026.bad") == 1);
  if (h.count == 0) return 0;

  auto second = std::make_unique<DayRecord[]>(kMaxDayRecords);
  const LoadedYear again = LoadYearFile(files, "/mem/H", kYear, second.get());
  Check(!again.damaged);
  Check(again.header.count == h.count);
  Check(std::memcmp(again.header.index, h.index, sizeof h.index) == 0);
  Check(SameRecords(first.get(), second.get(), h.count));
  return 0;
}

// A header with two days, their records, and words the loader weighs.
std::vector<std::string> FuzzTokens() {
  YearFileHeader header = EmptyYearHeader();
  header.count = 2;
  header.index[0] = 0;
  header.index[40] = 1;
  uint8_t head[kHeaderSize];
  EncodeHeader(header, head);
  std::vector<std::string> tokens{std::string(reinterpret_cast<char*>(head), kHeaderSize)};
  for (int day : {0, 40}) {
    DayRecord r = FreshDayRecord(SerialOfNewYear(kYear) + day);
    r.entries[0].order = 1;
    std::memcpy(r.entries[0].text, "会議", sizeof "会議");
    r.entries[1].order = -1;
    r.entries[1].span = 3;
    uint8_t bytes[kDayRecordSize];
    EncodeDayRecord(r, bytes);
    tokens.emplace_back(reinterpret_cast<char*>(bytes), kDayRecordSize);
  }
  tokens.push_back(std::string("\xFF\xFF\xFF\xFF", 4));
  tokens.push_back(std::string("\x6E\x01\x00\x00", 4));  // 366
  tokens.push_back(std::string("\x00\x00\x00\x00", 4));
  return tokens;
}
