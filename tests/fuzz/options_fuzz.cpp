// Fuzz target: the whole options load from settings holding any values
// under any of the option keys. The loaded record is within every key's
// range, and saved and loaded again it is the same.
#include <cstdint>
#include <vector>
#include <cstring>
#include <memory>
#include <string>

#include "settings/memory_backend.h"
#include "settings/options.h"
#include "settings/settings_store.h"
#include "tests/fuzz/fuzz_support.h"

using namespace hiyomi;
using namespace hiyomi::fuzzing;

namespace {

constexpr char kProfile[] = "Work";

template <typename Visit>
void ForEachKey(Visit visit) {
  for (const OptionKey& key : OptionKeys()) {
    for (int i = 0; i < key.count; ++i) visit(key, key.first + i);
  }
}

bool ValidPriorityList(const int* list) {
  bool seen[kPrioritySources] = {};
  for (int i = 0; i < kPrioritySources; ++i) {
    const int v = list[i];
    if (v < 0 || v >= kPrioritySources || seen[v]) return false;
    seen[v] = true;
  }
  return true;
}

void CheckInRange(const Options& o) {
  ForEachKey([&](const OptionKey& key, int n) {
    const OptionField& f = key.field;
    switch (key.type) {
      case OptionType::kInt: {
        const int v = f.get(o, n);
        Check(v >= key.minimum && v <= key.maximum);
        break;
      }
      case OptionType::kFlag:
        Check(f.get(o, n) == 0 || f.get(o, n) == 1);
        break;
      case OptionType::kColor:
        Check(f.get(o, n) >= -2 && f.get(o, n) <= 0xFFFFFF);
        break;
      case OptionType::kString:
        Check(std::memchr(f.text(o, n), '\0', key.maximum) != nullptr);
        break;
      case OptionType::kPriorityList:
        Check(ValidPriorityList(o.PtnDay[n]));
        break;
    }
  });
}

bool SameValue(const OptionKey& key, int n, const Options& a, const Options& b) {
  switch (key.type) {
    case OptionType::kInt:
    case OptionType::kFlag:
    case OptionType::kColor:
      return key.field.get(a, n) == key.field.get(b, n);
    case OptionType::kString:
      return std::strcmp(key.field.text(a, n), key.field.text(b, n)) == 0;
    case OptionType::kPriorityList:
      return std::memcmp(a.PtnDay[n], b.PtnDay[n], kPrioritySources * sizeof(int)) == 0;
  }
  return false;
}

// A pair whose number is 0 or whose text is empty is not saved: both come
// back with their defaults.
bool SavedAsPair(const OptionKey& key, int n, const Options& o) {
  return key.type == OptionType::kString ? key.field.text(o, n)[0] != '\0'
                                         : key.field.get(o, n) != 0;
}

bool SameKeys(const Options& a, const Options& b) {
  const auto keys = OptionKeys();
  for (size_t k = 0; k < keys.size(); ++k) {
    const OptionKey& key = keys[k];
    const bool pairDropped = key.link == OptionLink::kPairedOrDeleted;
    for (int i = 0; i < key.count; ++i) {
      const int n = key.first + i;
      if (pairDropped) {
        const OptionKey& partner = keys[k + 1];
        const int m = partner.first + i;
        if (!SavedAsPair(key, n, a) || !SavedAsPair(partner, m, a)) continue;
        if (!SameValue(partner, m, a, b)) return false;
      }
      if (!SameValue(key, n, a, b)) return false;
    }
    if (pairDropped) ++k;
  }
  return true;
}

}  // namespace

// The input is a run of records: a row of the key table, a number within
// the row (bit 7: in Default rather than the profile), then the value up to
// a line feed or carriage return.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto keys = OptionKeys();
  auto owned = std::make_unique<MemorySettingsBackend>();
  MemorySettingsBackend* backend = owned.get();
  SettingsStore store;
  store.Attach(std::move(owned), kDefaultSection);
  size_t at = 0;
  while (at + 2 <= size) {
    const OptionKey& key = keys[data[at] % keys.size()];
    const uint8_t pick = data[at + 1];
    at += 2;
    const size_t end = std::min(size, static_cast<size_t>(
        std::find(data + at, data + size, '\n') - data));
    std::string value(reinterpret_cast<const char*>(data + at), end - at);
    // An ini line ends at either line-end byte.
    value.resize(std::min(value.find('\r'), value.size()));
    at = end + 1;
    const int number = key.first + (key.count > 1 ? (pick & 0x7F) % key.count : 0);
    backend->Write(pick & 0x80 ? kDefaultSection : kProfile, NameOf(key, number).text,
                   value.c_str());
  }

  auto loaded = std::make_unique<Options>();
  LoadOptions(*loaded, store, kProfile);
  CheckInRange(*loaded);

  OptionsDialogState dialog;
  dialog.applied = true;
  Check(SaveOptions(*loaded, store, dialog));
  auto again = std::make_unique<Options>();
  LoadOptions(*again, store, kProfile);
  CheckInRange(*again);
  Check(SameKeys(*loaded, *again));
  // Once saved, a record is its own fixed point.
  dialog.applied = true;
  Check(SaveOptions(*again, store, dialog));
  auto third = std::make_unique<Options>();
  LoadOptions(*third, store, kProfile);
  for (const OptionKey& key : OptionKeys()) {
    for (int i = 0; i < key.count; ++i) Check(SameValue(key, key.first + i, *again, *third));
  }
  return 0;
}

// Records of a few rows with values of every shape.
std::vector<std::string> FuzzTokens() {
  std::vector<std::string> tokens;
  for (int row = 0; row < static_cast<int>(OptionKeys().size()); row += 3) {
    tokens.push_back(std::string{static_cast<char>(row), static_cast<char>(row & 0x83)});
  }
  for (const char* value : {"0\n", "1\n", "-1\n", "0xFFFFFF\n", "99999999999\n", "-99999999\n",
                            "abc\n", "\x81\n", "00,01,02,03,04,05,06,07,08,09,10,11,12,13,\n",
                            "13,12,11,10,09,08,07,06,05,04,03,02,01,00,\n", "\n"}) {
    tokens.emplace_back(value);
  }
  tokens.push_back(std::string(300, 'z') + "\n");
  return tokens;
}
