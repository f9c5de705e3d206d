// Fuzz target: the Notrik data-file reader and the next due day of a
// repeating item, on any bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/little_endian.h"
#include "schedule/notrik.h"
#include "tests/schedule/notrik_records.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hiyomi;
  const SerialDay today = SerialFromDate(2026, 12, 10);
  std::vector<DueItem> items;
  const bool read = ParseDueItems(std::span(data, size), today, items);
  Check(read == (size >= kNotrikRecordSize));
  Check(items.size() <= static_cast<size_t>(kMaxNotrikRecords));
  for (const DueItem& item : items) {
    Check(std::memchr(item.text, '\0', sizeof item.text) != nullptr);
    Check(item.days >= 0 && item.days <= kNoDay);
    Check(item.due >= -2 * kNoDay && item.due <= 2 * kNoDay);
  }
  // The first bytes as a search start and five rule words.
  if (size >= 24) {
    const SerialDay from = GetI32(data) % (kNoDay + 2);
    int32_t rules[kNotrikRuleWords];
    for (int i = 0; i < kNotrikRuleWords; ++i) rules[i] = GetI32(data + 4 + 4 * i);
    const SerialDay next = NextRepeatDay(from, rules, today);
    Check(next == kNoDay || (next > from && next <= kLastSerial));
  }
  return 0;
}

// Whole records of every kind for the bounded driver to join and damage.
std::vector<std::string> FuzzTokens() {
  using hiyomi::testing::AppendNotrikRecord;
  using hiyomi::testing::NotrikRecordFields;
  const NotrikRecordFields records[] = {
      {.text = "一日", .kind = 1, .due = 9475},
      {.class1 = 3, .text = "repeat", .kind = 3, .due = 9000, .from = 8000,
       .rules = {1000040, 2003500, 3023300, 2000502, 700000 + 9468}},
      {.class2 = 12, .text = "period", .kind = 4, .from = 9470, .days = 5},
      {.used = 0, .kind = 2},
      {.kind = 3, .due = 1, .rules = {-1, 99999999, 36, 2003702, 100001}},
  };
  std::vector<std::string> tokens;
  for (const NotrikRecordFields& fields : records) {
    std::vector<uint8_t> bytes;
    AppendNotrikRecord(bytes, fields);
    tokens.emplace_back(bytes.begin(), bytes.end());
  }
  tokens.emplace_back("\x01\x02\x03");
  return tokens;
}
