// The day tooltip: a tracked tip beside the cursor with the day's header and
// entries while the right button is down on a day number.
#pragma once

#include <windows.h>

#include "settings/options.h"
#include "shell/day_texts.h"
#include "shell/main_view_win.h"

namespace hiyomi {

inline constexpr int kTooltipMaxWidth = 500;

struct DayTooltip {
  HWND tip = nullptr;
  HWND window = nullptr;  // the main window, the one tool
};

// Creates the tip without an owner and registers the window as its tool.
bool CreateDayTooltip(DayTooltip& tooltip, HWND window);
void DestroyDayTooltip(DayTooltip& tooltip);

// The texts `TTType` asks for, for the day as the view shows it.
std::string DayTooltipTextOf(const MainView& view, const Options& options, SerialDay day);

// Shows the tip for the day at the cursor; copy also puts the text on the
// clipboard. Nothing happens while `TTType` is 0.
void ShowDayTooltip(DayTooltip& tooltip, const MainView& view, const Options& options,
                    SerialDay day, bool copy);
// The right button went down at a client point: the tip when it is on a
// day number.
void ShowDayTooltipAt(DayTooltip& tooltip, const MainView& view, const Options& options,
                      POINT point, bool copy);
void HideDayTooltip(DayTooltip& tooltip);

// Follows the main window's always-on-top state.
void SetDayTooltipOnTop(DayTooltip& tooltip, bool onTop);

}  // namespace hiyomi
