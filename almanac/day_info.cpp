#include "almanac/day_info.h"

const char* const RokuyoNames[6] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
const char* const StemNames[10] = {"癸", "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬"};
const char* const BranchNames[12] = {"亥", "子", "丑", "寅", "卯", "辰",
                                     "巳", "午", "未", "申", "酉", "戌"};

namespace {

int FloorMod(int a, int b) {
  const int r = a % b;
  return r < 0 ? r + b : r;
}

}  // namespace

int RokuyoOf(const LunarDate& date) noexcept {
  const int month = date.lunarMonth < 0 ? -date.lunarMonth : date.lunarMonth;
  return (month + date.lunarDay) % 6;
}

DayEtoIndex DayEto(SerialDay serial) noexcept {
  return DayEtoIndex{FloorMod(serial, 10), FloorMod(serial, 12)};
}
