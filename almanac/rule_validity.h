// The validity rules the options dialog applies before it accepts a
// regular schedule or a rest-day rule. Each field is the index of the entry
// selected in its editing list (0 = the empty entry, or nothing selected).
#pragma once

namespace hiyomi {

// kind 1 毎週, 2 毎月, 3 毎年; month 0-12; day 0, 1-4 第一-第四, 5-35 1日-31日,
// 36 末日; weekday 0, 1-7 月曜-日曜; shift 0, 1 前移動, 2 後移動, 3-9 営業日.
bool RegularScheduleValid(int kind, int month, int day, int weekday, int shift,
                          bool enabled) noexcept;

// kind 1 日 (a day): selections are frequency (1 毎月, 2 毎年), month, day,
// weekday. kind 2 間 (a period): start month, start day, end month, end day
// as numbers, 0 or negative for nothing.
bool RestDayRuleValid(int kind, int first, int second, int third, int fourth) noexcept;

// The rule words the options store for them.
int RegularScheduleWord(int kind, int month, int day, int weekday, int shift,
                        bool enabled) noexcept;
unsigned RestDayRuleWord(int kind, int first, int second, int third, int fourth) noexcept;

}  // namespace hiyomi
