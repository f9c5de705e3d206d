// Fuzz target: the temporary-schedule text parser on any bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "schedule/temporary_schedules.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hiyomi;
  const std::vector<TemporaryItem> items =
      ParseTemporarySchedules(std::span(data, size), TemporaryColors{0x123456, -1});
  Check(items.size() <= static_cast<size_t>(kMaxTemporaryItems));
  for (const TemporaryItem& item : items) {
    Check(std::memchr(item.text, '\0', sizeof item.text) != nullptr);
    Check(item.textColor >= -1 && item.textColor <= 0xFFFFFF);
    Check(item.backColor >= -1 && item.backColor <= 0xFFFFFF);
    // Valid dates of 2000-01-01 .. 2100-12-31 only.
    Check(item.serial >= SerialFromDate(2000, 1, 1) && item.serial <= SerialFromDate(2100, 12, 31));
  }
  const std::span<const TemporaryItem> listed = ListedTemporaryItems(items);
  const TemporaryItem* found = nullptr;
  if (!listed.empty()) Check(FindTemporaryItem(items, listed[0].serial, 0, &found) > 0);
  return 0;
}

// Pieces the bounded driver puts together: the parser's own syntax.
std::vector<std::string> FuzzTokens() {
  return {"$20070315", "$20280229", "$20070230", "$2000123", "$21001231", "$20001231", "\n",
          "\r",        "\r\n",      "\t",        "T=",       "B=",        "t=0x",      "b=-",
          "0xFF",      "&h",        "12345678",  "お花見",   "\x82",      "\x83T=",    " ",
          std::string(1, '\0'),     std::string(300, 'x')};
}
