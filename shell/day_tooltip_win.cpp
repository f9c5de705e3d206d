#include "shell/day_tooltip_win.h"

#include <commctrl.h>

#include "base/win/ui_helpers.h"
#include "settings/day_settings.h"
#include "base/text.h"

namespace hiyomi {

namespace {

// The size comctl32 5 accepts as well as 6; the larger structure of newer
// headers makes version 5 refuse the tool.
TOOLINFOA ToolOf(const DayTooltip& tooltip, const char* text) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_TRACK;
  tool.hwnd = tooltip.window;
  tool.uId = 0;
  tool.lpszText = const_cast<char*>(text);
  return tool;
}

}  // namespace

bool CreateDayTooltip(DayTooltip& tooltip, HWND window) {
  tooltip.window = window;
  // TTS_NOPREFIX: an "&" in an entry's text is shown, not taken for a
  // mnemonic prefix.
  tooltip.tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (tooltip.tip == nullptr) return false;
  TOOLINFOA tool = ToolOf(tooltip, "");
  SendMessageA(tooltip.tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip.tip, TTM_SETMAXTIPWIDTH, 0, kTooltipMaxWidth);
  return true;
}

void DestroyDayTooltip(DayTooltip& tooltip) {
  if (tooltip.tip != nullptr) DestroyWindow(tooltip.tip);
  tooltip.tip = nullptr;
}

std::string DayTooltipTextOf(const MainView& view, const Options& options, SerialDay day) {
  if (view.data == nullptr) return {};
  const DaySettings days = DaySettingsOf(options);
  const DayItemInputs inputs{*view.data, options, days, view.today, view.displayFlags};
  return DayTooltipText(day, options.TTType, inputs);
}

void ShowDayTooltip(DayTooltip& tooltip, const MainView& view, const Options& options,
                    SerialDay day, bool copy) {
  if (tooltip.tip == nullptr || options.TTType == 0 || day < kFirstSerial || day > kLastSerial) {
    return;
  }
  const std::string text = DayTooltipTextOf(view, options, day);
  TOOLINFOA tool = ToolOf(tooltip, text.c_str());
  SendMessageA(tooltip.tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  POINT cursor{};
  GetCursorPos(&cursor);
  const int y = cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2;
  SendMessageA(tooltip.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, y));
  SendMessageA(tooltip.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  if (copy) CopyTextToClipboard(text.c_str());
}

void ShowDayTooltipAt(DayTooltip& tooltip, const MainView& view, const Options& options,
                      POINT point, bool copy) {
  ShowDayTooltip(tooltip, view, options, HitTestView(view, point, false), copy);
}

void HideDayTooltip(DayTooltip& tooltip) {
  if (tooltip.tip == nullptr) return;
  TOOLINFOA tool = ToolOf(tooltip, nullptr);
  SendMessageA(tooltip.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void SetDayTooltipOnTop(DayTooltip& tooltip, bool onTop) {
  if (tooltip.tip == nullptr) return;
  SetWindowPos(tooltip.tip, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace hiyomi
