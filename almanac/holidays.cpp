#include "almanac/holidays.h"

namespace hiyomi {

const char* const HolidayNames[kHolidayNameCount + 1] = {
    "振替休日", "国民の休日", "天皇誕生日", "元日",       "成人の日",   "建国記念の日",
    "春分の日", "昭和の日",   "憲法記念日", "みどりの日", "こどもの日", "海の日",
    "敬老の日", "秋分の日",   "体育の日",   "文化の日",   "勤労感謝の日", "山の日",
    "スポーツの日", "即位の日", "即位礼正殿の儀", "",
};

namespace {

// Codes used by the rules below.
constexpr int kEmperorsBirthday = 2;
constexpr int kNewYear = 3;
constexpr int kComingOfAge = 4;
constexpr int kFoundation = 5;
constexpr int kVernalEquinox = 6;
constexpr int kShowa = 7;
constexpr int kConstitution = 8;
constexpr int kGreenery = 9;
constexpr int kChildren = 10;
constexpr int kMarine = 11;
constexpr int kRespectAged = 12;
constexpr int kAutumnalEquinox = 13;
constexpr int kHealthSports = 14;
constexpr int kCulture = 15;
constexpr int kLabourThanksgiving = 16;
constexpr int kMountain = 17;
constexpr int kSports = 18;
constexpr int kEnthronement = 19;
constexpr int kEnthronementCeremony = 20;

constexpr int kNone = -100;  // no holiday by the date rules (modern rules)

// The day of March / September of the equinox: the value is formed as a
// double and truncated toward zero (positive throughout the range).
int VernalEquinoxDay(int year) {
  const int n = year - 1980;
  const int q = n / 4;
  return static_cast<int>(20.8431 + 0.242194 * n - q);
}

int AutumnalEquinoxDay(int year) {
  const int n = year - 1980;
  const int q = n / 4;
  return static_cast<int>(23.2488 + 0.242194 * n - q);
}

// n-th Monday: W = 1 and (D - 1) div 7 = n - 1.
bool IsNthMonday(int day, int weekday, int n) { return weekday == 1 && (day - 1) / 7 == n - 1; }

// The law of 2007 as the calendar has always applied it, before 2016.
int CodeBefore2016(int y, int m, int d, int w, int fallback) {
  const int substituteIfMonday = w == 1 ? kHolidaySubstitute : fallback;
  switch (m) {
    case 1:
      if (d == 1) return kNewYear;
      if (d == 2) return substituteIfMonday;
      if (IsNthMonday(d, w, 2)) return kComingOfAge;
      return fallback;
    case 2:
      if (d == 11) return kFoundation;
      if (d == 12) return substituteIfMonday;
      return fallback;
    case 3: {
      const int ev = VernalEquinoxDay(y);
      if (d == ev) return kVernalEquinox;
      if (d == ev + 1) return substituteIfMonday;
      return fallback;
    }
    case 4:
      if (d == 29) return y < 2007 ? kGreenery : kShowa;
      if (d == 30) return substituteIfMonday;
      return fallback;
    case 5:
      if (d == 3) return kConstitution;
      if (d == 4) return y < 2007 ? kHolidayBetween : kGreenery;
      if (d == 5) return kChildren;
      if (d == 6 && (w == 1 || (y >= 2007 && (w == 2 || w == 3)))) return kHolidaySubstitute;
      return fallback;
    case 7:
      if (y >= 2003) return IsNthMonday(d, w, 3) ? kMarine : fallback;
      if (d == 20) return kMarine;
      if (d == 21) return substituteIfMonday;
      return fallback;
    case 9: {
      if (y >= 2003) {
        if (IsNthMonday(d, w, 3)) return kRespectAged;
      } else {
        if (d == 15) return kRespectAged;
        if (d == 16) return substituteIfMonday;
      }
      const int ea = AutumnalEquinoxDay(y);
      if (d == ea) return kAutumnalEquinox;
      if (d == ea + 1) return substituteIfMonday;
      if (d == ea - 1 && w == 2 && (ea - 3) / 7 == 2 && y >= 2003) return kHolidayBetween;
      return fallback;
    }
    case 10:
      return IsNthMonday(d, w, 2) ? kHealthSports : fallback;
    case 11:
      if (d == 3) return kCulture;
      if (d == 23) return kLabourThanksgiving;
      if (d == 4 || d == 24) return substituteIfMonday;
      return fallback;
    case 12:
      if (d == 23) return kEmperorsBirthday;
      if (d == 24) return substituteIfMonday;
      return fallback;
    default:
      return fallback;
  }
}

// The holidays of the present law (from 2016) by date alone, codes 1-20,
// or kNone. 2019-2021 have a few days fixed by special laws.
int DateRuleFrom2016(int y, int m, int d, int w) {
  switch (m) {
    case 1:
      if (d == 1) return kNewYear;
      if (IsNthMonday(d, w, 2)) return kComingOfAge;
      return kNone;
    case 2:
      if (d == 11) return kFoundation;
      if (d == 23 && y >= 2020) return kEmperorsBirthday;
      return kNone;
    case 3:
      return d == VernalEquinoxDay(y) ? kVernalEquinox : kNone;
    case 4:
      if (d == 29) return kShowa;
      if (d == 30 && y == 2019) return kHolidayBetween;
      return kNone;
    case 5:
      if (d == 1 && y == 2019) return kEnthronement;
      if (d == 2 && y == 2019) return kHolidayBetween;
      if (d == 3) return kConstitution;
      if (d == 4) return kGreenery;
      if (d == 5) return kChildren;
      return kNone;
    case 7:
      if (y == 2020) return d == 23 ? kMarine : d == 24 ? kSports : kNone;
      if (y == 2021) return d == 22 ? kMarine : d == 23 ? kSports : kNone;
      return IsNthMonday(d, w, 3) ? kMarine : kNone;
    case 8:
      if (y == 2020) return d == 10 ? kMountain : kNone;
      if (y == 2021) return d == 8 ? kMountain : kNone;
      return d == 11 ? kMountain : kNone;
    case 9: {
      if (IsNthMonday(d, w, 3)) return kRespectAged;
      const int ea = AutumnalEquinoxDay(y);
      if (d == ea) return kAutumnalEquinox;
      // The Tuesday between the third Monday and the equinox.
      if (d == ea - 1 && w == 2 && (ea - 3) / 7 == 2) return kHolidayBetween;
      return kNone;
    }
    case 10:
      if (y == 2019 && d == 22) return kEnthronementCeremony;
      if (y == 2020 || y == 2021) return kNone;
      if (IsNthMonday(d, w, 2)) return y < 2020 ? kHealthSports : kSports;
      return kNone;
    case 11:
      if (d == 3) return kCulture;
      if (d == 23) return kLabourThanksgiving;
      return kNone;
    case 12:
      return d == 23 && y <= 2018 ? kEmperorsBirthday : kNone;
    default:
      return kNone;
  }
}

// From 2016: the date rules, then the substitute holiday in its general
// form: the first day that is no holiday after a Sunday that is one. No
// run of holidays crosses the start of a month after a Sunday, so the look
// back stays within the month.
int CodeFrom2016(int y, int m, int d, int w, int fallback) {
  const int code = DateRuleFrom2016(y, m, d, w);
  if (code != kNone) return code;
  for (int back = 1; back < d; ++back) {
    const int pw = (w - back + 70) % 7;
    if (DateRuleFrom2016(y, m, d - back, pw) == kNone) break;
    if (pw == 0) return kHolidaySubstitute;
  }
  return fallback;
}

}  // namespace

HolidayCode HolidayCodeOf(SerialDay serial) noexcept {
  const CalendarDate date = DateFromSerial(serial);
  const int w = WeekdayOf(serial);
  const int fallback = (w == 0 || w == 6) ? kOrdinaryWeekend : kOrdinaryWeekday;
  if (date.year >= 2016) return CodeFrom2016(date.year, date.month, date.day, w, fallback);
  return CodeBefore2016(date.year, date.month, date.day, w, fallback);
}

}  // namespace hiyomi
