// Fuzz target: the single values read from the settings (numbers, flags,
// colours, texts, CSVOpt) and the Notrik file names made from them. Every
// read stays within its range, and what is written reads back.
#include <climits>
#include <cstdint>
#include <vector>
#include <cstring>
#include <memory>
#include <string>

#include "base/number_parse.h"
#include "base/text.h"
#include "print/csv_export.h"
#include "schedule/notrik.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"
#include "tests/fuzz/fuzz_support.h"

using namespace hiyomi;
using namespace hiyomi::fuzzing;

namespace {

struct Range {
  int minimum;
  int maximum;
};
// The kinds of range the options use, and the widest.
constexpr Range kRanges[] = {{0, 1},   {0, 255},        {-1, 100},      {1, 72},
                             {0, 0},   {INT_MIN, INT_MAX}, {-500, -400}, {0, 0x7FFFFFFF}};

bool EndsInLeadByte(const char* s) {
  bool lead = false;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; ++p) {
    lead = !lead && IsLeadByte(*p);
  }
  return lead;
}

bool EndsWith(const std::string& s, const char* end) {
  const size_t n = std::strlen(end);
  return s.size() >= n && s.compare(s.size() - n, n, end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Range range = kRanges[data[0] % std::size(kRanges)];
  const bool small = data[0] & 0x80;
  // The rest: a value, and after the first NUL a second text.
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string value = rest.substr(0, rest.find('\0'));
  const std::string other = rest.find('\0') == std::string::npos ? "" : rest.substr(rest.find('\0') + 1);

  SettingsStore store;
  store.Attach(std::make_unique<MemorySettingsBackend>(), "Default");
  store.WriteString("Key", value.c_str());
  const int number = store.ReadInt("Key", "7", range.minimum, range.maximum);
  Check(number >= range.minimum && number <= range.maximum);
  const bool flag = store.ReadBool("Key", "0");
  const int color = store.ReadColor("Key", 0x123456);
  Check(color >= -1 && color <= 0xFFFFFF);
  char text[300];
  const int room = small ? 5 : static_cast<int>(sizeof text);
  store.ReadString("Key", "def", text, room);
  Check(std::memchr(text, '\0', room) != nullptr && !EndsInLeadByte(text));
  const int64_t hex = ParseHexField(value.c_str(), static_cast<int>(value.size()), small);
  (void)hex;

  // Written and read again.
  store.WriteInt("Back", number);
  Check(store.ReadInt("Back", "0", range.minimum, range.maximum) == number);
  store.WriteBool("Back", flag);
  Check(store.ReadBool("Back", "0") == flag);
  store.WriteColor("Back", color);
  Check(store.ReadColor("Back", 0x654321) == color);

  store.WriteString(kCsvOptKey, value.c_str(), kDefaultSection);
  const CsvOptions csv = LoadCsvOptions(store);
  Check(static_cast<int>(csv.separator) <= 2);
  SaveCsvOptions(store, csv);
  const CsvOptions again = LoadCsvOptions(store);
  Check(FormatCsvOpt(again) == FormatCsvOpt(csv));
  Check(FormatCsvOpt(csv).size() == static_cast<size_t>(kCsvOptChars));

  // A program path and an ini "file" value of any text.
  const std::string ini = NotrikIniPath(value.c_str());
  Check(ini.empty() || EndsWith(ini, ".ini"));
  const std::string dat = NotrikDataPath(value.c_str(), other.c_str());
  Check(dat.empty() || EndsWith(dat, ".dat"));
  Check(ini.size() < 2 * kPathTextSize && dat.size() < 2 * kPathTextSize + 4);
  return 0;
}

std::vector<std::string> FuzzTokens() {
  return {std::string(1, '\0'), std::string(1, '\x05'), std::string(1, '\x85'), "0x", "&h", "-",
          "+", " ", "99999999999999999999", "-2147483649", "7", "FFFFFF", "\x81", "漢字",
          "C:\\", "\\", "notrik.exe", ".", "file", "000000000", "2111111", std::string(300, 'a')};
}
