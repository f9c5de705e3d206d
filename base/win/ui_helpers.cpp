#include "base/win/ui_helpers.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "base/message_box.h"
#include "base/numeric_text.h"
#include "base/text.h"

namespace hiyomi {
namespace {

LRESULT CALLBACK CenterOnActivate(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_ACTIVATE && ConsumeCenterNextWindow()) {
    CenterWindow(reinterpret_cast<HWND>(wParam), true);
  }
  // The hook handle argument is ignored by the system.
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

ScopedHook CenterMessageBoxesOnThisThread() { return HookThisThread(WH_CBT, CenterOnActivate); }

namespace {

ColorChooser& Chooser() {
  static ColorChooser chooser;
  return chooser;
}

class ScopedGdiObject {
 public:
  explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
  ~ScopedGdiObject() {
    if (object_ != nullptr) DeleteObject(object_);
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  HGDIOBJ Get() const { return object_; }

 private:
  HGDIOBJ object_;
};

void DrawCentredText(HDC dc, RECT rect, const char* text, COLORREF color) {
  SetTextColor(dc, color);
  DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The text colour that stays readable on background: white when at least
// two of its three components are dark.
COLORREF ContrastText(int color) {
  const int dark = ((color & 0xFF) < 128) + (((color >> 8) & 0xFF) < 128) +
                   (((color >> 16) & 0xFF) < 128);
  return dark >= 2 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

thread_local bool filtering = false;

}  // namespace

void CenterWindow(HWND window, bool overParent) {
  HWND parent = GetParent(window);
  HWND over = (overParent && parent != nullptr) ? parent : GetDesktopWindow();
  RECT area{};
  RECT self{};
  if (!GetClientRect(over, &area) || !GetWindowRect(window, &self)) return;
  POINT at{((area.right - area.left) - (self.right - self.left)) / 2,
           ((area.bottom - area.top) - (self.bottom - self.top)) / 2};
  ClientToScreen(over, &at);
  // A child window is positioned in its parent's client coordinates.
  if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0 && parent != nullptr) {
    ScreenToClient(parent, &at);
  }
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool InsertMenuItemText(HMENU menu, UINT typeFlags, UINT commandId, const char* text,
                        HMENU submenu, UINT position, UINT stateFlags) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
  info.fType = typeFlags;
  info.fState = stateFlags;
  info.wID = commandId;
  info.dwTypeData = const_cast<char*>(text != nullptr ? text : "");
  if (submenu != nullptr) {
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = submenu;
  }
  return InsertMenuItemA(menu, position, TRUE, &info) != FALSE;
}

UINT GetMenuItemState(HMENU menu, UINT commandId) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!GetMenuItemInfoA(menu, commandId, FALSE, &info)) return 0;
  return info.fState;
}

bool SetMenuItemCheck(HMENU menu, UINT commandId, int mode) {
  const UINT old = GetMenuItemState(menu, commandId);
  UINT state = 0;
  switch (mode) {
    case 1: state = MFS_CHECKED; break;
    case 2: state = MFS_DISABLED | MFS_GRAYED; break;
    case -1: state = (old & MFS_CHECKED) != 0 ? MFS_UNCHECKED : MFS_CHECKED; break;
    default: state = MFS_UNCHECKED; break;
  }
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  // The default-item mark is not part of the check state.
  info.fState = state | (old & MFS_DEFAULT);
  SetMenuItemInfoA(menu, commandId, FALSE, &info);
  return state != 0;
}

void DrawColorButton(const DRAWITEMSTRUCT& item, int color) {
  if (color < 0) color = 0xFFFFFF;
  color &= 0xFFFFFF;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldText = GetTextColor(dc);
  if ((item.itemState & ODS_DISABLED) == 0) {
    ScopedGdiObject brush(CreateSolidBrush(static_cast<COLORREF>(color)));
    FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
    DrawEdge(dc, &rect, (item.itemState & ODS_SELECTED) != 0 ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT);
    DrawCentredText(dc, rect, text, ContrastText(color));
  } else {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    RECT raised = rect;
    OffsetRect(&raised, 1, 1);
    DrawCentredText(dc, raised, text, GetSysColor(COLOR_3DHILIGHT));
    DrawCentredText(dc, rect, text, GetSysColor(COLOR_GRAYTEXT));
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = rect;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
  SetTextColor(dc, oldText);
  SetBkMode(dc, oldMode);
}

ColorChooser SetColorChooserForTests(ColorChooser chooser) {
  return std::exchange(Chooser(), std::move(chooser));
}

bool ChooseColorFor(HWND owner, int& color) {
  // Custom colours are not kept between calls: they start empty (white).
  COLORREF custom[16];
  for (auto& c : custom) c = RGB(255, 255, 255);
  return ChooseColorFor(owner, color, custom);
}

bool ChooseColorFor(HWND owner, int& color, COLORREF (&custom)[16]) {
  const int preselected = color < 0 ? 0xFFFFFF : (color & 0xFFFFFF);
  if (Chooser()) {
    int chosen = preselected;
    if (!Chooser()(owner, preselected, chosen)) return false;
    color = chosen & 0xFFFFFF;
    return true;
  }
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = static_cast<COLORREF>(preselected);
  dialog.lpCustColors = custom;
  dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
  if (!ChooseColorA(&dialog)) return false;
  color = static_cast<int>(dialog.rgbResult & 0xFFFFFF);
  return true;
}

void FilterNumericEdit(HWND edit, int maxLength) {
  // Our own SetWindowText below sends EN_CHANGE again.
  if (filtering) return;
  char text[64];
  GetWindowTextA(edit, text, sizeof text);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  char clean[sizeof text];
  int selStart = static_cast<int>(start);
  int selEnd = static_cast<int>(end);
  CleanNumericText(text, maxLength, clean, sizeof clean, &selStart, &selEnd);
  if (std::strcmp(text, clean) == 0) return;
  filtering = true;
  SetWindowTextA(edit, clean);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(selStart), static_cast<LPARAM>(selEnd));
  filtering = false;
}

bool CopyTextToClipboard(const char* text) {
  if (text == nullptr) text = "";
  const size_t bytes = std::strlen(text) + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  void* locked = GlobalLock(memory);
  if (locked == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(locked, text, bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // On success the clipboard owns the memory.
  const bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);
  return placed;
}

}  // namespace hiyomi
