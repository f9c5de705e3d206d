// Byte-exact Notrik data-file records for tests and the stand-in Notrik:
// the fields the calendar reads, everything else zero.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/little_endian.h"
#include "schedule/notrik.h"

namespace hiyomi::testing {

struct NotrikRecordFields {
  uint8_t used = 1;
  uint8_t class1 = 0;
  uint8_t class2 = 0;
  const char* text = "";
  int8_t kind = 1;
  int32_t due = 0;
  int32_t from = 0;
  int32_t rules[kNotrikRuleWords] = {};
  int32_t days = 0;
};

inline void AppendNotrikRecord(std::vector<uint8_t>& file, const NotrikRecordFields& f) {
  const size_t at = file.size();
  file.resize(at + kNotrikRecordSize, 0);
  uint8_t* r = file.data() + at;
  r[notrik_field::kUsed] = f.used;
  r[notrik_field::kClass1] = f.class1;
  r[notrik_field::kClass2] = f.class2;
  std::strncpy(reinterpret_cast<char*>(r + notrik_field::kText), f.text, kNotrikTextSize - 1);
  r[notrik_field::kKind] = static_cast<uint8_t>(f.kind);
  PutI32(r + notrik_field::kDue, f.due);
  PutI32(r + notrik_field::kFrom, f.from);
  for (int i = 0; i < kNotrikRuleWords; ++i) PutI32(r + notrik_field::kRules + 4 * i, f.rules[i]);
  PutI32(r + notrik_field::kDays, f.days);
}

}  // namespace hiyomi::testing
