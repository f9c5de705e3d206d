// Bounded fuzzing of everything that reads untrusted bytes: the two data
// file loaders, the Type/Color values and the secret text form. Run under
// the sanitizers in the native tree, a crash or an access outside a record
// fails the test; the invariants below catch quieter damage.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

#include "schedule/categories.h"
#include "schedule/secret_text.h"
#include "schedule/undated_list.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"
#include "tests/fuzz/fuzz_support.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr uint32_t kSeed = 20260101;

using fuzzing::MemoryFiles;  // files in memory, so thousands of inputs run in moments

// A valid file with a few records, then some of its bytes changed, cut or added.
Bytes MutatedYearFile(std::mt19937& rng) {
  std::vector<DayFields> days;
  const int records = static_cast<int>(rng() % 6);
  for (int r = 0; r < records; ++r) {
    const int doy = static_cast<int>(rng() % 365);
    bool taken = false;
    for (const DayFields& d : days) taken = taken || d.dayOfYear == doy;
    if (!taken) days.push_back({doy, SerialOfNewYear(2026) + doy, {{.text = "x"}, {.text = "yy"}}});
  }
  Bytes b = YearFileBytes(days);
  const int flips = static_cast<int>(rng() % 12);
  for (int i = 0; i < flips; ++i) {
    const size_t at = rng() % b.size();
    switch (rng() % 4) {
      case 0: b[at] = static_cast<uint8_t>(rng()); break;
      case 1: b[at] = 0xFF; break;
      // An index or count word made small: points into or just past the records.
      case 2: if (at + 4 <= 1468) PutLe32(b, at & ~size_t{3}, static_cast<int32_t>(rng() % 8) - 1); break;
      case 3: b[at] = 0x80; break;
    }
  }
  switch (rng() % 5) {
    case 0: b.resize(rng() % (b.size() + 1)); break;
    case 1: b.resize(b.size() + rng() % 700, static_cast<uint8_t>(rng())); break;
    default: break;
  }
  return b;
}

TEST(Fuzz, YearFileLoader) {
  std::mt19937 rng(kSeed);
  for (int run = 0; run < 1500; ++run) {
    MemoryFiles files;
    ScriptedPrompts prompts;
    files.files["/mem/H_2026.dat"] = MutatedYearFile(rng);
    YearStore store(files, prompts);
    ASSERT_TRUE(store.Open("H", 2026));
    const YearFileHeader& h = store.SlotHeader(0);
    ASSERT_GE(h.count, 0);
    ASSERT_LE(h.count, kMaxDayRecords);
    for (int32_t i : h.index) ASSERT_TRUE(i == -1 || (i >= 0 && i < h.count));

    DayRecord r;
    for (int d = 0; d < 365; ++d) store.GetDayRecord(SerialOfNewYear(2026) + d, r);
    // Change the data a little: add, remove, spread.
    const int32_t day = SerialOfNewYear(2026) + static_cast<int32_t>(rng() % 365);
    store.AddEntryToDay(day, MakeEntry("add"), AddMode::ReportWhenFull);
    if (store.GetDayRecord(day, r)) {
      DayRecord empty = FreshDayRecord(day);
      CopyRequest copies;
      copies.count[0] = static_cast<int>(rng() % 3);
      store.StoreDayRecord(rng() % 2 ? empty : r, day, copies);
    }
    // Whatever is on disk now is a well-formed file.
    auto it = files.files.find("/mem/H_2026.dat");
    if (it != files.files.end()) {
      ASSERT_GE(it->second.size(), 1600u);
      const int32_t count = DecodeHeader(it->second.data()).count;
      ASSERT_EQ(it->second.size(), 1600u + count * 592u);
    }
  }
}

TEST(Fuzz, UndatedLoader) {
  std::mt19937 rng(kSeed + 1);
  for (int run = 0; run < 500; ++run) {
    MemoryFiles files;
    ScriptedPrompts prompts;
    Bytes b(rng() % 3400);
    for (uint8_t& x : b) x = static_cast<uint8_t>(rng() % 3 == 0 ? rng() : 0);
    files.files["/mem/H_0000.dat"] = b;
    UndatedList list(files, prompts);
    list.LoadUndated("/mem/H");
    list.entries[rng() % kUndatedEntries].text[0] = 'z';
    ASSERT_TRUE(list.SaveUndated());
    ASSERT_EQ(files.files["/mem/H_0000.dat"].size(), 3200u);
  }
}

bool EndsInLeadByte(const char* s) {
  bool lead = false;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; ++p) {
    lead = !lead && ((*p >= 0x81 && *p <= 0x9F) || (*p >= 0xE0 && *p <= 0xFC));
  }
  return lead;
}

TEST(Fuzz, TypeAndColorValues) {
  static const char* const kPieces[] = {",", " ", "\n", "#", "-", "+", "0x", "&h", "FF", "12",
                                        "-1", "名", "\x81", "ﾃ", "Work", "99999999999999999999"};
  std::mt19937 rng(kSeed + 2);
  for (int run = 0; run < 5000; ++run) {
    std::string value;
    const int n = static_cast<int>(rng() % 14);
    for (int i = 0; i < n; ++i) value += kPieces[rng() % std::size(kPieces)];
    Category row;
    ParseCategoryValue(value.c_str(), row);
    ASSERT_LT(strnlen(row.name, sizeof row.name), sizeof row.name) << value;
    ASSERT_FALSE(EndsInLeadByte(row.name)) << value;
    ASSERT_GE(row.textColor, -1);
    ASSERT_LE(row.textColor, 0xFFFFFF);
    // What is written reads back the same.
    if (row.name[0] != '\0' && !std::strpbrk(row.name, " ,\n")) {
      Category back;
      ASSERT_TRUE(ParseCategoryValue(FormatCategoryValue(row).c_str(), back));
      ASSERT_STREQ(back.name, row.name);
      ASSERT_EQ(back.textColor, row.textColor);
      ASSERT_EQ(back.backColor, row.backColor);
      ASSERT_EQ(back.visible, row.visible);
    }
    ColorSetEntry entry;
    ParseColorSetValue(value.c_str(), 0xFFFFFF, entry);
    ASSERT_LT(strnlen(entry.name, sizeof entry.name), sizeof entry.name);
    ASSERT_LE(entry.color, 0xFFFFFF);
  }
}

TEST(Fuzz, SecretTextForm) {
  std::mt19937 rng(kSeed + 3);
  SecretTexts secrets;
  secrets.Cipher().DeriveKey("pw");
  secrets.SetLockState(kUnlocked);
  for (int run = 0; run < 5000; ++run) {
    char field[kEntryTextSize];
    for (char& c : field) c = static_cast<char>(rng());
    field[0] = '&';
    field[1] = 0x01;
    if (rng() % 4 == 0) field[kEntryTextSize - 1] = '\0';
    const MarkMode mode = rng() % 2 ? MarkMode::Keep : MarkMode::Drop;
    const int result = secrets.DecipherText(field, mode);
    ASSERT_TRUE(result == 0 || result == kDecipherCheckFailed);
    if (result == 0) {
      ASSERT_EQ(field[kEntryTextSize - 1], '\0');
    }
  }
}

}  // namespace
}  // namespace hiyomi
