#include "schedule/temporary_schedules.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/number_parse.h"
#include "base/text.h"

namespace hiyomi {

namespace {

constexpr int kDateDigits = 8;
constexpr int kFirstDateNumber = 20000100;  // exclusive
constexpr int kLastDateNumber = 21001231;
constexpr int32_t kMaxColor = 0xFFFFFF;

// Digits after optional spaces and a sign, as a decimal number; what
// follows the digits ends it.
int DecimalOf(const char* text, int length) {
  int at = 0;
  while (at < length && text[at] == ' ') ++at;
  bool negative = false;
  if (at < length && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  int value = 0;
  for (; at < length && text[at] >= '0' && text[at] <= '9'; ++at) value = value * 10 + (text[at] - '0');
  return negative ? -value : value;
}

// The day of a date line, or kNoDay when the line is none or its date is
// not a real one.
SerialDay DateLineDay(const std::string& line) {
  if (line[0] != '$' || line.size() <= static_cast<size_t>(kDateDigits)) return kNoDay;
  const int number = DecimalOf(line.c_str() + 1, kDateDigits);
  if (number <= kFirstDateNumber || number > kLastDateNumber) return kNoDay;
  const int year = number / 10000;
  const int month = number / 100 % 100;
  const int day = number % 100;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return kNoDay;
  // Dates of 2000 give serials of 0 or less: they end the list for lookups.
  return SerialFromDate(year, month, day);
}

int32_t ColorValue(const char* text) {
  return ClampInt(ParseNumber(text), -1, kMaxColor);
}

// "T=" and "B=" (either case), the first of each on the line. A trail byte
// of a double-byte character is never taken for the letter.
void ReadColorLine(const std::string& line, TemporaryItem& item) {
  bool textSet = false;
  bool backSet = false;
  for (size_t at = 0; at < line.size();) {
    const unsigned char c = static_cast<unsigned char>(line[at]);
    if (IsLeadByte(c)) {
      at += 2;
      continue;
    }
    if (at + 1 < line.size() && line[at + 1] == '=') {
      if ((c == 'T' || c == 't') && !textSet) {
        item.textColor = ColorValue(line.c_str() + at + 2);
        textSet = true;
      } else if ((c == 'B' || c == 'b') && !backSet) {
        item.backColor = ColorValue(line.c_str() + at + 2);
        backSet = true;
      }
    }
    ++at;
  }
}

enum class Expect { kDateLine, kText, kColors };

}  // namespace

std::vector<TemporaryItem> ParseTemporarySchedules(std::span<const uint8_t> text,
                                                   TemporaryColors defaults) {
  std::vector<TemporaryItem> items;
  Expect expect = Expect::kDateLine;
  SerialDay day = kNoDay;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    line.clear();
    while (at < text.size() && text[at] != '\r' && text[at] != '\n') {
      const char c = static_cast<char>(text[at++]);
      // A zero byte would cut the line short for the text functions.
      line += c == '\t' || c == '\0' ? ' ' : c;
    }
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    if (line.empty()) continue;
    switch (expect) {
      case Expect::kDateLine:
        day = DateLineDay(line);
        if (day != kNoDay) expect = Expect::kText;
        break;
      case Expect::kText:
        expect = Expect::kDateLine;
        if (static_cast<int>(items.size()) >= kMaxTemporaryItems) break;
        {
          TemporaryItem& item = items.emplace_back();
          item.serial = day;
          CopyText(item.text, line.c_str(), sizeof item.text);
          item.textColor = defaults.text;
          item.backColor = defaults.back;
        }
        expect = Expect::kColors;
        break;
      case Expect::kColors:
        // Items written one after another without colour lines are all
        // kept: a valid date line here starts the next item instead of
        // being swallowed as the previous one's colours.
        day = DateLineDay(line);
        if (day != kNoDay) {
          expect = Expect::kText;
          break;
        }
        ReadColorLine(line, items.back());
        expect = Expect::kDateLine;
        break;
    }
  }
  return items;
}

std::span<const TemporaryItem> ListedTemporaryItems(std::span<const TemporaryItem> items) noexcept {
  size_t count = 0;
  while (count < items.size() && items[count].serial > 0) ++count;
  return items.first(count);
}

int FindTemporaryItem(std::span<const TemporaryItem> items, SerialDay serial, int start,
                      const TemporaryItem** found) noexcept {
  const std::span<const TemporaryItem> listed = ListedTemporaryItems(items);
  for (int at = std::max(start, 0); at < static_cast<int>(listed.size()); ++at) {
    if (listed[at].serial != serial) continue;
    *found = &listed[at];
    return at + 1;
  }
  return -1;
}

TemporaryColors TemporaryDefaultColors(int32_t settingText, int32_t settingBack,
                                       int32_t categoryText, int32_t categoryBack) noexcept {
  if (settingText < 0 && settingBack < 0) return {categoryText, categoryBack};
  return {settingText, settingBack};
}

const char* TemporaryReadMessage(ReadOutcome outcome) noexcept {
  switch (outcome) {
    case ReadOutcome::kNoMemory: return "作業領域確保に失敗しました。　　";
    case ReadOutcome::kCutShort: return "データファイルが読み込めませんでした。　　";
    case ReadOutcome::kRead:
    case ReadOutcome::kNotOpened: break;
  }
  return nullptr;
}

std::string EditorCommandLine(const char* configured, const std::string& path) {
  if (configured[0] != '\0') return configured;
  return "notepad.exe " + path;
}

}  // namespace hiyomi
