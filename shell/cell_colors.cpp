#include "shell/cell_colors.h"

#include "almanac/holidays.h"
#include "almanac/rest_days.h"

namespace hiyomi {

namespace {


enum ColorRule : int {
  kRuleToday = 0,
  kRuleRecord = 1,
  kRuleRestDay = 2,
  kRuleRegularFirst = 3,  // 3-7: regular-schedule groups 1-5
  kRuleRegularLast = 7,
  kRuleHoliday = 8,
  kRuleWeekday = 9,
  kRuleDayStandard = 10,
  kRuleReferenceMonth = 11,
  kRuleMonth = 12,
  kRuleDefault = 13,
};

int RuleColor(int rule, bool text, const ColorTable& table, const DayFacts& day) noexcept {
  constexpr int kSlotDefault = 1;
  constexpr int kSlotDayStandard = 5;
  constexpr int kSlotReferenceMonth = 6;
  constexpr int kSlotToday = 19;
  constexpr int kSlotSunday = 20;
  constexpr int kSlotHoliday = 27;
  constexpr int kSlotRestDay = 28;
  constexpr int kSlotRegularBase = 26;  // + rule: 29-33
  switch (rule) {
    case kRuleToday:
      return day.isToday ? ColorSlot(table, text, kSlotToday) : -1;
    case kRuleRecord:
      if (!day.hasRecord) return -1;
      return text ? day.recordText : day.recordBack;
    case kRuleRestDay:
      return day.isRestDay ? ColorSlot(table, text, kSlotRestDay) : -1;
    case kRuleHoliday:
      return day.isHoliday ? ColorSlot(table, text, kSlotHoliday) : -1;
    case kRuleWeekday:
      return ColorSlot(table, text, kSlotSunday + day.weekday);
    case kRuleDayStandard:
      return ColorSlot(table, text, kSlotDayStandard);
    case kRuleReferenceMonth: {
      const int reference = ColorSlot(table, text, kSlotReferenceMonth);
      if (day.inReferenceMonth && reference >= 0) return reference;
      return ColorSlot(table, text, kSlotReferenceMonth + day.month);
    }
    case kRuleMonth:
      return ColorSlot(table, text, kSlotReferenceMonth + day.month);
    case kRuleDefault:
      return ColorSlot(table, text, kSlotDefault);
    default:
      if (rule >= kRuleRegularFirst && rule <= kRuleRegularLast) {
        const unsigned group = 1u << (rule - kRuleRegularFirst);
        return (day.regularGroups & group) != 0 ? ColorSlot(table, text, kSlotRegularBase + rule) : -1;
      }
      return -1;
  }
}

}  // namespace

int ColorSlot(const ColorTable& table, bool text, int slot) noexcept {
  const int index = slot - 1;
  if (index < 0 || index >= kColorCount) return -1;
  return text ? table.text[index] : table.back[index];
}

int CellColor(const Options& options, CellPass pass, const DayFacts& day) noexcept {
  const int which = static_cast<int>(pass);
  const bool text = pass == CellPass::kNumber;
  const bool onlyReferenceMonth = options.MCType2[which] != 0 && !day.inReferenceMonth;
  for (int i = 0; i < kPrioritySources; ++i) {
    const int rule = options.PtnDay[which][i];
    if (onlyReferenceMonth && rule >= kRuleRestDay && rule <= kRuleWeekday) continue;
    const int color = RuleColor(rule, text, options.colors, day);
    if (color >= 0) return color;
  }
  return -1;
}

DayFacts DayFactsOf(SerialDay day, const DayRecord* record,
                    const unsigned char (&hits)[kRegularRuleCount], SerialDay today,
                    const DaySettings& days, int referenceYear, int referenceMonth) noexcept {
  const CalendarDate date = DateFromSerial(day);
  DayFacts facts{};
  facts.isToday = day == today;
  facts.hasRecord = record != nullptr;
  facts.recordBack = record != nullptr ? record->dayBackColor : -1;
  facts.recordText = record != nullptr ? record->dayTextColor : -1;
  facts.isRestDay = IsRestDay(day, days);
  for (int i = 0; i < kRegularRuleCount; ++i) {
    if (hits[i]) facts.regularGroups |= 1u << (i % 5);
  }
  facts.isHoliday = HolidayCodeOf(day) >= 0;
  facts.weekday = WeekdayOf(day);
  facts.month = date.month;
  facts.inReferenceMonth = date.year == referenceYear && date.month == referenceMonth;
  return facts;
}

}  // namespace hiyomi
