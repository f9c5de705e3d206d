// The almanac's view of the options: rest days, business days and the
// regular schedules.
#pragma once

#include "almanac/day_settings.h"
#include "settings/options.h"

namespace hiyomi {

DaySettings DaySettingsOf(const Options& options) noexcept;

}  // namespace hiyomi
