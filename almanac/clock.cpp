#include "almanac/clock.h"

#include <ctime>

namespace hiyomi {

namespace {

LocalTime MachineLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min};
}

LocalTime g_fixed{};

LocalTime FixedLocalTime() { return g_fixed; }

ClockFunction g_clock = nullptr;

}  // namespace

LocalTime ReadLocalTime() noexcept { return g_clock ? g_clock() : MachineLocalTime(); }

int MinutesSinceMidnight() noexcept {
  const LocalTime now = ReadLocalTime();
  return now.hour * 60 + now.minute;
}

void SetClockForTests(ClockFunction clock) noexcept { g_clock = clock; }

void SetFixedClockForTests(const LocalTime& now) noexcept {
  g_fixed = now;
  g_clock = &FixedLocalTime;
}

}  // namespace hiyomi
