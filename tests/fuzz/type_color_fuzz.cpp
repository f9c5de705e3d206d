// Fuzz target: the Type%d and Color%d values as a user may have edited
// them. A name is always terminated and never ends in half a character,
// colours stay in range, and a written row reads back the same.
#include <cstdint>
#include <vector>
#include <cstring>
#include <string>

#include "base/text.h"
#include "schedule/categories.h"
#include "tests/fuzz/fuzz_support.h"

using namespace hiyomi;
using namespace hiyomi::fuzzing;

namespace {

bool EndsInLeadByte(const char* s) {
  bool lead = false;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; ++p) {
    lead = !lead && IsLeadByte(*p);
  }
  return lead;
}

bool ColorInRange(int32_t c) { return c >= -1 && c <= 0xFFFFFF; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string value(reinterpret_cast<const char*>(data), size);
  Category row;
  if (ParseCategoryValue(value.c_str(), row)) Check(row.name[0] != '\0');
  Check(std::memchr(row.name, '\0', sizeof row.name) != nullptr);
  Check(!EndsInLeadByte(row.name));
  Check(ColorInRange(row.textColor) && ColorInRange(row.backColor));
  if (row.name[0] != '\0' && !std::strpbrk(row.name, " ,\n")) {
    Category back;
    Check(ParseCategoryValue(FormatCategoryValue(row).c_str(), back));
    Check(std::strcmp(back.name, row.name) == 0);
    Check(back.textColor == row.textColor && back.backColor == row.backColor);
    Check(back.visible == row.visible);
  }

  ColorSetEntry entry;
  ParseColorSetValue(value.c_str(), 0xFFFFFF, entry);
  Check(std::memchr(entry.name, '\0', sizeof entry.name) != nullptr);
  Check(!EndsInLeadByte(entry.name));
  Check(ColorInRange(entry.color));
  return 0;
}

std::vector<std::string> FuzzTokens() {
  return {",", " ", "\n", "#", "-", "+", "0x", "&h", "FF", "12", "-1", "名", "\x81", "ﾃ",
          "Work", "99999999999999999999", "0xFFFFFF", "1", "0"};
}
