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

enum TrayAction : unsigned {
  kTrayAddIcon = 1u << 0,
  kTrayDeleteIcon = 1u << 1,
  kTrayHideWindow = 1u << 2,
  kTrayShowWindow = 1u << 3,
  kTrayToForeground = 1u << 4,
};

struct TrayStep {
  int state;
  unsigned actions;
};

// mode 1: always to the tray; 0: to the tray only when resident; -1: final
// removal. A negative resulting state means the window really closes.
TrayStep TrayHideStep(int state, int mode) noexcept;
TrayStep TrayRestoreStep(int state) noexcept;
// After the taskbar was re-created the icon is added again in states 1-3.
bool TrayIconWanted(int state) noexcept;

}  // namespace hiyomi
