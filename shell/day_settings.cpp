#include "shell/day_settings.h"

namespace hiyomi {

DaySettings DaySettingsOf(const Options& options) noexcept {
  constexpr int kRestFlags = 13;
  DaySettings days;
  days.weekday = 0;
  for (int flag = 0; flag < kRestFlags; ++flag) {
    if (options.Weekday[flag] != 0) days.weekday |= 1u << flag;
  }
  for (int i = 0; i < kOwnRestRuleCount; ++i) days.weekdayRules[i] = options.WeekdayP[i];
  days.ptnSDay = options.PtnSDay;
  days.bDayTime = options.BDayTime;
  days.bDayMove = options.BDayMove;
  for (int i = 0; i < kRegularRuleCount; ++i) days.sDay[i] = options.SDay[i];
  return days;
}

}  // namespace hiyomi
