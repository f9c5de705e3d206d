#include "print/ical_export.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "almanac/holidays.h"
#include "almanac/regular_schedules.h"
#include "base/cp932_unicode.h"
#include "schedule/display_flags.h"
#include "settings/settings_store.h"

namespace hiyomi {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kCalendarHead[] =
    "BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\n"
    "PRODID:-//Sorafu//Hiyomi//JA\r\n"
    "CALSCALE:GREGORIAN\r\n"
    "METHOD:PUBLISH\r\n";
constexpr char kCalendarTail[] = "END:VCALENDAR\r\n";
constexpr char kUidDomain[] = "@hiyomi";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// 64-bit FNV-1a: small, and the same in both trees.
class Fnv64 {
 public:
  void Add(std::string_view bytes) {
    for (char c : bytes) {
      hash_ ^= static_cast<unsigned char>(c);
      hash_ *= kPrime;
    }
  }
  void Add(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    const char bytes[] = {static_cast<char>(bits), static_cast<char>(bits >> 8),
                          static_cast<char>(bits >> 16), static_cast<char>(bits >> 24)};
    Add(std::string_view(bytes, sizeof bytes));
  }
  uint64_t Value() const { return hash_; }

 private:
  static constexpr uint64_t kPrime = 0x100000001B3ull;
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

// One event as it goes out. `kind` keeps a holiday and an entry of the
// same text on the same day apart in their UIDs.
struct Event {
  char kind;
  SerialDay start;
  SerialDay end;  // the day after the last, as DTEND of a date wants
  std::string_view summary;
  int category;              // in the UID only
  const char* categoryName;  // "" for none
  bool secret;
  bool transparent;
};

// Event ends are clamped so that no stored span, however large, names a day
// past the first one after the range.
SerialDay EndAfter(SerialDay start, int64_t days) {
  const int64_t end = static_cast<int64_t>(start) + std::max<int64_t>(days, 1);
  return static_cast<SerialDay>(std::min<int64_t>(end, kNoDay));
}

class CalendarWriter {
 public:
  // The text goes into pieces of about kPieceBytes, so a large export never
  // holds a string being doubled on top of what it already has.
  CalendarWriter(const std::string& stamp, std::vector<std::string>& pieces)
      : stamp_(stamp), pieces_(pieces) {
    NextPiece();
  }

  // UIDs made on one start day are told apart by the count of identical
  // events before them, not by list positions that shift as lines are added.
  void StartDay() {
    seen_.clear();
    if (pieces_.back().size() >= kPieceBytes) NextPiece();
  }
  std::string& Text() { return pieces_.back(); }

  void Write(const Event& event) {
    std::string& out = Text();
    out += "BEGIN:VEVENT\r\n";
    Line("UID:");
    line_ += UidOf(event);
    Flush();
    Line("DTSTAMP:");
    line_ += stamp_;
    Flush();
    Line("DTSTART;VALUE=DATE:");
    AppendDate(event.start);
    Flush();
    Line("DTEND;VALUE=DATE:");
    AppendDate(event.end);
    Flush();
    Line("SUMMARY:");
    AppendIcsText(event.summary, line_);
    Flush();
    if (event.categoryName[0] != '\0') {
      Line("CATEGORIES:");
      AppendIcsText(event.categoryName, line_);
      Flush();
    }
    if (event.secret) out += "CLASS:PRIVATE\r\n";
    if (event.transparent) out += "TRANSP:TRANSPARENT\r\n";
    out += "END:VEVENT\r\n";
  }

 private:
  void Line(const char* name) { line_ = name; }
  void Flush() { AppendFoldedLine(line_, Text()); }
  void NextPiece() {
    pieces_.emplace_back();
    pieces_.back().reserve(kPieceBytes + kPieceSlack);
  }

  static constexpr size_t kPieceBytes = 1u << 20;
  static constexpr size_t kPieceSlack = 64u << 10;  // more than one day's events

  void AppendDate(SerialDay day) {
    const CalendarDate date = DateFromSerial(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    line_ += text;
  }

  std::string UidOf(const Event& event) {
    Fnv64 hash;
    hash.Add(std::string_view(&event.kind, 1));
    hash.Add(event.start);
    hash.Add(event.end);
    hash.Add(event.category);
    hash.Add(event.summary);
    const uint64_t base = hash.Value();
    int repeat = static_cast<int>(std::count(seen_.begin(), seen_.end(), base));
    seen_.push_back(base);
    uint64_t value = base;
    if (repeat > 0) {
      hash.Add(repeat);
      value = hash.Value();
    }
    const CalendarDate date = DateFromSerial(event.start);
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%016llx", date.year, date.month, date.day,
                  static_cast<unsigned long long>(value));
    return std::string(text) + kUidDomain;
  }

  const std::string& stamp_;
  std::vector<std::string>& pieces_;
  std::string line_;
  std::vector<uint64_t> seen_;
};

unsigned FlagsFor(const IcsOptions& options) {
  unsigned flags = kCategoryBits;
  if (options.regular) flags |= kShowRegular;
  if (options.temporary) flags |= kShowTemporary;
  if (options.toDo) flags |= kShowToDo;
  return flags;
}

// An entry the data source had to decipher: its stored text is not what
// it reads as.
bool WasSecret(const ScheduleEntry& stored, const DayItem& item) {
  return std::strncmp(stored.text, item.readable, kEntryTextSize) != 0;
}

Event EntryEvent(DayDataSource& data, const DayItem& item, bool secret) {
  return Event{'E', item.start, EndAfter(item.start, std::max<int64_t>(item.span, 0) + 1), item.Text(),
               item.category, data.CategoryNameOf(item.category), secret, false};
}

// With the secret option off the data source blanks secret texts: such an
// entry has nothing to say and stays out rather than going out empty.
void WriteEntry(DayDataSource& data, const DayItem& item, const ScheduleEntry* stored,
                CalendarWriter& writer) {
  const bool secret = stored != nullptr && WasSecret(*stored, item);
  if (secret && item.readable[0] == '\0') return;
  writer.Write(EntryEvent(data, item, secret));
}

// Items of the day's own list, as events; undated entries stay out.
void WriteDayItems(const std::vector<DayItem>& items, const DayRecord* record, DayDataSource& data,
                   CalendarWriter& writer) {
  for (const DayItem& item : items) {
    switch (item.source) {
      case DayItemSource::kEntry:
        WriteEntry(data, item, record != nullptr ? &record->entries[item.index] : nullptr, writer);
        break;
      case DayItemSource::kRegular:
        writer.Write(Event{'R', item.start, EndAfter(item.start, 1), item.Text(), item.index, "", false, false});
        break;
      case DayItemSource::kToDo:
        writer.Write(Event{'T', item.start, EndAfter(item.start, item.span), item.Text(), item.category,
                           item.category >= 0 ? data.CategoryNameOf(item.category) : "", false, false});
        break;
      case DayItemSource::kTemporary:
        writer.Write(Event{'P', item.start, EndAfter(item.start, 1), item.Text(), -1, "", false, false});
        break;
      case DayItemSource::kUndated: break;
    }
  }
}

}  // namespace

IcsOptions ParseIcsOpt(const char* text) noexcept {
  IcsOptions options;
  if (text == nullptr) return options;
  bool* const boxes[] = {&options.regular, &options.temporary, &options.toDo, &options.holidays};
  for (bool* box : boxes) {
    if (*text == '\0') break;
    *box = *text++ == '1';
  }
  return options;
}

std::string FormatIcsOpt(const IcsOptions& o) {
  std::string text;
  for (bool box : {o.regular, o.temporary, o.toDo, o.holidays}) text += box ? '1' : '0';
  return text;
}

IcsOptions LoadIcsOptions(SettingsStore& store) {
  char text[32];
  store.ReadString(kIcsOptKey, kIcsOptDefault, text, sizeof text, kDefaultSection);
  return ParseIcsOpt(text);
}

void SaveIcsOptions(SettingsStore& store, const IcsOptions& options) {
  store.WriteString(kIcsOptKey, FormatIcsOpt(options).c_str(), kDefaultSection);
}

std::string IcsStampText(const IcsStamp& s) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", s.year, s.month, s.day, s.hour,
                s.minute, s.second);
  return text;
}

void AppendIcsText(std::string_view cp932, std::string& out) {
  // Escaping comes after the conversion: a CP932 trail byte may be 0x5C,
  // the backslash, and must not be taken for one.
  std::string utf8;
  AppendUtf8FromCp932(cp932, utf8);
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\r':
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      default:
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) break;
        out += c;
    }
  }
}

void AppendFoldedLine(std::string_view line, std::string& out) {
  size_t room = kIcsLineOctets;
  while (line.size() > room) {
    size_t cut = room;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    if (cut == 0) cut = room;  // no character start to cut at: not UTF-8 anyway
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    room = kIcsLineOctets - 1;  // the leading space counts
  }
  out.append(line);
  out += kLineEnd;
}

namespace {

void WriteCalendar(SerialDay first, SerialDay last, const IcsOptions& options,
                   const DayItemInputs& inputs, const std::string& stamp,
                   std::vector<std::string>& pieces) {
  CalendarWriter writer(stamp, pieces);
  writer.Text() += kCalendarHead;
  if (last >= first) {
    first = ClampSerial(first);
    last = ClampSerial(last);
    DayDataSource& data = inputs.data;
    const DayItemInputs in{data, inputs.options, inputs.days, inputs.today, FlagsFor(options)};
    std::vector<DayItem> items;

    // Periods that began before the first day and still run on it go out
    // whole, as they are stored.
    CollectRunningEntries(data, in.displayFlags, first - kBarLookBack, first - 1, first, items);
    DayRecord record;
    SerialDay startDay = kNoDay;
    for (const DayItem& item : items) {
      if (item.start != startDay) writer.StartDay();
      startDay = item.start;
      const bool stored = data.DayRecordOf(item.start, record);
      WriteEntry(data, item, stored ? &record.entries[item.index] : nullptr, writer);
    }

    for (SerialDay day = first; day <= last; ++day) {
      writer.StartDay();
      if (options.holidays) {
        const HolidayCode holiday = HolidayCodeOf(day);
        if (holiday >= 0) {
          writer.Write(Event{'H', day, EndAfter(day, 1), HolidayNames[holiday], holiday, "", false, true});
        }
      }
      const bool hasRecord = data.DayRecordOf(day, record);
      unsigned char hits[kRegularRuleCount] = {};
      if (options.regular) RegularScheduleHits(day, in.days, hits);
      CollectDayItems(day, in, hasRecord ? &record : nullptr, hits, items);
      WriteDayItems(items, hasRecord ? &record : nullptr, data, writer);
    }
  }
  writer.Text() += kCalendarTail;
}

}  // namespace

void AppendIcsCalendar(SerialDay first, SerialDay last, const IcsOptions& options,
                       const DayItemInputs& inputs, const std::string& stamp, std::string& out) {
  std::vector<std::string> pieces;
  WriteCalendar(first, last, options, inputs, stamp, pieces);
  for (const std::string& piece : pieces) out += piece;
}

IcsWriteResult WriteIcsFile(DataFiles& files, const std::string& path, SerialDay first,
                            SerialDay last, const IcsOptions& options, const DayItemInputs& inputs,
                            const std::string& stamp) {
  if (last < first) return IcsWriteResult::kNothingToWrite;
  std::vector<std::string> text;
  WriteCalendar(first, last, options, inputs, stamp, text);
  std::vector<std::span<const uint8_t>> pieces;
  for (const std::string& piece : text) {
    pieces.emplace_back(reinterpret_cast<const uint8_t*>(piece.data()), piece.size());
  }
  return SaveDataFile(files, path, "", pieces) ? IcsWriteResult::kWritten : IcsWriteResult::kFailed;
}

}  // namespace hiyomi
