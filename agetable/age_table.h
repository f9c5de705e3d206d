// The age table's rows and remarks: which years it lists, the age, era year
// and eto of each, the persons of "HiyomiAge.ini" and the remark keys. The
// dialog AGEDLG shows what these compute.
#pragma once

#include <optional>
#include <vector>

#include "almanac/day_info.h"

namespace hiyomi {

class SettingsStore;

inline constexpr int kAgeTableFirstYear = 1880;   // the oldest year listed
inline constexpr int kAgeTableSpanYears = 120;    // rows above a birth year
inline constexpr int kRemarkSetCount = 3;         // N1.. N3
inline constexpr int kPersonCount = 10;           // Birth1..Birth10
inline constexpr int kPersonNameSize = 64;
inline constexpr int kYearRemarkSize = 128;       // 127 bytes + NUL
inline constexpr int kAgeRemarkSize = 64;         // prefix and text, 63 bytes + NUL
inline constexpr int kRemarkCellSize = kYearRemarkSize + 2 * kAgeRemarkSize;
inline constexpr int kMarkColorDefault = 0x80FF80;

// The first entries of the year-system list; the persons follow them.
enum class YearSystem { kNone, kWestern, kReiwa, kHeisei, kShowa, kTaisho, kMeiji };
inline constexpr int kYearSystemCount = 7;
extern const char* const YearSystemNames[kYearSystemCount];  // "----", "西暦", "令和", ...

enum class AgeKind { kAfterBirthday, kBeforeBirthday, kCounted };
inline constexpr int kAgeKindCount = 3;
extern const char* const AgeKindNames[kAgeKindCount];  // 満年齢(誕生日後) ...

struct YearBounds {
  int low;
  int high;
};
// The spin range of the birth-year number in a system (西暦's for kNone).
YearBounds SpinRangeOf(YearSystem system, int currentYear) noexcept;

// The Western birth year of number in system; none for kNone.
std::optional<int> BirthYearOf(YearSystem system, int number) noexcept;

// What a click on a row puts into the input: the chosen era's year when the
// row lies in it, else 令和 for its years, else the Western year.
struct YearInput {
  YearSystem system;
  int number;
};
YearInput InputForYear(YearSystem chosen, int year, int currentYear) noexcept;

// One Birth%d entry: "name,year" or "name year"; a negative year is 早.
struct Person {
  char name[kPersonNameSize];
  int year;  // without sign
  bool early;
};
// False for an entry without a name, without a year, with anything but
// digits in the year, or with a year outside 1880..currentYear.
bool ParsePerson(const char* text, int currentYear, Person& person) noexcept;
// Birth1..Birth10 of the store's current section, the invalid ones skipped.
std::vector<Person> ReadPersons(SettingsStore& store, int currentYear);

// The years a table lists and how a row's age is counted.
struct TableSpan {
  int newest;
  int oldest;
  std::optional<int> birth;  // none: ages count back from the current year
};
TableSpan TableSpanOf(std::optional<int> birth, int currentYear) noexcept;

struct AgeRow {
  int year;
  int age;            // before the age kind: year - birth, or current year - year
  char yearText[8];   // "%04d"
  char eraText[16];   // era name and year, "%s%d"
  char eto[kEtoTextSize];
  char ageText[16];   // "%3d" of the age of the kind, never below 0
};
// Newest first. Era years are counted oldest first, so the first year of an
// era reads as the last of the one before (1989 as 昭和64).
std::vector<AgeRow> BuildAgeRows(const TableSpan& span, AgeKind kind, int currentYear);

int ShownAge(int age, AgeKind kind) noexcept;

enum class RemarkKind { kYear, kAge };
// "N%dYear%d" or "N%dAge%d".
void RemarkKey(RemarkKind kind, int set, int number, char* key, int size) noexcept;
// The stored remark, cut to its size on a character boundary ("" if none).
void ReadRemark(SettingsStore& store, RemarkKind kind, int set, int number, char* text, int size);

// Column 5 of a row outside editing: the year remark, and with a birth year
// the age remarks of the row ("0," at its age, "1," at its age + 1 when
// early), joined with "/".
void RowRemarks(SettingsStore& store, int set, const AgeRow& row, bool withBirth, bool early,
                char* out, int size);

// Ends an edited cell: nothing is written when it still holds what was
// loaded; an emptied cell removes the key; an age remark gets "0," unless
// it carries its own prefix.
void StoreRemark(SettingsStore& store, RemarkKind kind, int set, int number, const char* loaded,
                 const char* edited);

}  // namespace hiyomi
