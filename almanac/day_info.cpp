#include "almanac/day_info.h"

#include <cstdio>

namespace hiyomi {

const char* const RokuyoNames[6] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
const char* const StemNames[10] = {"癸", "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬"};
const char* const BranchNames[12] = {"亥", "子", "丑", "寅", "卯", "辰",
                                     "巳", "午", "未", "申", "酉", "戌"};
const char* const EraNames[6] = {"", "明治", "大正", "昭和", "平成", "令和"};
const char* const DayItemLabels[16] = {
    "表示なし",       "祝日名", "曜日",        "曜日（英語）",   "曜日 祝日名", "六曜 干支",
    "二十四節気",     "旧暦（数字月）", "旧暦（漢字月）", "月齢", "旧暦 月齢 節気", "日差",
    "月",             "日差(自営業日)", "日差(営業日)", "六曜",
};

namespace {

int FloorMod(int a, int b) {
  const int r = a % b;
  return r < 0 ? r + b : r;
}

// First Gregorian year of each era 1-5.
constexpr int kEraFirstYear[6] = {0, 1868, 1912, 1926, 1989, 2019};

int EraOfYear(int year) {
  for (int era = 5; era >= 1; --era) {
    if (year >= kEraFirstYear[era]) return era;
  }
  return 0;
}

int YearInEra(int year, int era) { return era == 0 ? year : year - kEraFirstYear[era] + 1; }

}  // namespace

int RokuyoOf(const LunarDate& date) noexcept {
  const int month = date.lunarMonth < 0 ? -date.lunarMonth : date.lunarMonth;
  return (month + date.lunarDay) % 6;
}

DayEtoIndex DayEto(SerialDay serial) noexcept {
  return DayEtoIndex{FloorMod(serial, 10), FloorMod(serial, 12)};
}

void YearEto(int year, char* text) noexcept {
  std::snprintf(text, kEtoTextSize, "%s%s", StemNames[FloorMod(year - 3, 10)],
                BranchNames[FloorMod(year - 3, 12)]);
}

int EraYearOf(int year, int* era, char* etoText) noexcept {
  if (etoText != nullptr) YearEto(year, etoText);
  const int newEra = EraOfYear(year);
  const int number = YearInEra(year, newEra);
  if (era == nullptr) return number;
  if (number == 1 && newEra >= 2 && *era == newEra - 1) {
    return YearInEra(year, *era);  // the previous era's last year; era unchanged
  }
  *era = newEra;
  return number;
}

}  // namespace hiyomi
