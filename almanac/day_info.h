// Day information: rokuyō, eto, era years, day differences and the sixteen
// day-information item texts.
#pragma once

#include <cstddef>

#include "almanac/dates.h"
#include "almanac/day_settings.h"
#include "almanac/lunar.h"

namespace hiyomi {

extern const char* const RokuyoNames[6];   // 大安 赤口 先勝 友引 先負 仏滅
extern const char* const StemNames[10];    // stored from the last stem: 癸 甲 ...
extern const char* const BranchNames[12];  // stored from the last branch: 亥 子 ...
extern const char* const EraNames[6];      // "", 明治, 大正, 昭和, 平成, 令和
extern const char* const DayItemLabels[16];  // the option list, index = item code

inline constexpr int kEraReiwa = 5;
inline constexpr std::size_t kEtoTextSize = 5;        // two CP932 characters + NUL
inline constexpr std::size_t kDayItemTextSize = 64;   // enough for every item

// (|lunarMonth| + lunarDay) mod 6.
int RokuyoOf(const LunarDate& date) noexcept;

struct DayEtoIndex {
  int stem;    // serial mod 10
  int branch;  // serial mod 12
};
DayEtoIndex DayEto(SerialDay serial) noexcept;

// The year's stem and branch names, "%s%s", into a buffer of kEtoTextSize.
void YearEto(int year, char* text) noexcept;

// The year number within its era. era (may be null) carries the era of the
// previous row in and the era of this year out: the first year of an era
// directly after a row of the era before keeps that era and its last year
// number (1989 after 昭和 is 昭和64). etoText (may be null) gets YearEto.
int EraYearOf(int year, int* era, char* etoText) noexcept;

// The text of day-information item code (0-15) for the day, into out
// (kDayItemTextSize bytes, CP932); empty when the item shows nothing. lunar
// is the day's lunar date (callers walking days reuse it, see LunarWalker).
void DayItemText(int code, SerialDay serial, const LunarDate& lunar,
                 const DaySettings& settings, char* out) noexcept;

}  // namespace hiyomi
