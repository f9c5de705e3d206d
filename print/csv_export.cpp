#include "print/csv_export.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/lunar.h"
#include "schedule/display_flags.h"
#include "settings/settings_store.h"
#include "shell/day_texts.h"

namespace hiyomi {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kQuote = '"';

bool Checked(const char* text, int at) {
  // Characters past the end of a short value read as unchecked.
  for (int i = 0; i < at; ++i) {
    if (text[i] == '\0') return false;
  }
  return text[at] == '1';
}

// RFC 4180: inner quotes are doubled.
void AppendQuoted(std::string_view text, std::string& out) {
  out += kQuote;
  for (char c : text) {
    if (c == kQuote) out += kQuote;
    out += c;
  }
  out += kQuote;
}

// A text quoted only when it would otherwise break the line into other
// columns or rows. CP932 trail bytes never take the values tested here.
void AppendField(std::string_view text, const char* separator, std::string& out) {
  const bool needsQuotes = text.find_first_of("\"\r\n") != std::string_view::npos ||
                           text.find(separator) != std::string_view::npos;
  if (needsQuotes) {
    AppendQuoted(text, out);
  } else {
    out += text;
  }
}

class DayPrefix {
 public:
  DayPrefix(const CsvOptions& options, const char* separator)
      : options_(options), separator_(separator) {}

  const std::string& Of(SerialDay day) {
    const CalendarDate date = DateFromSerial(day);
    char text[32];
    std::snprintf(text, sizeof text, "%d年%d月%d日", date.year, date.month, date.day);
    prefix_ = text;
    if (options_.weekday) Add(WeekdayNamesJa[WeekdayOf(day)]);
    if (options_.holiday) {
      const HolidayCode holiday = HolidayCodeOf(day);
      Add(holiday >= 0 ? HolidayNames[holiday] : "");
    }
    if (options_.rokuyo) Add(RokuyoNames[RokuyoOf(lunar_.At(day))]);
    if (options_.solarTerm) {
      const int term = SolarTermOf(day);
      Add(term >= 0 ? SolarTermNames[term] : "");
    }
    return prefix_;
  }

 private:
  // A checked item without a value still gives its column.
  void Add(const char* value) {
    prefix_ += separator_;
    prefix_ += value;
  }

  const CsvOptions& options_;
  const char* separator_;
  LunarWalker lunar_;
  std::string prefix_;
};

// Each day's list looks back over the days before it for entries running
// on into it: walking day after day, the same records are asked for again
// and again, so the latest ones are kept here rather than looked up anew.
class RecentDays final : public DayDataSource {
 public:
  explicit RecentDays(DayDataSource& data) : data_(data) {}

  bool DayRecordOf(SerialDay day, DayRecord& out) override {
    Slot& slot = slots_[static_cast<size_t>(day) % kSlots];
    if (slot.day != day) {
      slot.day = day;
      slot.has = data_.DayRecordOf(day, slot.record);
    }
    if (slot.has) out = slot.record;
    return slot.has;
  }
  std::span<const ScheduleEntry> UndatedEntries() override { return data_.UndatedEntries(); }
  const char* CategoryNameOf(int category) override { return data_.CategoryNameOf(category); }
  int32_t CategoryTextColorOf(int category) override { return data_.CategoryTextColorOf(category); }
  int32_t CategoryBackColorOf(int category) override { return data_.CategoryBackColorOf(category); }
  bool MakeReadable(char (&text)[kEntryTextSize]) override { return data_.MakeReadable(text); }
  std::span<const ToDoItem> ToDoItems() override { return data_.ToDoItems(); }
  std::span<const TemporaryItem> TemporaryItems() override { return data_.TemporaryItems(); }

 private:
  static constexpr size_t kSlots = 128;  // more than the look-back and the day itself
  static_assert(kSlots > kBarLookBack);
  struct Slot {
    SerialDay day = kNoDay;
    bool has = false;
    DayRecord record;
  };

  DayDataSource& data_;
  std::vector<Slot> slots_ = std::vector<Slot>(kSlots);
};

// The day's entries as one field: each entry's label, separator and text on
// a line of its own within the quotes.
void AppendEntriesField(const std::vector<DayEntryLine>& lines, const char* separator,
                        std::string& scratch, std::string& out) {
  scratch.clear();
  for (const DayEntryLine& line : lines) {
    scratch += line.label;
    scratch += separator;
    scratch += line.text;
    scratch += '\n';
  }
  while (!scratch.empty() && scratch.back() == '\n') scratch.pop_back();
  out += separator;
  AppendQuoted(scratch, out);
}

}  // namespace

CsvOptions ParseCsvOpt(const char* text) noexcept {
  CsvOptions options;
  if (text == nullptr) return options;
  const char first = text[0];
  if (first >= '0' && first <= '9') {
    options.separator = static_cast<CsvSeparator>(std::min(first - '0', 2));
  }
  options.onlyDaysWithEntries = Checked(text, 1);
  options.oneEntryPerLine = Checked(text, 2);
  options.weekday = Checked(text, 3);
  options.holiday = Checked(text, 4);
  options.rokuyo = Checked(text, 5);
  options.solarTerm = Checked(text, 6);
  return options;
}

std::string FormatCsvOpt(const CsvOptions& o) {
  std::string text(1, static_cast<char>('0' + static_cast<int>(o.separator)));
  for (bool box : {o.onlyDaysWithEntries, o.oneEntryPerLine, o.weekday, o.holiday, o.rokuyo,
                   o.solarTerm}) {
    text += box ? '1' : '0';
  }
  return text;
}

CsvOptions LoadCsvOptions(SettingsStore& store) {
  char text[32];
  store.ReadString(kCsvOptKey, kCsvOptDefault, text, sizeof text, kDefaultSection);
  return ParseCsvOpt(text);
}

void SaveCsvOptions(SettingsStore& store, const CsvOptions& options) {
  store.WriteString(kCsvOptKey, FormatCsvOpt(options).c_str(), kDefaultSection);
}

const char* SeparatorText(CsvSeparator separator) noexcept {
  switch (separator) {
    case CsvSeparator::kComma: return ",";
    case CsvSeparator::kTab: return "\t";
    case CsvSeparator::kLineBreak: return kLineEnd;
  }
  return ",";
}

void AppendCsvDays(SerialDay first, SerialDay last, const CsvOptions& options,
                   const DayItemInputs& inputs, std::string& out) {
  if (last < first) return;
  first = ClampSerial(first);
  last = ClampSerial(last);
  const char* separator = SeparatorText(options.separator);
  DayPrefix prefixes(options, separator);
  RecentDays recent(inputs.data);
  const DayItemInputs cached{recent, inputs.options, inputs.days, inputs.today, inputs.displayFlags};
  std::vector<DayEntryLine> lines;
  std::string scratch;
  for (SerialDay day = first; day <= last; ++day) {
    DayEntryLines(day, cached, lines);
    if (options.onlyDaysWithEntries && lines.empty()) continue;
    const std::string& prefix = prefixes.Of(day);
    out += prefix;
    if (options.oneEntryPerLine) {
      // Each entry a row of its own under the full prefix: label and text
      // are columns of their own, quoted when they hold what splits them.
      for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) (out += kLineEnd) += prefix;
        out += separator;
        AppendField(lines[i].label, separator, out);
        out += separator;
        AppendField(lines[i].text, separator, out);
      }
    } else if (!lines.empty()) {
      AppendEntriesField(lines, separator, scratch, out);
    }
    out += kLineEnd;
  }
}

CsvWriteResult WriteCsvFile(DataFiles& files, const std::string& path, SerialDay first,
                            SerialDay last, const CsvOptions& options, const DayItemInputs& inputs) {
  if (last < first) return CsvWriteResult::kNothingToWrite;
  std::string text;
  AppendCsvDays(first, last, options, inputs, text);
  const std::span<const uint8_t> pieces[] = {
      {reinterpret_cast<const uint8_t*>(text.data()), text.size()}};
  return SaveDataFile(files, path, "", pieces) ? CsvWriteResult::kWritten : CsvWriteResult::kFailed;
}

}  // namespace hiyomi
