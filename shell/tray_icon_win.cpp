#include "shell/tray_icon_win.h"

#include <shellapi.h>

#include <cstddef>

#include "resources/main_dialog_ids.h"

namespace hiyomi {

namespace {

// The version-2 record, which every shell since accepts: 488 bytes in a
// 32-bit program, 504 in this 64-bit one (its handles are wider).
constexpr DWORD kNotifyIconV2Size = offsetof(NOTIFYICONDATAA, guidItem);
static_assert(kNotifyIconV2Size == (sizeof(void*) == 8 ? 504 : 488), "version-2 record size");

struct TrayIcon {
  NOTIFYICONDATAA record{};
  HICON icon = nullptr;
  TrayState state = kTrayShown;
  bool added = false;
};

TrayIcon tray;

void AddIcon() {
  tray.record.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  tray.added = Shell_NotifyIconA(NIM_ADD, &tray.record) != FALSE || tray.added;
}

void DeleteIcon() {
  Shell_NotifyIconA(NIM_DELETE, &tray.record);
  tray.added = false;
}

void Apply(const TrayStep& step, HWND window) {
  if (step.actions & kTrayAddIcon) AddIcon();
  if (step.actions & kTrayDeleteIcon) DeleteIcon();
  if (step.actions & kTrayHideWindow) ShowWindow(window, SW_HIDE);
  if (step.actions & kTrayShowWindow) ShowWindow(window, SW_SHOW);
  if (step.actions & kTrayToForeground) SetForegroundWindow(window);
  tray.state = step.state;
}

}  // namespace

void TrayInit(bool resident, HWND window, UINT callbackMessage) {
  if (tray.icon == nullptr) {
    tray.icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_HIYOMI),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
  }
  tray.record = NOTIFYICONDATAA{};
  tray.record.cbSize = kNotifyIconV2Size;
  tray.record.hWnd = window;
  tray.record.uID = 0;
  tray.record.uCallbackMessage = callbackMessage;
  tray.record.hIcon = tray.icon;
  lstrcpynA(tray.record.szTip, "Hiyomi", sizeof tray.record.szTip);
  tray.state = resident ? kTrayShownResident : kTrayShown;
  if (resident) AddIcon();
}

TrayState TrayHide(TrayMode mode, HWND window) {
  Apply(TrayHideStep(tray.state, mode), window);
  return tray.state;
}

void TrayRestore(HWND window) { Apply(TrayRestoreStep(tray.state), window); }

void TrayReAdd() {
  if (TrayIconWanted(tray.state)) AddIcon();
}

TrayState CurrentTrayState() { return tray.state; }

void TrayRelease() {
  if (tray.added) DeleteIcon();
  if (tray.icon != nullptr) DestroyIcon(tray.icon);
  tray.icon = nullptr;
}

}  // namespace hiyomi
