// Day information: rokuyō, eto, era years, rest days, day items.
#pragma once

#include "almanac/dates.h"
#include "almanac/lunar.h"

extern const char* const RokuyoNames[6];   // 大安 赤口 先勝 友引 先負 仏滅
extern const char* const StemNames[10];    // stored from the last stem: 癸 甲 ...
extern const char* const BranchNames[12];  // stored from the last branch: 亥 子 ...

// (|lunarMonth| + lunarDay) mod 6.
int RokuyoOf(const LunarDate& date) noexcept;

struct DayEtoIndex {
  int stem;    // serial mod 10
  int branch;  // serial mod 12
};
DayEtoIndex DayEto(SerialDay serial) noexcept;
