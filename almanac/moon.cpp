#include <cmath>

#include "almanac/lunar.h"
#include "almanac/trig.h"

namespace hiyomi {

double MoonAge(double jd) noexcept {
  const double k = std::floor((jd - 2451550.09765) * 0.033863191824585685);
  const double t = k * 0.0008085054776246109;
  const double newMoon = 2451550.09765 + 29.530589 * k + 0.0001337 * t * t -
                         0.4072 * AlmanacSin((385.8169 * k + 201.5643) * 0.017453292519943) +
                         0.17241 * AlmanacSin((29.1054 * k + 2.5534) * 0.017453292519943);
  double age = jd - newMoon;
  if (age < 0.0) age += 29.530589;
  return age;
}

int MoonAgeTenths(SerialDay serial) noexcept {
  const double g = MoonAge(JdAtNoonJst(serial));
  return (static_cast<int>(std::floor(100.0 * g)) + 5) / 10;
}

}  // namespace hiyomi
