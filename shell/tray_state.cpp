#include "shell/tray_state.h"

namespace hiyomi {

TrayStep TrayHideStep(TrayState state, TrayMode mode) noexcept {
  if (state == kTrayClosing) return {kTrayClosing, 0};
  const bool toTray = mode == TrayMode::kHide ||
                      (mode == TrayMode::kHideWhenResident && state == kTrayShownResident);
  if (toTray) {
    if (state == kTrayHidden || state == kTrayHiddenResident) return {state, 0};
    const unsigned add = state == kTrayShown ? kTrayAddIcon : 0u;
    return {state == kTrayShown ? kTrayHidden : kTrayHiddenResident, add | kTrayHideWindow};
  }
  return {kTrayClosing, state > 0 ? kTrayDeleteIcon : 0u};
}

TrayStep TrayRestoreStep(TrayState state) noexcept {
  switch (state) {
    case kTrayHidden:
      return {kTrayShown, kTrayDeleteIcon | kTrayShowWindow | kTrayToForeground};
    case kTrayHiddenResident:
      return {kTrayShownResident, kTrayShowWindow | kTrayToForeground};
    default:
      return {state, kTrayToForeground};
  }
}

bool TrayIconWanted(TrayState state) noexcept { return state >= kTrayShownResident; }

}  // namespace hiyomi
