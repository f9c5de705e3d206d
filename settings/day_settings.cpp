#include "settings/day_settings.h"

namespace hiyomi {

static_assert(kRestFlagCount <= 32, "the rest-day flags travel as bits of one unsigned");
static_assert(kOwnRestRuleCount <= kRestRuleCount);
static_assert(kRegularRuleCount == kRegularCount);

DaySettings DaySettingsOf(const Options& options) noexcept {
  DaySettings days;
  days.weekday = 0;
  for (int flag = 0; flag < kRestFlagCount; ++flag) {
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
