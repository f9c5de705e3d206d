#include "almanac/dates.h"

#include "almanac/clock.h"

namespace hiyomi {

const char* const WeekdayNamesJa[7] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const WeekdayNamesEn[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MonthNamesEn[13] = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

namespace {

// Floored division and modulo: serials below 1 still give the true date.
int FloorDiv(int a, int b) noexcept {
  int q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int FloorMod(int a, int b) noexcept { return a - FloorDiv(a, b) * b; }

}  // namespace

bool IsLeapYear(int year) noexcept {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) noexcept {
  switch (month) {
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

SerialDay SerialFromDate(int year, int month, int day) noexcept {
  const int days = DaysInMonth(year, month);
  const int d = day > days ? days : day;
  int y = year - 2000;
  int m = month;
  if (month <= 2) {
    y = year - 2001;
    m = month + 12;
  }
  // The sum goes through a double with 397.5 subtracted and is truncated
  // toward zero, as the calendar defines it: equal to "... - 398" for every
  // result >= 0, one higher for the days before 2000-12-31.
  const int sum = 365 * y + FloorDiv(y, 4) + 30 * m + (3 * m + 3) / 5 + d;
  return static_cast<SerialDay>(static_cast<double>(sum) - 397.5);
}

namespace {

// Leap years from year 1 up to and including year.
int LeapYearsThrough(int year) noexcept { return FloorDiv(year, 4) - FloorDiv(year, 100) + FloorDiv(year, 400); }

}  // namespace

SerialDay SerialOfNewYear(int year) noexcept {
  return 1 + 365 * (year - 2001) + LeapYearsThrough(year - 1) - LeapYearsThrough(2000);
}

int YearOfSerial(SerialDay serial) noexcept {
  // Estimate, then correct by at most one year either way.
  int year = 2001 + FloorDiv(serial - 1, 366);
  while (SerialOfNewYear(year + 1) <= serial) ++year;
  while (SerialOfNewYear(year) > serial) --year;
  return year;
}

CalendarDate DateFromSerial(SerialDay serial) noexcept {
  // Cycles of 1461 days (three common years, then a leap year) from 2001.
  const int q = FloorDiv(serial - 1, 1461);
  const int k = FloorMod(serial - 1, 1461) + 1;  // [1, 1461]
  int year = 2001 + 4 * q;
  int dayOfYear;
  if (k > 1095) {
    year += 3;
    dayOfYear = k - 1095;
  } else {
    year += (k - 1) / 365;
    dayOfYear = (k - 1) % 365 + 1;
  }
  int month = 1;
  while (month < 12 && dayOfYear > DaysInMonth(year, month)) {
    dayOfYear -= DaysInMonth(year, month);
    ++month;
  }
  return CalendarDate{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                      static_cast<std::uint16_t>(dayOfYear)};
}

void DateFromSerial(SerialDay serial, int* year, int* month, int* day) noexcept {
  const CalendarDate d = DateFromSerial(serial);
  *year = d.year;
  *month = d.month;
  *day = d.day;
}

int WeekdayOf(SerialDay serial) noexcept { return FloorMod(serial, 7); }

SerialDay TodaySerial() noexcept {
  const LocalTime now = ReadLocalTime();
  return SerialFromDate(now.year, now.month, now.day);
}

SerialDay ClampSerial(SerialDay serial) noexcept {
  if (serial < kFirstSerial) return kFirstSerial;
  if (serial > kLastSerial) return kLastSerial;
  return serial;
}

int StepMonth(int months, int* month) noexcept {
  const int zeroBased = *month - 1 + months;
  const int carry = FloorDiv(zeroBased, 12);
  *month = zeroBased - carry * 12 + 1;
  return carry;
}

double JdAtMidnightJst(SerialDay serial) noexcept {
  return static_cast<double>(serial) + 2451909.125;
}

double JdAtNoonJst(SerialDay serial) noexcept {
  return static_cast<double>(serial) + 2451909.625;
}

bool ParseIsoDate(const char* text, SerialDay* serial) noexcept {
  int fields[3] = {};
  constexpr int kWidths[3] = {4, 2, 2};
  const char* at = text;
  for (int f = 0; f < 3; ++f) {
    if (f > 0 && *at++ != '-') return false;
    for (int i = 0; i < kWidths[f]; ++i, ++at) {
      if (*at < '0' || *at > '9') return false;
      fields[f] = fields[f] * 10 + (*at - '0');
    }
  }
  const int y = fields[0], m = fields[1], d = fields[2];
  if (*at != '\0' || y < 2001 || y > 2099 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) {
    return false;
  }
  *serial = SerialFromDate(y, m, d);
  return true;
}

}  // namespace hiyomi
