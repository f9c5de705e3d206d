#include "agetable/age_table.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/text.h"
#include "settings/settings_store.h"

namespace hiyomi {

const char* const YearSystemNames[kYearSystemCount] = {"----", "西暦", "令和", "平成",
                                                       "昭和", "大正", "明治"};
const char* const AgeKindNames[kAgeKindCount] = {"満年齢(誕生日後)", "満年齢(誕生日前)",
                                                 "数え年"};

namespace {

constexpr int kReiwaOffset = 2018;  // 令和1 is 2019
constexpr int kHeiseiLastYear = 31;

// The Western year of an era's year 0, per system; 0 where there is no era.
int EraOffset(YearSystem system) noexcept {
  switch (system) {
    case YearSystem::kReiwa: return kReiwaOffset;
    case YearSystem::kHeisei: return 1988;
    case YearSystem::kShowa: return 1925;
    case YearSystem::kTaisho: return 1911;
    case YearSystem::kMeiji: return 1867;
    case YearSystem::kNone:
    case YearSystem::kWestern: break;
  }
  return 0;
}

bool IsEraSystem(YearSystem system) noexcept { return EraOffset(system) != 0; }

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// A year of at most four digits with an optional sign and nothing else; a
// longer run of digits is no year a person has.
bool ParseSignedYear(const char* text, int& year) noexcept {
  bool negative = false;
  if (*text == '-' || *text == '+') negative = *text++ == '-';
  int value = 0;
  int digits = 0;
  for (; IsDigit(*text); ++text, ++digits) {
    if (digits == 4) return false;
    value = value * 10 + (*text - '0');
  }
  if (digits == 0 || *text != '\0') return false;
  year = negative ? -value : value;
  return true;
}

void Append(std::string& joined, const char* part) {
  if (part[0] == '\0') return;
  if (!joined.empty()) joined += '/';
  joined += part;
}

// The text after an age remark's prefix "0," or "1,", or null when the
// text does not carry that prefix.
const char* AfterPrefix(const char* text, char prefix) noexcept {
  return text[0] == prefix && text[1] == ',' ? text + 2 : nullptr;
}

// Whether an age remark carries its own prefix: a single-byte character
// before a comma (a trail byte is never a comma).
bool HasOwnPrefix(const char* text) noexcept {
  return text[0] != '\0' && !IsLeadByte(static_cast<unsigned char>(text[0])) && text[1] == ',';
}

}  // namespace

YearBounds SpinRangeOf(YearSystem system, int currentYear) noexcept {
  switch (system) {
    case YearSystem::kReiwa: return {1, currentYear - kReiwaOffset > 1 ? currentYear - kReiwaOffset : 1};
    case YearSystem::kHeisei: return {1, kHeiseiLastYear};
    case YearSystem::kShowa: return {1, 64};
    case YearSystem::kTaisho: return {1, 15};
    case YearSystem::kMeiji: return {13, 45};
    case YearSystem::kNone:
    case YearSystem::kWestern: break;
  }
  return {kAgeTableFirstYear, currentYear};
}

std::optional<int> BirthYearOf(YearSystem system, int number) noexcept {
  if (system == YearSystem::kNone) return std::nullopt;
  return number + EraOffset(system);
}

YearInput InputForYear(YearSystem chosen, int year, int currentYear) noexcept {
  if (IsEraSystem(chosen)) {
    const YearBounds bounds = SpinRangeOf(chosen, currentYear);
    const int number = year - EraOffset(chosen);
    if (number >= bounds.low && number <= bounds.high) return {chosen, number};
    if (year > kReiwaOffset) return {YearSystem::kReiwa, year - kReiwaOffset};
  }
  return {YearSystem::kWestern, year};
}

bool ParsePerson(const char* text, int currentYear, Person& person) noexcept {
  char entry[256];
  CopyText(entry, text, sizeof entry);
  int end = static_cast<int>(std::strlen(entry));
  while (end > 0 && entry[end - 1] == ' ') entry[--end] = '\0';
  // The last comma or space ends the name, which may hold spaces itself.
  // Neither byte is ever part of a double-byte character.
  int separator = end - 1;
  while (separator >= 0 && entry[separator] != ',' && entry[separator] != ' ') --separator;
  if (separator <= 0) return false;
  int year = 0;
  if (!ParseSignedYear(entry + separator + 1, year)) return false;
  int nameEnd = separator;
  while (nameEnd > 0 && (entry[nameEnd - 1] == ' ' || entry[nameEnd - 1] == ',')) --nameEnd;
  if (nameEnd == 0) return false;
  entry[nameEnd] = '\0';
  const int unsignedYear = year < 0 ? -year : year;
  if (unsignedYear < kAgeTableFirstYear || unsignedYear > currentYear) return false;
  CopyText(person.name, entry, sizeof person.name);
  person.year = unsignedYear;
  person.early = year < 0;
  return true;
}

std::vector<Person> ReadPersons(SettingsStore& store, int currentYear) {
  std::vector<Person> persons;
  for (int i = 1; i <= kPersonCount; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Birth%d", i);
    char text[256];
    store.ReadString(key, "", text, sizeof text);
    Person person{};
    if (ParsePerson(text, currentYear, person)) persons.push_back(person);
  }
  return persons;
}

TableSpan TableSpanOf(std::optional<int> birth, int currentYear) noexcept {
  if (!birth || *birth < kAgeTableFirstYear || *birth > currentYear) {
    return {currentYear, kAgeTableFirstYear, std::nullopt};
  }
  return {*birth + kAgeTableSpanYears, *birth, birth};
}

int ShownAge(int age, AgeKind kind) noexcept {
  const int shifted = age + (kind == AgeKind::kBeforeBirthday ? -1 : kind == AgeKind::kCounted ? 1 : 0);
  return shifted < 0 ? 0 : shifted;
}

std::vector<AgeRow> BuildAgeRows(const TableSpan& span, AgeKind kind, int currentYear) {
  std::vector<AgeRow> rows(static_cast<size_t>(span.newest - span.oldest + 1));
  int era = 0;
  for (int year = span.oldest; year <= span.newest; ++year) {
    AgeRow& row = rows[static_cast<size_t>(span.newest - year)];
    row.year = year;
    row.age = span.birth ? year - *span.birth : currentYear - year;
    std::snprintf(row.yearText, sizeof row.yearText, "%04d", year);
    const int number = EraYearOf(year, &era, row.eto);
    std::snprintf(row.eraText, sizeof row.eraText, "%s%d", EraNames[era], number);
    std::snprintf(row.ageText, sizeof row.ageText, "%3d", ShownAge(row.age, kind));
  }
  return rows;
}

void RemarkKey(RemarkKind kind, int set, int number, char* key, int size) noexcept {
  std::snprintf(key, static_cast<size_t>(size), kind == RemarkKind::kYear ? "N%dYear%d" : "N%dAge%d",
                set, number);
}

void ReadRemark(SettingsStore& store, RemarkKind kind, int set, int number, char* text, int size) {
  char key[32];
  RemarkKey(kind, set, number, key, sizeof key);
  store.ReadString(key, "", text, size);
  // A value longer than the buffer, or edited by hand, may end in half a
  // character.
  CopyText(text, text, size);
}

void RowRemarks(SettingsStore& store, int set, const AgeRow& row, bool withBirth, bool early,
                char* out, int size) {
  std::string joined;
  char text[kYearRemarkSize];
  ReadRemark(store, RemarkKind::kYear, set, row.year, text, sizeof text);
  Append(joined, text);
  if (withBirth) {
    ReadRemark(store, RemarkKind::kAge, set, row.age, text, kAgeRemarkSize);
    if (const char* plain = AfterPrefix(text, '0')) {
      Append(joined, plain);
    } else if (!AfterPrefix(text, '1')) {
      Append(joined, text);  // stored without a prefix: shown whole
    }
    ReadRemark(store, RemarkKind::kAge, set, early ? row.age + 1 : row.age, text, kAgeRemarkSize);
    if (const char* counted = AfterPrefix(text, '1')) Append(joined, counted);
  }
  CopyText(out, joined.c_str(), size);
}

void StoreRemark(SettingsStore& store, RemarkKind kind, int set, int number, const char* loaded,
                 const char* edited) {
  if (std::strcmp(loaded, edited) == 0) return;
  char key[32];
  RemarkKey(kind, set, number, key, sizeof key);
  if (edited[0] == '\0') {
    store.WriteString(key, nullptr);
    return;
  }
  char value[kYearRemarkSize];
  if (kind == RemarkKind::kAge) {
    const std::string prefixed = HasOwnPrefix(edited) ? std::string(edited) : "0," + std::string(edited);
    CopyText(value, prefixed.c_str(), kAgeRemarkSize);
  } else {
    CopyText(value, edited, kYearRemarkSize);
  }
  store.WriteString(key, value);
}

}  // namespace hiyomi
