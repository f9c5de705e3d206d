// Fuzz target: an undated file of any bytes. Saved again it is a whole
// file (or none, when no entry has text), and it loads back to the same
// entries.
#include <cstdint>
#include <string>
#include <vector>
#include <cstring>

#include "schedule/records.h"
#include "schedule/undated_list.h"
#include "tests/fuzz/fuzz_support.h"

using namespace hiyomi;
using namespace hiyomi::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFiles files;
  SilentPrompts prompts;
  files.files["/mem/H_0000.dat"].assign(data, data + size);
  UndatedList list(files, prompts);
  list.LoadUndated("/mem/H");
  Check(list.SaveUndated());
  // A list without any text leaves no file; one with text a whole file.
  const auto saved = files.files.find("/mem/H_0000.dat");
  bool anyText = false;
  for (const ScheduleEntry& e : list.entries) anyText = anyText || e.text[0] != '\0';
  Check((saved != files.files.end()) == anyText);
  if (!anyText) return 0;
  Check(saved->second.size() == kUndatedFileSize);

  UndatedList back(files, prompts);
  back.LoadUndated("/mem/H");
  for (int i = 0; i < kUndatedEntries; ++i) {
    uint8_t x[kEntrySize], y[kEntrySize];
    EncodeEntry(list.entries[i], x);
    EncodeEntry(back.entries[i], y);
    Check(std::memcmp(x, y, kEntrySize) == 0);
  }
  return 0;
}

// Undated entries as the list writes them, and shorter pieces.
std::vector<std::string> FuzzTokens() {
  std::vector<std::string> tokens;
  ScheduleEntry e = NewUndatedEntry();
  std::memcpy(e.text, "買い物", sizeof "買い物");
  e.span = 7;
  for (const ScheduleEntry& entry : {NewUndatedEntry(), e, EmptyEntry()}) {
    uint8_t bytes[kEntrySize];
    EncodeEntry(entry, bytes);
    tokens.emplace_back(reinterpret_cast<char*>(bytes), kEntrySize);
  }
  tokens.push_back(std::string(kUndatedFileSize - kEntrySize, '\0'));
  tokens.push_back("\xFF\xFF\xFF\xFF");
  return tokens;
}
