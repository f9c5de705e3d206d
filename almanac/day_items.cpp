#include <cstdio>

#include "almanac/day_info.h"
#include "almanac/holidays.h"
#include "almanac/rest_days.h"

namespace hiyomi {

namespace {

const char* HolidayNameOf(SerialDay serial) {
  const HolidayCode code = HolidayCodeOf(serial);
  return code >= 0 ? HolidayNames[code] : "";
}

const char* SolarTermNameOf(SerialDay serial) {
  const int term = SolarTermOf(serial);
  return term >= 0 ? SolarTermNames[term] : "";
}

}  // namespace

void DayItemText(int code, SerialDay serial, const LunarDate& lunar,
                 const DaySettings& settings, char* out) noexcept {
  constexpr size_t n = kDayItemTextSize;
  const bool leap = lunar.lunarMonth < 0;
  const int month = leap ? -lunar.lunarMonth : lunar.lunarMonth;
  const char* leapMark = leap ? "閏" : "";
  out[0] = '\0';
  switch (code) {
    case 1:
      std::snprintf(out, n, "%s", HolidayNameOf(serial));
      break;
    case 2:
      std::snprintf(out, n, "%s", WeekdayNamesJa[WeekdayOf(serial)]);
      break;
    case 3:
      std::snprintf(out, n, "%s", WeekdayNamesEn[WeekdayOf(serial)]);
      break;
    case 4: {
      const char* holiday = HolidayNameOf(serial);
      std::snprintf(out, n, "%s%s%s", WeekdayNamesJa[WeekdayOf(serial)], holiday[0] ? " " : "",
                    holiday);
      break;
    }
    case 5: {
      const DayEtoIndex eto = DayEto(serial);
      std::snprintf(out, n, "%s %s%s", RokuyoNames[RokuyoOf(lunar)], StemNames[eto.stem],
                    BranchNames[eto.branch]);
      break;
    }
    case 6:
      std::snprintf(out, n, "%s", SolarTermNameOf(serial));
      break;
    case 7:
      std::snprintf(out, n, "%s%d.%d", leapMark, month, lunar.lunarDay);
      break;
    case 8:
      if (month >= 1 && month <= 12) {
        std::snprintf(out, n, "%s%s%d日", leapMark, LunarMonthNames[month], lunar.lunarDay);
      }
      break;
    case 9: {
      const int tenths = MoonAgeTenths(serial);
      std::snprintf(out, n, "%d.%01d", tenths / 10, tenths % 10);
      break;
    }
    case 10: {
      const int tenths = MoonAgeTenths(serial);
      std::snprintf(out, n, "旧%s%d.%d(%d.%01d) %s", leapMark, month, lunar.lunarDay, tenths / 10,
                    tenths % 10, SolarTermNameOf(serial));
      break;
    }
    case 11:
      std::snprintf(out, n, "%d", PlainDayDifference(serial, settings));
      break;
    case 12:
      std::snprintf(out, n, "%d月", DateFromSerial(serial).month);
      break;
    case 13:
    case 14: {
      int count = 0;
      char text[16];
      if (BusinessDayDiff(serial, code == 13, settings, &count, text)) {
        std::snprintf(out, n, "%s", text);
      }
      break;
    }
    case 15:
      std::snprintf(out, n, "%s", RokuyoNames[RokuyoOf(lunar)]);
      break;
    default:  // 0 and anything else: nothing
      break;
  }
}

}  // namespace hiyomi
