// The tray icon's state machine, without the shell calls: each step says
// the new state and what to do to the icon and the window.
#pragma once

namespace hiyomi {

enum TrayState : int {
  kTrayClosing = -1,        // the program is closing; no icon
  kTrayShown = 0,           // window shown, no icon
  kTrayShownResident = 1,   // window shown, icon present
  kTrayHidden = 2,          // window in the tray; icon only while hidden
  kTrayHiddenResident = 3,  // window in the tray, resident
};

// What a request to hide the window asks for.
enum class TrayMode {
  kHide,              // to the tray in any case ("ﾀｽｸﾄﾚｲへ")
  kHideWhenResident,  // to the tray when resident, else the window closes (its close box)
  kRemoveForGood,     // the icon goes and the window closes ("終了")
};

enum TrayAction : unsigned {
  kTrayAddIcon = 1u << 0,
  kTrayDeleteIcon = 1u << 1,
  kTrayHideWindow = 1u << 2,
  kTrayShowWindow = 1u << 3,
  kTrayToForeground = 1u << 4,
};

struct TrayStep {
  TrayState state;  // kTrayClosing: the window really closes
  unsigned actions;
};

TrayStep TrayHideStep(TrayState state, TrayMode mode) noexcept;
TrayStep TrayRestoreStep(TrayState state) noexcept;
// After the taskbar was re-created the icon is added again in states 1-3.
bool TrayIconWanted(TrayState state) noexcept;

}  // namespace hiyomi
