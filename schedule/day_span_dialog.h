// The continuous-setting dialog DAYEXDLG for one row of the day dialog:
// a period schedule, or copies to each day of a period.
#pragma once

#include <windows.h>

#include <cstdint>

#include "almanac/dates.h"

namespace hiyomi {

// `span` > 0: period over the following days; < 0: copy to the next -span
// days. 1 on OK with `span` and `overwriteLast` set, 0 on cancel.
int RunDaySpanDialog(HWND owner, const char* text, SerialDay start, int32_t& span,
                     bool& overwriteLast);

// The day count shown for a span: |span| + 1.
int SpanDayCount(int32_t span) noexcept;
// The span of a day count (0 below 1), negated for copies.
int32_t SpanOfDayCount(int count, bool copyToEachDay) noexcept;

}  // namespace hiyomi
