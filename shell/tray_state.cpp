#include "shell/tray_state.h"

namespace hiyomi {

TrayStep TrayHideStep(int state, int mode) noexcept {
  if (state == kTrayClosing) return {kTrayClosing, 0};
  if (mode == 1 || (mode == 0 && state == kTrayShownResident)) {
    if (state == kTrayHidden || state == kTrayHiddenResident) return {state, 0};
    const unsigned add = state == kTrayShown ? kTrayAddIcon : 0u;
    return {state + 2, add | kTrayHideWindow};
  }
  return {kTrayClosing, state > 0 ? kTrayDeleteIcon : 0u};
}

TrayStep TrayRestoreStep(int state) noexcept {
  switch (state) {
    case kTrayHidden:
      return {kTrayShown, kTrayDeleteIcon | kTrayShowWindow | kTrayToForeground};
    case kTrayHiddenResident:
      return {kTrayShownResident, kTrayShowWindow | kTrayToForeground};
    default:
      return {state, kTrayToForeground};
  }
}

bool TrayIconWanted(int state) noexcept { return state >= kTrayShownResident; }

}  // namespace hiyomi
