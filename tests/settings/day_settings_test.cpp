#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "settings/day_settings.h"
#include "settings/memory_backend.h"
#include "settings/options.h"

namespace hiyomi {
namespace {

// The options loaded from a store whose section Work holds stored.
Options Loaded(std::initializer_list<std::pair<const char*, const char*>> stored) {
  auto backend = std::make_unique<MemorySettingsBackend>();
  for (const auto& [key, value] : stored) backend->Write("Work", key, value);
  SettingsStore store;
  store.Attach(std::move(backend), "Work");
  Options options{};
  LoadOptions(options, store, "Work");
  return options;
}

// The almanac has defaults of its own for callers without options; they
// must be what an empty store gives.
TEST(DaySettingsOf, EmptyStoreGivesTheAlmanacDefaults) {
  const DaySettings days = DaySettingsOf(Loaded({}));
  const DaySettings almanac;
  EXPECT_EQ(days.weekday, almanac.weekday);
  for (int i = 0; i < kOwnRestRuleCount; ++i) {
    EXPECT_EQ(days.weekdayRules[i], almanac.weekdayRules[i]) << i;
  }
  EXPECT_EQ(days.ptnSDay, almanac.ptnSDay);
  EXPECT_EQ(days.bDayTime, almanac.bDayTime);
  EXPECT_EQ(days.bDayMove, almanac.bDayMove);
  for (int i = 0; i < kRegularRuleCount; ++i) EXPECT_EQ(days.sDay[i], almanac.sDay[i]) << i;
}

TEST(DaySettingsOf, CarriesEveryFieldTheAlmanacReads) {
  Options options = Loaded({
      {"Weekday", "0x1141"},  // Sunday, Saturday, holidays, rule 他4
      {"WeekdayP0", "0x7FFFFFFF"},
      {"WeekdayP3", "123"},
      {"PtnSDay", "36159"},
      {"BDayTime", "1440"},
      {"BDayMove", "0x222"},
      {"SDay1", "1010101"},
      {"SDayName1", "one"},
      {"SDay50", "-4000000"},
      {"SDayName50", "fifty"},
  });
  options.Weekday[kRestFlagCount] = 1;  // room past the thirteen flags is not a flag
  const DaySettings days = DaySettingsOf(options);
  EXPECT_EQ(days.weekday, 0x1141u);
  EXPECT_EQ(days.weekdayRules[0], 0x7FFFFFFFu);
  EXPECT_EQ(days.weekdayRules[1], 0u);
  EXPECT_EQ(days.weekdayRules[3], 123u);
  EXPECT_EQ(days.ptnSDay, 36159);
  EXPECT_EQ(days.bDayTime, 1440);
  EXPECT_EQ(days.bDayMove, 0x222);
  EXPECT_EQ(days.sDay[0], 1010101);
  EXPECT_EQ(days.sDay[1], 0);
  EXPECT_EQ(days.sDay[49], -4000000);
}

}  // namespace
}  // namespace hiyomi
